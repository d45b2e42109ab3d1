#pragma once

#include "platform/SoundOutput.h"
#include "platform/Status.h"

#include <QString>

// The program's sound operations, over the sound output.

// Plays freq1 + freq2 Hz for the given seconds and returns when the tones have
// been played. Inside a run its failure was already reported by the run.
Status PlayTonePair(SoundOutput& sound, int freq1, int freq2, double seconds);
// Silences whatever is playing.
void StopSound(SoundOutput& sound);
