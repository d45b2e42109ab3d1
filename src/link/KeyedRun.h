#pragma once

#include "platform/Status.h"

class SerialLink;
class SoundOutput;
struct SettingsTables;

// One keyed run of tones: the transmitter keyed through the link and one
// sound run from begin to end. Without a keying port chosen the tones are
// played unkeyed. Leaving the scope releases a transmitter still keyed, so
// no way out of a run (an exception included) leaves it on the air.
class KeyedRun {
public:
    KeyedRun(SettingsTables& tables, SoundOutput& sound, SerialLink& link);
    ~KeyedRun();
    KeyedRun(const KeyedRun&) = delete;
    KeyedRun& operator=(const KeyedRun&) = delete;

    // Keys the transmitter and opens the sound run. A keying port that will
    // not open gives the port message; a sound output that cannot play
    // releases the transmitter again. Either way nothing is running after.
    Status begin();
    // Plays the run's trailing silence, then releases the transmitter. Fails
    // when the sound output broke during the run.
    Status end();
    bool active() const { return m_active; }

private:
    void release();

    SettingsTables& m_tables;
    SoundOutput& m_sound;
    SerialLink& m_link;
    bool m_active = false;
    bool m_keyed = false;
};
