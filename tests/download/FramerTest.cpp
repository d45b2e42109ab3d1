#include "RecordOutcome.h"
#include "download/LineFramer.h"

#include <QByteArrayList>
#include <gtest/gtest.h>

namespace {

// What the framer gives for each read, in turn: "[text]" a complete record,
// "ok" an acknowledgement due, "<text>" an end marker, "|" the end of a read.
QByteArray trace(const QByteArrayList& reads)
{
    RecordFramer framer;
    QByteArrayList out;
    for (const QByteArray& read : reads) {
        framer.take(read);
        while (const auto f = framer.next()) {
            if (f->endMarker)
                out << '<' + f->text + '>';
            else if (f->complete)
                out << '[' + f->text + ']' + (f->acknowledge ? "ok" : "");
            else
                out << (f->acknowledge ? "ok" : "open without acknowledgement");
        }
        out << "|";
    }
    return out.join(' ');
}

// The stream a controller sends of `values` at the addresses 0, 1, ...
QByteArray stream(const std::vector<int>& values, bool lineEnds)
{
    QByteArray s;
    for (std::size_t a = 0; a < values.size(); ++a)
        s += QByteArray::number(int(a)) + ',' + QByteArray::number(values[a]) + (lineEnds ? "\r\n" : "");
    return s + "Complete";
}

QByteArrayList cut(const QByteArray& s, std::vector<qsizetype> at)
{
    QByteArrayList reads;
    qsizetype from = 0;
    at.push_back(s.size());
    for (const qsizetype to : at) {
        reads << s.sliced(from, to - from);
        from = to;
    }
    return reads;
}

} // namespace

TEST(RecordFramer, ReadsFallingAnywhereGiveTheRecordsAndOneAcknowledgementEach)
{
    struct Case {
        const char* what;
        QByteArrayList reads;
        QByteArray expected;
    };
    const Case cases[] = {
        {"before the comma", {"0", ",125\r\n"}, "| [0,125]ok |"},
        {"right after the comma", {"0,", "125\r\n"}, "| [0,125]ok |"},
        {"after the first digit", {"0,1", "25\r\n"}, "ok | [0,125] |"},
        {"after the second digit", {"0,12", "5\r\n"}, "ok | [0,125] |"},
        {"a line end alone in the next read", {"0,7", "\r\n1,8\r", "\n"}, "ok | [0,7] [1,8]ok | |"},
        {"two records in one read", {"0,125\r\n1,0\r\n"}, "[0,125]ok [1,0]ok |"},
        {"two records in one read, no line ends", {"0,121,3"}, "[0,12]ok ok |"},
        {"the last digits glued to the next address", {"0,1", "251,0"}, "ok | [0,125] [1,0]ok |"},
        {"a digit that may be the value or the address", {"0,2", "61,3"}, "ok | [0,26] ok |"},
        {"and that is the address", {"0,1", "1,5"}, "ok | [0,1] ok |"},
        {"the last digits glued to Complete", {"0,1", "25Complete"}, "ok | [0,125] <Complete> |"},
        {"a 0 takes no digit", {"0,0", "1,0"}, "[0,0]ok | [1,0]ok |"},
        {"three digits are all there is", {"0,255", "1,7", "Complete"}, "ok | [0,255] ok | [1,7] <Complete> |"},
        {"+ and -K end too", {"+SendE"}, "<+SendE> |"},
        {"-K over two reads", {"0,0-", "K"}, "[0,0]ok | <-K> |"},
        {"stray line ends between records", {"\r\n0,5", "\n\n", "\r1,6Complete"}, "ok | [0,5] | [1,6]ok <Complete> |"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trace(c.reads), c.expected) << c.what;
}

// Every way of cutting a stream into two or three reads, and one byte a read:
// the same records, each acknowledged once, in the read that brought its
// first value digit. The framer has no clock: a pause of any length between
// two reads frames nothing.
TEST(RecordFramer, EveryCutOfAStreamGivesItsRecords)
{
    const std::vector<int> values{125, 0, 7, 255, 25, 3, 26, 1, 99, 250, 10, 2, 11, 200};
    for (const bool lineEnds : {true, false}) {
        SCOPED_TRACE(lineEnds ? "line ends" : "no line ends");
        const QByteArray s = stream(values, lineEnds);
        std::vector<qsizetype> firstDigit; // of each record, in the stream
        for (qsizetype i = s.indexOf(','); i >= 0; i = s.indexOf(',', i + 1))
            firstDigit.push_back(i + 1);
        std::vector<std::vector<qsizetype>> cuts;
        for (qsizetype a = 1; a < s.size(); ++a)
            for (qsizetype b = a; b < s.size(); ++b)
                cuts.push_back(a == b ? std::vector<qsizetype>{a} : std::vector<qsizetype>{a, b});
        cuts.emplace_back();
        for (qsizetype a = 1; a < s.size(); ++a)
            cuts.back().push_back(a);

        for (const auto& at : cuts) {
            RecordFramer framer;
            QByteArrayList records;
            std::vector<int> acks(values.size(), 0);
            bool ended = false;
            qsizetype readEnd = 0;
            // As the download does, nothing is read after the end marker.
            for (const QByteArray& read : cut(s, at)) {
                if (ended)
                    break;
                framer.take(read);
                readEnd += read.size();
                while (const auto f = framer.next()) {
                    if (f->endMarker) {
                        ended = true;
                        break;
                    }
                    const std::size_t record = std::size_t(records.size());
                    ASSERT_LT(record, values.size());
                    if (f->acknowledge) {
                        ++acks[record];
                        // Not before its first value digit, nor a read later.
                        ASSERT_GT(readEnd, firstDigit[record]);
                        ASSERT_LE(readEnd - qsizetype(read.size()), firstDigit[record]);
                    }
                    if (f->complete)
                        records << f->text;
                }
            }
            ASSERT_TRUE(ended);
            QByteArrayList expected;
            for (std::size_t a = 0; a < values.size(); ++a)
                expected << QByteArray::number(int(a)) + ',' + QByteArray::number(values[a]);
            ASSERT_EQ(records, expected);
            ASSERT_EQ(acks, std::vector<int>(values.size(), 1));
        }
    }
}

TEST(RecordFramer, MalformedRecordsAreRefusedAtTheirAddress)
{
    struct Case {
        const char* what;
        QByteArray stream;
        QByteArray expected;
    };
    const Case cases[] = {
        {"a value of ten digits", "0,5\r\n1,2222222222\r\n2,3\r\nComplete", "refused at 1"},
        {"ten digits, no line ends", "0,51,22222222222,3Complete", "refused at 1"},
        {"forty digits", "0,5\r\n1," + QByteArray(40, '9') + "\r\nComplete", "refused at 1"},
        {"forty digits, no line ends", "0,51," + QByteArray(40, '1') + "Complete", "refused at 1"},
        {"an address of twenty digits", QByteArray(20, '9') + ",1\r\n", "refused at 0"},
        {"a record without its value", "0,5\r\n1,\r\n2,3\r\nComplete", "refused at 1"},
        {"a record without its comma", "0,5\r\n17\r\nComplete", "refused at 1"},
        {"a value of 256", "0,256Complete", "refused at 0"},
        {"a 0 and a digit: the 7 is no record", "0,5\r\n1,07\r\nComplete", "refused at 2"},
        {"an address out of order", "0,5\r\n2,7\r\nComplete", "refused at 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecordOutcome({c.stream}), c.expected) << c.what << ", one read";
        QByteArrayList bytes;
        for (const char b : c.stream)
            bytes << QByteArray(1, b);
        EXPECT_EQ(RecordOutcome(bytes), c.expected) << c.what << ", one byte a read";
    }
}

// A line end or a control byte put anywhere into a good stream: a line end
// between two records is skipped, one inside a record ends it, and a control
// byte is never part of a record; no record is ever taken wrong.
TEST(RecordFramer, StrayLineEndsAndControlBytesAnywhere)
{
    const std::vector<int> values{125, 0, 7, 25, 3, 250, 1, 19, 4, 100, 2, 88};
    for (const bool lineEnds : {true, false}) {
        const QByteArray s = stream(values, lineEnds);
        const qsizetype end = s.indexOf("Complete");
        const QByteArray clean = RecordOutcome({s});
        ASSERT_TRUE(clean.startsWith("ended: 0,125 1,0"));
        for (qsizetype at = 0; at <= end; ++at) {
            SCOPED_TRACE(testing::Message() << (lineEnds ? "line ends" : "no line ends") << ", at " << at);
            for (const char* lineEnd : {"\r", "\n", "\r\n"}) {
                const QByteArray stray = s.first(at) + lineEnd + s.sliced(at);
                const QByteArray got = RecordOutcome({stray});
                if (got != clean) {
                    EXPECT_TRUE(got.startsWith("refused at ")) << got.constData();
                }
                EXPECT_EQ(RecordOutcome(cut(stray, {at, at + 1})), got);
            }
            if (at == end)
                continue;
            for (const char control : {'\0', '\x01', '\x1b', '\x7f', '\x80', '\x85', '\x9f'}) {
                const QByteArray dirty = s.first(at) + control + s.sliced(at);
                EXPECT_TRUE(RecordOutcome({dirty}).startsWith("refused at ")) << int(control);
                EXPECT_TRUE(RecordOutcome(cut(dirty, {at})).startsWith("refused at ")) << int(control);
            }
        }
        // Between two records a line end changes nothing.
        QByteArray spaced = s;
        spaced.replace(",0", ",0\n\r\n");
        EXPECT_EQ(RecordOutcome({"\r\n" + spaced}), clean);
    }
}

namespace {

// An option board on the framer's clock. It sends the echo (alone, or glued
// to the first piece of its first line), then each line in its pieces `gapMs`
// apart, each line once the "o" of the one before came (`ahead`: at once),
// then its end marker. The framer is asked every 5 ms, as the download polls.
struct Board {
    std::vector<QByteArrayList> lines; // each in its pieces, its line end in the last
    QByteArray echo;
    bool echoGlued = false;
    QByteArray lineEnd = "\r\n"; // after the end marker
    int gapMs = 30;
    bool ahead = false;
};

struct Trace {
    QByteArrayList lines;
    int acks = 0;
    bool ended = false;
    QStringList faults;
};

Trace converse(const Board& board)
{
    struct Piece {
        QByteArray bytes;
        int line;        // of the board's lines; lines.size(): the end marker
        bool first;      // of its line
        bool last;       // of its line
    };
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < board.lines.size(); ++i)
        for (qsizetype p = 0; p < board.lines[i].size(); ++p)
            pieces.push_back({board.lines[i][p], int(i), p == 0, p == board.lines[i].size() - 1});
    pieces.push_back({"RIComplete" + board.lineEnd, int(board.lines.size()), true, true});
    if (board.echoGlued)
        pieces.front().bytes.prepend(board.echo);
    else if (!board.echo.isEmpty())
        pieces.insert(pieces.begin(), {board.echo, -1, false, false});

    LineFramer framer;
    Trace trace;
    std::size_t next = 0;
    int linesSent = 0; // whose last byte went
    std::int64_t readyAt = 0;
    // When each line ended: the read that brought its line end, or its last.
    std::vector<std::int64_t> endedAt(board.lines.size(), -1);
    for (std::int64_t t = 0; t < 60000 && !trace.ended; t += 5) {
        if (next < pieces.size() && t >= readyAt) {
            const Piece& piece = pieces[next];
            if (!piece.first || board.ahead || trace.acks >= piece.line) {
                framer.take(piece.bytes, t);
                if (piece.line >= 0 && piece.line < int(board.lines.size())) {
                    std::int64_t& ended = endedAt[std::size_t(piece.line)];
                    if (ended < 0 && (piece.last || piece.bytes.contains('\r') || piece.bytes.contains('\n')))
                        ended = t;
                    if (piece.last)
                        linesSent = piece.line + 1;
                }
                readyAt = t + board.gapMs;
                ++next;
            }
        }
        while (const auto step = framer.next(t)) {
            switch (step->kind) {
            case LineFramer::Step::Kind::Line: trace.lines << step->text; break;
            case LineFramer::Step::Kind::Acknowledge:
                if (trace.acks >= linesSent)
                    trace.faults << QStringLiteral("an o before line %1 was sent").arg(trace.acks + 1);
                else if (t - endedAt[std::size_t(trace.acks)] < LineFramer::AckDelayMs)
                    trace.faults << QStringLiteral("the o of line %1 came too soon").arg(trace.acks + 1);
                ++trace.acks;
                break;
            case LineFramer::Step::Kind::End:
                trace.ended = true;
                if (next != pieces.size())
                    trace.faults << "ended before the end marker";
                break;
            }
            if (trace.ended)
                break;
        }
    }
    return trace;
}

const QByteArrayList BoardLines{"RA007555", "RT012911", "RS1234", "RR4", "RA200*#0"};

// The board's lines, each with `lineEnd`, cut at `at` (positions past a
// line's end, or inside its line end when not `intoLineEnd`, leave it whole).
std::vector<QByteArrayList> cutLines(const QByteArray& lineEnd, const std::vector<qsizetype>& at,
                                     bool intoLineEnd = true)
{
    std::vector<QByteArrayList> lines;
    for (const QByteArray& line : BoardLines)
        lines.push_back(cut(line + lineEnd, [&] {
            std::vector<qsizetype> inside;
            for (const qsizetype a : at)
                if (a < line.size() + (intoLineEnd ? lineEnd.size() : 1))
                    inside.push_back(a);
            return inside;
        }()));
    return lines;
}

void expectBoardLines(const Board& board, const QByteArrayList& expected = BoardLines)
{
    const Trace trace = converse(board);
    EXPECT_EQ(trace.lines, expected);
    EXPECT_EQ(trace.acks, expected.size());
    EXPECT_TRUE(trace.ended);
    EXPECT_EQ(trace.faults, QStringList());
}

} // namespace

// Each line in two or three reads falling anywhere (in the tag, the index, the
// value, before or inside its line end), with pauses shorter than the wait
// for the "o" between them, with every kind of line end and none: the board's
// lines exactly, one "o" each, a second after its last byte and never sooner.
TEST(LineFramer, OptionBoardLinesWhateverTheReadsAndPauses)
{
    for (const QByteArray lineEnd : {"\r\n", "\r", "\n", ""}) {
        const qsizetype longest = 8 + lineEnd.size();
        std::vector<std::vector<qsizetype>> cuts{{}};
        for (qsizetype a = 1; a < longest; ++a) {
            cuts.push_back({a});
            for (qsizetype b = a + 1; b < longest; ++b)
                cuts.push_back({a, b});
        }
        for (const auto& at : cuts)
            for (const int gapMs : {0, 30, 990})
                for (const bool ahead : {false, true}) {
                    if (ahead && lineEnd.isEmpty())
                        continue; // without line ends nothing tells two lines sent at once apart
                    SCOPED_TRACE(testing::Message() << "line end " << lineEnd.toHex().constData() << ", cut at "
                                                    << testing::PrintToString(at) << ", " << gapMs << " ms"
                                                    << (ahead ? ", sent ahead" : ""));
                    Board board;
                    board.lines = cutLines(lineEnd, at);
                    board.lineEnd = lineEnd;
                    board.gapMs = gapMs;
                    board.ahead = ahead;
                    expectBoardLines(board);
                }
    }
}

// Once the board has ended a line with a line end, a pause of any length
// inside a later line (in the tag, the index, the value, before its line end)
// cuts nothing: the lines exactly, one "o" each. Its first line, before any
// line end came, cannot be told from one of a board that sends none; a CR is
// a whole line end, as for a board that sends no LF.
TEST(LineFramer, APauseInsideALineOfABoardThatEndsItsLinesCutsNothing)
{
    for (const QByteArray lineEnd : {"\r\n", "\r", "\n"}) {
        const qsizetype longest = 9;
        std::vector<std::vector<qsizetype>> cuts;
        for (qsizetype a = 1; a < longest; ++a) {
            cuts.push_back({a});
            for (qsizetype b = a + 1; b < longest; ++b)
                cuts.push_back({a, b});
        }
        for (const auto& at : cuts)
            for (const int gapMs : {1500, 3000}) {
                SCOPED_TRACE(testing::Message() << "line end " << lineEnd.toHex().constData() << ", cut at "
                                                << testing::PrintToString(at) << ", " << gapMs << " ms");
                Board board;
                board.lines = cutLines(lineEnd, at, false);
                board.lines.front() = {BoardLines.front() + lineEnd};
                board.lineEnd = lineEnd;
                board.echo = "+SendAPEram\r\n";
                board.gapMs = gapMs;
                expectBoardLines(board);
            }
    }
}

TEST(LineFramer, TheEchoIsNoLine)
{
    const struct {
        const char* what;
        QByteArray echo;
        bool glued;
        std::vector<qsizetype> cut;
    } cases[] = {
        {"alone", "+SendAPEram", false, {}},
        {"alone with its line end", "+SendAPEram\r\n", false, {}},
        {"glued to the first line", "+SendAPEram", true, {}},
        {"glued with its line end", "+SendAPEram\r\n", true, {}},
        {"glued, the first line cut", "+SendAPEram", true, {3}},
        {"in two reads, the rest glued to the first line", "+Send", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const QByteArray lineEnd : {"\r\n", ""}) {
            Board board;
            board.lines = cutLines(lineEnd, c.cut);
            board.lineEnd = lineEnd;
            board.echo = c.echo;
            board.echoGlued = c.glued;
            if (QByteArray(c.echo) == "+Send")
                board.lines.front().front().prepend("APEram");
            expectBoardLines(board);
        }
    }
}

TEST(LineFramer, ControlCharactersAreDroppedAndEmptyLinesAreNone)
{
    Board board;
    board.lines = {{QByteArray("RA011\0", 6) + "555\x85\x9f\x7f\x1b\r\n"},
                   {"\r\n\n\rRS12\x01" "34\n\n"},
                   {QByteArray("\0\x02\x90\r\n", 5), "RR3\r\n"}};
    expectBoardLines(board, {"RA011555", "RS1234", "RR3"});
}
