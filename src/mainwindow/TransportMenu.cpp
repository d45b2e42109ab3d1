#include "mainwindow/TransportMenu.h"

#include "store/AppContext.h"
#include "link/ControllerLink.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MainSettings.h"
#include "mainwindow/PortTest.h"
#include "mainwindow/Version.h"
#include "platform/ComPorts.h"
#include "platform/Dialogs.h"
#include "store/AppSettings.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <cmath>

namespace {

const QString DelayPrompt = QStringLiteral("Enter the delay time in milliseconds");
constexpr int MaxSerialDelay = 1;

// Halves to the even neighbour, held within 0..1.
int serialDelay(const QString& answer)
{
    const double value = std::nearbyint(LeadingNumber(answer));
    if (!(value > 0))
        return 0;
    return value > MaxSerialDelay ? MaxSerialDelay + 1 : static_cast<int>(value);
}

} // namespace

TransportMenu::TransportMenu(AppContext& context, ControllerLink& link, MainMenus& menus, QObject* parent)
    : QObject(parent), m_context(context), m_link(link), m_menus(menus)
{
    const QStringList devices = context.comPorts.menuDevices();
    for (int n = 1; n <= 8; ++n) {
        m_menus.com[n - 1]->setStatusTip(devices.value(n - 1));
        m_menus.dtmfCom[n - 1]->setStatusTip(devices.value(n - 1));
        connect(m_menus.com[n - 1], &QAction::triggered, this, [this, n] { chooseSerialPort(n); });
        connect(m_menus.dtmfCom[n - 1], &QAction::triggered, this, [this, n] { chooseKeyingPort(n); });
    }
    connect(m_menus.useDtr, &QAction::triggered, this, [this] { chooseKeyingLine(QStringLiteral("1")); });
    connect(m_menus.useRts, &QAction::triggered, this, [this] { chooseKeyingLine(QStringLiteral("2")); });
    connect(m_menus.txDelay, &QAction::triggered, this, &TransportMenu::askKeyUpDelay);
    connect(m_menus.dtmfDelay, &QAction::triggered, this, &TransportMenu::askInterdigitDelay);
    connect(m_menus.serialDelay, &QAction::triggered, this, &TransportMenu::askSerialDelay);
}

void TransportMenu::showStartTicks()
{
    m_lineTicked = false;
    updateTicks();
}

// The ticks follow the state, so they always show the mode in force.
void TransportMenu::updateTicks()
{
    const SettingsTables& t = m_context.tables;
    for (int n = 1; n <= 8; ++n) {
        m_menus.com[n - 1]->setChecked(t.ComPortValue == QString::number(n));
        m_menus.dtmfCom[n - 1]->setChecked(t.DTMFComPortValue == QString::number(n));
    }
    const bool dtr = t.PTTLine == QLatin1String("1");
    m_menus.useDtr->setChecked(m_lineTicked && dtr);
    m_menus.useRts->setChecked(m_lineTicked && !dtr);
}

void TransportMenu::checkPort() { CheckComPort(m_context.tables, m_context.serial, m_context.dialogs); }

// A port test or a change of mode would close the port a run is using.
bool TransportMenu::linkFree()
{
    if (!m_link.busy())
        return true;
    m_link.tellBusy();
    updateTicks(); // the item ticked itself when it was chosen
    return false;
}

// The keying port is kept: it stays what the settings file holds, and comes
// back into use when DTMF mode is chosen again.
void TransportMenu::chooseSerialPort(int n)
{
    if (!linkFree())
        return;
    m_context.tables.ComPortValue = QString::number(n);
    checkPort();
    WriteMainKey(m_context, QStringLiteral("ComPort"), WithLeadingBlank(n));
    m_lineTicked = false;
    updateTicks();
}

void TransportMenu::chooseKeyingPort(int n)
{
    if (!linkFree())
        return;
    SettingsTables& t = m_context.tables;
    t.DTMFComPortValue = QString::number(n);
    t.ComPortValue = QStringLiteral("0");
    WriteMainKeys(m_context, {{QStringLiteral("Main"), QStringLiteral("DTMFComPort"), WithLeadingBlank(n)},
                              {QStringLiteral("Main"), QStringLiteral("ComPort"), QStringLiteral("0")}});
    updateTicks();
    checkPort();
}

void TransportMenu::chooseKeyingLine(const QString& line)
{
    if (!linkFree())
        return;
    SettingsTables& t = m_context.tables;
    t.PTTLine = line;
    t.ComPortValue = QStringLiteral("0");
    WriteMainKeys(m_context, {{QStringLiteral("Main"), QStringLiteral("WhichSend"), WithLeadingBlank(line.toInt())},
                              {QStringLiteral("Main"), QStringLiteral("ComPort"), QStringLiteral("0")}});
    m_lineTicked = true;
    updateTicks();
}

// The DTMF delays put the program in DTMF mode for this run only.
void TransportMenu::enterDtmfMode()
{
    m_context.tables.ComPortValue = QStringLiteral("0");
    updateTicks();
}

bool TransportMenu::askDtmfDelay(const QString& title, const QString& key, QString& value)
{
    if (!linkFree())
        return false;
    const auto answer = m_context.dialogs.input(title, DelayPrompt, ReadMainKey(m_context, key));
    if (!answer)
        return false;
    enterDtmfMode();
    value = QString::number(DelayMs(*answer));
    WriteMainKey(m_context, key, *answer);
    return true;
}

void TransportMenu::askKeyUpDelay()
{
    askDtmfDelay(QStringLiteral("Set KeyUp Delay"), QStringLiteral("TxTemp"), m_context.tables.KeyUpDelayValue);
}

void TransportMenu::askInterdigitDelay()
{
    askDtmfDelay(QStringLiteral("DTMF Interdigit Delay"), QStringLiteral("DTMFDelay"),
                 m_context.tables.DTMFDelayValue);
}

void TransportMenu::askSerialDelay()
{
    const QString title = QStringLiteral("Serial Port Delay");
    const int stored = serialDelay(ReadMainKey(m_context, QStringLiteral("SerialDelay")));
    const auto answer = m_context.dialogs.input(title, DelayPrompt, QString::number(std::min(stored, MaxSerialDelay)));
    if (!answer)
        return;
    int delay = serialDelay(*answer);
    if (delay > MaxSerialDelay) {
        m_context.dialogs.message(ProgramName, QStringLiteral("Value may be no greater than 1"));
        delay = MaxSerialDelay;
        // The second answer is held to the limit too; cancelling it keeps 1.
        if (const auto again = m_context.dialogs.input(title, DelayPrompt, QString::number(delay)))
            delay = std::min(serialDelay(*again), MaxSerialDelay);
    }
    m_context.tables.SerialDelayValue = delay;
    WriteMainKey(m_context, QStringLiteral("SerialDelay"), WithLeadingBlank(delay));
}
