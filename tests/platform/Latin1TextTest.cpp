#include "platform/Latin1Text.h"

#include <gtest/gtest.h>

// The character named to the user is the whole character, also one beyond
// the first plane.
TEST(Latin1Text, TheFirstCharacterLatin1CannotHold)
{
    const struct {
        QString text;
        std::optional<QString> first;
    } cases[] = {
        {"", std::nullopt},
        {QStringLiteral("1*1000 \u00C4\u00FC\u00FF"), std::nullopt},
        {QStringLiteral("\u00C4\u20AC\u00FC\u0100"), QStringLiteral("\u20AC")},
        {QStringLiteral("a\U0001F600b"), QStringLiteral("\U0001F600")},
        {QString(QChar(0xD83D)), QString(QChar(0xD83D))}, // a lone half of a pair
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(FirstOutsideLatin1(c.text), c.first);
    }
}
