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

TEST(LineFramer, OptionBoardLinesEndAtALineEndOrAPause)
{
    struct Case {
        const char* what;
        QByteArrayList reads;
        bool pauses;
        QByteArrayList expected;
    };
    const Case cases[] = {
        {"a line over two reads", {"RA007", "555\r\nRS\r\n"}, false, {"RA007555", "RS"}},
        {"a line ended by a pause", {"RR4"}, true, {"RR4"}},
        {"without a pause it waits", {"RR4"}, false, {}},
        {"a stray line end changes nothing after it", {"RT0129\r\n", "11", "RIComplete"}, true,
         {"RT0129", "11", "RIComplete"}},
        {"empty lines are none", {"\r\n\n\rRS1\n\n"}, false, {"RS1"}},
        {"control characters dropped", {QByteArray("RS12\x01 34\r\nRA011\0", 16) + "555\x85\x9f\x7f\x1b\r\n"}, false,
         {"RS12 34", "RA011555"}},
        {"a line of control characters alone is none", {QByteArray("\0\x02\x90", 3), "\r\nRR3\r\n"}, true,
         {"RR3"}},
    };
    for (const Case& c : cases) {
        LineFramer framer;
        QByteArrayList out;
        for (const QByteArray& read : c.reads) {
            framer.take(read);
            while (const auto line = framer.next(c.pauses))
                out << *line;
        }
        EXPECT_EQ(out, c.expected) << c.what;
    }
}
