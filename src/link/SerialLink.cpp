#include "link/SerialLink.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SerialPort.h"
#include "store/AppSettings.h"
#include "store/ProgramName.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QString& Title = ProgramName;

// Short enough that the window stays live; the wait returns as soon as data comes.
constexpr int PollMs = 10;
constexpr int TickMs = 1000;
constexpr int MaxTicks = 5;
// Input that keeps streaming in must not hold a command back for ever.
constexpr int MaxDiscardReads = 64;
// Maps the complete upload's bar maximum of 724 to 100 %.
constexpr double BarPerPercent = 7.24;

int comNumber(const QString& text)
{
    const double value = LeadingNumber(text);
    return value >= 1 && value <= 255 ? static_cast<int>(value) : 0;
}

// The reply is the first character since the line was written; a CR or LF
// left over from a previous reply, or sent ahead of this one, is no reply.
char firstReplyCharacter(const QByteArray& received)
{
    for (char c : received)
        if (c != '\r' && c != '\n')
            return c;
    return '\0';
}

Status replyFailure(SerialLink::Reply reply)
{
    switch (reply) {
    case SerialLink::Reply::Refused:
        return Status::failure(QStringLiteral("The Tarvex refused the lock code"));
    case SerialLink::Reply::GaveUp:
        return Status::failure(QStringLiteral("Too many errors: the serial port was closed"));
    case SerialLink::Reply::Busy:
        return Status::failure(QStringLiteral("Another command is waiting for the Tarvex's reply"));
    default:
        return Status::failure(QStringLiteral("The Tarvex did not acknowledge the lock code"));
    }
}

// The port message: "COM3 is in use ...", then the device and the system's reason.
Status portMessage(int comNumber, const Status& why)
{
    return Status::failure(QStringLiteral("COM%1 is in use by another program. Close the other program and "
                                          "try again\n%2")
                               .arg(QString::number(comNumber), why.reason()));
}

} // namespace

SerialLink::SerialLink(SerialPort& port, SettingsTables& tables, Dialogs& dialogs, Clock& clock)
    : m_port(port), m_tables(tables), m_dialogs(dialogs), m_clock(clock)
{
}

SerialLink::~SerialLink() { closePort(); }

Status SerialLink::OpenSerialPort()
{
    m_clock.processEvents();
    const Status opened = openComPort();
    if (!opened)
        report(opened);
    return opened;
}

Status SerialLink::openComPort()
{
    const int com = comNumber(m_tables.ComPortValue);
    if (com > 0 && !(m_port.isOpen() && m_port.portNumber() == com)) {
        closePort(); // the keying port, or the port of an earlier choice
        m_port.setPortNumber(com);
        const Status opened = m_port.open();
        if (!opened) {
            m_portFailed = true;
            return portMessage(com, opened);
        }
        // The port is meant to leave both lines low; a device that raised
        // them anyway must not key the transmitter during an upload.
        (void)applyKeying(false);
    }
    m_portFailed = false;
    return Status::success();
}

Status SerialLink::SendStr(const QString& txBuf)
{
    if (m_busy)
        return replyFailure(Reply::Busy);
    const Status sent = writeLine(txBuf);
    if (sent)
        m_clock.sleep(std::clamp(m_tables.SerialDelayValue, 0, MaxDelayMs));
    return sent;
}

SerialLink::Reply SerialLink::CheckInput(const QString& command)
{
    Q_UNUSED(command); // the controller's echo is not compared
    if (m_busy)
        return Reply::Busy;
    m_busy = true;
    m_abandon = false;
    const Reply reply = waitForReply();
    m_busy = false;
    m_abandon = false;
    return reply;
}

SerialLink::Reply SerialLink::waitForReply()
{
    m_tickStart = m_clock.elapsedMs();
    m_waiting = true;
    QByteArray received;
    for (;;) {
        if (m_port.isOpen())
            received += m_port.readAvailable();
        const char first = firstReplyCharacter(received);
        if (first == '+') {
            m_tables.SerialReplyOK = true;
            m_timeoutCount = 0;
            endWait();
            return Reply::Accepted;
        }
        if (first == '-') {
            m_waiting = false;
            tell(Title, QStringLiteral("There has been an error. The Tarvex returned ")
                            + QString::fromLatin1(received) + QStringLiteral("    "));
            m_tables.UpdateError = true;
            resetProgress();
            return Reply::Refused;
        }
        if (ReplyTicks() >= TicksToTimeOut) {
            m_waiting = false;
            tell(Title, QStringLiteral("Zarn is unable to communicate with the Tarvex. Check "
                                       "your connections then try again"));
            ++m_timeoutCount;
            discardLateReply();
            endWait();
            return Reply::TimedOut;
        }
        if (m_timeoutCount >= TimeoutsToGiveUp) {
            giveUp();
            endWait();
            return Reply::GaveUp;
        }
        if (!poll()) {
            m_waiting = false;
            return Reply::Interrupted;
        }
    }
}

// A controller that answers after the time-out would otherwise have its
// answer taken for the next line's: one more reply window is listened to,
// from the moment the message is dismissed, and what comes in it is thrown
// away. The time-out still counts.
void SerialLink::discardLateReply()
{
    const std::int64_t until = m_clock.elapsedMs() + std::int64_t{TicksToTimeOut} * TickMs;
    while (m_clock.elapsedMs() < until) {
        if (m_port.isOpen())
            (void)m_port.readAvailable();
        if (!poll())
            return;
    }
}

// One step of a wait: pending events go through, then data is waited for
// until the next poll. False once the wait was abandoned.
bool SerialLink::poll()
{
    m_clock.processEvents();
    if (m_abandon)
        return false;
    if (m_port.isOpen())
        m_port.waitForData(PollMs);
    else
        m_clock.sleep(PollMs); // a lost port still times out, without spinning
    return true;
}

// Every step runs whatever the one before it did: a lock line that cannot be
// written must not leave the port open or the flags unset.
void SerialLink::giveUp()
{
    m_waiting = false;
    tell(QStringLiteral("Error!"),
         QStringLiteral("Too Many Errors. Please check your serial connection and try again"));
    m_timeoutCount = 0;
    if (writeLine(QStringLiteral("1") + m_tables.CurrentLock + QStringLiteral("\r")))
        m_clock.sleep(std::clamp(m_tables.SerialDelayValue, 0, MaxDelayMs));
    (void)DoComPort(false);
    m_tables.UpdateError = true;
    if (m_onHide)
        m_onHide();
    m_tables.UpdateInterrupted = true;
    resetProgress();
}

void SerialLink::endWait()
{
    m_waiting = false;
    m_progress.percent = static_cast<int>(std::nearbyint(m_progress.value / BarPerPercent));
    notifyProgress();
}

Status SerialLink::DoComPort(bool on)
{
    if (!m_port.isOpen())
        m_port.setPortNumber(comNumber(m_tables.DTMFComPortValue));
    if (!on) {
        closePort();
        return Status::success();
    }
    if (!m_port.isOpen()) {
        const int com = m_port.portNumber();
        if (com < 1)
            return Status::failure(QStringLiteral("No COM port is chosen to key the transmitter"));
        if (const Status opened = m_port.open(); !opened)
            return portMessage(com, opened);
    }
    return applyKeying(true);
}

// The line that does not key goes low first; a keying that fails half-way
// closes the port rather than leave a line high.
Status SerialLink::applyKeying(bool keyed)
{
    const bool dtrKeys = LeadingNumber(m_tables.PTTLine) == 1;
    Status quiet = dtrKeys ? m_port.setRts(false) : m_port.setDtr(false);
    Status keying = quiet ? (dtrKeys ? m_port.setDtr(keyed) : m_port.setRts(keyed)) : quiet;
    if (!keying && keyed)
        closePort();
    return keying;
}

void SerialLink::closePort()
{
    if (m_port.isOpen())
        (void)applyKeying(false);
    m_port.close();
}

bool SerialLink::isPortOpen() const { return m_port.isOpen(); }

int SerialLink::ReplyTicks() const
{
    if (!m_waiting)
        return 0;
    return static_cast<int>(std::min<std::int64_t>((m_clock.elapsedMs() - m_tickStart) / TickMs, MaxTicks));
}

void SerialLink::abandonWait()
{
    if (m_busy)
        m_abandon = true;
}

void SerialLink::resetCounters()
{
    m_tickStart = m_clock.elapsedMs();
    m_timeoutCount = 0;
}

void SerialLink::RemoveSpaces(const QString& text)
{
    m_tables.DTMFMemoryText += QString(text).remove(QLatin1Char(' '));
}

Status SerialLink::SendSerialLock()
{
    if (!m_port.isOpen())
        if (const Status opened = OpenSerialPort(); !opened)
            return opened;
    m_tables.SerialReplyOK = false;
    Status result = replyFailure(Reply::TimedOut);
    for (int timeouts = 0; timeouts < TimeoutsToGiveUp;) {
        const QString line = m_tables.CurrentLock + m_tables.Terminator + QStringLiteral("\r");
        const Status sent = SendStr(QStringLiteral("1") + line);
        m_tables.LastCommand = line;
        if (!sent) {
            result = sent;
            break;
        }
        const Reply reply = CheckInput(line);
        if (reply == Reply::Accepted) {
            result = Status::success();
            break;
        }
        if (reply != Reply::TimedOut) {
            result = replyFailure(reply);
            break;
        }
        ++timeouts;
    }
    m_tables.SerialReplyOK = false;
    return result;
}

void SerialLink::report(const Status& failure) { tell(Title, failure.reason()); }

void SerialLink::tell(const QString& title, const QString& text)
{
    if (!m_holding)
        m_dialogs.message(title, text);
    else if (!m_held)
        m_held = HeldMessage{title, text};
}

void SerialLink::holdMessages()
{
    m_holding = true;
    m_held.reset();
}

std::optional<SerialLink::HeldMessage> SerialLink::releaseMessages()
{
    m_holding = false;
    return std::exchange(m_held, std::nullopt);
}

void SerialLink::setProgressValue(double value)
{
    m_progress.value = value;
    notifyProgress();
}

void SerialLink::resetProgress()
{
    m_progress = {};
    notifyProgress();
}

void SerialLink::notifyProgress()
{
    if (m_onProgress)
        m_onProgress(m_progress);
}

Status SerialLink::writeLine(const QString& line)
{
    discardInput();
    return m_port.write(line.toLatin1());
}

// A reply that came after its wait ended belongs to no command still to be sent.
void SerialLink::discardInput()
{
    for (int i = 0; i < MaxDiscardReads && !m_port.readAvailable().isEmpty(); ++i) {
    }
}
