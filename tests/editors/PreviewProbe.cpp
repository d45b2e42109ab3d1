// Presses Preview in a courtesy tone editor that plays through the real sound
// output, on port 1's tone 1 set for the mode. In a process of its own so
// that each test chooses the sound server it sees. Usage:
//   preview_probe play   250 ms of 1000 Hz, 100 ms of silence, 100 ms of the key "1"
//   preview_probe again  the same, Preview pressed again in the run's trailing silence
//   preview_probe stop   the key "1" for 30 s, Preview pressed again once 3 s of
//                        it have been handed to the sound output; prints how
//                        much tone went out before and after that press
// Prints each message shown and exits 1 when there was any.
#include "FakeSerialPort.h"
#include "MemoryProfile.h"
#include "ScriptedDialogs.h"
#include "editors/timing/Courtesy.h"
#include "platform/ComPorts.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"
#include "store/AppContext.h"
#include "store/CourtesyArrays.h"
#include "store/ErrorLog.h"
#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace {

constexpr int StopAfterMs = 3000;

// Passes everything on to the real output, counting the tone handed over:
// the stop is placed by the sound itself, not by how fast the machine is.
class CountingSound final : public SoundOutput {
public:
    explicit CountingSound(SoundOutput& real) : m_real(real) {}

    // Runs after each piece of tone has been taken.
    std::function<void()> afterTone;
    // Runs as a run comes to its end, before its trailing silence.
    std::function<void()> beforeEnd;
    double toneMs() const { return m_toneMs; }
    // A run's trailing silence is playing.
    bool ending() const { return m_ending; }

    Status beginRun() override { return m_real.beginRun(); }
    Status playWav(const QByteArray& wavImage) override
    {
        m_toneMs += static_cast<double>(wavImage.size() - WavHeaderBytes) / BytesPerMs;
        const Status played = m_real.playWav(wavImage);
        if (afterTone)
            afterTone();
        return played;
    }
    Status playSilence(int ms) override { return m_real.playSilence(ms); }
    Status endRun() override
    {
        if (beforeEnd)
            beforeEnd();
        m_ending = true;
        const Status ended = m_real.endRun();
        m_ending = false;
        return ended;
    }
    void stop() override { m_real.stop(); }

private:
    static constexpr int WavHeaderBytes = 44;
    static constexpr double BytesPerMs = RunSampleRate * RunChannels * RunBitsPerSample / 8 / 1000.0;
    SoundOutput& m_real;
    double m_toneMs = 0;
    bool m_ending = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || (args[1] != "play" && args[1] != "stop" && args[1] != "again"))
        return 2;
    const bool stop = args[1] == "stop";
    const bool again = args[1] == "again";

    SettingsTables tables;
    for (const CourtesyField field : CourtesyFields)
        for (int n = 1; n <= CourtesyArrayCount(field); ++n)
            (tables.*CourtesyArray(1, field, n)).fill(QStringLiteral("0"));
    if (stop) {
        tables.P1Dur1[1] = "30000";
        tables.P1Tone1[1] = "697";
        tables.P1Tone2[1] = "1209";
    } else {
        tables.P1Delay1[1] = "250";
        tables.P1Dur1[1] = "250";
        tables.P1Tone1[1] = "1000";
        tables.P1Delay2[1] = "100";
        tables.P1Dur2[1] = "100";
        tables.P1Tone3[1] = "697";
        tables.P1Tone4[1] = "1209";
    }

    MemoryProfile profile;
    ScriptedDialogs dialogs;
    SystemClock clock;
    ErrorLog log;
    FakeSerialPort serial;
    const ComPorts comPorts([](const QString&) { return QString(); }, [] { return QStringList(); });
    QtSoundOutput realSound(clock);
    CountingSound sound(realSound);
    SettingsNotices notices;
    AppContext context{tables, profile, dialogs, clock, log, QStringLiteral("zarn.ini"), serial, comPorts, sound,
                       notices};

    QTextStream out(stdout);
    {
        Courtesy editor(context);
        editor.show();
        auto* preview = editor.findChild<QPushButton*>(QStringLiteral("Preview"));
        QElapsedTimer sinceStop;
        double toneAtStop = -1;
        bool stopPressed = false;
        if (stop)
            sound.afterTone = [&] {
                if (stopPressed || sound.toneMs() < StopAfterMs)
                    return;
                stopPressed = true;
                // As a user's press: an event let through while the next piece plays.
                QTimer::singleShot(0, &editor, [&] {
                    toneAtStop = sound.toneMs();
                    sinceStop.start();
                    preview->click();
                });
            };
        bool pressedAgain = false;
        if (again)
            sound.beforeEnd = [&] {
                if (pressedAgain)
                    return;
                pressedAgain = true;
                QTimer::singleShot(0, &editor, [&] {
                    if (sound.ending())
                        out << "pressed again in the trailing silence" << Qt::endl;
                    preview->click();
                });
            };
        preview->click();
        if (stop)
            out << "tone handed over before the stop: " << toneAtStop << " ms, after it: "
                << sound.toneMs() - toneAtStop << " ms; the run ended " << sinceStop.elapsed()
                << " ms after the stop" << Qt::endl;
    }
    for (const QString& message : dialogs.messageTexts())
        out << "message: " << message << Qt::endl;
    return dialogs.shown().empty() ? 0 : 1;
}
