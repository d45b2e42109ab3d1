#pragma once

#include "platform/SerialPort.h"

#include <QStringList>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class Clock;

// An in-process port. Records open, close, every write and every DTR and RTS
// setting as a log ("open", "dtr 1", "rts 0", "write 1*100050\r", "close",
// "vanish"), each with the clock's time when it has one. Replies are queued
// chunks, one handed out per readAvailable, as one poll of a real port would
// see them; a responder can queue them as each write happens. With a clock,
// waitForData on no input sleeps its timeout on the clock (a FakeClock's
// onSleep hook can deliver a late reply there).
class FakeSerialPort final : public SerialPort {
public:
    struct Event {
        QString what;
        std::int64_t atMs = 0;
    };

    explicit FakeSerialPort(Clock* clock = nullptr) : m_clock(clock) {}

    void setPortNumber(int comNumber) override { m_portNumber = comNumber; }
    int portNumber() const override { return m_portNumber; }
    QString deviceName() const override { return m_device; }

    Status open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    Status lineStatus() const override { return m_lineStatus; }

    Status write(const QByteArray& data) override;
    QByteArray readAvailable() override;
    void discardInput() override;
    bool waitForData(int timeoutMs) override;

    Status setDtr(bool on) override;
    Status setRts(bool on) override;

    // Scripting.
    void setDeviceName(QString device) { m_device = std::move(device); }
    // Every open fails with "<device>: <reason>" from now on; "" lets opens through.
    void setOpenFailure(QString reason) { m_openFailure = std::move(reason); }
    // Every write fails with "<device>: <reason>" from now on, the port staying
    // open; "" lets writes through.
    void setWriteFailure(QString reason) { m_writeFailure = std::move(reason); }
    void queueReply(QByteArray chunk) { m_replies.push_back(std::move(chunk)); }
    void setResponder(std::function<void(const QByteArray& written)> responder)
    {
        m_responder = std::move(responder);
    }
    // The device goes away, as an unplugged adapter: the port is lost, writes
    // fail, and it will not open again.
    void vanish();

    // What happened.
    const std::vector<Event>& events() const { return m_events; }
    QStringList log() const;
    QByteArray written() const { return m_written; }
    bool dtr() const { return m_dtr; }
    bool rts() const { return m_rts; }
    // True while a transmitter keyed on this port's lines is up.
    bool keyed() const { return m_open && (m_dtr || m_rts); }
    int pendingReplies() const { return static_cast<int>(m_replies.size()); }

private:
    void record(const QString& what);
    Status failure(const QString& what) const;

    Clock* m_clock;
    int m_portNumber = 0;
    QString m_device = QStringLiteral("/dev/ttyFAKE0");
    bool m_open = false;
    bool m_dtr = false;
    bool m_rts = false;
    QString m_openFailure;
    QString m_writeFailure;
    Status m_lineStatus = Status::success();
    std::deque<QByteArray> m_replies;
    std::function<void(const QByteArray&)> m_responder;
    std::vector<Event> m_events;
    QByteArray m_written;
};
