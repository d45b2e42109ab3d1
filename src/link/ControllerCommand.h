#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How the DTMF players play one part of a command.
enum class Player {
    Key,        // the whole text as one key name ("0"-"9", "*", "#", "A"-"D", "11"-"16")
    String,     // each character of the trimmed text as one key
    Code,       // each character as a code: "D" is the terminator in use, a non-key is "0"
    CodeDigits, // voice word codes, CW codes and macro functions, each digit one key
    UnlockCode, // as an unlock code is played: "A"-"D" are themselves, a non-key is "0"
    Terminator, // the terminator key in use, looked up when played
};

struct DtmfPart {
    Player player;
    QString text; // empty for Terminator

    bool operator==(const DtmfPart&) const = default;
};

// One controller command for both transports, as plain data.
struct ControllerCommand {
    // Each line without its carriage return; empty when the command has no
    // serial form.
    QStringList serialLines;
    // The keys after the unlock code; each command ends with a Terminator part.
    // Empty when the command has no DTMF form.
    QList<DtmfPart> dtmf;
    // Words or CW characters the encoders had no code for, so the upload can
    // tell the user.
    QStringList unknownWords;

    // It has a form for DTMF mode (dtmfMode) or for serial mode.
    bool hasForm(bool dtmfMode) const { return dtmfMode ? !dtmf.isEmpty() : !serialLines.isEmpty(); }
};
