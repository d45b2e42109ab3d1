#include "download/ChunkFramer.h"

#include <QByteArrayList>
#include <gtest/gtest.h>

namespace {

// Feeds the pieces in turn, a pause after each when asked, and collects what
// is framed; end markers show as "<end: ...>".
QByteArrayList framed(ChunkFramer::Kind kind, const QByteArrayList& pieces, bool pauses)
{
    ChunkFramer framer(kind);
    QByteArrayList out;
    for (const QByteArray& piece : pieces) {
        framer.take(piece);
        while (const auto f = framer.next(pauses))
            out << (f->endMarker ? "<end: " + f->text + ">" : f->text);
    }
    return out;
}

} // namespace

TEST(ChunkFramer, RecordsAreFramedWhateverPiecesTheyCameIn)
{
    using K = ChunkFramer::Kind;
    struct Case {
        const char* what;
        K kind;
        QByteArrayList pieces;
        bool pauses;
        QByteArrayList expected;
    };
    const Case cases[] = {
        {"two records in one read", K::Records, {"0,12\r\n1,34\r\n"}, false, {"0,12", "1,34"}},
        {"a record over two reads", K::Records, {"12", "3,45\r\n"}, false, {"123,45"}},
        {"a line end alone in the next read", K::Records, {"0,7", "\r\n1,8\r", "\n"}, false, {"0,7", "1,8"}},
        {"a pause inside a record once line ends were seen", K::Records, {"0,1\r\n1,2", "5\r\n"}, true,
         {"0,1", "1,25"}},
        {"three digits end a value", K::Records, {"4,255", "5,0"}, false, {"4,255", "5,0"}},
        {"a value one more digit would carry past 255", K::Records, {"4,26"}, false, {"4,26"}},
        {"a value that may grow waits for a pause", K::Records, {"4,25"}, false, {}},
        {"and is taken after it", K::Records, {"4,25"}, true, {"4,25"}},
        {"no comma: no record, pause or not", K::Records, {"4"}, true, {}},
        {"end markers", K::Records, {"0,1\r\nComplete"}, false, {"0,1", "<end: Complete>"}},
        {"+ and -K end too", K::Records, {"+SendE"}, false, {"<end: +SendE>"}},
        {"-K", K::Records, {"-K"}, false, {"<end: -K>"}},
        {"option board lines", K::Lines, {"RA007", "555\r\nRS\r\n"}, false, {"RA007555", "RS"}},
        {"an option board line ended by a pause", K::Lines, {"RR4"}, true, {"RR4"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(framed(c.kind, c.pieces, c.pauses), c.expected) << c.what;
}
