#include "MemoryImageBuilder.h"

#include "download/MemoryLayout.h"
#include "link/DtmfPlayer.h"
#include "link/Vocabulary.h"
#include "store/TextHelpers.h"

#include <QStringList>
#include <array>
#include <stdexcept>

namespace {

using Lines = std::span<quint8>;

[[noreturn]] void cannotCarry(const LayoutRow& row, const QString& value)
{
    throw std::invalid_argument("image line " + std::to_string(row.first) + " cannot hold \""
                                + value.toStdString() + '"');
}

void checkFits(const LayoutRow& row, const QString& value, qsizetype used, qsizetype room)
{
    if (used > room)
        cannotCarry(row, value);
}

// The byte whose decoding gives the value, one the encoding reads as it is
// before one a substitute stands in for.
quint8 byteFor(const LayoutRow& row, const QString& value)
{
    LayoutRow plain = row;
    plain.substitutes.clear();
    for (const LayoutRow* r : {static_cast<const LayoutRow*>(&plain), &row})
        for (int b = 0; b < 256; ++b) {
            // A word's high byte stays 0.
            const std::array<quint8, 2> lines{quint8(b), 0};
            if (r->decode(std::span<const quint8>(lines).first(std::size_t(row.width))) == value)
                return quint8(b);
        }
    cannotCarry(row, value);
}

void putWord(Lines out, int value)
{
    out[0] = quint8(value & 0xFF);
    out[1] = quint8(value >> 8);
}

void putWordFor(const LayoutRow& row, const QString& value, Lines out)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (ok && number >= 0 && number <= 0xFFFF) {
        putWord(out, number);
        return;
    }
    for (const Substitute& s : row.substitutes)
        if (value == QLatin1String(s.text)) {
            putWord(out, s.value);
            return;
        }
    cannotCarry(row, value);
}

void putCharacters(const LayoutRow& row, const QString& value, Lines out, qsizetype room)
{
    const QByteArray bytes = value.toLatin1();
    checkFits(row, value, bytes.size(), room);
    std::copy(bytes.begin(), bytes.end(), out.begin());
}

// Tokens of a text, each turned into its code by `code`.
template <typename Code>
QList<int> codesOf(const LayoutRow& row, const QString& value, Code code)
{
    QList<int> codes;
    for (const QString& token : value.split(u' ', Qt::SkipEmptyParts)) {
        const std::optional<QString> c = code(token);
        if (!c)
            cannotCarry(row, value);
        codes << c->toInt();
    }
    return codes;
}

void putCodes(const LayoutRow& row, const QString& value, const QList<int>& codes, Lines out, qsizetype room)
{
    checkFits(row, value, codes.size(), room);
    std::copy(codes.begin(), codes.end(), out.begin());
}

int dtmfNumber(const LayoutRow& row, const QString& value, QChar key)
{
    for (int n = 1; n <= 15; ++n)
        if (DtmfKeyOfNumber(n) == key)
            return n;
    cannotCarry(row, value);
}

void putDtmfCode(const LayoutRow& row, const QString& value, Lines out)
{
    checkFits(row, value, value.size(), 8);
    for (qsizetype i = 0; i < value.size(); ++i)
        out[std::size_t(i / 2)] |= quint8(dtmfNumber(row, value, value[i]) << (i % 2 ? 4 : 0));
}

void putMacro(const LayoutRow& row, const QString& value, Lines out)
{
    if (value == NoneStored)
        return;
    QList<int> bytes;
    for (const QString& token : value.split(u' ', Qt::SkipEmptyParts)) {
        const int command = token.toInt();
        if (command >= 255)
            bytes << 255 << command - 255;
        else
            bytes << command;
    }
    // The last line never adds a command.
    putCodes(row, value, bytes, out, qsizetype(out.size()) - 1);
}

// A set point's day byte: the week before the day when it runs monthly.
quint8 dayByte(const LayoutRow& row, const SettingsTables& t, int element)
{
    const QString day = row.setting.at(t, element);
    if (t.Monthly[element] == u"1")
        return byteFor(row, day) + quint8(10 * t.Week[element].toInt());
    return byteFor(row, day);
}

void put(const LayoutRow& row, const SettingsTables& t, int element, MemoryImage& image)
{
    Lines out = Lines(image).subspan(std::size_t(row.line(element)), std::size_t(row.width));
    const QString value = row.setting.at(t, element);
    const qsizetype room = row.width - 1; // a text's last line never adds
    switch (row.encoding) {
    case Encoding::Word:
    case Encoding::Word255As0:
    case Encoding::MacroNumber: putWordFor(row, value, out); return;
    case Encoding::MeterType: out[0] = byteFor(row, value); return;
    case Encoding::Text:
    case Encoding::PaddedText:
    case Encoding::FrequencyText:
        if (value != NoneStored)
            putCharacters(row, value, out, room);
        return;
    case Encoding::DTMFMemoryText:
        std::fill(out.begin(), out.end(), quint8(255));
        if (value != NoneStored)
            putCharacters(row, QString(value).remove(u' '), out, row.width);
        return;
    case Encoding::CWText:
    case Encoding::VoiceText: {
        const QList<int> codes = row.encoding == Encoding::CWText ? codesOf(row, value, CWCharCode)
                                                                  : codesOf(row, value, VoiceWordCode);
        putCodes(row, value, codes, out, row.width);
        image[std::size_t(row.countFirst + element - 1)] = quint8(codes.size());
        return;
    }
    case Encoding::MessageWords:
        if (value.isEmpty())
            std::fill(out.begin(), out.end(), quint8(255));
        else if (value != NoneStored)
            putCodes(row, value, codesOf(row, value, VoiceWordCode), out, room);
        return;
    case Encoding::DTMFCode: putDtmfCode(row, value, out); return;
    case Encoding::MacroCommands: putMacro(row, value, out); return;
    case Encoding::Day: out[0] = dayByte(row, t, element); return;
    default: out[0] = byteFor(row, value); return;
    }
}

} // namespace

MemoryImage BuildMemoryImage(const SettingsTables& tables)
{
    MemoryImage image{};
    for (const LayoutRow& row : MemoryLayout()) {
        if (!row.setting.isSet() || row.sharesLines)
            continue;
        for (int element = 1; element <= row.count; ++element)
            put(row, tables, element, image);
    }
    return image;
}

QByteArray MemoryFileText(const MemoryImage& image)
{
    QByteArray text;
    text.reserve(MemoryImageSize * 10);
    for (int address = 0; address < MemoryImageSize; ++address)
        text += QByteArray::number(address) + ',' + QByteArray::number(image[std::size_t(address)]) + "\r\n";
    return text;
}
