#pragma once

class ControllerLink;
class Dialogs;
struct SettingsTables;

// Records the chosen WAV file (WavFileName) into voice recorder track 1-20,
// sent at once in one frame of the current mode. DTMF: keyed, the key-up
// delay, port 1's unlock code, the track erased, 500 ms, the track recorded,
// the file's sound in the same keyed run, the lock code, released. Serial:
// the erase line with its reply wait, the record line, "G", the file played,
// "S", the lock line. The file is read before anything is sent: with none
// chosen, or one that is no WAV file, the user is told why and nothing goes
// out. After a refusal, a time-out or a give-up the run stops (the recorder
// stopped with "S" once "G" went out, then the lock); the serial port is
// closed afterwards in either mode. "Wav File Upload Complete." is shown only
// when every step went out. True then.
bool RecordVoiceTrack(SettingsTables& tables, ControllerLink& controller, Dialogs& dialogs, int track);
