#include "ControllerSimulator.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

ControllerSimulator::ControllerSimulator()
{
    termios raw{};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    int slave = -1;
    char name[256] = {};
    if (::openpty(&m_master, &slave, name, &raw, nullptr) != 0) {
        m_error = QStringLiteral("openpty: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    // Only the program holds the slave side, so its close reads as end of file here.
    ::close(slave);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    int wakePipe[2];
    if (::pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        m_error = QStringLiteral("pipe: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_wakeRead = wakePipe[0];
    m_wakeWrite = wakePipe[1];
    // Opens and closes of the slave side, each one, however quick.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch < 0 || ::inotify_add_watch(m_watch, name, IN_OPEN | IN_CLOSE) < 0) {
        m_error = QStringLiteral("inotify: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    // The program opens a name of the simulator's own: pty numbers are soon
    // reused by other processes, and the port's lock file is named after the
    // device. Like /dev, the folder lets anyone through.
    const QString link = m_folder.filePath(QStringLiteral("ttySIM0"));
    QFile::setPermissions(m_folder.path(), QFile::permissions(m_folder.path()) | QFile::ReadGroup
                                               | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    if (!m_folder.isValid() || !QFile::link(QString::fromLocal8Bit(name), link)) {
        m_error = QStringLiteral("cannot link %1 to %2").arg(link, QString::fromLocal8Bit(name));
        return;
    }
    m_path = link;
    m_thread = std::thread([this] { run(); });
}

ControllerSimulator::~ControllerSimulator()
{
    if (m_thread.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        wake();
        m_thread.join();
    }
    if (m_master >= 0)
        closeMaster();
    for (int fd : {m_wakeRead, m_wakeWrite, m_watch})
        if (fd >= 0)
            ::close(fd);
}

void ControllerSimulator::script(std::vector<Answer> answers)
{
    std::lock_guard lock(m_mutex);
    for (Answer& a : answers)
        m_script.push_back(std::move(a));
}

void ControllerSimulator::setDefaultAnswer(Answer answer)
{
    std::lock_guard lock(m_mutex);
    m_default = std::move(answer);
}

void ControllerSimulator::setResponder(Responder responder)
{
    std::lock_guard lock(m_mutex);
    m_responder = std::move(responder);
}

void ControllerSimulator::hangUp()
{
    std::unique_lock lock(m_mutex);
    if (!m_thread.joinable())
        return;
    m_hangUpWanted = true;
    wake();
    m_changed.wait(lock, [this] { return m_master < 0; });
}

bool ControllerSimulator::release()
{
    std::lock_guard lock(m_mutex);
    if (m_held.empty())
        return false;
    m_due.push_back({SteadyClock::now(), std::move(m_held.front())});
    m_held.pop_front();
    sortDue();
    wake();
    return true;
}

std::vector<ControllerSimulator::Line> ControllerSimulator::lines() const
{
    std::lock_guard lock(m_mutex);
    return m_lines;
}

QByteArray ControllerSimulator::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

int ControllerSimulator::opensSeen() const
{
    std::lock_guard lock(m_mutex);
    return m_opens;
}

int ControllerSimulator::closesSeen() const
{
    std::lock_guard lock(m_mutex);
    return m_closes;
}

bool ControllerSimulator::waitForLines(std::size_t count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_lines.size() >= count; });
}

bool ControllerSimulator::waitForCloses(int count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_closes >= count; });
}

void ControllerSimulator::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        if (m_hangUpWanted && m_master >= 0)
            closeMaster();
        fireDue();
        // A master whose slave side is closed reports a hang-up without end.
        const bool watchMaster = m_master >= 0 && m_opens > m_closes;
        const int timeoutMs = pollTimeoutMs();
        lock.unlock();
        pollfd fds[3] = {{m_wakeRead, POLLIN, 0}, {m_watch, POLLIN, 0}, {m_master, POLLIN, 0}};
        ::poll(fds, watchMaster ? 3 : 2, timeoutMs);
        char drained[64];
        while (::read(m_wakeRead, drained, sizeof drained) > 0) {
        }
        lock.lock();
        readMaster();
        followOpensAndCloses();
    }
}

void ControllerSimulator::readMaster()
{
    char buffer[4096];
    ssize_t n;
    while (m_master >= 0 && (n = ::read(m_master, buffer, sizeof buffer)) > 0)
        takeIn(QByteArray(buffer, static_cast<qsizetype>(n)));
}

void ControllerSimulator::followOpensAndCloses()
{
    alignas(inotify_event) char buffer[4096];
    ssize_t n;
    while ((n = ::read(m_watch, buffer, sizeof buffer)) > 0) {
        for (const char* at = buffer; at < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->mask & IN_OPEN)
                ++m_opens;
            if (event->mask & IN_CLOSE) {
                readMaster(); // what was written before the close
                ++m_closes;
            }
            at += sizeof(inotify_event) + event->len;
        }
        m_changed.notify_all();
    }
}

void ControllerSimulator::takeIn(const QByteArray& bytes)
{
    m_received += bytes;
    m_partial += bytes;
    const auto now = SteadyClock::now();
    const auto atMs = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_started).count();
    qsizetype end;
    for (;;) {
        // The voice recorder's start and stop characters stand alone, unanswered.
        while (!m_partial.isEmpty() && QByteArray(RecorderCharacters).contains(m_partial.front())) {
            m_lines.push_back({m_partial.left(1), atMs});
            m_partial.remove(0, 1);
        }
        if ((end = m_partial.indexOf('\r')) < 0)
            break;
        m_lines.push_back({m_partial.left(end), atMs});
        m_partial.remove(0, end + 1);
        if (auto answers = m_responder ? m_responder(m_lines.back().text) : std::nullopt) {
            // One writer: a line's answers follow those still to go out.
            auto at = now;
            for (const Due& due : m_due)
                at = std::max(at, due.at);
            for (Answer& a : *answers) {
                if (a.held) {
                    m_held.push_back(std::move(a));
                    continue;
                }
                at += std::chrono::milliseconds(a.delayMs);
                m_due.push_back({at, std::move(a)});
            }
            continue;
        }
        Answer answer = m_default;
        if (!m_script.empty()) {
            answer = std::move(m_script.front());
            m_script.pop_front();
        }
        if (answer.held) {
            m_held.push_back(std::move(answer));
            continue;
        }
        const auto at = now + std::chrono::milliseconds(answer.delayMs);
        m_due.push_back({at, std::move(answer)});
    }
    sortDue();
    m_changed.notify_all();
}

// Answers keep the order of their lines when their times are equal.
void ControllerSimulator::sortDue()
{
    std::stable_sort(m_due.begin(), m_due.end(), [](const Due& a, const Due& b) { return a.at < b.at; });
}

void ControllerSimulator::fireDue()
{
    const auto now = SteadyClock::now();
    while (!m_due.empty() && m_due.front().at <= now && m_master >= 0) {
        const Answer answer = std::move(m_due.front().answer);
        m_due.erase(m_due.begin());
        if (!answer.bytes.isEmpty())
            (void)!::write(m_master, answer.bytes.constData(), static_cast<size_t>(answer.bytes.size()));
        if (answer.hangUp)
            closeMaster();
    }
}

void ControllerSimulator::closeMaster()
{
    // The pty number goes back to the system and may soon be someone else's.
    QFile::remove(m_path);
    ::close(m_master);
    m_master = -1;
    m_due.clear();
    m_held.clear();
    m_changed.notify_all();
}

int ControllerSimulator::pollTimeoutMs() const
{
    int timeoutMs = -1;
    if (!m_due.empty() && m_master >= 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_due.front().at - SteadyClock::now());
        timeoutMs = static_cast<int>(std::max<std::int64_t>(left.count(), 0));
    }
    return timeoutMs;
}

void ControllerSimulator::wake() const
{
    (void)!::write(m_wakeWrite, "w", 1);
}
