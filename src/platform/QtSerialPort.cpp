#include "platform/QtSerialPort.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 kReadBufferSize = 1024;
constexpr int kWriteTimeoutMs = 5000;

// True when this process's own rights do not reach the device, as opposed to a
// port that is busy or locked.
bool accessDenied(const QString& device)
{
#ifdef Q_OS_UNIX
    return ::faccessat(AT_FDCWD, QFile::encodeName(device).constData(), R_OK | W_OK, AT_EACCESS) != 0
           && errno == EACCES;
#else
    Q_UNUSED(device);
    return false;
#endif
}

} // namespace

QtSerialPort::QtSerialPort(DeviceFor deviceFor) : m_deviceFor(std::move(deviceFor))
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { noticeError(error); });
}

QtSerialPort::~QtSerialPort() { close(); }

QString QtSerialPort::deviceName() const
{
    if (m_port.isOpen())
        return m_device;
    return m_deviceFor ? m_deviceFor(m_portNumber) : QString();
}

Status QtSerialPort::open()
{
    closeIfLost();
    if (m_port.isOpen())
        return Status::success();

    m_device = m_deviceFor ? m_deviceFor(m_portNumber) : QString();
    if (m_device.isEmpty())
        return Status::failure(QStringLiteral("COM%1: no such serial device on this machine").arg(m_portNumber));

    m_port.setPortName(m_device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(kReadBufferSize);
    m_port.clearError();
    if (!m_port.open(QIODevice::ReadWrite))
        return Status::failure(openFailure());

    m_lost = false;
    m_lineStatus = Status::success();
    // The system raised both lines as it opened the device.
    const Status low = dropLines();
    if (!low)
        m_port.close();
    return low;
}

void QtSerialPort::close()
{
    if (!m_port.isOpen())
        return;
    (void)dropLines(); // best effort: closing drops them too where the driver can
    m_port.close();
}

Status QtSerialPort::write(const QByteArray& data)
{
    closeIfLost();
    if (!isOpen())
        return m_lineStatus.ok() ? failure(QStringLiteral("cannot write: the port is not open")) : m_lineStatus;
    m_port.clearError();
    bool sent = m_port.write(data) == data.size();
    while (sent && m_port.bytesToWrite() > 0)
        sent = m_port.waitForBytesWritten(kWriteTimeoutMs);
    if (sent)
        return Status::success();

    closeIfLost();
    if (m_lost)
        return m_lineStatus;
    const QString reason = m_port.error() == QSerialPort::TimeoutError ? QStringLiteral("timed out")
                                                                       : m_port.errorString();
    m_port.clear(QSerialPort::Output); // what did not go out must not go out later
    return failure(QStringLiteral("cannot write: ") + reason);
}

QByteArray QtSerialPort::readAvailable()
{
    closeIfLost();
    if (!isOpen())
        return {};
    m_port.clearError();
    m_port.waitForReadyRead(0); // takes in what the system holds, without an event loop
    QByteArray data = m_port.readAll();
    closeIfLost();
    return data;
}

void QtSerialPort::discardInput()
{
    closeIfLost();
    if (!isOpen())
        return;
    m_port.clearError();
    m_port.clear(QSerialPort::Input); // Qt's buffer and the system's
    closeIfLost();
}

bool QtSerialPort::waitForData(int timeoutMs)
{
    closeIfLost();
    if (!isOpen())
        return false;
    if (m_port.bytesAvailable() == 0) {
        m_port.clearError();
        m_port.waitForReadyRead(std::max(timeoutMs, 0)); // -1 would wait for ever
        closeIfLost();
    }
    return isOpen() && m_port.bytesAvailable() > 0;
}

Status QtSerialPort::setDtr(bool on)
{
    return setLine(&QSerialPort::setDataTerminalReady, QStringLiteral("DTR"), on);
}

Status QtSerialPort::setRts(bool on)
{
    return setLine(&QSerialPort::setRequestToSend, QStringLiteral("RTS"), on);
}

Status QtSerialPort::setLine(LineSetter set, const QString& line, bool on)
{
    closeIfLost();
    if (!isOpen())
        return failure(QStringLiteral("cannot set %1: the port is not open").arg(line));
    m_port.clearError();
    if ((m_port.*set)(on))
        return Status::success();
    closeIfLost();
    if (m_lost)
        return m_lineStatus;
    return failure(QStringLiteral("cannot set %1: %2").arg(line, m_port.errorString()));
}

// A device without modem lines (a pseudo-terminal) has nothing that could key a
// transmitter; any other failure leaves a line that may be high.
Status QtSerialPort::dropLines()
{
    for (const auto& [set, line] : {std::pair{&QSerialPort::setDataTerminalReady, "DTR"},
                                    std::pair{&QSerialPort::setRequestToSend, "RTS"}}) {
        m_port.clearError();
        if (!(m_port.*set)(false) && m_port.error() != QSerialPort::UnsupportedOperationError)
            return failure(QStringLiteral("cannot set %1 low: %2").arg(QLatin1String(line), m_port.errorString()));
    }
    return Status::success();
}

// Runs inside QSerialPort's own calls, so it only marks the loss; the port is
// closed by the next call of ours.
void QtSerialPort::noticeError(QSerialPort::SerialPortError error)
{
    if (m_lost || !m_port.isOpen())
        return;
    QString reason;
    if (error == QSerialPort::ResourceError)
        reason = m_port.errorString();
    else if ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) && hungUp())
        reason = QStringLiteral("the line was hung up");
    else
        return;
    m_lost = true;
    m_lineStatus = failure(QStringLiteral("the device was disconnected (%1)").arg(reason));
}

void QtSerialPort::closeIfLost()
{
    if (m_lost && m_port.isOpen())
        close();
}

// A device unplugged or a line closed at the far end reads as hung up; Qt
// reports it as a plain read or write error.
bool QtSerialPort::hungUp() const
{
#ifdef Q_OS_UNIX
    pollfd fd{static_cast<int>(m_port.handle()), POLLIN | POLLOUT, 0};
    return ::poll(&fd, 1, 0) == 1 && (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return false;
#endif
}

QString QtSerialPort::openFailure() const
{
    QString reason = QStringLiteral("%1: %2").arg(m_device, m_port.errorString());
    if (m_port.error() == QSerialPort::PermissionError && accessDenied(m_device))
        reason += QStringLiteral(". Your user must belong to the group \"%1\" that owns the device;"
                                 " log in again after joining it")
                      .arg(QFileInfo(m_device).group());
    return reason;
}

Status QtSerialPort::failure(const QString& what) const
{
    return Status::failure(QStringLiteral("%1: %2").arg(m_device, what));
}
