// Feeds arbitrary bytes to the download's framers, the first byte giving the
// length of every read: neither may crash or hang; the records, as the
// download checks them, come out the same whatever the reads; no record is
// acknowledged twice; no option board line holds a control character.
#include "RecordOutcome.h"
#include "download/LineFramer.h"
#include "store/TextHelpers.h"

#include <QByteArrayList>
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

void checkLines(const QByteArrayList& pieces)
{
    LineFramer framer;
    for (const QByteArray& piece : pieces) {
        framer.take(piece);
        for (const bool quiet : {false, true})
            while (const auto line = framer.next(quiet)) {
                if (line->isEmpty())
                    std::abort();
                for (const char c : *line)
                    if (IsControlCode(static_cast<unsigned char>(c)))
                        std::abort();
            }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView stream(data + 1, qsizetype(size - 1));
    const QByteArrayList pieces = reads(stream, 1 + data[0] % 16);
    const QByteArray outcome = RecordOutcome(pieces);
    if (outcome.startsWith("answered wrongly") || outcome != RecordOutcome({stream.toByteArray()}))
        std::abort();
    checkLines(pieces);
    return 0;
}
