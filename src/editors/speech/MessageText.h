#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The rules of a speech or Morse message box: words of the vocabulary (or CW
// character names) in capitals, one blank apart, counted by their blanks, up
// to the limit of the box's kind. Plain functions: the boxes bind them
// through their fields' checks.

enum class MessageKind { Voice, Cw };

struct MessageBoxKind {
    MessageKind kind;
    int limit;                // words, or CW characters
    bool keepsTrailingBlanks; // in the working copy; the others drop them
    const char* limitMessage;
};

inline constexpr MessageBoxKind VoiceIdBox{MessageKind::Voice, 22, false, "You can only use 22 words for this message!"};
inline constexpr MessageBoxKind CwId1Box{MessageKind::Cw, 15, false, "You can only use 15 characters for this message!"};
inline constexpr MessageBoxKind CwId2Box{MessageKind::Cw, 15, true, "You can only use 15 characters for this message!"};
inline constexpr MessageBoxKind MessageMacroBox{MessageKind::Voice, 9, true, "You can only use 9 words for this message!"};

// Every blank counts, leading, trailing and doubled ones too: "" counts 1.
int MessageCount(const QString& text);
bool OverLimit(const MessageBoxKind& box, const QString& text);
// The working copy of a box's text: in capitals, trailing blanks dropped
// unless the kind keeps them.
QString MessageCopy(const MessageBoxKind& box, const QString& text);
QString UpperRightTrimmed(const QString& text);

// A token the upload has a code for: a vocabulary word (or one of the ten
// digits, which speak as ZERO to NINE), or a CW character name. Exact.
bool IsMessageToken(MessageKind kind, const QString& token);
QString NotATokenMessage(MessageKind kind);

// The token a blank typed into `before` ends (from the blank before it, or
// the start, to the typed blank), when `after` is `before` with one blank put in.
struct TypedToken {
    int start;
    QString text;
};
std::optional<TypedToken> TokenEndedByBlank(const QString& before, const QString& after);

enum class MessageFault {
    None,
    NotAToken, // a blank typed after what is no word: the token goes, the blank with it
    TooLong,   // the change took the count over the limit: it is undone
};
// What a change of a box's text from `before` to `after` breaks; a change
// that does not raise the count of the copy is never too long.
MessageFault FaultOfChange(const MessageBoxKind& box, const QString& before, const QString& after);
// `before` without the token that a refused blank ended.
QString WithoutTypedToken(const QString& before, const TypedToken& token);

// Why a message, as it would be stored, cannot be: a token with no code, or
// too many of them. "NONE STORED" is an empty message macro.
std::optional<QString> MessageRefusal(const MessageBoxKind& box, const QString& stored);
