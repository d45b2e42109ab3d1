#pragma once

#include "link/ControllerCommand.h"
#include "platform/Status.h"

#include <QString>

class SerialLink;
class SoundOutput;
struct SettingsTables;

// One of the sixteen keys by its own character: "0"-"9", "*", "#", "A"-"D".
bool IsDtmfKey(QChar c);
// The key the controller numbers 1-16: "1"-"9", 10 "0", 11 "*", 12 "#", 13-16
// "A"-"D". Empty for any other number.
QString DtmfKeyOfNumber(int number);

// The DTMF key players: key names and codes played as tone pairs through the
// sound output, each key after its silence, and the unlock and lock codes
// that frame a command. They neither key the transmitter nor open a sound
// run: the caller does both. Each returns the first failure of the sound
// output; the keys after it are not played.
class DtmfPlayer {
public:
    static constexpr double ToneSeconds = 0.06;
    // A receiver reads two equal keys closer than this as one long key.
    static constexpr int MinGapMs = 40;

    DtmfPlayer(SettingsTables& tables, SoundOutput& sound, SerialLink& link);

    // One key by name: "0"-"9", "*", "#", "A"-"D" or "11"-"16" (star, pound,
    // A-D). Any other text plays no tone, after the same silence.
    Status SendDTMFDigit(const QString& digit);
    // Each character of the trimmed value as one key name.
    Status SendDTMFString(const QString& value);
    // Each character of a code: "D" is the terminator in use, a character
    // that is no key is "0".
    Status SendDTMFCode(const QString& code);
    // DTMF mode: the port's unlock code, then the terminator. Serial mode:
    // nothing. A port outside 1-3 plays nothing and fails.
    Status SendUnlockCode(int port);
    // DTMF mode: the lock code, then the terminator. Serial mode: the lock line
    // until the controller takes it.
    Status SendLockCode();

    // A command's keys, each part by its player.
    Status play(const QList<DtmfPart>& parts);

    // The silence before every key.
    int gapMs() const;
    // The key that ends every command: Terminator when it is one key, else the
    // validated CurrentTerminator, else "D".
    QString terminatorKey() const;

private:
    // As an unlock code is played: "A"-"D", "*" and "#" as themselves, a
    // digit as itself, anything else as "0".
    Status playAsUnlockCode(const QString& code);

    SettingsTables& m_tables;
    SoundOutput& m_sound;
    SerialLink& m_link;
};
