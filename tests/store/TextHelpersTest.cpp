#include "store/TextHelpers.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

TEST(TextHelpers, LeadingNumber)
{
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"", 0}, {"abc", 0}, {"255", 255}, {" 2 5 6 ", 256}, {"12\t3", 123}, {"100ms", 100},
        {"-5", -5}, {"+7", 7}, {"1.5", 1.5}, {".5", 0.5}, {"1e3", 1000}, {"2E-1x", 0.2},
        {"1e", 1}, {"&HFF", 255}, {"&hff", 255}, {"&O17", 15}, {"&", 0}, {"-", 0},
        {"1e999999999", 0}, {"0A", 0}, {"007", 7},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
    }
    // Digits too many for a double: the largest, so that a range check refuses them.
    EXPECT_DOUBLE_EQ(LeadingNumber(QString(400, u'9')), std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("-") + QString(400, u'9') + QStringLiteral(".5")), -std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("&H") + QString(300, u'F')), std::numeric_limits<double>::max());
}

// The number is written in plain decimal with every digit typed, however
// long: an exponent or a rounded digit would be a value nobody typed.
TEST(TextHelpers, LeadingNumberTextKeepsEveryDigit)
{
    const QString longDigits = QStringLiteral("1234567890").repeated(40);
    struct Case { QString text; QString expected; };
    const Case cases[] = {
        {"100ms", "100"}, {"", "0"}, {"x", "0"}, {" 25 ", "25"}, {"007", "7"}, {"000", "0"}, {"-0", "0"},
        {"+7", "7"}, {"-5", "-5"}, {"1 2	3", "123"},
        {"999999999999999", "999999999999999"},
        {"1234567890123456", "1234567890123456"},
        {"12345678901234567", "12345678901234567"},
        {"99999999999999999999", "99999999999999999999"},
        {"0012345678901234567890", "12345678901234567890"},
        {longDigits, longDigits},
        {"1.50", "1.5"}, {".5", "0.5"}, {"5.", "5"}, {"12345678901234567.25", "12345678901234567.25"},
        // Forms that are read as a value are written from it, still plain.
        {"1e3", "1000"}, {"2E-1x", "0.2"}, {"1e20", "100000000000000000000"}, {"&HFF", "255"}, {"&O17", "15"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LeadingNumberText(c.text), c.expected) << c.text.toStdString();
}

TEST(TextHelpers, Normalisers)
{
    struct Case { const char* in; const char* digits; const char* macro; };
    const Case cases[] = {
        {"123", "1 2 3", "123"},
        {"1 2  3", "1 2 3", "123"},
        {"", "", ""},
        {"NONE STORED", "NONE STORED", "NONE STORED"},
        {"001002003", "0 0 1 0 0 2 0 0 3", "001 002 003"},
        {"001 0020 03", "0 0 1 0 0 2 0 0 3", "001 002 003"},
        {"98765", "9 8 7 6 5", "987 65"},
        {"1234567", "1 2 3 4 5 6 7", "123 456 7"},
        {"  *#A ", "* # A", "*#A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpaceOutDigits(c.in), c.digits) << c.in;
        EXPECT_EQ(GroupMacroCodes(c.in), c.macro) << c.in;
    }
}

TEST(TextHelpers, CollapseSpacesAndFileName)
{
    QString t = "  A   B C  ";
    EXPECT_EQ(CollapseSpaces(t), "A B C");
    EXPECT_EQ(t, "A B C");
    QString blanks = "    ";
    EXPECT_EQ(CollapseSpaces(blanks), "");
    QString tab = "A\t B";
    EXPECT_EQ(CollapseSpaces(tab), "A\t B");

    EXPECT_EQ(GetFileName("C:\\Repeaters\\site.dat"), "site.dat");
    EXPECT_EQ(GetFileName("/home/op/site.dat"), "site.dat");
    EXPECT_EQ(GetFileName("site.dat"), "site.dat");
    EXPECT_EQ(GetFileName("C:\\folder\\"), "");
}

// Whatever is upper-cased can still be written in Latin-1.
TEST(TextHelpers, UpperLatin1KeepsALetterWhoseCapitalLatin1CannotHold)
{
    const std::pair<QString, QString> cases[] = {
        {"good morning", "GOOD MORNING"}, {u"\u00e9t\u00e9"_s, u"\u00c9T\u00c9"_s},
        {u"\u00ff"_s, u"\u00ff"_s},       {u"\u00b5 a"_s, u"\u00b5 A"_s},
        {u"\u00df"_s, "SS"},              {"", ""},
    };
    for (const auto& [text, upper] : cases) {
        EXPECT_EQ(UpperLatin1(text), upper) << text.toStdString();
        EXPECT_TRUE(std::ranges::all_of(UpperLatin1(text), [](QChar c) { return c.unicode() <= 0xFF; }));
    }
}
