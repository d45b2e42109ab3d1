#include "link/Vocabulary.h"

#include "store/TextHelpers.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

// Row by row in code order; the comment is the code of the row's first word.
constexpr std::array<QStringView, VoiceWordCount> Words = {
    /* 000 */ u"ZERO", u"ONE", u"TWO", u"THREE", u"FOUR",
    /* 005 */ u"FIVE", u"SIX", u"SEVEN", u"EIGHT", u"NINE",
    /* 010 */ u"TEN", u"ELEVEN", u"TWELVE", u"THIRTEEN", u"FOURTEEN",
    /* 015 */ u"FIFTEEN", u"SIXTEEN", u"SEVENTEEN", u"EIGHTEEN", u"NINETEEN",
    /* 020 */ u"TWENTY", u"THIRTY", u"FOURTY", u"FIFTY", u"SIXTY",
    /* 025 */ u"SEVENTY", u"EIGHTY", u"NINETY", u"HUNDRED", u"THOUSAND",
    /* 030 */ u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I", u"J",
    /* 040 */ u"K", u"L", u"M", u"N", u"O", u"P", u"Q", u"R", u"S", u"T",
    /* 050 */ u"U", u"V", u"W", u"X", u"Y", u"Z", u"ABOVE", u"ACTIVE", u"AFTERNOON", u"ALERT",
    /* 060 */ u"ALL", u"AMATEUR", u"AMPS", u"AND", u"ANSWER",
    /* 065 */ u"APRIL", u"ASSOCIATION", u"AT", u"AUGUST", u"AUTO",
    /* 070 */ u"AUTOMATIC", u"AUXILIARY", u"AVERAGE", u"A.M.", u"BAND",
    /* 075 */ u"BASE", u"BATTERY", u"BELOW", u"BUSY", u"BY",
    /* 080 */ u"CALIBRATE", u"CALL", u"CANCEL", u"CARRIER", u"CAUTION",
    /* 085 */ u"CHANGE", u"CHECK", u"CLEAR", u"CLOCK", u"CODE",
    /* 090 */ u"COMPLETE", u"COMPUTER", u"CONNECT", u"CONNECTED", u"CONTROL",
    /* 095 */ u"CONTROLLER", u"CURRENT", u"DANGER", u"DATE", u"DAY",
    /* 100 */ u"DECEMBER", u"DEGREES", u"DEVIATION", u"DIRECTION", u"DISCONNECTED",
    /* 105 */ u"DOWN", u"EAST", u"ECHO", u"EMERGENCY", u"ENTER",
    /* 110 */ u"EQUAL", u"ERROR", u"EVENING", u"FAILURE", u"FEBRUARY",
    /* 115 */ u"FEET", u"FREQUENCY", u"FRIDAY", u"FROM", u"FULL",
    /* 120 */ u"GET", u"GO", u"GOOD", u"HAM", u"HELLO",
    /* 125 */ u"HELP", u"HERTZ", u"HIGH", u"HOLD", u"HOUR",
    /* 130 */ u"INTERNET", u"INTRUDER", u"IS", u"JANUARY", u"JULY",
    /* 135 */ u"JUNE", u"LEFT", u"LIGHT", u"LINE", u"LINK",
    /* 140 */ u"LOCK", u"LOW", u"MANUAL", u"MARCH", u"MAXIMUM",
    /* 145 */ u"MAY", u"MEETING", u"MEGA", u"MESSAGES", u"METER",
    /* 150 */ u"MILES_PER_HOUR", u"MINIMUM", u"MINUS", u"MINUTES", u"MIX",
    /* 155 */ u"MONDAY", u"MONITOR", u"MORNING", u"MUTE", u"NEGATIVE",
    /* 160 */ u"NET", u"NIGHT", u"NO", u"NORTH", u"NOT",
    /* 165 */ u"NOVEMBER", u"NUMBER", u"OCLOCK", u"OCTOBER", u"OF",
    /* 170 */ u"OFF", u"ON", u"OPERATOR", u"OUT", u"OVER",
    /* 175 */ u"PATCH", u"PERCENT", u"PHONE", u"PLEASE", u"PLUS",
    /* 180 */ u"POINT", u"PORT", u"POWER", u"PROGRAM", u"P.M.",
    /* 185 */ u"RADIO", u"READY", u"RECEIVE", u"REMOTE", u"REPEAT",
    /* 190 */ u"REPEATER", u"SATURDAY", u"SECONDS", u"SELECT", u"SEPTEMBER",
    /* 195 */ u"SET", u"SKYWARN", u"SOUTH", u"SQUELCH", u"START",
    /* 200 */ u"STOP", u"SUNDAY", u"SYSTEM", u"TEMPERATURE", u"THANK_YOU",
    /* 205 */ u"THE(LONG)", u"THE(SHORT)", u"THE_TIME_IS", u"THIS", u"THURSDAY",
    /* 210 */ u"TIME", u"TIMEOUT", u"TIMER", u"TODAY", u"TOMORROW",
    /* 215 */ u"TONE", u"TONIGHT", u"TRANSMIT", u"TUESDAY", u"UNDER",
    /* 220 */ u"UP", u"USE(NOUN)", u"USE(VERB)", u"VOLTAGE", u"VOLTS",
    /* 225 */ u"WAIT", u"WARNING", u"WATTS", u"WEATHER", u"WEDNESDAY",
    /* 230 */ u"WELCOME", u"WEST", u"YESTERDAY", u"ZULU", u"-S(MAKES_PLURAL)",
    /* 235 */ u"SILENCE(PAUSE)", u"DVR1", u"DVR2", u"DVR3", u"DVR4",
    /* 240 */ u"DVR5", u"DVR6", u"DVR7", u"DVR8", u"DVR9",
    /* 245 */ u"DVR10", u"DVR11", u"DVR12", u"DVR13", u"DVR14",
    /* 250 */ u"DVR15", u"DVR16", u"DVR17", u"DVR18", u"DVR19", u"DVR20",
};

// Letters follow the telephone keypad: the key, then the place on the key.
constexpr std::array<CWCharacter, CWCharCount> CWTable = {{
    {u"0", u"00"}, {u"1", u"01"}, {u"2", u"02"}, {u"3", u"03"}, {u"4", u"04"},
    {u"5", u"05"}, {u"6", u"06"}, {u"7", u"07"}, {u"8", u"08"}, {u"9", u"09"},
    {u"A", u"21"}, {u"B", u"22"}, {u"C", u"23"}, {u"D", u"31"}, {u"E", u"32"},
    {u"F", u"33"}, {u"G", u"41"}, {u"H", u"42"}, {u"I", u"43"}, {u"J", u"51"},
    {u"K", u"52"}, {u"L", u"53"}, {u"M", u"61"}, {u"N", u"62"}, {u"O", u"63"},
    {u"P", u"70"}, {u"Q", u"71"}, {u"R", u"72"}, {u"S", u"73"}, {u"T", u"81"},
    {u"U", u"82"}, {u"V", u"83"}, {u"W", u"91"}, {u"X", u"92"}, {u"Y", u"93"},
    {u"Z", u"90"},
    {u"WORD_SPACE", u"11"}, {u"-", u"10"}, {u"/", u"12"}, {u"AR", u"13"},
    {u",", u"14"}, {u"?", u"20"}, {u"SK", u"60"},
}};

// The keys point into the constant tables above, so the views stay valid.
template <typename Rows, typename Key>
QHash<QStringView, int> indexBy(const Rows& rows, Key key)
{
    QHash<QStringView, int> index;
    index.reserve(int(std::size(rows)));
    for (int i = 0; i < int(std::size(rows)); ++i) {
        index.insert(key(rows[i]), i);
    }
    return index;
}

const QHash<QStringView, int>& wordIndex()
{
    static const auto index = indexBy(Words, [](QStringView word) { return word; });
    return index;
}

const QHash<QStringView, int>& cwNameIndex()
{
    static const auto index = indexBy(CWTable, [](const CWCharacter& c) { return c.name; });
    return index;
}

const QHash<QStringView, int>& cwCodeIndex()
{
    static const auto index = indexBy(CWTable, [](const CWCharacter& c) { return c.code; });
    return index;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString wordCode(int number)
{
    return QString::number(number).rightJustified(3, u'0');
}

} // namespace

std::span<const QStringView, VoiceWordCount> VoiceVocabulary()
{
    return Words;
}

std::span<const CWCharacter, CWCharCount> CWCharacters()
{
    return CWTable;
}

std::optional<QString> VoiceWordCode(QStringView word)
{
    if (word.size() == 1 && isAsciiDigit(word.front())) {
        return wordCode(word.front().unicode() - u'0');
    }
    const int number = wordIndex().value(word, -1);
    if (number < 0) {
        return std::nullopt;
    }
    return wordCode(number);
}

std::optional<QString> VoiceWordOfCode(QStringView code)
{
    // Digits only: toInt alone would also take a sign or a blank.
    if (code.size() != 3 || !std::all_of(code.begin(), code.end(), isAsciiDigit)) {
        return std::nullopt;
    }
    const int number = code.toInt();
    if (number >= VoiceWordCount) {
        return std::nullopt;
    }
    return Words[number].toString();
}

std::optional<QString> CWCharCode(QStringView name)
{
    const int row = cwNameIndex().value(name, -1);
    if (row < 0) {
        return std::nullopt;
    }
    return CWTable[row].code.toString();
}

std::optional<QString> CWCharOfCode(QStringView code)
{
    const int row = cwCodeIndex().value(code, -1);
    if (row < 0) {
        return std::nullopt;
    }
    return CWTable[row].name.toString();
}

bool IsVoiceWord(QStringView word)
{
    return word.isEmpty() || wordIndex().contains(word) || word == u"NONE"
        || word == u"STORED" || word == NoneStored;
}

bool CheckCWChar(QStringView charToCheck)
{
    return charToCheck.isEmpty() || cwNameIndex().contains(charToCheck);
}
