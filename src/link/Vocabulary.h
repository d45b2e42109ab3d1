#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

// The controller's fixed speech vocabulary and CW character set, with the codes
// the controller takes for them instead of text. Both tables are constant.

inline constexpr int VoiceWordCount = 256;
inline constexpr int CWCharCount = 43;

struct CWCharacter {
    QStringView name;
    QStringView code; // two digits
};

// The words in code order: a word's code is its index written "000".."255".
std::span<const QStringView, VoiceWordCount> VoiceVocabulary();
// The CW character names with their codes, in the order the CW list shows them.
std::span<const CWCharacter, CWCharCount> CWCharacters();

// The three-digit code of a word, compared exactly; the digits "0".."9" stand
// for "ZERO".."NINE". Nothing for any other text.
std::optional<QString> VoiceWordCode(QStringView word);
// The word of a three-digit code "000".."255".
std::optional<QString> VoiceWordOfCode(QStringView code);
// The two-digit code of a CW character name, compared exactly.
std::optional<QString> CWCharCode(QStringView name);
// The CW character name of a two-digit code.
std::optional<QString> CWCharOfCode(QStringView code);

// Whether a voice message box accepts a typed token: a vocabulary word, "NONE",
// "STORED", "NONE STORED" (an empty macro's text) or "". Exact: no trimming, no
// case folding.
bool IsVoiceWord(QStringView word);
// Whether a CW message box accepts a typed token: a CW character name or "".
bool CheckCWChar(QStringView charToCheck);
