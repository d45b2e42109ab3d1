#include "FakeSerialPort.h"

#include "platform/Clock.h"

Status FakeSerialPort::open()
{
    if (m_open)
        return Status::success();
    if (!m_openFailure.isEmpty())
        return failure(m_openFailure);
    m_open = true;
    m_dtr = m_rts = false;
    m_lineStatus = Status::success();
    record(QStringLiteral("open"));
    return Status::success();
}

void FakeSerialPort::close()
{
    if (!m_open)
        return;
    m_open = m_dtr = m_rts = false;
    record(QStringLiteral("close"));
}

Status FakeSerialPort::write(const QByteArray& data)
{
    if (!m_open)
        return m_lineStatus.ok() ? failure(QStringLiteral("cannot write: the port is not open")) : m_lineStatus;
    if (!m_writeFailure.isEmpty())
        return failure(m_writeFailure);
    m_written += data;
    record(QStringLiteral("write ") + QString::fromLatin1(data));
    if (m_responder)
        m_responder(data);
    return Status::success();
}

QByteArray FakeSerialPort::readAvailable()
{
    if (!m_open || m_replies.empty())
        return {};
    QByteArray chunk = std::move(m_replies.front());
    m_replies.pop_front();
    return chunk;
}

void FakeSerialPort::discardInput()
{
    if (m_open)
        m_replies.clear();
}

bool FakeSerialPort::waitForData(int timeoutMs)
{
    if (m_open && m_replies.empty() && m_clock)
        m_clock->sleep(timeoutMs);
    return m_open && !m_replies.empty();
}

Status FakeSerialPort::setDtr(bool on)
{
    if (!m_open)
        return failure(QStringLiteral("cannot set DTR: the port is not open"));
    m_dtr = on;
    record(QStringLiteral("dtr %1").arg(on ? 1 : 0));
    return Status::success();
}

Status FakeSerialPort::setRts(bool on)
{
    if (!m_open)
        return failure(QStringLiteral("cannot set RTS: the port is not open"));
    m_rts = on;
    record(QStringLiteral("rts %1").arg(on ? 1 : 0));
    return Status::success();
}

void FakeSerialPort::vanish()
{
    record(QStringLiteral("vanish"));
    m_lineStatus = failure(QStringLiteral("the device was disconnected (the line was hung up)"));
    m_openFailure = QStringLiteral("No such file or directory");
    m_open = m_dtr = m_rts = false;
    m_replies.clear();
}

QStringList FakeSerialPort::log() const
{
    QStringList out;
    for (const Event& e : m_events)
        out << e.what;
    return out;
}

void FakeSerialPort::record(const QString& what)
{
    m_events.push_back({what, m_clock ? m_clock->elapsedMs() : 0});
}

Status FakeSerialPort::failure(const QString& what) const
{
    return Status::failure(m_device + QStringLiteral(": ") + what);
}
