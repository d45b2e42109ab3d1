#include "download/MemoryDownload.h"

#include "download/DownloadProgress.h"
#include "download/LineFramer.h"
#include "download/MemoryFile.h"
#include "download/MemoryImage.h"
#include "download/RecordFramer.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <QSaveFile>
#include <QScopeGuard>

namespace {

constexpr int PollMs = 10;
// The pause before a transfer's end is taken, as the controller expects.
constexpr int SettleMs = 100;

TransferEnd ended(TransferEnd::Way way, int count) { return {way, count, Status::success()}; }
TransferEnd failed(const Status& why, int count = 0) { return {TransferEnd::Way::Failed, count, why}; }

Status fileFailure(const QSaveFile& file, const char* doing)
{
    return Status::failure(QStringLiteral("The file %1 cannot be %2: %3.")
                               .arg(file.fileName(), QString::fromLatin1(doing), file.errorString()));
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

template <typename Framer>
bool MemoryDownload::read(Framer& framer)
{
    const QByteArray chunk = m_port.readAvailable();
    m_readSomething = !chunk.isEmpty();
    if (m_readSomething) {
        framer.take(chunk);
        m_lastData = now();
    }
    return m_port.isOpen();
}

bool MemoryDownload::quiet() const { return now() - m_lastData >= QuietGapMs; }

void MemoryDownload::waitForData(bool readSomething)
{
    if (!readSomething)
        m_port.waitForData(PollMs);
}

bool MemoryDownload::waitLettingEventsThrough(int ms)
{
    const std::int64_t until = now() + ms;
    while (now() < until) {
        m_clock.processEvents();
        if (m_progress.canceled())
            return false;
        m_clock.sleep(static_cast<int>(qMin<std::int64_t>(PollMs, until - now())));
    }
    return true;
}

TransferEnd MemoryDownload::receiveImage(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(fileFailure(file, "created"));
    m_progress.start(QStringLiteral("Downloading From Tarvex"), MemoryImageSize);
    const auto hide = qScopeGuard([this] { m_progress.finish(); });
    if (const Status sent = m_port.write("1SendEram\r"); !sent)
        return failed(sent);

    RecordFramer framer;
    int records = 0;
    std::int64_t lastStored = m_lastData = now();
    for (;;) {
        const bool open = read(framer);
        while (const auto framed = framer.next()) {
            if (framed->endMarker) {
                m_clock.sleep(SettleMs);
                if (records != MemoryImageSize)
                    return ended(TransferEnd::Way::Incomplete, records);
                if (!file.commit())
                    return failed(fileFailure(file, "written"), records);
                return ended(TransferEnd::Way::Complete, records);
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
                file.write(framed->text + "\r\n");
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
        waitForData(m_readSomething);
    }
}

TransferEnd MemoryDownload::receiveOptionBoard(const QString& path, const QByteArray& lockLine)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(fileFailure(file, "created"));
    m_progress.start(QStringLiteral("Downloading From Autopatch"), OptionBoardBarMaximum);
    const auto hide = qScopeGuard([this] { m_progress.finish(); });
    // The lines that came are kept whatever ends the transfer: the parse reads them.
    int lines = 0;
    const auto keep = [&](TransferEnd end) {
        if (!file.commit())
            return failed(fileFailure(file, "written"), lines);
        return end;
    };
    if (const Status sent = m_port.write("1SendAPEram\r"); !sent)
        return failed(sent);

    LineFramer framer;
    std::int64_t lastStored = m_lastData = now();
    for (;;) {
        const bool open = read(framer);
        while (const auto line = framer.next(quiet())) {
            if (line->startsWith("RICom")) {
                m_clock.sleep(SettleMs);
                file.write("Complete\r\n");
                return keep(ended(TransferEnd::Way::Complete, lines));
            }
            if (line->startsWith("+SendA"))
                continue;
            file.write(*line + "\r\n");
            ++lines;
            m_progress.setValue(qMin(lines, OptionBoardBarMaximum));
            lastStored = now();
            if (!waitLettingEventsThrough(OptionBoardAckDelayMs))
                break; // the cancel below
            if (const Status acked = m_port.write("o\r"); !acked)
                return keep(failed(acked, lines));
        }
        if (!open)
            return keep(failed(m_port.lineStatus(), lines));
        m_clock.processEvents();
        if (m_progress.canceled()) {
            m_clock.sleep(SettleMs);
            (void)m_port.write(lockLine);
            return keep(ended(TransferEnd::Way::Canceled, lines));
        }
        if (ticksSince(lastStored) >= TicksToTimeOut)
            return keep(ended(TransferEnd::Way::TimedOut, lines));
        waitForData(m_readSomething);
    }
}
