#pragma once

#include <QChar>
#include <optional>

inline int CharCode(char c) { return static_cast<unsigned char>(c); }
inline int CharCode(QChar c) { return c.unicode(); }

// The number a text writes in plain decimal: digits only, no sign, no blank
// and no leading zero ("0" itself aside), at most `max`. Nothing for any other
// text, so "07", " 7" and "" name no number.
template <typename Text>
std::optional<int> CanonicalDecimal(const Text& text, int max)
{
    if (text.isEmpty() || (text.size() > 1 && CharCode(text[0]) == '0'))
        return std::nullopt;
    long long value = 0;
    for (const auto c : text) {
        const int code = CharCode(c);
        if (code < '0' || code > '9')
            return std::nullopt;
        value = value * 10 + (code - '0');
        if (value > max)
            return std::nullopt;
    }
    return static_cast<int>(value);
}
