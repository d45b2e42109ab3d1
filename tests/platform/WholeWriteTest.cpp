#include "platform/WholeWrite.h"

#include <QIODevice>
#include <cerrno>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A file on a filling disk: each write takes at most the next of `takes`
// bytes; past the last, writes are refused with the system's reason for a
// full disk, as the kernel refuses the write after a short one.
class FillingFile final : public QIODevice {
public:
    explicit FillingFile(std::vector<qint64> takes) : m_takes(std::move(takes)) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        if (m_next == m_takes.size()) {
            setErrorString(qt_error_string(ENOSPC));
            return -1;
        }
        const qint64 n = std::min(len, m_takes[m_next++]);
        written.append(data, n);
        return n;
    }

private:
    std::vector<qint64> m_takes;
    std::size_t m_next = 0;
};

} // namespace

TEST(WholeWrite, ShortWritesAreFollowedUntilAllIsWrittenOrTheSystemSaysWhy)
{
    const QByteArray bytes(10000, 'x');
    const QString full = qt_error_string(ENOSPC);
    const struct {
        const char* what;
        std::vector<qint64> takes;
        qint64 written;
        QString reason; // empty: all written
    } cases[] = {
        {"one short write, then the disk is full", {4096}, 4096, full},
        {"full from the start", {}, 0, full},
        {"short writes that add up to all", {4096, 1, 5903}, 10000, {}},
        {"a write that takes nothing ends it", {4096, 0}, 4096, FillingFile({}).errorString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FillingFile file(c.takes);
        const Status written = WriteWhole(file, bytes);
        EXPECT_EQ(written.ok(), c.reason.isEmpty());
        EXPECT_EQ(written.reason(), c.reason);
        EXPECT_EQ(file.written, bytes.left(c.written));
    }
    // The system's own words, not "Unknown error".
    EXPECT_EQ(full, "No space left on device");
}
