#include "link/ManualSendData.h"

#include "link/DtmfPlayer.h"
#include "link/KeyedRun.h"
#include "link/SerialLink.h"
#include "link/WindowPlacement.h"
#include "store/AppContext.h"
#include "platform/Clock.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("Manualsend");
constexpr int SettleMs = 100; // after opening, before the line goes out

} // namespace

ManualSendData::ManualSendData(AppContext& context, SerialLink& link, DtmfPlayer& player, QWidget* parent)
    : QDialog(parent), m_context(context), m_link(link), m_player(player)
{
    setWindowTitle(QStringLiteral("Manual Send Data To Tarvex"));
    m_box = new QLineEdit(this);
    m_box->setObjectName(QStringLiteral("ManualSendData"));
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

// One command at a time: Enter during a reply wait or while keys play is ignored.
void ManualSendData::ManualSendData_KeyPress()
{
    if (m_sending)
        return;
    if (!m_manualSendText.isEmpty()) {
        if (LeadingNumber(m_context.tables.ComPortValue) != 0)
            sendSerial();
        else
            sendDtmf();
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
    m_sending = true;
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
    m_sending = false;
}

// The user types the whole key sequence: no key-up wait, unlock code, lock
// code or terminator is added. A keying port that will not open plays nothing.
void ManualSendData::sendDtmf()
{
    m_sending = true;
    const auto done = qScopeGuard([this] { m_sending = false; });
    KeyedRun run(m_context.tables, m_context.sound, m_link);
    Status played = run.begin();
    if (played)
        played = m_player.SendDTMFString(m_manualSendText);
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
    if (m_sending) {
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
