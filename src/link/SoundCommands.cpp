#include "link/SoundCommands.h"

#include "link/TonePair.h"

// No StopSound before a tone: playback is synchronous, so nothing is still
// playing, and stopping would close the run's stream between its tones.
Status PlayTonePair(SoundOutput& sound, int freq1, int freq2, double seconds)
{
    return sound.playWav(TonePairImage(freq1, freq2, seconds));
}

void StopSound(SoundOutput& sound) { sound.stop(); }

