#include "download/LoadEram.h"
#include "download/MemoryLayout.h"
#include "link/ChangesUpload.h"
#include "link/CompleteUpload.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include "RecordingTransport.h"
#include "ScriptedDialogs.h"
#include "StoreFixture.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Result = UploadRunner::Result;

SettingsTables Configured()
{
    SettingsTables t;
    t.HangTime[1] = "50";
    t.HangTime[2] = "60";
    t.FanTime = "30";
    t.CurrentLock = "1234";
    t.Terminator = "#";
    t.MeterAlarmType[9] = "1";
    return t;
}

TEST(ChangesUpload, SendsFlaggedSettingsInOrderAndClearsThem)
{
    SettingsTables t = Configured();
    t.FanTimeChanged = true;        // group 2
    t.HangTimeChanged[2] = true;    // group 1, port 2
    t.HangTimeChanged[1] = true;    // group 1, port 1
    t.MeterAlarmChanged[9] = true;  // never cleared before; cleared after success now
    RecordingTransport link;
    ScriptedDialogs dialogs;

    EXPECT_EQ(ChangesUpload(t, link, dialogs).run(), Result::Completed);
    EXPECT_EQ(link.lines(), (QStringList{"1*100050", "2*100060", "1*1004" "30", "1*20669*" "*1***"}));
    EXPECT_FALSE(t.HangTimeChanged[1] || t.HangTimeChanged[2] || t.FanTimeChanged || t.MeterAlarmChanged[9]);
    EXPECT_EQ(dialogs.untitledTexts(), QStringList{"Update Complete"});
    EXPECT_EQ(link.ends(), 1);

    // Nothing left to send.
    RecordingTransport again;
    EXPECT_EQ(ChangesUpload(t, again, dialogs).run(), Result::Completed);
    EXPECT_TRUE(again.sent().empty());
}

TEST(ChangesUpload, OutcomesDecideFlagsAndStops)
{
    struct Case {
        const char* name;
        Outcome first;
        bool hangKept;  // cleared after success only
        bool fanKept;   // not reached when the run stops
        Result result;
    };
    const Case cases[] = {
        {"accepted", Outcome::Accepted, false, false, Result::Completed},
        {"timed out", Outcome::TimedOut, true, false, Result::Completed},
        {"refused", Outcome::Refused, true, true, Result::Stopped},
        {"gave up", Outcome::GaveUp, true, true, Result::Stopped},
        {"not sent", Outcome::NotSent, true, true, Result::Stopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsTables t = Configured();
        t.HangTimeChanged[1] = true;
        t.FanTimeChanged = true;
        t.UpdateError = true; // stale, from an earlier run
        t.UpdateInterrupted = true;
        RecordingTransport link;
        link.script(c.first);
        ScriptedDialogs dialogs;
        EXPECT_EQ(ChangesUpload(t, link, dialogs).run(), c.result);
        EXPECT_EQ(t.HangTimeChanged[1], c.hangKept);
        EXPECT_EQ(t.FanTimeChanged, c.fanKept);
        EXPECT_FALSE(t.UpdateError);
        EXPECT_EQ(link.ends(), 1);
        if (c.first == Outcome::TimedOut) {
            ASSERT_EQ(dialogs.untitledTexts().size(), 1);
            EXPECT_FALSE(dialogs.untitledTexts()[0].contains("Update Complete"));
            EXPECT_TRUE(dialogs.untitledTexts()[0].contains("1 command(s) got no answer"));
        }
        if (c.first == Outcome::Refused) {
            EXPECT_TRUE(dialogs.untitledTexts().join("").contains("hang time of port 1"));
        }
        if (c.first == Outcome::NotSent) {
            EXPECT_EQ(dialogs.untitledTexts(), QStringList{"The command for hang time of port 1 was not sent to the "
                                                           "Tarvex. The upload stops here."});
        }
    }
}

TEST(ChangesUpload, InterruptStopsBetweenCommandsAndReleases)
{
    SettingsTables t = Configured();
    t.HangTimeChanged[1] = true;
    t.FanTimeChanged = true;
    RecordingTransport link(true);
    link.after(0, [&t] { t.UpdateInterrupted = true; });
    ScriptedDialogs dialogs;
    EXPECT_EQ(ChangesUpload(t, link, dialogs).run(), Result::Stopped);
    EXPECT_EQ(link.sent().size(), 1u);
    EXPECT_TRUE(t.FanTimeChanged);
    EXPECT_EQ(link.ends(), 1);
}

// A keyed run whose sound failed as it ended is not called complete; a serial
// session that failed only at its close had every line answered already.
TEST(ChangesUpload, ARunThatFailedAtItsEndIsNoCompleteUpload)
{
    for (const bool dtmf : {true, false}) {
        SCOPED_TRACE(dtmf ? "DTMF" : "serial");
        SettingsTables t = Configured();
        t.HangTimeChanged[1] = true;
        RecordingTransport link(dtmf);
        link.failEnd("Sound lost");
        ScriptedDialogs dialogs;
        EXPECT_EQ(ChangesUpload(t, link, dialogs).run(), dtmf ? Result::Stopped : Result::Completed);
        EXPECT_EQ(dialogs.untitledTexts().join("").contains("Update Complete"), !dtmf);
        EXPECT_EQ(link.ends(), 1);
    }
}

TEST(ChangesUpload, PortThatWillNotOpenSendsNothing)
{
    SettingsTables t = Configured();
    t.HangTimeChanged[1] = true;
    RecordingTransport link(true);
    link.failBegin("COM3 is in use");
    ScriptedDialogs dialogs;
    EXPECT_EQ(ChangesUpload(t, link, dialogs).run(), Result::NotStarted);
    EXPECT_TRUE(link.sent().empty());
    EXPECT_TRUE(t.HangTimeChanged[1]);
    EXPECT_EQ(dialogs.untitledTexts(), QStringList{"COM3 is in use"});
}

TEST(CompleteUpload, NoAtTheConfirmationSendsNothing)
{
    SettingsTables t = Configured();
    t.HangTimeChanged[1] = true;
    RecordingTransport link;
    ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::No);
    EXPECT_EQ(CompleteUpload(t, link, dialogs).run(), Result::NotStarted);
    EXPECT_EQ(link.begins(), 0);
    EXPECT_TRUE(t.HangTimeChanged[1]);
}

TEST(CompleteUpload, SerialRunFromTerminatorToReset)
{
    SettingsTables t = Configured();
    t.HangTimeChanged[1] = true;
    t.AutoDialChanged[5] = true;
    RecordingTransport link;
    ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::Yes);
    CompleteUpload upload(t, link, dialogs);
    UploadProgress last;
    upload.onProgress([&last](const UploadProgress& p) { last = p; });

    EXPECT_EQ(upload.run(), Result::Completed);
    ASSERT_FALSE(link.sent().empty());
    EXPECT_EQ(link.sent().front().command.serialLines, QStringList{"1*9020#"});
    EXPECT_EQ(link.sent().front().framing, Framing::NoLock);
    EXPECT_EQ(link.lines().at(1), "1*100050");
    EXPECT_EQ(link.events().at(link.events().size() - 2), "reset 1*21999");
    EXPECT_EQ(link.events().back(), "end");
    EXPECT_EQ(last.value, 722);
    EXPECT_EQ(last.maximum, CompleteUpload::ProgressMaximum);
    EXPECT_EQ(last.text, "100% Complete");
    EXPECT_FALSE(t.HangTimeChanged[1] || t.AutoDialChanged[5]);
    EXPECT_EQ(dialogs.untitledTexts().back(), "Complete Upload Is Complete. The Tarvex will now reset.");
}

TEST(CompleteUpload, DtmfRemoteMemoriesShareOneLock)
{
    SettingsTables t = Configured();
    RecordingTransport link(true);
    ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::Yes);
    EXPECT_EQ(CompleteUpload(t, link, dialogs).run(), Result::Completed);
    std::vector<Framing> memories;
    for (const auto& s : link.sent())
        if (!s.command.serialLines.isEmpty() && s.command.serialLines.back().startsWith("1*2086"))
            memories.push_back(s.framing);
    ASSERT_EQ(memories.size(), 10u);
    for (std::size_t m = 0; m < 9; ++m)
        EXPECT_EQ(memories[m], Framing::NoLock);
    EXPECT_EQ(memories[9], Framing::Full);
    EXPECT_FALSE(link.events().contains("reset 1*21999")); // no reset in DTMF mode
}

// The enable line follows the alarm type as the file holds it: no editor has
// to run between opening a file and sending it.
TEST(CompleteUpload, MeterAlarmEnableFollowsTheTypeReadFromTheFile)
{
    struct Case {
        const char* type;
        const char* line;
    };
    for (const Case c : {Case{"1", "1160031"}, Case{"2", "1160031"}, Case{"0", "1160030"}}) {
        SCOPED_TRACE(c.type);
        StoreFixture store;
        store.read(store.dir.write("alarm.dat", QByteArray("[Analog]\r\nMeterAlarmType(3)=") + c.type + "\r\n"));
        ASSERT_EQ(store.tables.MeterAlarmType[3], c.type);

        store.dialogs.answer(Dialogs::Answer::Yes);
        RecordingTransport link;
        ASSERT_EQ(CompleteUpload(store.tables, link, store.dialogs).run(), Result::Completed);
        const QStringList enables = link.lines().filter(QRegularExpression("^11600\\d\\d$"));
        ASSERT_EQ(enables.size(), Count::Meters);
        EXPECT_EQ(enables[2], c.line);
        EXPECT_EQ(enables[1], "1160020"); // the default type is none
    }
}

// What one upload sends: each command's lines and keys.
struct Sent {
    QStringList lines;
    QList<DtmfPart> keys;
    bool operator==(const Sent&) const = default;
};

void PrintTo(const Sent& s, std::ostream* os) { *os << s.lines.join(u'|').toStdString(); }

std::vector<Sent> Uploaded(SettingsTables t, bool dtmf, bool complete)
{
    RecordingTransport link(dtmf);
    ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::Yes);
    const Result result = complete ? CompleteUpload(t, link, dialogs).run() : ChangesUpload(t, link, dialogs).run();
    EXPECT_EQ(result, Result::Completed);
    std::vector<Sent> out;
    for (const RecordingTransport::Sent& s : link.sent())
        out.push_back({s.command.serialLines, s.command.dtmf});
    return out;
}

// The settings a download marks empty; each upload sends the marker as nothing,
// as it does an empty text, but for a macro, whose marker is the erase command.
struct Marked {
    const char* name;
    Setting setting;
    std::function<void(SettingsTables&, int)> flag;
    bool sentEmpty = true;
};

using S = SettingsTables;
const Marked kMarked[] = {
    {"remote base memory", &S::FreqString, [](S& t, int) { t.RemoteMemoryChanged = true; }},
    {"message macro", &S::MessageMacro, [](S& t, int n) { t.MessageMacroChanged[n] = true; }},
    {"DTMF memory", &S::DTMFMemory, [](S& t, int n) { t.DTMFMemoryChanged[n] = true; }},
    {"macro", &S::Macro, [](S& t, int n) { t.MacroChanged[n] = true; }, false},
    {"short macro", &S::ShortMacro, [](S& t, int n) { t.ShortMacroChanged[n] = true; }, false},
};

bool HoldsAWordOfTheMarker(const std::vector<Sent>& sent)
{
    return std::ranges::any_of(sent, [](const Sent& s) {
        const auto word = [](const QString& text) { return text.contains("NONE") || text.contains("STORED"); };
        return std::ranges::any_of(s.lines, word)
            || std::ranges::any_of(s.keys, [&](const DtmfPart& p) { return word(p.text); });
    });
}

// An empty memory as the download stores it goes out as one left empty in the
// editors: the same lines, the same keys, in both modes and both uploads.
TEST(Uploads, AMemoryMarkedEmptyGoesOutAsAnEmptyOne)
{
    for (const Marked& m : kMarked) {
        if (!m.sentEmpty)
            continue;
        for (const int n : {1, 10}) {
            for (const bool dtmf : {false, true}) {
                for (const bool complete : {false, true}) {
                    SCOPED_TRACE(QStringLiteral("%1 %2, %3, %4").arg(m.name).arg(n)
                                     .arg(dtmf ? "DTMF" : "serial", complete ? "complete" : "changes only")
                                     .toStdString());
                    SettingsTables marked = Configured();
                    m.flag(marked, n);
                    SettingsTables empty = marked;
                    m.setting.at(marked, n) = NoneStored;
                    m.setting.at(empty, n) = QString();
                    const std::vector<Sent> sent = Uploaded(marked, dtmf, complete);
                    EXPECT_FALSE(sent.empty());
                    EXPECT_EQ(sent, Uploaded(empty, dtmf, complete));
                    EXPECT_FALSE(HoldsAWordOfTheMarker(sent));
                }
            }
        }
    }
}

// A controller whose memories are all empty, downloaded: the settings marked
// empty are those of the table, and no upload sends the marker's words.
TEST(Uploads, NothingADownloadMarksEmptyGoesOutAsWords)
{
    for (const quint8 erased : {quint8(0), quint8(255)}) {
        SCOPED_TRACE(int(erased));
        MemoryImage image;
        image.fill(erased);
        SettingsTables t = Configured();
        StoreMemoryImage(t, image);

        std::vector<Setting> marked;
        for (const LayoutRow& row : MemoryLayout())
            for (int i = 1; row.setting.isSet() && i <= row.count; ++i)
                if (row.setting.at(t, i) == NoneStored && std::ranges::find(marked, row.setting) == marked.end())
                    marked.push_back(row.setting);
        for (const Setting& s : marked)
            EXPECT_TRUE(std::ranges::any_of(kMarked, [&](const Marked& m) { return m.setting == s; }))
                << "a setting the download marks empty has no row in the table";
        if (erased == 0) {
            EXPECT_EQ(marked.size(), std::size(kMarked)) << "every row's setting is marked by a download of zeros";
        }

        for (const Marked& m : kMarked)
            for (int n = 1; n <= m.setting.count(t); ++n)
                m.flag(t, n);
        for (const bool dtmf : {false, true}) {
            for (const bool complete : {false, true}) {
                SCOPED_TRACE(std::string(dtmf ? "DTMF" : "serial") + (complete ? ", complete" : ", changes only"));
                const std::vector<Sent> sent = Uploaded(t, dtmf, complete);
                EXPECT_FALSE(HoldsAWordOfTheMarker(sent));
                if (!dtmf) {
                    const QString frequencyLine = "1**" + t.RemoteBasePrefix.trimmed() + "1";
                    QStringList lines;
                    for (const Sent& s : sent)
                        lines += s.lines;
                    EXPECT_EQ(lines.count(frequencyLine), Count::RemoteMemories);
                }
            }
        }
    }
}

} // namespace
