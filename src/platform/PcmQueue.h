#pragma once

#include <QByteArray>
#include <QIODevice>

// The source an audio sink pulls from: samples appended in order, read out
// once. An empty queue is a pause, never the end, so the sink keeps its stream
// open between the pieces of a run.
class PcmQueue final : public QIODevice {
public:
    PcmQueue();

    void append(const QByteArray& samples);
    // Bytes appended and bytes the sink has taken, since the queue was made.
    qint64 appended() const { return m_appended; }
    qint64 taken() const { return m_taken; }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QByteArray m_pending;
    qsizetype m_readAt = 0;
    qint64 m_appended = 0;
    qint64 m_taken = 0;
};
