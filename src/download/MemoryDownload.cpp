#include "download/MemoryDownload.h"

#include "download/DownloadProgress.h"
#include "download/LineFramer.h"
#include "download/MemoryFile.h"
#include "download/MemoryImage.h"
#include "download/RecordFramer.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "platform/WholeWrite.h"

#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>

namespace {

constexpr int PollMs = 10;
// The pause before a transfer's end is taken, as the controller expects.
constexpr int SettleMs = 100;

TransferEnd ended(TransferEnd::Way way, int count) { return {way, count, Status::success()}; }
TransferEnd failed(const Status& why, int count = 0) { return {TransferEnd::Way::Failed, count, why}; }

Status fileFailure(const QSaveFile& file, const char* doing, const QString& reason)
{
    return Status::failure(
        QStringLiteral("The file %1 cannot be %2: %3.").arg(file.fileName(), QString::fromLatin1(doing), reason));
}

// Opened as the transfer starts, so a file that cannot be made stops it
// before anything is asked of the controller; unbuffered, for CommitWhole.
Status openFile(QSaveFile& file)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fileFailure(file, "created", file.errorString());
    return Status::success();
}

// All of the file, or nothing at its place.
Status commitFile(QSaveFile& file, const QByteArray& text)
{
    if (const Status written = CommitWhole(file, text); !written)
        return fileFailure(file, "written", written.reason());
    return Status::success();
}

} // namespace

MemoryDownload::MemoryDownload(SerialPort& port, Clock& clock, DownloadProgress& progress)
    : m_port(port), m_clock(clock), m_progress(progress)
{
}

std::int64_t MemoryDownload::now() const { return m_clock.elapsedMs(); }

int MemoryDownload::ticksSince(std::int64_t since) const
{
    return static_cast<int>(now() / TickMs - since / TickMs);
}

// An adapter delivers bytes a few milliseconds after the port was emptied;
// they are read away too, on the clock, until the port stays quiet.
Status MemoryDownload::start(const QByteArray& command)
{
    m_port.discardInput();
    const std::int64_t began = now();
    for (std::int64_t quietSince = began; now() - quietSince < QuietMs && now() - began < DiscardLimitMs;) {
        m_clock.sleep(PollMs);
        m_clock.processEvents();
        if (!m_port.readAvailable().isEmpty())
            quietSince = now();
    }
    return m_port.write(command);
}

QByteArray MemoryDownload::read()
{
    QByteArray chunk = m_port.readAvailable();
    m_readSomething = !chunk.isEmpty();
    return chunk;
}

void MemoryDownload::waitForData()
{
    if (!m_readSomething)
        m_port.waitForData(PollMs);
}

TransferEnd MemoryDownload::receiveImage(const QString& path)
{
    QSaveFile file(path);
    if (const Status opened = openFile(file); !opened)
        return failed(opened);
    m_progress.start(QStringLiteral("Downloading From Tarvex"), MemoryImageSize);
    const auto hide = qScopeGuard([this] { m_progress.finish(); });
    if (const Status sent = start("1SendEram\r"); !sent)
        return failed(sent);

    RecordFramer framer;
    QByteArray text;
    int records = 0;
    std::int64_t lastStored = now();
    for (;;) {
        framer.take(read());
        const bool open = m_port.isOpen();
        while (const auto framed = framer.next()) {
            if (framed->endMarker) {
                m_clock.sleep(SettleMs);
                if (records != MemoryImageSize)
                    return ended(TransferEnd::Way::Incomplete, records);
                if (const Status written = commitFile(file, text); !written)
                    return failed(written, records);
                TransferEnd end = ended(TransferEnd::Way::Complete, records);
                end.written = true;
                return end;
            }
            // A record still open is checked as far as it came: a wrong
            // address or a value already out of range gets no acknowledgement.
            if (!RecordValue(framed->text, records))
                return failed(Status::failure(QStringLiteral("Record %1 from the Tarvex is not the record of "
                                                             "address %2 (\"%3\").")
                                                  .arg(records + 1)
                                                  .arg(records)
                                                  .arg(ShownRecord(framed->text))),
                              records);
            if (framed->complete) {
                text += framed->text + "\r\n";
                ++records;
                m_progress.setValue(records);
            }
            if (framed->acknowledge) {
                lastStored = now();
                if (const Status acked = m_port.write("OK\r"); !acked)
                    return failed(acked, records);
            }
        }
        if (!open)
            return failed(m_port.lineStatus(), records);
        m_clock.processEvents();
        if (m_progress.canceled()) {
            m_clock.sleep(SettleMs);
            return ended(TransferEnd::Way::Canceled, records);
        }
        if (ticksSince(lastStored) >= TicksToTimeOut)
            return ended(TransferEnd::Way::TimedOut, records);
        waitForData();
    }
}

TransferEnd MemoryDownload::receiveOptionBoard(const QString& path, const QByteArray& lockLine)
{
    QSaveFile file(path);
    if (const Status opened = openFile(file); !opened)
        return failed(opened);
    m_progress.start(QStringLiteral("Downloading From Autopatch"), OptionBoardBarMaximum);
    const auto hide = qScopeGuard([this] { m_progress.finish(); });
    // The lines that came are kept whatever ends the transfer: the parse reads them.
    QByteArray text;
    int lines = 0;
    const auto keep = [&](TransferEnd end) {
        if (const Status written = commitFile(file, text); !written)
            return failed(written, lines);
        end.written = true;
        return end;
    };
    if (const Status sent = start("1SendAPEram\r"); !sent)
        return failed(sent);

    LineFramer framer;
    std::int64_t heard = now(); // the start command, then the board's last byte
    for (;;) {
        const QByteArray chunk = read();
        if (!chunk.isEmpty())
            heard = now();
        framer.take(chunk, now());
        const bool open = m_port.isOpen();
        while (const auto step = framer.next(now())) {
            switch (step->kind) {
            case LineFramer::Step::Kind::End:
                m_clock.sleep(SettleMs);
                text += "Complete\r\n";
                return keep(ended(TransferEnd::Way::Complete, lines));
            case LineFramer::Step::Kind::Line:
                text += step->text + "\r\n";
                ++lines;
                m_progress.setValue(qMin(lines, OptionBoardBarMaximum));
                break;
            case LineFramer::Step::Kind::Acknowledge:
                // A line the board sent ahead counts as come when the "o"
                // before it went, a second before its own.
                heard = std::max(heard, now() - LineFramer::AckDelayMs);
                if (const Status acked = m_port.write("o\r"); !acked)
                    return keep(failed(acked, lines));
                break;
            }
        }
        if (!open)
            return keep(failed(m_port.lineStatus(), lines));
        m_clock.processEvents();
        if (m_progress.canceled()) {
            m_clock.sleep(SettleMs);
            (void)m_port.write(lockLine);
            return keep(ended(TransferEnd::Way::Canceled, lines));
        }
        if (ticksSince(heard) >= TicksToTimeOut)
            return keep(ended(TransferEnd::Way::TimedOut, lines));
        waitForData();
    }
}
