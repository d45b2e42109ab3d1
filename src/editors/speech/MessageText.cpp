#include "editors/speech/MessageText.h"

#include "link/Vocabulary.h"
#include "store/TextHelpers.h"

int MessageCount(const QString& text) { return static_cast<int>(text.count(u' ')) + 1; }

bool OverLimit(const MessageBoxKind& box, const QString& text) { return MessageCount(text) > box.limit; }

QString UpperRightTrimmed(const QString& text)
{
    QString copy = UpperLatin1(text);
    while (copy.endsWith(u' '))
        copy.chop(1);
    return copy;
}

QString MessageCopy(const MessageBoxKind& box, const QString& text)
{
    return box.keepsTrailingBlanks ? UpperLatin1(text) : UpperRightTrimmed(text);
}

bool IsMessageToken(MessageKind kind, const QString& token)
{
    return kind == MessageKind::Voice ? VoiceWordCode(token).has_value() : CWCharCode(token).has_value();
}

QString NotATokenMessage(MessageKind kind)
{
    return kind == MessageKind::Voice ? QStringLiteral("That is not a valid vocabulary word. Please try again")
                                      : QStringLiteral("That is not a valid CW character. Please try again");
}

std::optional<TypedToken> TokenEndedByBlank(const QString& before, const QString& after)
{
    if (after.size() != before.size() + 1)
        return std::nullopt;
    qsizetype at = 0;
    while (at < before.size() && before[at] == after[at])
        ++at;
    if (after[at] != u' ' || QStringView(after).mid(at + 1) != QStringView(before).mid(at))
        return std::nullopt;
    const qsizetype start = at == 0 ? 0 : before.lastIndexOf(u' ', at - 1) + 1;
    return TypedToken{static_cast<int>(start), before.mid(start, at - start)};
}

MessageFault FaultOfChange(const MessageBoxKind& box, const QString& before, const QString& after)
{
    if (const std::optional<TypedToken> token = TokenEndedByBlank(before, after);
        token && !token->text.isEmpty() && !IsMessageToken(box.kind, token->text.toUpper()))
        return MessageFault::NotAToken;
    // Counted as the copy holds the text: a trailing blank counts only where it is kept.
    const int count = MessageCount(MessageCopy(box, after));
    if (count > box.limit && count > MessageCount(MessageCopy(box, before)))
        return MessageFault::TooLong;
    return MessageFault::None;
}

QString WithoutTypedToken(const QString& before, const TypedToken& token)
{
    return QString(before).remove(token.start, token.text.size());
}

std::optional<QString> MessageRefusal(const MessageBoxKind& box, const QString& stored)
{
    if (stored == NoneStored)
        return std::nullopt;
    const QStringList tokens = stored.split(u' ', Qt::SkipEmptyParts);
    for (const QString& token : tokens)
        if (!IsMessageToken(box.kind, token))
            return QStringLiteral("\"%1\" is no %2")
                .arg(token, box.kind == MessageKind::Voice ? QStringLiteral("word of the vocabulary")
                                                           : QStringLiteral("CW character"));
    if (tokens.size() > box.limit)
        return QString::fromLatin1(box.limitMessage);
    return std::nullopt;
}
