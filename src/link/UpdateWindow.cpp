#include "link/UpdateWindow.h"

#include "link/SerialLink.h"
#include "link/WindowPlacement.h"
#include "mainwindow/AppContext.h"
#include "platform/Dialogs.h"
#include "store/SettingsTables.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

const QString Section = QStringLiteral("Update");
constexpr int BarMaximum = 724;

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

UpdateWindow::UpdateWindow(AppContext& context, SerialLink& link, QWidget* parent)
    : QDialog(parent), m_context(context), m_link(link)
{
    setObjectName(QStringLiteral("Update"));
    setWindowTitle(QStringLiteral("Send To Tarvex"));
    m_interrupt = button(this, "Interrupt", QStringLiteral("&Interrupt Upload"));
    m_close = button(this, "Close", QStringLiteral("&Close"));
    // The uploads themselves connect to these two.
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

// During a reply wait Close stops the upload as Interrupt does, without asking,
// and closes once the wait has ended.
void UpdateWindow::Close_Click()
{
    hide();
    if (m_link.busy()) {
        m_context.tables.UpdateInterrupted = true;
        m_link.resetCounters();
        m_link.resetProgress();
        m_link.abandonWait();
        if (!m_closePending) {
            m_closePending = true;
            QTimer::singleShot(0, this, &UpdateWindow::finishClose);
        }
        return;
    }
    finishClose();
}

void UpdateWindow::finishClose()
{
    if (m_link.busy()) {
        QTimer::singleShot(10, this, &UpdateWindow::finishClose);
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

void UpdateWindow::Interrupt_Click()
{
    if (m_context.dialogs.message(QStringLiteral("Interrupt Update"),
                                  QStringLiteral("Are you sure you want to interrupt the update?"),
                                  Dialogs::Buttons::YesNo, Dialogs::Icon::Question)
        != Dialogs::Answer::Yes)
        return;
    m_context.dialogs.message(QStringLiteral("Wait"), QStringLiteral("Please wait while I finish the current operation"));
    m_context.tables.UpdateInterrupted = true;
    hide();
    m_link.resetCounters();
    m_link.resetProgress();
}

void UpdateWindow::showProgress(double value, int percent)
{
    m_progressBar->setValue(static_cast<int>(value));
    m_percentProgress->setText(QString::number(percent) + QStringLiteral("% Complete"));
}

void UpdateWindow::showEvent(QShowEvent* event)
{
    if (m_unloaded)
        Form_Load();
    QDialog::showEvent(event);
}

// Closing from the frame unloads the window: the next showing loads it again.
void UpdateWindow::closeEvent(QCloseEvent* event)
{
    Close_Click();
    m_unloaded = true;
    event->accept();
}
