// Feeds arbitrary bytes to the download's framers, the first byte giving the
// length of every read and the second the pause between two reads (shorter
// than the option board's wait for its "o"): neither may crash or hang; the
// records, as the download checks them, come out the same whatever the reads;
// no record is acknowledged twice; the option board's lines come out the same
// whatever the reads and pauses, each with one "o" before the next, none
// holding a control character; and once the board has ended a line with a
// line end, pauses of any length (up to 3 s here) cut none of its lines.
#include "RecordOutcome.h"
#include "download/LineFramer.h"
#include "store/TextHelpers.h"

#include <QByteArrayList>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArrayList reads(QByteArrayView stream, qsizetype length)
{
    QByteArrayList out;
    for (qsizetype from = 0; from < stream.size(); from += length)
        out << stream.sliced(from, qMin(length, stream.size() - from)).toByteArray();
    return out;
}

// The board's lines as framed, the reads `pauseMs` apart, the framer asked
// every `pollMs`; aborts on a line or "o" out of turn.
QByteArrayList boardLines(const QByteArrayList& pieces, int pauseMs, int pollMs = 25)
{
    LineFramer framer;
    QByteArrayList lines;
    bool acknowledged = true; // the line framed last
    // Until all came and nothing more was due for twice the wait. Without a
    // read, one step follows another within a wait, so after a wait and two
    // polls with none the clock skips to the next read.
    std::int64_t lastStep = 0;
    qsizetype next = 0;
    const auto idle = [&](std::int64_t t, int forMs) { return t > lastStep + forMs; };
    for (std::int64_t t = 0; next < pieces.size() || !idle(t, 2 * LineFramer::AckDelayMs);
         t = idle(t, LineFramer::AckDelayMs + 2 * pollMs) ? std::max(t + pollMs, std::int64_t(next) * pauseMs)
                                                          : t + pollMs) {
        while (next < pieces.size() && next * pauseMs <= t) {
            framer.take(pieces[next++], t);
            lastStep = t;
        }
        while (const auto step = framer.next(t)) {
            lastStep = t;
            switch (step->kind) {
            case LineFramer::Step::Kind::Line:
                if (!acknowledged || step->text.isEmpty())
                    std::abort();
                for (const char c : step->text)
                    if (IsControlCode(static_cast<unsigned char>(c)))
                        std::abort();
                lines << step->text;
                acknowledged = false;
                break;
            case LineFramer::Step::Kind::Acknowledge:
                if (std::exchange(acknowledged, true))
                    std::abort();
                break;
            case LineFramer::Step::Kind::End: return lines << "<end>";
            }
        }
    }
    if (!acknowledged)
        std::abort(); // every line had its "o" long before
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const QByteArrayView stream(data + 2, qsizetype(size - 2));
    const QByteArrayList pieces = reads(stream, 1 + data[0] % 16);
    const QByteArray outcome = RecordOutcome(pieces);
    if (outcome.startsWith("answered wrongly") || outcome != RecordOutcome({stream.toByteArray()}))
        std::abort();
    const int pauseMs = data[1] % 100 * 9; // up to 891 ms
    if (boardLines(pieces, pauseMs) != boardLines({stream.toByteArray()}, 0))
        std::abort();
    // After a line ended by its line end, in a read of its own; as no pause
    // cuts a line then, asking less often changes nothing either.
    const QByteArray lineEnded = "RA0\r\n";
    const int longPauseMs = data[1] * 12; // up to 3060 ms
    if (boardLines(QByteArrayList{lineEnded} + pieces, longPauseMs, 100)
        != boardLines({lineEnded + stream.toByteArray()}, 0))
        std::abort();
    return 0;
}
