#include "mainwindow/ZarnMain.h"

#include "link/ControllerLink.h"
#include "link/ManualSendData.h"
#include "link/TTPad.h"
#include "link/UpdateWindow.h"
#include "link/WindowPlacement.h"

#include "download/OptionBoardFile.h"
#include "download/TarvexDownload.h"
#include "editors/EditorWindow.h"
#include "editors/ports/SpecialCodes.h"
#include "mainwindow/AboutWindow.h"
#include "store/AppContext.h"
#include "mainwindow/CompanyWindow.h"
#include "mainwindow/EditorManager.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/ProgressBar.h"
#include "mainwindow/TransportMenu.h"
#include "mainwindow/Version.h"
#include "mainwindow/WindowTitle.h"
#include "platform/Dialogs.h"
#include "store/DatFileReader.h"
#include "store/ErrorLog.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <algorithm>

ZarnMain::ZarnMain(AppContext& context, EditorTabList tabs, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_area(new QStackedWidget(this)), m_tabs(new QTabBar(this))
{
    setObjectName(QStringLiteral("ZarnMain"));
    setWindowTitle(ProgramName);
    m_menus = std::make_unique<MainMenus>(this);
    addToolBarBreak();
    QToolBar* strip = addToolBar(QStringLiteral("Toolbar2"));
    strip->setObjectName(QStringLiteral("Toolbar2"));
    strip->setMovable(false);
    for (const EditorTab& tab : tabs)
        m_tabs->addTab(tab.caption);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setExpanding(false);
    strip->addWidget(m_tabs);
    // Without a stored size the window shows every tab, as far as the screen allows.
    resize(QSize(std::max(900, strip->sizeHint().width()), 640).boundedTo(screen()->availableGeometry().size()));
    setCentralWidget(m_area);
    statusBar();

    m_controller = std::make_unique<ControllerLink>(context.tables, context.serial, context.sound, context.dialogs,
                                                    context.clock);
    m_editors = std::make_unique<EditorManager>(context, *m_controller, std::move(tabs), m_area);
    FileCommandHooks fileHooks{
        [this] { return applyPendingEdits(); },
        [this](const QString& closing) { return mayCloseEditors(closing); },
        [this] { loadConfiguration(); },
        [this](const QString& path) { setTitleFor(path); },
        [this] { m_editors->bringToFront(m_currentTab); },
        [this] { selectTabForCommand(homeTab()); },
        [this] { return currentGeometry(); },
        [this] { endProgram(); },
    };
    m_files = std::make_unique<FileCommands>(context, *this, std::move(fileHooks));
    m_transport = new TransportMenu(context, *m_controller, *m_menus, this);
    connectCommands();
}

ZarnMain::~ZarnMain() = default;

void ZarnMain::connectCommands()
{
    MainMenus& m = *m_menus;
    connect(m_tabs, &QTabBar::currentChanged, this, &ZarnMain::onTabChanged);
    for (QAction* a : {m.fileNew, m.toolNew})
        connect(a, &QAction::triggered, this, [this] { m_files->fileNew(); });
    for (QAction* a : {m.fileOpen, m.toolOpen})
        connect(a, &QAction::triggered, this, [this] { m_files->fileOpen(); });
    for (QAction* a : {m.fileSave, m.toolSave})
        connect(a, &QAction::triggered, this, [this] { m_files->fileSave(); });
    connect(m.fileSaveAs, &QAction::triggered, this, [this] { m_files->fileSaveAs(); });
    connect(m.fileExit, &QAction::triggered, this, [this] { m_files->fileExit(); });
    for (QAction* a : {m.upload, m.toolUpload})
        connect(a, &QAction::triggered, this, &ZarnMain::openUpload);
    connect(m.download, &QAction::triggered, this, &ZarnMain::downloadFromTarvex);
    connect(m.testPad, &QAction::triggered, this, &ZarnMain::openTestPad);
    connect(m.manualData, &QAction::triggered, this, &ZarnMain::openManualSend);
    connect(m.about, &QAction::triggered, this, [this] {
        auto* about = new AboutWindow(this);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->open();
    });
    connect(m.company, &QAction::triggered, this, [this] {
        auto* company = new CompanyWindow(this);
        company->setAttribute(Qt::WA_DeleteOnClose);
        company->open();
    });
}

void ZarnMain::downloadFromTarvex()
{
    if (!m_progress)
        m_progress = new ProgressBar(this);
    DownloadHooks hooks{
        [this] { return applyPendingEdits() && mayCloseEditors(QStringLiteral("Downloading from the Tarvex")); },
        [this](bool on) { enableCommands(on); },
        [this](const QString& path) { return loadMemoryFile(path); },
        [this](const OptionBoardFile& board) {
            if (auto* codes = dynamic_cast<SpecialCodes*>(m_editors->load(m_editors->tabWith(&TabRoles::holdsLockBox))))
                codes->showOptionBoard(board);
        },
        [this](const std::vector<Setting>& settings) { return m_editors->shownNames(settings); },
    };
    TarvexDownload(m_context, *m_controller, *m_progress, std::move(hooks)).run();
}

// The transfer lets events through: no other command may start inside it.
void ZarnMain::enableCommands(bool on)
{
    if (!on) {
        for (QAction* a : findChildren<QAction*>())
            if (a->isEnabled()) {
                a->setEnabled(false);
                m_pausedActions.push_back(a);
            }
    } else {
        for (QAction* a : std::exchange(m_pausedActions, {}))
            a->setEnabled(true);
    }
    m_tabs->setEnabled(on);
    m_area->setEnabled(on);
}

bool ZarnMain::load()
{
    CreateErrorLog(m_context.log);
    const auto file = m_files->startUpFile();
    if (!file)
        return false;
    m_context.tables.CurrentDatFile = *file;
    readFile();
    reloadEditors();
    applyGeometry(ReadWindowGeometry(m_context.profile, m_context.settingsFile, QStringLiteral("Main")));
    ReadTransportSettings(m_context.tables, m_context.profile, m_context.settingsFile);
    m_transport->showStartTicks();
    m_context.tables.DataSaved = true;
    finishLoad();
    return true;
}

void ZarnMain::loadConfiguration()
{
    readFile();
    reloadEditors();
    m_context.tables.DataSaved = true;
    finishLoad();
}

EramLoad ZarnMain::loadMemoryFile(const QString& path)
{
    EramLoad load = LoadEramFile(m_context.tables, path);
    if (load.status.ok())
        reloadEditors();
    return load;
}

void ZarnMain::readFile()
{
    ReadDatFile(m_context.tables, m_context.profile, m_context.log, m_context.dialogs);
    setTitleFor(m_context.tables.CurrentDatFile);
}

int ZarnMain::homeTab() const { return m_editors->tabWith(&TabRoles::inFront); }

void ZarnMain::reloadEditors()
{
    m_editors->reloadAll(homeTab());
    selectLoadedTab(homeTab());
}

void ZarnMain::finishLoad()
{
    SettingsTables& t = m_context.tables;
    if (t.SelectSpecialCodes) {
        selectLoadedTab(m_editors->tabWith(&TabRoles::holdsLockBox));
        focusLockBox();
        t.SelectSpecialCodes = false;
    }
    if (t.DatFileErrors) {
        m_context.dialogs.message(
            QStringLiteral("Error!"),
            QStringLiteral("You had errors in your dat file and default values have been assigned. IT IS "
                           "STRONGLY SUGGESTED YOU IMMEDIATELY SAVE YOUR DAT FILE AND CHECK THE ERROR LOG FILE "
                           "CREATED."));
        t.DatFileErrors = false;
    }
}

void ZarnMain::focusLockBox()
{
    if (EditorWindow* editor = m_editors->load(m_editors->tabWith(&TabRoles::holdsLockBox)))
        editor->focusFirstEntry();
    // A hidden window takes the focus only once shown.
    m_focusLockBoxOnShow = !isVisible();
}

void ZarnMain::showAsStored()
{
    if (m_startMaximised)
        showMaximized();
    else
        show();
    if (m_focusLockBoxOnShow) {
        focusLockBox();
        m_focusLockBoxOnShow = false;
    }
}

void ZarnMain::selectTab(int tab)
{
    if (m_tabs->currentIndex() == tab)
        m_editors->bringToFront(tab);
    else
        m_tabs->setCurrentIndex(tab);
}

void ZarnMain::selectTabForCommand(int tab)
{
    const QScopedValueRollback byCommand(m_commandSelects, true);
    selectTab(tab);
}

void ZarnMain::selectLoadedTab(int tab)
{
    if (tab < 0)
        return; // a table without the role
    // A freshly loaded editor may show a stored text in another form ("05"
    // as "5"): applying it would mark the file just read as unsaved.
    m_currentTab = -1;
    selectTab(tab);
    m_currentTab = tab;
}

// An index that is no tab's (-1: none) loads and applies nothing.
void ZarnMain::onTabChanged(int tab)
{
    const int previous = m_currentTab;
    // A command has applied the editors before it changes the tab.
    if (!m_commandSelects && !leaveChecked(previous, tab))
        return;
    m_currentTab = tab;
    // The new editor comes to the front before the old one is applied.
    m_editors->bringToFront(tab);
    // The user leaving a tab applies it in full, sending what it sends at
    // once; a command's tab change must not send what the user did not ask for.
    if (m_commandSelects ? m_editors->applyForCommand(previous) : m_editors->doApply(previous))
        return;
    // Refused: the edits stay, in front, where the user can mend them.
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(previous);
    m_currentTab = previous;
    m_editors->bringToFront(previous);
}

// The strip tells of a change only once it is made. Undone quietly while the
// editor left checks its edits, it lets a refusal's message show over that
// editor, its tab current: the tab left for is never shown.
bool ZarnMain::leaveChecked(int previous, int tab)
{
    if (!m_editors->isLoaded(previous))
        return true;
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(previous);
    if (!m_editors->checkEdits(previous))
        return false;
    m_tabs->setCurrentIndex(tab);
    return true;
}

bool ZarnMain::applyPendingEdits()
{
    const std::optional<int> refused = m_editors->applyAllForCommand(m_currentTab);
    // The refused edits stay, in front, where the user can mend them.
    if (refused && *refused != m_currentTab)
        selectTabForCommand(*refused);
    return !refused;
}

bool ZarnMain::mayCloseEditors(const QString& closing)
{
    for (int tab = 0; tab < m_editors->count(); ++tab) {
        const EditorWindow* e = m_editors->editor(tab);
        const QStringList waiting = e ? e->waitingToSend() : QStringList();
        if (waiting.isEmpty())
            continue;
        const QString them = waiting.size() == 1 ? QStringLiteral("it") : QStringLiteral("them");
        const QString question =
            QStringLiteral("Not sent to the Tarvex: %1, typed on %2. %3 drops %4.\n\nGo on without sending %4? "
                           "No keeps %4 there, for that tab's Apply to send.")
                .arg(JoinedWithAnd(waiting), m_editors->caption(tab), closing, them);
        if (m_context.dialogs.message(ProgramName, question, Dialogs::Buttons::YesNo, Dialogs::Icon::Question)
            == Dialogs::Answer::Yes)
            continue;
        selectTabForCommand(tab);
        return false;
    }
    return true;
}

void ZarnMain::setTitleFor(const QString& path) { setWindowTitle(MainWindowTitle(path)); }

void ZarnMain::applyGeometry(WindowGeometry g)
{
    // The main window starts normal, or maximised once shown; never minimised.
    m_startMaximised = g.state == 2;
    g.state.reset();
    const QPoint before = pos();
    PlaceWindow(*this, g);
    // A place off every screen (a screen since removed) would hide the window.
    const QScreen* shownOn = QGuiApplication::screenAt(pos() + QPoint(40, 10));
    if (!shownOn) {
        move(before);
        shownOn = screen();
    }
    // A size larger than the screen (a larger screen's, or a damaged file's)
    // would put the window's buttons out of reach: it is brought onto the screen.
    const QRect area = shownOn->availableGeometry();
    resize(size().boundedTo(area.size()));
    const QPoint inside(std::clamp(x(), area.left(), area.right() + 1 - width()),
                        std::clamp(y(), area.top(), area.bottom() + 1 - height()));
    if (inside != pos())
        move(inside);
}

WindowGeometry ZarnMain::currentGeometry() const { return PlacementOf(*this); }

QDialog* ZarnMain::uploadWindow() const { return m_upload; }

// The windows are made on first use and hidden, not destroyed, by Close.
void ZarnMain::openUpload()
{
    // The upload sends what the editor in front shows.
    if (!applyPendingEdits())
        return;
    if (!m_upload)
        m_upload = new UpdateWindow(m_context, *m_controller, this);
    m_upload->showModal();
}

void ZarnMain::openManualSend()
{
    if (!m_manualSend)
        m_manualSend = new ManualSendData(m_context, *m_controller, this);
    m_manualSend->exec();
}

void ZarnMain::openTestPad()
{
    if (!m_testPad)
        m_testPad = new TTPad(m_context, *m_controller, this);
    m_testPad->exec();
}

void ZarnMain::endProgram()
{
    m_ended = true;
    emit programEnded();
}

void ZarnMain::closeEvent(QCloseEvent* event)
{
    // A download ends through its own window's Escape.
    if (m_controller->holds(ControllerLink::Job::Download)) {
        event->ignore();
        return;
    }
    if (!m_ended)
        m_files->fileExit();
    if (m_ended)
        event->accept();
    else
        event->ignore();
}
