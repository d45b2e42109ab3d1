#include "link/ManualSendData.h"

#include "link/ControllerLink.h"
#include "link/WindowPlacement.h"
#include "platform/Clock.h"
#include "platform/Latin1Text.h"
#include "platform/SingleLine.h"
#include "store/AppContext.h"
#include "store/SettingsTables.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("Manualsend");
constexpr int SettleMs = 100; // after opening, before the line goes out

} // namespace

ManualSendData::ManualSendData(AppContext& context, ControllerLink& controller, QWidget* parent)
    : QDialog(parent), m_context(context), m_controller(controller), m_link(controller.serialLink())
{
    setWindowTitle(QStringLiteral("Manual Send Data To Tarvex"));
    m_box = new QLineEdit(this);
    m_box->setObjectName(QStringLiteral("ManualSendData"));
    KeepSingleLine(m_box); // one command line, whatever is pasted
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_close->setObjectName(QStringLiteral("Close"));
    m_close->setAutoDefault(false); // Enter belongs to the box
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_box);
    layout->addWidget(m_close);

    connect(m_box, &QLineEdit::textChanged, this, &ManualSendData::ManualSendData_Change);
    connect(m_box, &QLineEdit::returnPressed, this, &ManualSendData::ManualSendData_KeyPress);
    connect(m_close, &QPushButton::clicked, this, &ManualSendData::Close_Click);
    Form_Load();
}

void ManualSendData::Form_Load()
{
    PlaceWindow(*this, ReadWindowGeometry(m_context.profile, m_context.settingsFile, Section));
}

void ManualSendData::ManualSendData_Change() { m_manualSendText = m_box->text(); }

bool ManualSendData::sending() const { return m_controller.holds(ControllerLink::Job::ManualSend); }

// One command at a time: Enter during this window's reply wait or while its
// keys play is ignored; while another run holds the link the user is told.
void ManualSendData::ManualSendData_KeyPress()
{
    if (sending())
        return;
    // The line would reach the controller changed; the box keeps it to be mended.
    if (const std::optional<QString> character = FirstOutsideLatin1(m_manualSendText)) {
        m_link.report(Status::failure(
            QStringLiteral("Not sent to the Tarvex: %1 (\"%2\").").arg(OutsideLatin1Reason, *character)));
        return;
    }
    if (!m_manualSendText.isEmpty()) {
        const ControllerLink::Claim claim = m_controller.claimOrTell(ControllerLink::Job::ManualSend);
        if (!claim)
            return;
        if (m_controller.dtmfMode())
            sendDtmf();
        else
            sendSerial();
    }
    m_manualSendText.clear();
    m_box->clear();
    if (m_closePending)
        finishClose();
}

void ManualSendData::sendSerial()
{
    // After the port message nothing is written and no reply is awaited.
    if (!m_link.OpenSerialPort() || !m_link.isPortOpen())
        return;
    // A give-up of an earlier wait must not mark this command as failed.
    m_context.tables.UpdateError = false;
    m_context.tables.UpdateInterrupted = false;
    m_context.clock.sleep(SettleMs);
    const QString line = m_manualSendText + QStringLiteral("\r");
    const Status sent = m_link.SendStr(line);
    m_context.tables.LastCommand = line;
    if (sent)
        (void)m_link.CheckInput(line);
    else
        m_link.report(sent);
}

// The user types the whole key sequence: no key-up wait, unlock code, lock
// code or terminator is added. A keying port that will not open plays nothing.
void ManualSendData::sendDtmf()
{
    KeyedRun run = m_controller.keyedRun();
    Status played = run.begin();
    if (played)
        played = m_controller.player().SendDTMFString(m_manualSendText);
    const Status ended = run.end();
    if (!played)
        m_link.report(played);
    else if (!ended)
        m_link.report(ended);
}

// Close during a reply wait ends the wait first, then closes.
void ManualSendData::Close_Click()
{
    hide();
    if (sending()) {
        m_closePending = true;
        m_link.abandonWait();
        return;
    }
    finishClose();
}

void ManualSendData::finishClose()
{
    m_closePending = false;
    hide();
    const Status saved = WriteWindowGeometry(m_context.profile, m_context.settingsFile, Section, PlacementOf(*this));
    if (!saved)
        m_link.report(saved);
    m_link.closePort();
}

void ManualSendData::closeEvent(QCloseEvent* event)
{
    Close_Click();
    event->accept();
}
