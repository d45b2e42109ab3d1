#pragma once

#include "platform/SoundOutput.h"
#include "platform/Status.h"

#include <QString>

#include <array>

// One segment of a courtesy tone: a wait, then two tones sounded together.
struct CourtesySegment {
    int delayMs = 0;
    int durationMs = 0;
    int tone1Hz = 0;
    int tone2Hz = 0;
};
using CourtesyTone = std::array<CourtesySegment, 4>;

// The editor's box ranges.
inline constexpr int CourtesyMaxMs = 32767;
inline constexpr int CourtesyMaxHz = 3500;

// A working value as the number it begins with, rounded half to even and held
// to 0..max: a text that is no number reads 0, a huge one max.
int CourtesyNumber(const QString& text, int max);
// A segment from the working texts of its delay, duration and two tones.
CourtesySegment ReadCourtesySegment(const QString& delay, const QString& duration, const QString& tone1,
                                    const QString& tone2);

// A preview's run as its caller sees it; events pass while it plays, so the
// caller's handlers read and set it meanwhile.
struct CourtesyRun {
    // Asked after every piece; set, the run ends within a piece, without its
    // trailing silence, and also when only that silence is left.
    bool stopRequested = false;
    // Every segment has been played: only the run's trailing silence is left.
    bool soundEnded = false;
};

// The preview: each segment's delay as silence, then its tone pair for its
// duration, all four in one sound run, so the gaps are exact to the sample.
// The sound is made and handed over a short piece at a time: a long segment
// neither holds back the first sound nor leaves the stream waiting while it
// is made. A stopped run is no failure; otherwise the sound output's failure
// is returned, once.
Status PlayCourtesyTone(SoundOutput& sound, const CourtesyTone& tone, CourtesyRun& run);

// The longest piece handed to the sound output: the server's buffer, so that
// the first piece starts the sound at once.
inline constexpr int CourtesyPieceMs = SoundOutput::ServerBufferMs;
