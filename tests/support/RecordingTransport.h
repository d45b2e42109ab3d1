#pragma once

#include "link/CommandTransport.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Records what the uploads send and answers from a script: each command takes
// the next scripted outcome, Accepted once the script runs out.
class RecordingTransport final : public CommandTransport {
public:
    struct Sent {
        ControllerCommand command;
        int unlockPort = 0;
        Framing framing = Framing::Full;
    };

    explicit RecordingTransport(bool dtmf = false) : m_dtmf(dtmf) {}

    bool dtmfMode() const override { return m_dtmf; }
    Status begin() override;
    Outcome send(const ControllerCommand& command, int unlockPort, Framing framing) override;
    Outcome lock() override;
    Status sendWithoutReply(const ControllerCommand& command) override;
    void pause(int ms) override { m_events << QStringLiteral("pause %1").arg(ms); }
    Status end() override;

    void failBegin(QString reason) { m_beginFailure = std::move(reason); }
    // The lock code is not played to its end.
    void failLock() { m_lockFails = true; }
    // The run ends with this failure, as a sound output lost at its end.
    void failEnd(QString reason) { m_endFailure = std::move(reason); }
    void script(Outcome outcome) { m_outcomes.push_back(outcome); }
    // Called after the command with this index (from 0) was sent.
    void after(int index, std::function<void()> action) { m_actions.push_back({index, std::move(action)}); }

    const std::vector<Sent>& sent() const { return m_sent; }
    // Every serial line in order.
    QStringList lines() const;
    // "send <first line>", "lock", "pause N", "reset <line>", "begin", "end".
    const QStringList& events() const { return m_events; }
    int begins() const { return m_begins; }
    int ends() const { return m_ends; }

private:
    bool m_dtmf;
    QString m_beginFailure;
    bool m_lockFails = false;
    QString m_endFailure;
    std::deque<Outcome> m_outcomes;
    std::vector<std::pair<int, std::function<void()>>> m_actions;
    std::vector<Sent> m_sent;
    QStringList m_events;
    int m_begins = 0;
    int m_ends = 0;
};
