#include "editors/timing/CourtesyPreview.h"

#include "link/TonePair.h"
#include "platform/SoundOutput.h"
#include "store/TextHelpers.h"

#include <algorithm>
#include <cmath>
#include <functional>

int CourtesyNumber(const QString& text, int max)
{
    const double value = std::nearbyint(LeadingNumber(text));
    if (!(value > 0)) // negative, zero, or not a number at all
        return 0;
    return value >= max ? max : static_cast<int>(value);
}

CourtesySegment ReadCourtesySegment(const QString& delay, const QString& duration, const QString& tone1,
                                    const QString& tone2)
{
    return {CourtesyNumber(delay, CourtesyMaxMs), CourtesyNumber(duration, CourtesyMaxMs),
            CourtesyNumber(tone1, CourtesyMaxHz), CourtesyNumber(tone2, CourtesyMaxHz)};
}

namespace {

constexpr long long PieceFrames = static_cast<long long>(CourtesyPieceMs) * TonePairFramesPerMs;

using PlayPiece = std::function<Status(long long firstFrame, long long frames)>;

// Plays ms of sound a piece at a time. False when the run must end here:
// stopped, or the sound output failed (the failure is kept).
bool PlayInPieces(int ms, const PlayPiece& play, const CourtesyRun& run, Status& failure)
{
    const long long frames = static_cast<long long>(ms) * TonePairFramesPerMs;
    for (long long first = 0; first < frames; first += PieceFrames) {
        const Status played = play(first, std::min(PieceFrames, frames - first));
        if (run.stopRequested)
            return false;
        if (!played) {
            failure = played;
            return false;
        }
    }
    return true;
}

} // namespace

Status PlayCourtesyTone(SoundOutput& sound, const CourtesyTone& tone, CourtesyRun& run)
{
    if (const Status begun = sound.beginRun(); !begun) {
        (void)sound.endRun(); // a run that failed to open still counts until it is ended
        return begun;
    }
    const PlayPiece silence = [&sound](long long, long long frames) {
        return sound.playSilence(static_cast<int>(frames / TonePairFramesPerMs));
    };
    Status failure = Status::success();
    for (const CourtesySegment& segment : tone) {
        const PlayPiece tones = [&sound, &segment](long long first, long long frames) {
            return sound.playWav(TonePairPiece(segment.tone1Hz, segment.tone2Hz, first, frames));
        };
        if (!PlayInPieces(segment.delayMs, silence, run, failure)
            || !PlayInPieces(segment.durationMs, tones, run, failure))
            break;
    }
    if (run.stopRequested) {
        sound.stop(); // ends the run at once, without its trailing silence
        return Status::success();
    }
    run.soundEnded = true;
    // The output reports a failure of the run once, at its end.
    const Status ended = sound.endRun();
    if (run.stopRequested) // in the trailing silence: all was heard
        return Status::success();
    return failure ? ended : failure;
}
