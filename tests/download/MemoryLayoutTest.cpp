#include "download/LoadEram.h"
#include "download/MemoryLayout.h"
#include "store/CourtesyArrays.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

using S = SettingsTables;

Setting one(QString S::* member) { return member; }
Setting each(TextArray S::* member) { return member; }

// A row of the layout as its tables state it, typed from them: where element 1
// starts, the lines of one element, the elements, and one distinct byte with
// what it gives. `stride` is for elements that do not stand together,
// `countFirst` for texts whose count is read elsewhere.
struct Pin {
    int first;
    int width;
    int count;
    Setting setting;
    int byte;
    const char* expected;
    int stride = 0;
    int countFirst = -1;
};

std::vector<Pin> firstHalf()
{
    return {
        {0, 4, 1, one(&S::PreAccessPrefix), 65, "A"},
        {4, 6, 1, one(&S::DTMFTestPrefix), 65, "A"},
        {10, 1, 3, each(&S::GeneralTimerMacro), 7, "7"},
        {15, 1, 1, one(&S::SayHour), 1, "1"},
        {16, 1, 3, each(&S::HangTime), 7, "7"},
        {19, 1, 3, each(&S::IIDTime), 7, "7"},
        {22, 1, 3, each(&S::PIDTime), 7, "7"},
        {25, 1, 3, each(&S::TxEnable), 1, "1"},
        {28, 1, 3, each(&S::DTMFCovertone), 1, "1"},
        {31, 2, 3, each(&S::DTMFTime), 7, "7"},
        {37, 1, 3, each(&S::Kerchunk), 1, "1"},
        {40, 2, 3, each(&S::KerchunkTime), 7, "7"},
        {47, 1, 3, each(&S::CTCSSID), 7, "7"},
        {50, 1, 3, each(&S::CTCSSCT), 7, "7"},
        {56, 1, 1, one(&S::TimeoutLink), 7, "7"},
        {57, 2, 1, one(&S::XmtDelay), 7, "7"},
        {59, 1, 3, each(&S::PLEncodePolarity), 7, "7"},
        {62, 5, 1, one(&S::MacroSubset), 65, "A"},
        {73, 1, 3, each(&S::DTMFEnable), 1, "1"},
        {76, 1, 3, each(&S::DTMFNeedPL), 1, "1"},
        {79, 9, 3, each(&S::CurrentPortUnlock), 49, "1"},
        {106, 1, 3, each(&S::SpeechIDOverride), 1, "1"},
        {109, 2, 3, each(&S::CWTone1), 7, "0007"},
        {115, 2, 3, each(&S::CWTone2), 7, "0007"},
        {121, 1, 3, each(&S::CWSpeed), 7, "7"},
        {124, 1, 3, each(&S::CWID1Length), 7, "7"},
        {127, 1, 3, each(&S::CWID2Length), 7, "7"},
        {130, 1, 3, each(&S::VoiceID1Length), 7, "7"},
        {133, 1, 3, each(&S::VoiceID2Length), 7, "7"},
        {136, 1, 3, each(&S::VoiceID3Length), 7, "7"},
        {139, 1, 3, each(&S::PLAccess), 3, "3"},
        {142, 1, 3, each(&S::MonMix), 1, "1"},
        {145, 2, 3, each(&S::AuxTime), 7, "7"},
        {151, 1, 3, each(&S::InActiveTime), 7, "7"},
        // The inactivity switch of lines 154 to 156 follows the timer of 151 to 153.
        {151, 1, 3, each(&S::DisableTimeout), 15, "0"},
        {157, 1, 3, each(&S::SpeechOverride), 1, "1"},
        {160, 1, 3, each(&S::CTCSSTime), 7, "7"},
        {163, 1, 3, each(&S::FDup), 1, "1"},
        {166, 2, 3, each(&S::TimeOut), 7, "7"},
        {172, 1, 3, each(&S::DTMFMute), 1, "1"},
        {175, 1, 5, each(&S::Alarm), 3, "3"},
        {180, 1, 5, each(&S::AlarmLowMacroNum), 7, "7"},
        {185, 1, 5, each(&S::AlarmHighMacroNum), 7, "7"},
        {190, 2, 1, one(&S::Vref), 7, "7"},
        {192, 2, 8, each(&S::Meter), 224, "1"},
        {208, 2, 8, each(&S::RealLow), 7, "7"},
        {224, 2, 8, each(&S::MeterLow), 7, "7"},
        {240, 2, 8, each(&S::RealHigh), 7, "7"},
        {256, 2, 8, each(&S::MeterHigh), 7, "7"},
        {362, 15, 3, each(&S::CWID1), 21, "A", 0, 124},
        {407, 15, 3, each(&S::CWID2), 21, "A", 0, 127},
        {452, 22, 3, each(&S::VoiceID1), 30, "A", 0, 130},
        {518, 22, 3, each(&S::VoiceID2), 30, "A", 0, 133},
        {584, 22, 3, each(&S::VoiceID3), 30, "A", 0, 136},
        {650, 1, 20, each(&S::DOW), 35, "5"},
        {650, 1, 20, each(&S::Week), 35, "3"},
        {650, 1, 20, each(&S::Monthly), 35, "1"},
        {670, 1, 20, each(&S::Hours), 7, "07"},
        {690, 1, 20, each(&S::Minutes), 7, "07"},
        {710, 1, 20, each(&S::MacroToRun), 7, "07"},
    };
}

std::vector<Pin> courtesyTones()
{
    // The port 1 array of each kind; port 2's starts 20 lines after it, port 3's 40.
    struct Kind { CourtesyField field; int n; int first; };
    const Kind kinds[] = {
        {CourtesyField::Tone, 1, 750}, {CourtesyField::Tone, 2, 810}, {CourtesyField::Tone, 3, 870},
        {CourtesyField::Tone, 4, 930}, {CourtesyField::Tone, 5, 990}, {CourtesyField::Tone, 6, 1050},
        {CourtesyField::Tone, 7, 1110}, {CourtesyField::Tone, 8, 1170}, {CourtesyField::Delay, 1, 1230},
        {CourtesyField::Delay, 2, 1290}, {CourtesyField::Delay, 3, 1350}, {CourtesyField::Delay, 4, 1410},
        {CourtesyField::Dur, 1, 1470}, {CourtesyField::Dur, 2, 1530}, {CourtesyField::Dur, 3, 1590},
        {CourtesyField::Dur, 4, 1650},
    };
    std::vector<Pin> pins;
    for (const Kind& k : kinds)
        for (int port = 1; port <= 3; ++port)
            pins.push_back({k.first + 20 * (port - 1), 2, 10, each(CourtesyArray(port, k.field, k.n)), 7, "7"});
    return pins;
}

std::vector<Pin> secondHalf()
{
    return {
        {1710, 1, 1, one(&S::RadioType), 7, "7"},
        {1711, 1, 1, one(&S::YaesuType), 3, "3"},
        {1712, 1, 1, one(&S::FanTime), 7, "7"},
        {1720, 1, 1, one(&S::TwentyFour), 1, "1"},
        {1721, 1, 1, one(&S::FanSelect), 7, "7"},
        {1722, 1, 1, one(&S::DTMFDur), 7, "7"},
        {1723, 1, 1, one(&S::DTMFDelay), 7, "7"},
        {1724, 11, 20, each(&S::DTMFMemory), 49, "1"},
        {2068, 1, 1, one(&S::ControlPort), 7, "7"},
        {2069, 1, 1, one(&S::AllowTerminatorSpeech), 1, "1"},
        {2070, 1, 10, each(&S::RadioMode), 3, "3"},
        {2080, 2, 3, each(&S::InActivityMacro), 7, "7"},
        {2086, 1, 1, one(&S::EnablePatch), 7, "7"},
        {2087, 1, 1, one(&S::PatchMute), 1, "1"},
        {2088, 2, 3, each(&S::GeneralTimer), 7, "7"},
        {2099, 10, 40, each(&S::MessageMacro), 5, "FIVE"},
        {2499, 1, 3, each(&S::ID1Extras), 7, "7", 3},
        {2500, 1, 3, each(&S::ID2Extras), 7, "7", 3},
        {2501, 1, 3, each(&S::ID3Extras), 7, "7", 3},
        {2508, 16, 40, each(&S::Macro), 7, "007"},
        {3148, 5, 40, each(&S::MacroCode), 33, "12"},
        {3348, 5, 50, each(&S::ShortMacro), 7, "007"},
        {3598, 5, 50, each(&S::ShortMacroCode), 33, "12"},
        {3848, 1, 90, each(&S::PortToAllow), 7, "7"},
        {3938, 2, 3, each(&S::IDSpeakTime), 7, "7"},
        {3944, 1, 3, each(&S::SpeechEnable), 1, "1"},
        {3947, 1, 1, one(&S::MacroSubsetEnable), 7, "7"},
        {3948, 6, 1, one(&S::RemoteBasePrefix), 65, "A"},
        {3954, 5, 1, one(&S::CurrentLock), 65, "A"},
        {3954, 5, 1, one(&S::Lock), 65, "A"},
        {3959, 2, 1, one(&S::Terminator), 65, "A"},
        {3959, 2, 1, one(&S::CurrentTerminator), 65, "A"},
        {3961, 2, 1, one(&S::ClockCorrection), 7, "7"},
        {3963, 1, 1, one(&S::SayYear), 1, "1"},
        {3964, 1, 3, each(&S::P1MessageNum), 7, "7"},
        {3967, 1, 3, each(&S::P2MessageNum), 7, "7"},
        {3970, 1, 3, each(&S::P3MessageNum), 7, "7"},
        {3973, 1, 3, each(&S::TailMessageNum), 2, "2"},
        {3976, 2, 3, each(&S::AnnounceTime), 7, "7"},
        {3982, 1, 3, each(&S::TailCounter), 7, "7"},
        {3985, 8, 10, each(&S::FreqString), 49, "1"},
        {4065, 1, 10, each(&S::CTCSS), 7, "7"},
        {4075, 1, 10, each(&S::CTCSSMode), 7, "7"},
        {4085, 1, 1, one(&S::DTMFPort), 7, "7"},
        {4086, 1, 1, one(&S::DTMFSpeech), 7, "7"},
        {4090, 6, 1, one(&S::APPrefix), 65, "A"},
    };
}

std::vector<Pin> allPins()
{
    std::vector<Pin> pins = firstHalf();
    for (auto part : {courtesyTones(), secondHalf()})
        pins.insert(pins.end(), part.begin(), part.end());
    return pins;
}

} // namespace

// Typed from the layout's own tables, not from the parser's: a wrong first
// line, a swapped row or an array read in the wrong order fails here. Each
// byte is one the configuration file reader takes, so it comes back as given.
TEST(MemoryLayout, EveryRowFillsItsSettingFromItsOwnLines)
{
    const MemoryImage erased{};
    SettingsTables baseline;
    StoreMemoryImage(baseline, erased);
    for (const Pin& pin : allPins()) {
        for (const int element : {1, pin.count}) {
            const int line = pin.first + (element - 1) * (pin.stride ? pin.stride : pin.width);
            MemoryImage image{};
            image[std::size_t(line)] = quint8(pin.byte);
            if (pin.countFirst >= 0)
                image[std::size_t(pin.countFirst + element - 1)] = 1;
            SettingsTables tables;
            StoreMemoryImage(tables, image);
            EXPECT_EQ(pin.setting.at(tables, element), pin.expected) << "line " << line << " element " << element;
            EXPECT_NE(pin.setting.at(baseline, element), pin.expected) << "line " << line << " is not distinct";
        }
    }
}

// Every field of the parser's table is one the test above names, with the
// same first line and shape.
TEST(MemoryLayout, ThePinsNameEveryRowOfTheParser)
{
    const std::vector<Pin> pins = allPins();
    std::size_t fields = 0;
    for (const LayoutRow& row : MemoryLayout()) {
        if (!row.setting.isSet())
            continue;
        ++fields;
        const auto pin = std::find_if(pins.begin(), pins.end(), [&](const Pin& p) { return p.setting == row.setting; });
        ASSERT_NE(pin, pins.end()) << "row at line " << row.first;
        EXPECT_EQ(pin->first, row.first);
        EXPECT_EQ(pin->width, row.width) << row.first;
        EXPECT_EQ(pin->count, row.count) << row.first;
    }
    EXPECT_EQ(fields, pins.size());
}

// Each line of the image is read by exactly one field or skipped block, in
// order; only the rows that read another row's lines again overlap.
TEST(MemoryLayout, FieldsFollowEachOtherWithoutGapsToTheLastLine)
{
    std::vector<int> readers(MemoryImageSize, 0);
    int previousFirst = 0;
    for (const LayoutRow& row : MemoryLayout()) {
        EXPECT_GE(row.first, previousFirst) << "rows in the order of their first line";
        previousFirst = row.first;
        ASSERT_LT(row.lastLine(), MemoryImageSize) << row.first;
        for (int element = 1; element <= row.count; ++element)
            for (int line = row.line(element); line < row.line(element) + row.width; ++line)
                readers[std::size_t(line)] += row.sharesLines ? 0 : 1;
    }
    for (int line = 0; line < MemoryImageSize; ++line)
        EXPECT_EQ(readers[std::size_t(line)], 1) << "line " << line;
}
