#include "link/UpdateWindow.h"

#include "link/ChangesUpload.h"
#include "link/CompleteUpload.h"
#include "link/ControllerLink.h"
#include "link/WindowPlacement.h"
#include "platform/Dialogs.h"
#include "store/AppContext.h"
#include "store/SettingsTables.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

const QString Section = QStringLiteral("Update");
constexpr int BarMaximum = CompleteUpload::ProgressMaximum;

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

UpdateWindow::UpdateWindow(AppContext& context, ControllerLink& controller, QWidget* parent)
    : QDialog(parent), m_context(context), m_controller(controller), m_link(controller.serialLink())
{
    setObjectName(QStringLiteral("Update"));
    setWindowTitle(QStringLiteral("Send To Tarvex"));
    setModal(true);
    m_interrupt = button(this, "Interrupt", QStringLiteral("&Interrupt Upload"));
    m_close = button(this, "Close", QStringLiteral("&Close"));
    m_complete = button(this, "Complete", QStringLiteral("&Send Complete Config"));
    m_update = button(this, "Update", QStringLiteral("&Update Changes Only"));
    m_percentProgress = new QLabel(this);
    m_percentProgress->setObjectName(QStringLiteral("PercentProgress"));
    m_progressLabel = new QLabel(QStringLiteral("Upload Progress"), this);
    m_progressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, BarMaximum);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_update, 0, 0);
    grid->addWidget(m_complete, 0, 1);
    grid->addWidget(m_progressLabel, 1, 0, 1, 2);
    grid->addWidget(m_progressBar, 2, 0, 1, 2);
    grid->addWidget(m_percentProgress, 3, 0, 1, 2);
    grid->addWidget(m_interrupt, 4, 0);
    grid->addWidget(m_close, 4, 1);

    connect(m_close, &QPushButton::clicked, this, &UpdateWindow::Close_Click);
    connect(m_interrupt, &QPushButton::clicked, this, &UpdateWindow::Interrupt_Click);
    connect(m_update, &QPushButton::clicked, this, &UpdateWindow::Update_Click);
    connect(m_complete, &QPushButton::clicked, this, &UpdateWindow::Complete_Click);
    m_link.onProgress([this](const SerialLink::Progress& p) { showProgress(p.value, p.percent); });
    m_link.onHide([this] { hide(); });
    Form_Load();
}

void UpdateWindow::Form_Load()
{
    m_unloaded = false;
    m_progressBar->hide();
    m_progressLabel->hide();
    m_percentProgress->hide();
    if (!m_link.PortFailed())
        (void)m_link.OpenSerialPort(); // a failure has been shown and sets PortFailed
    PlaceWindow(*this, ReadWindowGeometry(m_context.profile, m_context.settingsFile, Section));
}

// Close and Esc during an upload are an interrupt: its question first, its
// messages on Yes, and the window closes once the upload has stopped. A
// reply wait outside an upload is ended at once.
void UpdateWindow::Close_Click() { (void)closeWindow(); }

bool UpdateWindow::closeWindow()
{
    if (uploading()) {
        if (!m_context.tables.UpdateInterrupted && !interrupt())
            return false;
        hide();
        m_closePending = true; // the end of the upload finishes the close
        return true;
    }
    hide();
    if (m_link.busy()) {
        markInterrupted();
        m_link.abandonWait();
        if (!m_closePending) {
            m_closePending = true;
            QTimer::singleShot(0, this, [this] {
                if (m_closePending)
                    finishClose();
            });
        }
        return true;
    }
    finishClose();
    return true;
}

void UpdateWindow::finishClose()
{
    if (m_link.busy() || uploading()) {
        QTimer::singleShot(10, this, [this] {
            if (m_closePending)
                finishClose();
        });
        return;
    }
    m_closePending = false;
    hide();
    m_context.tables.UpdateInterrupted = false;
    if (!m_link.PortFailed()) {
        const Status saved = WriteWindowGeometry(m_context.profile, m_context.settingsFile, Section, PlacementOf(*this));
        if (!saved)
            m_link.report(saved);
    }
    m_link.closePort();
}

void UpdateWindow::Interrupt_Click() { (void)interrupt(); }

bool UpdateWindow::interrupt()
{
    if (m_context.dialogs.message(QStringLiteral("Interrupt Update"),
                                  QStringLiteral("Are you sure you want to interrupt the update?"),
                                  Dialogs::Buttons::YesNo, Dialogs::Icon::Question)
        != Dialogs::Answer::Yes)
        return false;
    m_context.dialogs.message(QStringLiteral("Wait"), QStringLiteral("Please wait while I finish the current operation"));
    hide();
    markInterrupted();
    return true;
}

void UpdateWindow::markInterrupted()
{
    m_context.tables.UpdateInterrupted = true;
    m_link.resetCounters();
    m_link.resetProgress();
}

bool UpdateWindow::uploading() const { return m_controller.holds(ControllerLink::Job::Upload); }

void UpdateWindow::runUpload(const std::function<void(CommandTransport&)>& run)
{
    // The buttons are off during this window's own upload.
    ControllerLink::Claim claim = m_controller.claimOrTell(ControllerLink::Job::Upload);
    if (!claim)
        return;
    m_update->setEnabled(false);
    m_complete->setEnabled(false);
    // The link, the buttons and the pending Close come back even when the run throws.
    struct Restore {
        UpdateWindow& w;
        ControllerLink::Claim& claim;
        ~Restore()
        {
            claim.release();
            w.m_update->setEnabled(true);
            w.m_complete->setEnabled(true);
            if (w.m_closePending)
                w.finishClose();
            w.endModalWhenDone();
        }
    } restore{*this, claim};
    run(m_controller.transport());
}

void UpdateWindow::Update_Click()
{
    runUpload([this](CommandTransport& link) {
        // This upload shows no progress.
        m_progressLabel->hide();
        m_progressBar->hide();
        m_percentProgress->hide();
        m_link.resetProgress();
        if (ChangesUpload(m_context.tables, link, m_context.dialogs).run() == UploadRunner::Result::Completed)
            hide();
    });
}

void UpdateWindow::Complete_Click()
{
    runUpload([this](CommandTransport& link) {
        CompleteUpload upload(m_context.tables, link, m_context.dialogs);
        upload.onProgress([this](const UploadProgress& p) {
            m_progressLabel->show();
            m_progressBar->show();
            m_percentProgress->show();
            // The reply check computes the same percent from the bar after each reply.
            m_link.setProgressValue(p.value);
            if (!p.text.isEmpty())
                m_percentProgress->setText(p.text);
        });
        if (upload.run() != UploadRunner::Result::Completed)
            return;
        m_link.resetProgress();
        m_percentProgress->hide();
        hide();
    });
}

void UpdateWindow::showProgress(double value, int percent)
{
    m_progressBar->setValue(static_cast<int>(value));
    m_percentProgress->setText(QString::number(percent) + QStringLiteral("% Complete"));
}

// Not QDialog::exec: hiding the window would end that loop, and while an
// interrupted upload unwinds inside it the window could not be shown modal
// again. This loop outlives a hide during an upload; showing the window then
// returns at once, the earlier showing keeping it till it is closed.
void UpdateWindow::showModal()
{
    show();
    raise();
    activateWindow();
    // A loop of its own here would hold up the upload running below it.
    if (m_modalLoop || uploading())
        return;
    QEventLoop loop;
    m_modalLoop = &loop;
    const QPointer<UpdateWindow> alive(this);
    loop.exec(QEventLoop::DialogExec);
    if (alive)
        m_modalLoop = nullptr;
}

void UpdateWindow::endModalWhenDone()
{
    if (m_modalLoop && isHidden() && !uploading())
        m_modalLoop->quit();
}

// Shown again before an interrupted upload has ended: the window stays.
void UpdateWindow::showEvent(QShowEvent* event)
{
    m_closePending = false;
    if (m_unloaded)
        Form_Load();
    QDialog::showEvent(event);
}

void UpdateWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    endModalWhenDone();
}

// Closing from the frame unloads the window: the next showing loads it again.
void UpdateWindow::closeEvent(QCloseEvent* event)
{
    if (!closeWindow()) {
        event->ignore();
        return;
    }
    m_unloaded = true;
    event->accept();
}
