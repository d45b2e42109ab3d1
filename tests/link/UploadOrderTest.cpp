#include "link/ChangesUpload.h"
#include "link/CompleteUpload.h"
#include "link/UploadSteps.h"
#include "store/SettingsTables.h"

#include "RecordingTransport.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace {

int Sent(const std::vector<UploadStep>& steps, const QString& name)
{
    return static_cast<int>(std::ranges::count(steps, name, &UploadStep::name));
}

// The events of a run from its first line that begins with `from` to the
// event before the line that begins with `to`.
QStringList Between(const QStringList& events, const QString& from, const QString& to)
{
    const auto starts = [](const QString& prefix) { return [prefix](const QString& e) { return e.startsWith(prefix); }; };
    const auto first = std::ranges::find_if(events, starts("send " + from));
    const auto last = std::find_if(first, events.end(), starts("send " + to));
    return QStringList(first, last);
}

} // namespace

// Each upload sends every row over its whole loop, once: a run left out of an
// order or laid out twice shows here.
TEST(UploadOrder, EachUploadSendsEveryRowOnce)
{
    const std::vector<UploadStep> changes = ChangesUpload::steps();
    const std::vector<UploadStep> complete = CompleteUpload::steps();
    for (int id = 0; id <= static_cast<int>(StepId::Alarm); ++id) {
        for (const StepKey& key : KeysOf(static_cast<StepId>(id))) {
            const QString name = Row(key).name;
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(Sent(complete, name), 1);
            // The changes-only upload sends the radio's model inside its type's step.
            EXPECT_EQ(Sent(changes, name), key.id == StepId::YaesuType ? 0 : 1);
        }
    }
}

// Within a pass over a tone, the complete upload waits 50 ms after each of the
// first three segments and twice more, placed by port: port 1 both after the
// fourth, port 2 one before the first and one after the fourth, port 3 both
// before the first. The changes-only upload does not wait.
TEST(UploadOrder, CourtesyPausesOfTheCompleteUploadOnly)
{
    SettingsTables t;
    for (int tone = 1; tone <= 3; ++tone)
        t.P1Seg1Changed[tone] = t.P2Seg2Changed[tone] = t.P3Seg4Changed[tone] = true;
    ScriptedDialogs dialogs;
    RecordingTransport changes;
    ASSERT_EQ(ChangesUpload(t, changes, dialogs).run(), UploadRunner::Result::Completed);
    dialogs.answer(Dialogs::Answer::Yes);
    RecordingTransport complete;
    ASSERT_EQ(CompleteUpload(t, complete, dialogs).run(), UploadRunner::Result::Completed);

    EXPECT_EQ(Between(complete.events(), "1*3101", "1*3102"),
              (QStringList{"send 1*3101****", "pause 50", "send 1*3201****", "pause 50", "send 1*3301****",
                           "pause 50", "send 1*3401****", "pause 100"}));
    EXPECT_EQ(Between(complete.events(), "2*3110", "3*3101"),
              (QStringList{"send 2*3110****", "pause 50", "send 2*3210****", "pause 50", "send 2*3310****",
                           "pause 50", "send 2*3410****", "pause 50", "pause 100"}));
    EXPECT_EQ(Between(complete.events(), "3*3105", "3*3106"),
              (QStringList{"send 3*3105****", "pause 50", "send 3*3205****", "pause 50", "send 3*3305****",
                           "pause 50", "send 3*3405****", "pause 100"}));
    int waited = 0;
    for (const QString& e : complete.events())
        if (e.startsWith("pause "))
            waited += e.mid(6).toInt();
    EXPECT_EQ(waited, 30 * (3 * 50 + 2 * 50));

    EXPECT_EQ(changes.lines().size(), 9);
    EXPECT_FALSE(changes.events().join(' ').contains("pause"));
}
