#include "CourtesyFixture.h"
#include "DtmfDecoder.h"
#include "WavFile.h"
#include "link/TonePair.h"
#include "store/ProgramName.h"

#include <QDialog>

#include <functional>

namespace {

using F = CourtesyField;

// What a tone's run must sound: each delay as silence, each segment's whole
// tone pair image, then the run's trailing silence; in the run's format.
QByteArray Expected(const CourtesyTone& tone, int trailingMs = SoundOutput::TrailingSilenceMs)
{
    constexpr int BytesPerMs = 8 * 4;
    QByteArray samples;
    for (const CourtesySegment& s : tone) {
        samples += QByteArray(s.delayMs * BytesPerMs, '\0');
        samples += TonePairImage(s.tone1Hz, s.tone2Hz, s.durationMs / 1000.0).mid(44);
    }
    samples += QByteArray(trailingMs * BytesPerMs, '\0');
    return samples;
}

struct CourtesyPreviewTest : CourtesyFixture {
    // Port p's tone n set to these segments in the settings.
    void setTone(int port, int tone, const CourtesyTone& segments)
    {
        for (int s = 1; s <= 4; ++s) {
            const CourtesySegment& seg = segments[s - 1];
            (tables.*CourtesyArray(port, F::Delay, s))[tone] = QString::number(seg.delayMs);
            (tables.*CourtesyArray(port, F::Dur, s))[tone] = QString::number(seg.durationMs);
            (tables.*CourtesyArray(port, F::Tone, 2 * s - 1))[tone] = QString::number(seg.tone1Hz);
            (tables.*CourtesyArray(port, F::Tone, 2 * s))[tone] = QString::number(seg.tone2Hz);
        }
    }
    // The fixture's values of a port's tone, as the preview reads them.
    static CourtesyTone StoredTone(int port, int tone)
    {
        CourtesyTone segments;
        for (int s = 1; s <= 4; ++s)
            segments[s - 1] = ReadCourtesySegment(Stored(port, F::Delay, s, tone), Stored(port, F::Dur, s, tone),
                                                  Stored(port, F::Tone, 2 * s - 1, tone),
                                                  Stored(port, F::Tone, 2 * s, tone));
        return segments;
    }
    QByteArray rendered() const { return sound.wav().mid(44); }
    // A preview that has ended leaves nothing behind: the next press plays
    // the tone shown, as a run of its own.
    void expectNextPressPlays()
    {
        const qsizetype runs = sound.calls().count("beginRun");
        const qsizetype shown = messages().size();
        const QByteArray before = rendered();
        click("Preview");
        EXPECT_EQ(sound.calls().count("beginRun"), runs + 1) << "the press was taken as a stop";
        EXPECT_TRUE(rendered().mid(before.size()) == Expected(shownTone()));
        EXPECT_EQ(messages().size(), shown);
    }
    // The tone the boxes of the page shown hold, as the preview reads it.
    CourtesyTone shownTone() const
    {
        const int port = find<QTabWidget>("SSTab1")->currentIndex() + 1;
        CourtesyTone segments;
        for (int s = 1; s <= 4; ++s)
            segments[s - 1] = ReadCourtesySegment(box(F::Delay, s, port)->text(), box(F::Dur, s, port)->text(),
                                                  box(F::Tone, 2 * s - 1, port)->text(),
                                                  box(F::Tone, 2 * s, port)->text());
        return segments;
    }
};

// 250 ms of silence, 250 ms of 1000 Hz, 100 ms of the DTMF key "1", then
// nothing more but the run's end.
TEST_F(CourtesyPreviewTest, ThePreviewIsOneRunOfItsSegmentsToTheSample)
{
    const CourtesyTone tone{{{250, 250, 1000, 0}, {0, 100, 697, 1209}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    setTone(1, 1, tone);
    load();
    click("Preview");

    EXPECT_EQ(sound.calls().count("beginRun"), 1);
    EXPECT_EQ(sound.calls().count("endRun"), 1);
    EXPECT_FALSE(sound.calls().contains("stop"));
    const double scheduleMs = 250 + 250 + 100 + SoundOutput::TrailingSilenceMs;
    EXPECT_NEAR(ReadPcm16(sound.wav()).frames() / 8.0, scheduleMs, 1);
    EXPECT_TRUE(rendered() == Expected(tone)) << "the run differs from its schedule";
    EXPECT_EQ(DecodeDtmf(sound.wav()), QStringList{"1"});
    EXPECT_TRUE(messages().isEmpty());
    expectNextPressPlays();
}

TEST_F(CourtesyPreviewTest, ThePreviewPlaysTheSelectedToneOfThePageShownAsItsBoxesHoldIt)
{
    struct Case {
        const char* name;
        std::function<void(CourtesyPreviewTest&)> act;
        std::function<CourtesyTone()> heard;
    };
    const Case cases[] = {
        {"before any pick, port 2's tone 1", [](CourtesyPreviewTest& t) { t.showPage(2); },
         [] { return StoredTone(2, 1); }},
        {"an edit not applied is heard",
         [](CourtesyPreviewTest& t) { t.type(t.box(F::Tone, 3, 1), "1000"); },
         [] {
             CourtesyTone tone = StoredTone(1, 1);
             tone[1].tone1Hz = 1000;
             return tone;
         }},
        {"port 3's tone 7, whatever the other pages show",
         [](CourtesyPreviewTest& t) {
             t.pickTone(1, 2);
             t.pickTone(2, 9);
             t.showPage(3);
             t.pickTone(3, 7);
         },
         [] { return StoredTone(3, 7); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sound = CaptureSound(&clock);
        load();
        c.act(*this);
        click("Preview");
        EXPECT_TRUE(rendered() == Expected(c.heard()));
        EXPECT_EQ(sound.calls().count("beginRun"), 1);
    }
}

TEST_F(CourtesyPreviewTest, WorkingValuesAreReadAsNumbersHeldToTheBoxRanges)
{
    struct Case {
        const char* text;
        int max;
        int value;
    };
    const Case cases[] = {
        {"250", CourtesyMaxMs, 250},
        {"", CourtesyMaxMs, 0},
        {"abc", CourtesyMaxMs, 0},
        {"12abc", CourtesyMaxMs, 12},
        {" 7", CourtesyMaxMs, 7},
        {"65535", CourtesyMaxMs, 32767},
        {"99999999999999999999", CourtesyMaxMs, 32767},
        {"1e300", CourtesyMaxMs, 32767},
        {"1e400", CourtesyMaxMs, 0}, // read as 0 by the range check too
        {"-5", CourtesyMaxMs, 0},
        {"-1e300", CourtesyMaxMs, 0},
        {"2.5", CourtesyMaxMs, 2},
        {"3.5", CourtesyMaxMs, 4},
        {"3500.5", CourtesyMaxHz, 3500},
        {"3700", CourtesyMaxHz, 3500},
        {"&H10", CourtesyMaxHz, 16},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CourtesyNumber(QString::fromLatin1(c.text), c.max), c.value) << c.text;

    // From a file or pasted: played as read, nothing crashes.
    tables.P1Delay1[1] = "abc";
    tables.P1Dur1[1] = "12abc";
    tables.P1Tone1[1] = "99999";
    tables.P1Tone2[1] = "-7";
    tables.P1Delay2[1] = "65535";
    tables.P1Dur2[1] = "";
    load();
    CourtesyTone heard = StoredTone(1, 1);
    heard[0] = {0, 12, 3500, 0};
    heard[1].delayMs = 32767;
    heard[1].durationMs = 0;
    click("Preview");
    EXPECT_TRUE(rendered() == Expected(heard));
    EXPECT_TRUE(messages().isEmpty());
}

// Four segments of 30 s: a stop ends the run within 100 ms, at once for the
// sound output, and nothing of the run is played after it.
TEST_F(CourtesyPreviewTest, ALongPreviewStopsWithinAHundredMillisecondsOfTheStop)
{
    struct Case {
        const char* name;
        std::function<void(CourtesyPreviewTest&)> stop;
    };
    const Case cases[] = {
        {"Esc", [](CourtesyPreviewTest& t) { QTest::keyClick(t.find("Dur1Set(1)"), Qt::Key_Escape); }},
        {"Preview again", [](CourtesyPreviewTest& t) { t.click("Preview"); }},
        {"Preview pressed twice: the second starts nothing",
         [](CourtesyPreviewTest& t) {
             t.click("Preview");
             t.click("Preview");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sound = CaptureSound(&clock);
        setTone(1, 1, {{{0, 30000, 697, 1209}, {0, 30000, 770, 1336}, {0, 30000, 852, 1477}, {0, 30000, 941, 1633}}});
        load();
        showActive();
        find("Dur1Set(1)")->setFocus();
        const qint64 start = clock.elapsedMs();
        qint64 stoppedAt = -1;
        clock.onSleep([&](int) {
            if (stoppedAt < 0 && clock.elapsedMs() - start >= 1000) {
                stoppedAt = clock.elapsedMs();
                c.stop(*this);
            }
        });
        click("Preview");
        clock.onSleep({});

        ASSERT_GE(stoppedAt, 0);
        EXPECT_LE(clock.elapsedMs() - stoppedAt, 100);
        const qsizetype stopCall = sound.calls().indexOf("stop");
        ASSERT_GE(stopCall, 0);
        EXPECT_EQ(sound.calls().mid(stopCall).count("playWav"), 0) << "nothing after the stop";
        EXPECT_FALSE(sound.calls().contains("endRun")) << "a stopped run has no trailing silence";
        EXPECT_EQ(sound.calls().count("beginRun"), 1);
        EXPECT_LE(ReadPcm16(sound.wav()).frames(), (stoppedAt - start + 100) * 8);
        EXPECT_TRUE(messages().isEmpty());
        expectNextPressPlays();
    }
}

TEST_F(CourtesyPreviewTest, WithoutASoundOutputTheOneMessageIsShownAndNothingHangs)
{
    const QString reason = "No audio output device is available (no sound server or sound card), so no sound can be "
                           "played.";
    sound.failWith(reason);
    load();
    click("Preview");
    ASSERT_EQ(dialogs.script.shown().size(), 1u);
    EXPECT_EQ(dialogs.script.shown()[0].title, ProgramName);
    EXPECT_EQ(dialogs.script.shown()[0].text, reason);
    EXPECT_EQ(sound.calls(), (QStringList{"beginRun", "endRun"}));

    // The sound comes back: the next press plays.
    sound.failWith({});
    expectNextPressPlays();
}

// The preview is of the tone shown, and the sound output is the program's:
// another page or tone shown, leaving the editor, a modal window taking over,
// or the editor going ends the preview, silently.
TEST_F(CourtesyPreviewTest, ThePreviewEndsWhenItsToneIsNoLongerShownOrTheEditorIsLeft)
{
    struct Case {
        const char* name;
        std::function<void(CourtesyPreviewTest&)> before; // ahead of the press
        std::function<void(CourtesyPreviewTest&)> meanwhile;
        bool stops;
        bool editorGoes;
    };
    const auto none = [](CourtesyPreviewTest&) {};
    const Case cases[] = {
        {"another page is shown", none, [](CourtesyPreviewTest& t) { t.showPage(2); }, true, false},
        {"another tone is picked", none, [](CourtesyPreviewTest& t) { t.pickTone(1, 2); }, true, false},
        {"Cancel Changes shows tone 1 again", [](CourtesyPreviewTest& t) { t.pickTone(1, 2); },
         [](CourtesyPreviewTest& t) { t.click("CancelChanges"); }, true, false},
        {"its tab is left", none, [](CourtesyPreviewTest& t) { t.editor->hide(); }, true, false},
        {"a modal window opens", none,
         [](CourtesyPreviewTest& t) {
             QDialog dialog(t.editor.get());
             dialog.setModal(true);
             dialog.show();
             dialog.hide();
         },
         true, false},
        {"the editor is unloaded", none, [](CourtesyPreviewTest& t) { t.editor.reset(); }, true, true},
        {"the same tone is picked again", none, [](CourtesyPreviewTest& t) { t.pickTone(1, 1); }, false, false},
        {"an edit of the tone shown, heard from the next press on", none,
         [](CourtesyPreviewTest& t) { t.type(t.box(F::Tone, 1, 1), "1000"); }, false, false},
    };
    const CourtesyTone tone{{{0, 30000, 697, 1209}, {0, 30000, 770, 1336}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sound = CaptureSound(&clock);
        dialogs.script.clear();
        setTone(1, 1, tone);
        setTone(1, 2, tone);
        load();
        showActive();
        c.before(*this);
        Courtesy* shown = editor.get();
        const qint64 start = clock.elapsedMs();
        bool interrupted = false;
        clock.onSleep([&](int) {
            if (!interrupted && clock.elapsedMs() - start >= 500) {
                interrupted = true;
                c.meanwhile(*this);
            }
        });
        shown->Preview_Click();
        clock.onSleep({});

        EXPECT_TRUE(interrupted);
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_EQ(editor == nullptr, c.editorGoes);
        if (c.stops) {
            EXPECT_LE(clock.elapsedMs() - start, 600);
            EXPECT_TRUE(sound.calls().contains("stop"));
        } else {
            EXPECT_TRUE(rendered() == Expected(tone));
            EXPECT_FALSE(sound.calls().contains("stop"));
        }
        if (editor && editor->isVisible()) {
            expectNextPressPlays();
        }
    }
}

// The sound has ended and only the run's trailing silence is left: Preview
// cuts that silence and starts the next preview at once, once the first run
// has returned, not inside it; Esc just cuts it.
TEST_F(CourtesyPreviewTest, APressInTheTrailingSilenceCutsItAndPreviewStartsAgainAtOnce)
{
    struct Case {
        const char* name;
        std::function<void(CourtesyPreviewTest&)> press;
        bool playsAgain;
    };
    const Case cases[] = {
        {"Preview", [](CourtesyPreviewTest& t) { t.click("Preview"); }, true},
        {"Esc", [](CourtesyPreviewTest& t) { QTest::keyClick(t.find("Dur1Set(1)"), Qt::Key_Escape); }, false},
    };
    const CourtesyTone tone{{{250, 250, 1000, 0}, {0, 100, 697, 1209}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    constexpr int ToneMs = 250 + 250 + 100;
    constexpr int CutAfterMs = 100; // into the trailing silence
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sound = CaptureSound(&clock);
        setTone(1, 1, tone);
        load();
        showActive();
        find("Dur1Set(1)")->setFocus();
        const qint64 start = clock.elapsedMs();
        bool pressed = false;
        clock.onSleep([&](int) {
            if (!pressed && clock.elapsedMs() - start >= ToneMs + CutAfterMs) {
                pressed = true;
                c.press(*this);
                EXPECT_EQ(sound.calls().count("beginRun"), 1) << "nothing starts inside the first run";
            }
        });
        click("Preview");
        clock.onSleep({});

        ASSERT_TRUE(pressed);
        EXPECT_EQ(sound.calls().count("stop"), 1);
        EXPECT_EQ(sound.calls().count("beginRun"), c.playsAgain ? 2 : 1);
        QByteArray heard = Expected(tone, CutAfterMs);
        if (c.playsAgain)
            heard += Expected(tone);
        EXPECT_TRUE(rendered() == heard) << "the silence cut at the press, the next preview straight after";
        EXPECT_TRUE(messages().isEmpty());
        expectNextPressPlays();
    }
}

} // namespace

// The sound goes out in pieces no longer than the server's buffer, so a long
// segment neither delays the first sound nor stalls the stream while it is
// made; the first piece is a whole buffer, which starts the sound by itself.
TEST(CourtesyPreviewRun, LongSegmentsAreHandedOverInPiecesOfOneServerBuffer)
{
    CaptureSound sound;
    const CourtesyTone tone{{{0, 32767, 3500, 41}, {150, 30, 697, 1209}, {0, 0, 0, 0}, {32767, 0, 0, 0}}};
    CourtesyRun run;
    ASSERT_TRUE(PlayCourtesyTone(sound, tone, run));
    const qsizetype pieceBytes = 44 + CourtesyPieceMs * 8 * 4;
    ASSERT_FALSE(sound.images().isEmpty());
    EXPECT_EQ(sound.images().first().size(), pieceBytes);
    for (const QByteArray& image : sound.images())
        ASSERT_LE(image.size(), pieceBytes);
    for (const QString& call : sound.calls()) {
        if (call.startsWith("playSilence")) {
            ASSERT_LE(call.mid(12).toInt(), CourtesyPieceMs) << call.toStdString();
        }
    }
    EXPECT_EQ(sound.calls().count("beginRun"), 1);
    EXPECT_EQ(sound.calls().last(), "endRun");
    EXPECT_TRUE(sound.wav().mid(44) == Expected(tone));
}
