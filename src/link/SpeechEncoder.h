#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Turns voice and CW texts into the codes the controller takes. The caller
// appends `codes` to CodeString.
struct EncodedText {
    QString codes;
    // Tokens with no code, each named once in the order met, so the upload can
    // tell the user; they add nothing to `codes`.
    QStringList unknown;
};

// Tokens are separated by blanks; extra blanks are skipped. In DTMF mode each
// code is followed by one blank, since the players walk the codes in fixed
// steps; in serial mode the codes are run together.

// Three-digit word codes of a voice text ("0".."9" stand for "ZERO".."NINE").
EncodedText VoiceToCodes(QStringView text, bool dtmfMode);
// Two-digit codes of a CW text.
EncodedText CWToCodes(QStringView text, bool dtmfMode);
