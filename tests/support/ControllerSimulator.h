#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The controller at the far end of a pseudo-terminal. The program opens
// devicePath() (a test maps a COM number to it through [Ports]); the simulator,
// on a thread of its own, reads lines up to CR, records each with the time it
// came, and answers it from a script. It also sees the program close its side
// (end of file) and can close the line itself, as a pulled cable. A "G" or
// "S" at the start of a line is taken by itself, as a line with no answer.
class ControllerSimulator {
public:
    static constexpr char RecorderCharacters[] = "GS";

    struct Answer {
        QByteArray bytes;    // none: silence
        int delayMs = 0;     // a late answer
        bool hangUp = false; // close the line, after the bytes if any
        bool held = false;   // sent when the test releases it, in the test's own time

        static Answer accept(int delayMs = 0) { return {"+", delayMs}; }
        static Answer refuse(int delayMs = 0) { return {"-", delayMs}; }
        static Answer silence() { return {}; }
        static Answer text(QByteArray bytes, int delayMs = 0) { return {std::move(bytes), delayMs}; }
        static Answer closeLine(int delayMs = 0) { return {{}, delayMs, true}; }
        static Answer heldBack(QByteArray bytes) { return {std::move(bytes), 0, false, true}; }
    };
    struct Line {
        QByteArray text;       // without the CR
        std::int64_t atMs = 0; // since the simulator started
    };

    // Answers a line in place of the script when it gives answers: sent in
    // order, each `delayMs` after the one before it. Runs on the simulator's
    // thread, so it may not call the simulator.
    using Responder = std::function<std::optional<std::vector<Answer>>(const QByteArray& line)>;

    ControllerSimulator();
    ~ControllerSimulator();
    ControllerSimulator(const ControllerSimulator&) = delete;
    ControllerSimulator& operator=(const ControllerSimulator&) = delete;

    // A link to the slave side in a folder of the simulator's own, gone once the
    // line is closed; "" when no pseudo-terminal could be made (error() says why).
    QString devicePath() const { return m_path; }
    QString error() const { return m_error; }

    // Answers for the next lines, in order, after those already scripted; once
    // they are used up every line gets the default answer ("+" at once).
    void script(std::vector<Answer> answers);
    void setDefaultAnswer(Answer answer);
    void setResponder(Responder responder);
    // Closes the line now; returns once it is closed.
    void hangUp();
    // Sends the oldest answer held back, now; false when none is held.
    bool release();

    std::vector<Line> lines() const;
    QByteArray received() const;
    // Times the program opened and closed its side; none is missed.
    int opensSeen() const;
    int closesSeen() const;
    bool waitForLines(std::size_t count, int timeoutMs = 5000) const;
    bool waitForCloses(int count, int timeoutMs = 5000) const;

private:
    using SteadyClock = std::chrono::steady_clock;
    struct Due {
        SteadyClock::time_point at;
        Answer answer;
    };

    void run();
    void readMaster();
    void followOpensAndCloses();
    void takeIn(const QByteArray& bytes);
    void fireDue();
    void sortDue();
    void closeMaster();
    int pollTimeoutMs() const;
    void wake() const;

    int m_master = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    int m_watch = -1;
    QTemporaryDir m_folder;
    QString m_path;
    QString m_error;
    SteadyClock::time_point m_started = SteadyClock::now();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::deque<Answer> m_script;
    Answer m_default = Answer::accept();
    Responder m_responder;
    std::vector<Due> m_due;
    std::deque<Answer> m_held;
    QByteArray m_partial;
    QByteArray m_received;
    std::vector<Line> m_lines;
    int m_opens = 0;
    int m_closes = 0;
    bool m_hangUpWanted = false;
    bool m_stop = false;

    std::thread m_thread; // last: starts once everything above exists
};
