#include "platform/Latin1Text.h"

std::optional<QString> FirstOutsideLatin1(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() <= 0xFF)
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return text.sliced(i, pair ? 2 : 1).toString();
    }
    return std::nullopt;
}
