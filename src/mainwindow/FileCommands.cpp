#include "mainwindow/FileCommands.h"

#include "store/AppContext.h"
#include "mainwindow/MainSettings.h"
#include "mainwindow/PleaseWait.h"
#include "platform/Dialogs.h"
#include "platform/SerialPort.h"
#include "store/AppSettings.h"
#include "store/ConfigurationFile.h"
#include "store/DatFileWriter.h"
#include "store/SettingsTables.h"

#include <QFileInfo>
#include <utility>

namespace {

const QString SaveTitle = QStringLiteral("Save Database");
const QString Filter = QStringLiteral("Tarvex Database Files (*.dat)");
const QString StartUpFilter = QStringLiteral("Tarvex Memory Files (*.dat)");
const QString OpenTitle = QStringLiteral("Open Controller Database File");
const QString LastFile = QStringLiteral("LastTarvexFile");

void flagEverySection(SettingsTables& t)
{
    t.setAllSectionFlags(true);
    t.CommandPrefixChanged = true;
}

} // namespace

FileCommands::FileCommands(AppContext& context, QWidget& window, FileCommandHooks hooks)
    : m_context(context), m_window(window), m_hooks(std::move(hooks)),
      m_pleaseWait(std::make_unique<PleaseWait>(&window))
{
}

FileCommands::~FileCommands() = default;

bool FileCommands::settlePending(const QString& dropping)
{
    return m_hooks.applyPendingEdits() && (dropping.isEmpty() || m_hooks.mayCloseEditors(dropping));
}

bool FileCommands::askToSave()
{
    if (m_context.tables.DataSaved)
        return true;
    const auto answer = m_context.dialogs.message(
        SaveTitle,
        QStringLiteral("You have not saved your new settings. All changes will be lost unless you do. "
                       "Do you want to save the database file before exiting?"),
        Dialogs::Buttons::YesNoCancel);
    if (answer == Dialogs::Answer::Yes)
        return fileSaveAs();
    return answer == Dialogs::Answer::No;
}

std::optional<QString> FileCommands::askOpenFile(const QString& proposed, const QString& filter)
{
    return m_context.dialogs.openFile(OpenTitle, proposed, filter);
}

bool FileCommands::acceptsDatFile(const QString& path)
{
    const Status checked = CheckDatFile(m_context.profile, path);
    if (!checked)
        m_context.dialogs.message(OpenTitle, checked.reason(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    return checked.ok();
}

std::optional<QString> FileCommands::startUpFile()
{
    const QString last = ReadMainKey(m_context, LastFile);
    // A last file that is gone, or is no configuration file, counts as none.
    if (!last.isEmpty() && QFileInfo(last).isFile() && CheckDatFile(m_context.profile, last))
        return last;
    // There is no configuration to fall back on: ask until one is chosen.
    QString proposed = last;
    while (const auto path = askOpenFile(proposed, StartUpFilter)) {
        if (acceptsDatFile(*path))
            return path;
        proposed = *path;
    }
    return std::nullopt;
}

void FileCommands::fileNew()
{
    if (m_saving)
        return;
    if (!settlePending(QStringLiteral("Starting a new file")) || !askToSave())
        return;
    (void)open(true);
}

bool FileCommands::fileOpen() { return open(false); }

bool FileCommands::open(bool waitingAsked)
{
    if (m_saving)
        return false;
    if (!settlePending(waitingAsked ? QString() : QStringLiteral("Opening another file")) || !askToSave())
        return false;
    // Asked before anything is closed, so a cancel keeps the configuration.
    const auto path = askOpenFile(m_context.tables.CurrentDatFile, Filter);
    if (!path || !acceptsDatFile(*path))
        return false;
    m_context.tables.CurrentDatFile = *path;
    m_hooks.loadConfiguration();
    return true;
}

bool FileCommands::writeDatabase()
{
    m_saving = true;
    m_window.setEnabled(false);
    m_pleaseWait->show();
    const Status written = WriteDatFile(m_context.tables, m_context.profile);
    m_pleaseWait->hide();
    m_window.setEnabled(true);
    m_saving = false;
    if (!written)
        m_context.dialogs.message(SaveTitle,
                                  QStringLiteral("The database was not saved to %1.\n%2")
                                      .arg(m_context.tables.CurrentDatFile, written.reason()),
                                  Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    return written.ok();
}

bool FileCommands::fileSave()
{
    if (m_saving || !m_hooks.applyPendingEdits())
        return false;
    flagEverySection(m_context.tables);
    if (!writeDatabase())
        return false;
    WriteMainKey(m_context, LastFile, m_context.tables.CurrentDatFile);
    return true;
}

bool FileCommands::fileSaveAs()
{
    if (m_saving || !m_hooks.applyPendingEdits())
        return false;
    SettingsTables& t = m_context.tables;
    flagEverySection(t);
    const auto chosen = m_context.dialogs.saveFile(QStringLiteral("Save Controller Database File"),
                                                   t.CurrentDatFile, Filter);
    if (!chosen) {
        m_hooks.showCurrentTab();
        return false;
    }
    // Asked about the name written, which may have gained ".dat".
    const QString path = WithDatExtension(*chosen);
    if (QFileInfo::exists(path)
        && m_context.dialogs.message(SaveTitle, QStringLiteral("File Already Exists! Are you sure you want to overwrite?"),
                                     Dialogs::Buttons::YesNo)
               != Dialogs::Answer::Yes)
        return false;
    const QString previous = t.CurrentDatFile;
    t.CurrentDatFile = path;
    if (!writeDatabase()) {
        t.CurrentDatFile = previous;
        return false;
    }
    m_hooks.setTitleFor(t.CurrentDatFile);
    WriteMainKey(m_context, LastFile, t.CurrentDatFile);
    m_hooks.selectHomeTab();
    return true;
}

void FileCommands::closePortIfOpen()
{
    if (m_context.serial.isOpen())
        m_context.serial.close();
}

void FileCommands::fileExit()
{
    if (m_saving || !settlePending(QStringLiteral("Ending the program")))
        return;
    if (m_context.tables.DataSaved) {
        closePortIfOpen();
        ReportSettingsWrite(m_context, WriteWindowGeometry(m_context.profile, m_context.settingsFile,
                                                           QStringLiteral("Main"), m_hooks.currentGeometry()));
        WriteMainKey(m_context, LastFile, m_context.tables.CurrentDatFile);
        m_hooks.endProgram();
        return;
    }
    if (!askToSave())
        return;
    closePortIfOpen();
    m_hooks.endProgram();
}
