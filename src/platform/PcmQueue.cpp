#include "platform/PcmQueue.h"

#include <cstring>

// Unbuffered: a buffered read would pull ahead of the sink and count samples
// as taken that it has not asked for.
PcmQueue::PcmQueue() { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

void PcmQueue::append(const QByteArray& samples)
{
    if (samples.isEmpty())
        return;
    m_pending.append(samples);
    m_appended += samples.size();
    emit readyRead();
}

qint64 PcmQueue::bytesAvailable() const
{
    return m_pending.size() - m_readAt + QIODevice::bytesAvailable();
}

qint64 PcmQueue::readData(char* data, qint64 maxSize)
{
    const qint64 count = qMin<qint64>(maxSize, m_pending.size() - m_readAt);
    if (count <= 0)
        return 0;
    std::memcpy(data, m_pending.constData() + m_readAt, static_cast<size_t>(count));
    m_readAt += count;
    m_taken += count;
    if (m_readAt == m_pending.size()) {
        m_pending.clear();
        m_readAt = 0;
    }
    return count;
}

qint64 PcmQueue::writeData(const char*, qint64) { return -1; }
