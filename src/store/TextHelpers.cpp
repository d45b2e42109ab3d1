#include "store/TextHelpers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace {

bool ignorable(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// The text without the characters the number reader skips, as plain ASCII.
std::string squeezed(QStringView text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        if (ignorable(c))
            continue;
        out.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f');
    }
    return out;
}

double radixInteger(const std::string& s, size_t pos, int radix)
{
    double value = 0;
    for (; pos < s.size(); ++pos) {
        int digit = -1;
        char c = s[pos];
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits too many for a double are the largest number of their sign, never
// infinity, so that a range check refuses them.
double bounded(double value)
{
    if (std::isinf(value))
        return value < 0 ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    return value;
}

bool radixPrefix(const std::string& s, int& radix)
{
    if (s.size() < 2 || s[0] != '&')
        return false;
    if (s[1] == 'H' || s[1] == 'h')
        radix = 16;
    else if (s[1] == 'O' || s[1] == 'o')
        radix = 8;
    else
        return false;
    return true;
}

// The decimal number a squeezed text begins with, taken apart.
struct Decimal {
    bool negative = false;
    std::string whole, fraction; // the digits before and after the point
    std::string exponent;        // "e-5"; empty when there is none

    bool empty() const { return whole.empty() && fraction.empty(); }
};

Decimal scanDecimal(const std::string& s)
{
    Decimal d;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    while (i < s.size() && isDigit(s[i]))
        d.whole.push_back(s[i++]);
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            d.fraction.push_back(s[i++]);
    }
    if (d.empty() || i >= s.size() || !(s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D'))
        return d;
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-'))
        exponent.push_back(s[j++]);
    const size_t signEnd = exponent.size();
    while (j < s.size() && isDigit(s[j]))
        exponent.push_back(s[j++]);
    if (exponent.size() > signEnd)
        d.exponent = exponent;
    return d;
}

double valueOf(const Decimal& d)
{
    if (d.empty())
        return 0;
    const std::string text = (d.negative ? "-" : "") + d.whole + '.' + d.fraction + d.exponent;
    const double value = std::strtod(text.c_str(), nullptr);
    // An overflowing exponent gives 0.
    if (!d.exponent.empty() && !std::isfinite(value))
        return 0;
    return bounded(value);
}

// The number a text begins with, read once: the value of an "&H" or "&O"
// integer, or else the decimal taken apart.
struct Leading {
    std::optional<double> radixValue;
    Decimal decimal;
};

Leading scanLeading(QStringView text)
{
    const std::string s = squeezed(text);
    if (int radix = 0; radixPrefix(s, radix))
        return {bounded(radixInteger(s, 2, radix)), {}};
    return {std::nullopt, scanDecimal(s)};
}

double valueOf(const Leading& number) { return number.radixValue ? *number.radixValue : valueOf(number.decimal); }

// The shortest plain decimal that reads back as the value: no exponent.
QString plainText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    // The largest double has 309 digits, the smallest fraction some 330.
    std::array<char, 400> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc())
        return QString::number(value, 'g', 17);
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

} // namespace

double LeadingNumber(QStringView text) { return valueOf(scanLeading(text)); }

QString LeadingNumberText(QStringView text)
{
    const Leading number = scanLeading(text);
    if (number.radixValue || !number.decimal.exponent.empty())
        return plainText(valueOf(number));
    const Decimal& d = number.decimal;
    // Written from the digits themselves, so no length loses one.
    const auto firstWhole = d.whole.find_first_not_of('0');
    const std::string whole = firstWhole == std::string::npos ? std::string() : d.whole.substr(firstWhole);
    const std::string fraction = d.fraction.substr(0, d.fraction.find_last_not_of('0') + 1);
    if (whole.empty() && fraction.empty())
        return QStringLiteral("0");
    std::string out = d.negative ? "-" : "";
    out += whole.empty() ? "0" : whole;
    if (!fraction.empty())
        out += '.' + fraction;
    return QString::fromLatin1(out);
}

QString CollapseSpaces(QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    qsizetype last = text.size();
    while (last > first && text[last - 1] == u' ')
        --last;
    QString out;
    out.reserve(last - first);
    for (qsizetype i = first; i < last; ++i) {
        if (text[i] == u' ' && !out.isEmpty() && out.back() == u' ')
            continue;
        out.append(text[i]);
    }
    text = out;
    return text;
}

QString WithoutNoneStored(const QString& text) { return text.trimmed() == NoneStored ? QString() : text; }

QString SpaceOutDigits(const QString& text)
{
    if (text == NoneStored)
        return text;
    QString out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        if (c == u' ')
            continue;
        if (!out.isEmpty())
            out.append(u' ');
        out.append(c);
    }
    return out;
}

QString GroupMacroCodes(const QString& text)
{
    if (text == NoneStored)
        return text;
    QString s = text;
    s.remove(u' ');
    QString out;
    out.reserve(s.size() + s.size() / 3);
    for (qsizetype j = 0; j < s.size(); j += 3) {
        if (!out.isEmpty())
            out.append(u' ');
        out.append(s.mid(j, 3));
    }
    return out;
}

QString GetFileName(const QString& path)
{
    qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

QString JoinedWithAnd(QStringList items)
{
    if (items.isEmpty())
        return {};
    const QString last = items.takeLast();
    return items.isEmpty() ? last : items.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QString UpperLatin1(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QString upper = QString(c).toUpper();
        const bool held = std::ranges::all_of(upper, [](QChar u) { return u.unicode() <= 0xFF; });
        out += held ? upper : QString(c);
    }
    return out;
}
