#include "store/TextHelpers.h"

#include <cmath>
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

} // namespace

double LeadingNumber(QStringView text)
{
    const std::string s = squeezed(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return radixInteger(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return radixInteger(s, 2, 8);
    }
    size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        number.push_back(s[i++]);
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && isDigit(s[i])) {
            number.push_back(s[i++]);
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        size_t expDigits = 0;
        while (j < s.size() && isDigit(s[j])) {
            exponent.push_back(s[j++]);
            ++expDigits;
        }
        if (expDigits > 0)
            number += exponent;
    }
    // An overflowing exponent gives 0, never infinity.
    double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}

QString LeadingNumberText(QStringView text)
{
    double value = LeadingNumber(text);
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
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
