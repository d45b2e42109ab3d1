#include "download/FieldEncodings.h"

#include "download/EramDecoders.h"
#include "store/TextHelpers.h"

#include <QStringList>

namespace {

using Lines = std::span<const quint8>;

QString decimal(int value) { return QString::number(value); }

bool isTextCode(int code) { return !IsControlCode(code) && code <= 255; }

// A missing line counts as 0.
int word(Lines lines, bool erasedAsZero)
{
    const auto byte = [&](std::size_t i) {
        const int b = i < lines.size() ? lines[i] : 0;
        return erasedAsZero && b == 255 ? 0 : b;
    };
    return byte(0) + 256 * byte(1);
}

bool twoDigits(quint8 b) { return b >= 10 && b <= 99; }

QString oneOrZero(bool one) { return one ? QStringLiteral("1") : QStringLiteral("0"); }

// Every line of a field but its last, which never adds.
Lines allButLast(Lines lines) { return lines.first(lines.empty() ? 0 : lines.size() - 1); }

QString text(Lines lines)
{
    QString t;
    for (quint8 b : allButLast(lines)) {
        if (b == 0)
            break;
        if (isTextCode(b))
            t += QChar(b);
    }
    return t;
}

QString paddedText(Lines lines)
{
    QString t;
    for (quint8 b : allButLast(lines))
        if (b != 255 && isTextCode(b))
            t += QChar(b);
    return t;
}

// Names of the first `count` codes; an empty first name (a code outside the
// table, such as erased memory) gives the empty text.
QString countedNames(Lines lines, int count, QString (*decode)(QStringView))
{
    QStringList names;
    for (quint8 b : lines.first(qMin<std::size_t>(lines.size(), std::size_t(qMax(count, 0)))))
        names << decode(decimal(b));
    if (names.isEmpty() || names.front().isEmpty())
        return QString();
    return names.join(u' ').trimmed();
}

QString dtmfCode(Lines lines)
{
    QByteArray packed;
    for (quint8 b : lines.first(qMin<std::size_t>(lines.size(), 4))) {
        if (b == 0)
            break;
        packed += char(b);
    }
    return DecodeDTMFDigits(packed);
}

QString dtmfMemory(Lines lines)
{
    QString keys;
    for (quint8 b : lines) {
        if (b == 0 || b == 255)
            break;
        if (isTextCode(b))
            keys += QChar(b);
    }
    keys = SpaceOutDigits(keys);
    const bool blankFirst = !lines.empty() && lines[0] == 32;
    return blankFirst || keys.isEmpty() ? NoneStored : keys;
}

QString macroCommands(Lines lines)
{
    const std::size_t n = lines.size();
    QStringList commands;
    for (std::size_t j = 0; j < n; ++j) {
        int command = lines[j];
        if (command == 0)
            break;
        if (command == 255) {
            // The escape's second byte is one of the field's own lines; on the
            // last line there is none, and nothing is added.
            if (++j == n)
                break;
            command += lines[j];
        }
        if (j + 1 < n)
            commands << decimal(command).rightJustified(3, u'0');
    }
    return commands.isEmpty() ? NoneStored : commands.join(u' ');
}

QString messageWords(Lines lines)
{
    QStringList words;
    for (quint8 b : allButLast(lines)) {
        if (b == 0)
            return words.isEmpty() ? NoneStored : words.join(u' ');
        if (b != 255)
            words << DecodeVoiceWord(decimal(b));
    }
    return words.join(u' ');
}

QString frequency(Lines lines)
{
    QString t;
    for (quint8 b : allButLast(lines)) {
        if (b == 0)
            break;
        if (b != 255 && isTextCode(b))
            t += QChar(b);
    }
    return t.isEmpty() ? NoneStored : t;
}

QString meterType(int code)
{
    switch (code) {
    case 224: return QStringLiteral("1");
    case 62: return QStringLiteral("2");
    case 227: return QStringLiteral("3");
    case 101: return QStringLiteral("4");
    case 150: return QStringLiteral("5");
    case 176: return QStringLiteral("6");
    default: return QStringLiteral("0");
    }
}

} // namespace

int EncodingLines(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Word:
    case Encoding::Word255As0:
    case Encoding::MeterType:
    case Encoding::MacroNumber: return 2;
    case Encoding::CWText: return 15;
    case Encoding::VoiceText: return 22;
    case Encoding::DTMFCode: return 5;
    case Encoding::DTMFMemoryText: return 11;
    case Encoding::MessageWords: return 10;
    case Encoding::FrequencyText: return 8;
    case Encoding::Text:
    case Encoding::PaddedText:
    case Encoding::MacroCommands:
    case Encoding::Skipped: return 0;
    default: return 1;
    }
}

std::optional<QString> DecodeField(Encoding encoding, std::span<const quint8> lines, int count)
{
    const quint8 b = lines.empty() ? 0 : lines[0];
    switch (encoding) {
    // A checked record's value has no blank and no leading zero: as read,
    // as a number and trimmed it is the same text.
    case Encoding::Plain:
    case Encoding::Number:
    case Encoding::Trimmed: return decimal(b);
    case Encoding::Plain255Empty: return b == 255 ? QString() : decimal(b);
    case Encoding::Switch: return decimal(b <= 1 ? b : 0);
    case Encoding::Number255As0: return decimal(b == 255 ? 0 : b);
    case Encoding::Word: return decimal(word(lines, false));
    case Encoding::Word255As0: return decimal(word(lines, true));
    case Encoding::Text: return text(lines);
    case Encoding::CWText: return countedNames(lines, count, DecodeCWChar);
    case Encoding::VoiceText: return countedNames(lines, count, DecodeVoiceWord);
    case Encoding::TwoDigit: return b == 255 ? QStringLiteral("0") : decimal(b).rightJustified(2, u'0');
    case Encoding::PaddedText: return paddedText(lines);
    case Encoding::DTMFCode: return dtmfCode(lines);
    case Encoding::DTMFMemoryText: return dtmfMemory(lines);
    case Encoding::MacroCommands: return macroCommands(lines);
    case Encoding::MessageWords: return messageWords(lines);
    case Encoding::Skipped: return std::nullopt;
    case Encoding::MeterType: return meterType(word(lines, false));
    case Encoding::InactivitySwitch: return oneOrZero(b == 0);
    case Encoding::Day: return twoDigits(b) ? decimal(b % 10) : decimal(b);
    case Encoding::WeekOfDay: return twoDigits(b) ? std::optional(decimal(b / 10)) : std::nullopt;
    case Encoding::MonthlyOfDay: return oneOrZero(twoDigits(b));
    case Encoding::MacroNumber: {
        const int macro = word(lines, false);
        return decimal(macro > 90 ? 1 : macro);
    }
    case Encoding::FrequencyText: return frequency(lines);
    }
    return std::nullopt;
}
