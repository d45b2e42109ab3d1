#include "MemoryImageBuilder.h"
#include "RandomBytes.h"
#include "ReaderRule.h"
#include "SampleConfiguration.h"
#include "StoreFixture.h"
#include "TempDir.h"
#include "download/LoadEram.h"
#include "store/FactoryCodes.h"
#include "link/UploadSteps.h"

#include <QSet>

namespace {

const QString Sentinel = QStringLiteral("~before");

// Every key of the configuration, and the copies the file does not hold.
QStringList differences(SettingsTables& a, SettingsTables& b)
{
    QStringList keys;
    ForEachKey([&](const KeyStem& stem, int i) {
        if (stem.value(a, i) != stem.value(b, i))
            keys << stem.keyName(i) + ": " + stem.value(a, i) + " / " + stem.value(b, i);
    });
    if (a.Lock != b.Lock || a.CurrentTerminator != b.CurrentTerminator)
        keys << QStringLiteral("Lock or CurrentTerminator");
    return keys;
}

void fillSentinels(SettingsTables& t)
{
    ForEachKey([&](const KeyStem& stem, int i) { stem.value(t, i) = Sentinel; });
    t.Lock = t.CurrentTerminator = Sentinel;
}

// The changed flags the uploads send and clear.
QStringList changedFlags(SettingsTables& t)
{
    QStringList set;
    for (int id = 0; id <= int(StepId::Alarm); ++id)
        for (const StepKey& key : KeysOf(StepId(id)))
            for (const StepFlag& flag : Row(key).flags)
                if (flag.ref(t))
                    set << flag.key;
    return set;
}

QByteArray sampleFile(SettingsTables& into, quint32 seed)
{
    fillSentinels(into);
    SampleConfiguration(seed).fill(into);
    return MemoryFileText(BuildMemoryImage(into));
}

QByteArray withLine(QByteArray text, int line, const QByteArray& record)
{
    QList<QByteArray> lines = text.split('\n');
    lines[line - 1] = record + '\r';
    return lines.join('\n');
}

} // namespace

// A configuration through its image and back: what the image holds comes
// back equal; the rest keeps its value and is named; no flag is set.
TEST(LoadEram, AConfigurationComesBackFromItsImage)
{
    for (const quint32 seed : {1u, 2u, 3u}) {
        SettingsTables sample;
        const QByteArray file = sampleFile(sample, seed);
        SettingsTables tables;
        fillSentinels(tables);
        tables.DataSaved = true;

        const EramLoad load = LoadEramText(tables, file);

        ASSERT_TRUE(load.status.ok()) << load.status.reason().toStdString();
        EXPECT_EQ(differences(sample, tables), QStringList()) << "seed " << seed;
        EXPECT_FALSE(tables.DataSaved);
        EXPECT_EQ(changedFlags(tables), QStringList());
        EXPECT_FALSE(tables.anySectionFlag());

        // Named when no element came from the image.
        QSet<QString> kept, taken;
        ForEachKey([&](const KeyStem& stem, int i) {
            (stem.value(sample, i) == Sentinel ? kept : taken) << stem.name;
        });
        kept.subtract(taken);
        EXPECT_EQ(QSet<QString>(load.notHeld.begin(), load.notHeld.end()), kept);
    }
    const QStringList notHeld = SettingsNotHeld();
    for (const char* name : {"RxEnable", "COSClose", "RouteAuxPort", "MeterAlarmType", "CommandPrefix", "AutoDial",
                             "TollRestrict", "AnswerCode", "RingNumber", "APTimeOut", "PreProgramPrefix",
                             "DTMFMuteDigitSelect", "DateFormat"})
        EXPECT_TRUE(notHeld.contains(QLatin1String(name))) << name;
    EXPECT_FALSE(notHeld.contains("Monthly"));
}

// An image of valid codes gives the same image again once parsed.
TEST(LoadEram, AnImageComesBackFromItsConfiguration)
{
    SettingsTables sample;
    fillSentinels(sample);
    SampleConfiguration(7).fill(sample);
    const MemoryImage image = BuildMemoryImage(sample);
    SettingsTables tables;
    fillSentinels(tables);
    StoreMemoryImage(tables, image);
    const MemoryImage again = BuildMemoryImage(tables);
    for (int line = 0; line < MemoryImageSize; ++line)
        EXPECT_EQ(again[std::size_t(line)], image[std::size_t(line)]) << "line " << line;
}

TEST(LoadEram, AnIncompleteOrGarbledFileIsRefusedWholeAndChangesNothing)
{
    SettingsTables sample;
    const QByteArray good = sampleFile(sample, 4);
    const QByteArray lines4095 = good.left(good.lastIndexOf("4095,"));
    QByteArray swapped = withLine(withLine(good, 11, "11,0"), 12, "10,0");
    struct Case { const char* what; QByteArray text; QString message; };
    const QString tail = QStringLiteral(" Nothing was changed.");
    const Case cases[] = {
        {"empty", QByteArray(), "The memory file holds 0 records; a complete download holds 4096." + tail},
        {"4095 records", lines4095, "The memory file holds 4095 records; a complete download holds 4096." + tail},
        {"4097 records", good + "4096,0\r\n", "The memory file holds 4097 records; a complete download holds 4096." + tail},
        {"out of order", swapped, "Line 11 of the memory file is not the record of address 10 (\"11,0\")." + tail},
        {"value 256", withLine(good, 101, "100,256"),
         "Line 101 of the memory file is not the record of address 100 (\"100,256\")." + tail},
        {"leading zero", withLine(good, 5, "4,07"),
         "Line 5 of the memory file is not the record of address 4 (\"4,07\")." + tail},
        {"no value", withLine(good, 4096, "4095,"),
         "Line 4096 of the memory file is not the record of address 4095 (\"4095,\")." + tail},
        {"blank line", withLine(good, 2, ""), "Line 2 of the memory file is not the record of address 1 (\"\")." + tail},
        {"control characters", withLine(good, 3, QByteArray("2,\x01\x00", 4) + QByteArray(60, 'x')),
         "Line 3 of the memory file is not the record of address 2 (\"2,??" + QString(36, u'x') + "...\")." + tail},
    };
    for (const Case& c : cases) {
        SettingsTables tables;
        fillSentinels(tables);
        tables.DataSaved = true;
        SettingsTables untouched = tables;
        const EramLoad load = LoadEramText(tables, c.text);
        EXPECT_FALSE(load.status.ok()) << c.what;
        EXPECT_EQ(load.status.reason(), c.message) << c.what;
        EXPECT_TRUE(load.notHeld.isEmpty());
        EXPECT_EQ(differences(untouched, tables), QStringList()) << c.what;
        EXPECT_TRUE(tables.DataSaved) << c.what;
    }
}

TEST(LoadEram, ReadsTheFileItIsGivenAndSaysWhyItCannot)
{
    TempDir dir;
    SettingsTables sample;
    const QByteArray text = sampleFile(sample, 5);
    // Line feeds alone, as another tool may leave them.
    const QString lf = dir.write("lf.mem", QByteArray(text).replace("\r\n", "\n"));
    SettingsTables tables;
    fillSentinels(tables);
    EXPECT_TRUE(LoadEramFile(tables, lf).status.ok());
    EXPECT_EQ(differences(sample, tables), QStringList());

    const QString missing = dir.path("missing.mem");
    const EramLoad load = LoadEramFile(tables, missing);
    EXPECT_TRUE(load.status.reason().startsWith("The memory file " + missing + " cannot be read: "))
        << load.status.reason().toStdString();
    EXPECT_TRUE(load.status.reason().endsWith(". Nothing was changed."));
}

// Erased memory reads as the reader's defaults, not as set points or codes
// that the next Apply would upload.
TEST(LoadEram, ErasedAndUnknownBytesGiveTheDefaults)
{
    MemoryImage image{};
    std::fill(image.begin() + 650, image.begin() + 730, quint8(255));
    image[710 + 1] = 0;                   // set point 2's macro
    image[192] = 7;                       // an unknown meter code
    std::fill(image.begin() + 1724, image.begin() + 1735, quint8(255)); // DTMF memory 1
    for (const quint8 b : {'1', '2', '3'})
        image[std::size_t(1735 + b - '1')] = b; // DTMF memory 2: 1, 2, 3, then 0s
    SettingsTables tables;
    tables.Meter[1] = "3";
    tables.Week[1] = "4";
    StoreMemoryImage(tables, image);
    EXPECT_EQ(tables.Hours[1], "25");
    EXPECT_EQ(tables.Minutes[1], "00");
    EXPECT_EQ(tables.MacroToRun[1], "01");
    EXPECT_EQ(tables.MacroToRun[2], "01");
    EXPECT_EQ(tables.DOW[1], "0");
    EXPECT_EQ(tables.Monthly[1], "0");
    EXPECT_EQ(tables.Week[1], "4");
    EXPECT_EQ(tables.Meter[1], "0");
    EXPECT_EQ(tables.DTMFMemory[1], "NONE STORED");
    // The reader's own form, which the DTMF editor shows unchanged.
    EXPECT_EQ(tables.DTMFMemory[2], "1 2 3");
    EXPECT_EQ(FindStem("DTMFMemory").rule.normalised(tables.DTMFMemory[2]), tables.DTMFMemory[2]);
    // The inactivity switch follows the timer just read, whatever its own line holds.
    image[151 + 1] = 15;
    image[154 + 1] = 0;
    StoreMemoryImage(tables, image);
    EXPECT_EQ(tables.DisableTimeout[1], "1");
    EXPECT_EQ(tables.DisableTimeout[2], "0");
}

TEST(LoadEram, TheLayoutsOwnRules)
{
    struct Case { int line; std::vector<quint8> bytes; QString SettingsTables::* scalar; TextArray SettingsTables::* array;
                  int element; const char* expected; };
    using S = SettingsTables;
    const Case cases[] = {
        {0, {0, 65, 66, 67}, &S::PreAccessPrefix, nullptr, 1, "0"},
        {0, {65, 66, 67, 68}, &S::PreAccessPrefix, nullptr, 1, "ABC"},
        {4, {0, 65}, &S::DTMFTestPrefix, nullptr, 1, FactoryCodes::PadTestPrefix},
        {79, {49, 50, 51, 52, 53, 54, 55, 56, 57, 65}, nullptr, &S::CurrentPortUnlock, 1, "12345678"},
        {79, {49, 50, 51, 52, 53, 54, 55, 56, 57, 65}, nullptr, &S::CurrentPortUnlock, 2, "A"},
        {115, {0, 0}, nullptr, &S::CWTone2, 1, "0000"},
        {115, {0, 1}, nullptr, &S::CWTone2, 1, "0256"},
        {109, {244, 1}, nullptr, &S::CWTone1, 1, "0500"},
        {109, {0, 0}, nullptr, &S::CWTone1, 1, "0000"},
        {151, {15, 0, 15}, nullptr, &S::DisableTimeout, 2, "1"},
        {208, {10, 255}, nullptr, &S::RealLow, 1, "10"},
        {650, {35}, nullptr, &S::Week, 1, "3"},
        {650, {35}, nullptr, &S::DOW, 1, "5"},
        {650, {35}, nullptr, &S::Monthly, 1, "1"},
        {670, {254}, nullptr, &S::Hours, 1, "0A"},
        {670, {5}, nullptr, &S::Hours, 1, "05"},
        {690, {5}, nullptr, &S::Minutes, 1, "05"},
        {1722, {255, 255}, &S::DTMFDur, nullptr, 1, "100"},
        {1722, {255, 255}, &S::DTMFDelay, nullptr, 1, "255"},
        {2080, {91, 0}, nullptr, &S::InActivityMacro, 1, "1"},
        {2080, {90, 0}, nullptr, &S::InActivityMacro, 1, "90"},
        {2080, {0, 0}, nullptr, &S::InActivityMacro, 1, "01"},
        {2099, {255, 255, 255, 255, 255, 255, 255, 255, 255, 255}, nullptr, &S::MessageMacro, 1, "NONE STORED"},
        {2499, {255, 3}, nullptr, &S::ID1Extras, 1, "0"},
        {2499, {12}, nullptr, &S::ID1Extras, 1, "0"},
        {2499, {255, 3}, nullptr, &S::ID2Extras, 1, "3"},
        {2508, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 255, 7}, nullptr, &S::Macro, 1,
         "001 002 003 004 005 006 007 008 009 010 011 012 013 014 015"},
        {2508, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 255, 7}, nullptr, &S::Macro, 2, "007"},
        {3948, {65, 66, 67, 255, 255, 255}, &S::RemoteBasePrefix, nullptr, 1, "ABC"},
        {3954, {53, 54, 55, 56, 57}, &S::Lock, nullptr, 1, "5678"},
        {3954, {53, 54, 55, 56, 57}, &S::CurrentLock, nullptr, 1, "5678"},
        {3959, {68, 69}, &S::CurrentTerminator, nullptr, 1, "D"},
        {3961, {255, 255}, &S::ClockCorrection, nullptr, 1, "65535"},
        {3985, {49, 52, 54, 53, 50, 48, 49, 57}, nullptr, &S::FreqString, 1, "1465201"},
        {3985, {0, 52}, nullptr, &S::FreqString, 1, "NONE STORED"},
        {4090, {65, 49, 50, 51, 52, 53}, &S::APPrefix, nullptr, 1, "A1234"},
    };
    for (const Case& c : cases) {
        MemoryImage image{};
        std::copy(c.bytes.begin(), c.bytes.end(), image.begin() + c.line);
        SettingsTables tables;
        StoreMemoryImage(tables, image);
        const QString& value = c.scalar ? tables.*c.scalar : (tables.*c.array)[c.element];
        EXPECT_EQ(value, c.expected) << "line " << c.line;
    }
}

// Whatever image the parser takes, a save and a reopen give back what it
// stored: no value the reader refuses, replaces or reforms, and no control
// character (C1 among them) that no editor can show.
TEST(LoadEram, EveryStoredValueIsOneTheReaderTakesUnchanged)
{
    std::vector<std::pair<QString, MemoryImage>> images;
    MemoryImage erased;
    erased.fill(255);
    images.emplace_back("erased", erased);
    images.emplace_back("zeros", MemoryImage{});
    for (const quint32 seed : {11u, 12u, 13u, 14u}) {
        const QByteArray bytes = RandomBytes(MemoryImageSize, seed);
        MemoryImage image;
        std::copy(bytes.begin(), bytes.end(), image.begin());
        images.emplace_back(QStringLiteral("seed %1").arg(seed), image);
    }
    for (const auto& [what, image] : images) {
        SettingsTables tables;
        fillSentinels(tables);
        ASSERT_TRUE(LoadEramText(tables, MemoryFileText(image)).status.ok()) << what.toStdString();
        ForEachKey([&](const KeyStem& stem, int i) {
            const QString& value = stem.value(tables, i);
            if (value == Sentinel)
                return;
            EXPECT_TRUE(ReaderTakesUnchanged(stem, value))
                << what.toStdString() << ": " << stem.keyName(i).toStdString() << " = \"" << value.toStdString()
                << "\"";
            EXPECT_TRUE(std::none_of(value.begin(), value.end(), [](QChar c) { return IsControlCode(c.unicode()); }))
                << what.toStdString() << ": " << stem.keyName(i).toStdString();
        });
    }
}
