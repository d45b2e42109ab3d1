#include "download/MemoryLayout.h"

#include "store/CourtesyArrays.h"

using S = SettingsTables;

std::optional<QString> LayoutRow::decode(std::span<const quint8> lines, int count) const
{
    if (!substitutes.empty() && !lines.empty()) {
        // Keyed on the field's number: its byte, or the word of two.
        const int number = lines.size() == 2 ? lines[0] + 256 * lines[1] : lines[0];
        for (const Substitute& s : substitutes)
            if (s.value == number)
                return QString::fromLatin1(s.text);
    }
    std::optional<QString> value = DecodeField(encoding, lines, count);
    if (value && value->isEmpty() && emptyGives)
        value = QString::fromLatin1(emptyGives);
    return value;
}

namespace {

// Builds the rows; each modifier changes the row added last.
class Rows {
public:
    explicit Rows(std::vector<LayoutRow>& out) : m_out(out) {}

    Rows& one(int first, Encoding e, QString S::* member, int width = 0)
    {
        return add(first, e, width, 1, member);
    }
    Rows& each(int first, Encoding e, int count, TextArray S::* member, int width = 0)
    {
        return add(first, e, width, count, member);
    }
    Rows& skip(int first, int lines) { return add(first, Encoding::Skipped, lines, 1, {}); }

    Rows& gives(std::vector<Substitute> substitutes)
    {
        m_out.back().substitutes = std::move(substitutes);
        return *this;
    }
    Rows& emptyGives(const char* text)
    {
        m_out.back().emptyGives = text;
        return *this;
    }
    Rows& countsAt(int first)
    {
        m_out.back().countFirst = first;
        return *this;
    }
    Rows& stride(int lines)
    {
        m_out.back().stride = lines;
        return *this;
    }
    Rows& sharesLines()
    {
        m_out.back().sharesLines = true;
        return *this;
    }

private:
    Rows& add(int first, Encoding e, int width, int count, Setting setting)
    {
        LayoutRow row;
        row.first = first;
        row.encoding = e;
        row.width = width ? width : EncodingLines(e);
        row.count = count;
        row.setting = setting;
        m_out.push_back(std::move(row));
        return *this;
    }

    std::vector<LayoutRow>& m_out;
};

constexpr int P = Count::Ports;
using E = Encoding;

void firstHalf(Rows& r)
{
    r.one(0, E::Text, &S::PreAccessPrefix, 4).emptyGives("0")
        .one(4, E::Text, &S::DTMFTestPrefix, 6)
        .each(10, E::Plain, P, &S::GeneralTimerMacro)
        .skip(13, 2)
        .one(15, E::Switch, &S::SayHour)
        .each(16, E::Plain, P, &S::HangTime)
        .each(19, E::Plain, P, &S::IIDTime)
        .each(22, E::Plain, P, &S::PIDTime)
        .each(25, E::Plain, P, &S::TxEnable)
        .each(28, E::Plain, P, &S::DTMFCovertone)
        .each(31, E::Word, P, &S::DTMFTime)
        .each(37, E::Plain, P, &S::Kerchunk)
        .each(40, E::Word, P, &S::KerchunkTime)
        .skip(46, 1)
        .each(47, E::Plain, P, &S::CTCSSID)
        .each(50, E::Plain, P, &S::CTCSSCT)
        .skip(53, 3)
        .one(56, E::Plain, &S::TimeoutLink)
        .one(57, E::Word, &S::XmtDelay)
        .each(59, E::Plain255Empty, P, &S::PLEncodePolarity)
        .one(62, E::Text, &S::MacroSubset, 5)
        .skip(67, 6)
        .each(73, E::Plain, P, &S::DTMFEnable)
        .each(76, E::Plain, P, &S::DTMFNeedPL)
        .each(79, E::Text, P, &S::CurrentPortUnlock, 9)
        .each(106, E::Number255As0, P, &S::SpeechIDOverride)
        .each(109, E::Word, P, &S::CWTone1)
        .each(115, E::Word, P, &S::CWTone2).gives({{0, "0000"}})
        .each(121, E::Plain, P, &S::CWSpeed)
        .each(124, E::Number, P, &S::CWID1Length)
        .each(127, E::Number, P, &S::CWID2Length)
        .each(130, E::Number, P, &S::VoiceID1Length)
        .each(133, E::Number, P, &S::VoiceID2Length)
        .each(136, E::Number, P, &S::VoiceID3Length)
        .each(139, E::Plain, P, &S::PLAccess)
        .each(142, E::Plain, P, &S::MonMix)
        .each(145, E::Word, P, &S::AuxTime)
        .each(151, E::Plain, P, &S::InActiveTime)
        // The image's own inactivity switches are not the program's: the
        // switch follows the inactivity timer, as the editors keep it.
        .each(151, E::InactivitySwitch, P, &S::DisableTimeout).sharesLines()
        .skip(154, 3)
        .each(157, E::Plain, P, &S::SpeechOverride)
        .each(160, E::Plain, P, &S::CTCSSTime)
        .each(163, E::Plain, P, &S::FDup)
        .each(166, E::Word, P, &S::TimeOut)
        .each(172, E::Plain, P, &S::DTMFMute)
        .each(175, E::Plain, Count::AlarmInputs, &S::Alarm)
        .each(180, E::Plain, Count::AlarmInputs, &S::AlarmLowMacroNum)
        .each(185, E::Plain, Count::AlarmInputs, &S::AlarmHighMacroNum)
        .one(190, E::Word, &S::Vref)
        .each(192, E::MeterType, Count::Meters, &S::Meter)
        .each(208, E::Word255As0, Count::Meters, &S::RealLow)
        .each(224, E::Word255As0, Count::Meters, &S::MeterLow)
        .each(240, E::Word255As0, Count::Meters, &S::RealHigh)
        .each(256, E::Word255As0, Count::Meters, &S::MeterHigh)
        .skip(272, 90)
        .each(362, E::CWText, P, &S::CWID1).countsAt(124)
        .each(407, E::CWText, P, &S::CWID2).countsAt(127)
        .each(452, E::VoiceText, P, &S::VoiceID1).countsAt(130)
        .each(518, E::VoiceText, P, &S::VoiceID2).countsAt(133)
        .each(584, E::VoiceText, P, &S::VoiceID3).countsAt(136)
        // Erased set points read as the reader's defaults: disabled, every
        // day, not monthly, at minute 00, running macro 01.
        .each(650, E::Day, Count::SetPoints, &S::DOW).gives({{255, "0"}})
        .each(650, E::WeekOfDay, Count::SetPoints, &S::Week).sharesLines()
        .each(650, E::MonthlyOfDay, Count::SetPoints, &S::Monthly).sharesLines()
        .each(670, E::TwoDigit, Count::SetPoints, &S::Hours).gives({{254, "0A"}, {255, "25"}})
        .each(690, E::TwoDigit, Count::SetPoints, &S::Minutes).gives({{255, "00"}})
        .each(710, E::TwoDigit, Count::SetPoints, &S::MacroToRun).gives({{0, "01"}, {255, "01"}})
        .skip(730, 20);
}

// Forty-eight arrays of ten words: Tone1 to Tone8, Delay1 to Delay4, Dur1 to
// Dur4, each kind for port 1, 2 and 3.
void courtesyTones(Rows& r)
{
    int first = 750;
    for (const CourtesyField field : {CourtesyField::Tone, CourtesyField::Delay, CourtesyField::Dur})
        for (int n = 1; n <= CourtesyArrayCount(field); ++n)
            for (int port = 1; port <= P; ++port, first += 2 * Count::CourtesyTones)
                r.each(first, E::Word, Count::CourtesyTones, CourtesyArray(port, field, n));
}

void secondHalf(Rows& r)
{
    r.one(1710, E::Plain, &S::RadioType)
        .one(1711, E::Plain, &S::YaesuType)
        .one(1712, E::Plain, &S::FanTime)
        .skip(1713, 7)
        .one(1720, E::Plain, &S::TwentyFour)
        .one(1721, E::Plain, &S::FanSelect)
        .one(1722, E::Plain255Empty, &S::DTMFDur)
        .one(1723, E::Plain, &S::DTMFDelay)
        .each(1724, E::DTMFMemoryText, Count::DTMFMemories, &S::DTMFMemory)
        .skip(1944, 124)
        .one(2068, E::Trimmed, &S::ControlPort)
        .one(2069, E::Trimmed, &S::AllowTerminatorSpeech)
        .each(2070, E::Plain, Count::RemoteMemories, &S::RadioMode)
        .each(2080, E::MacroNumber, P, &S::InActivityMacro)
        .one(2086, E::Plain, &S::EnablePatch)
        .one(2087, E::Plain, &S::PatchMute)
        .each(2088, E::Word, P, &S::GeneralTimer)
        .skip(2094, 5)
        .each(2099, E::MessageWords, Count::MessageMacros, &S::MessageMacro)
        // Port by port, the extras of identifiers 1, 2 and 3.
        .each(2499, E::Plain255Empty, P, &S::ID1Extras).stride(3)
        .each(2500, E::Plain255Empty, P, &S::ID2Extras).stride(3)
        .each(2501, E::Plain255Empty, P, &S::ID3Extras).stride(3)
        .each(2508, E::MacroCommands, Count::LongMacros, &S::Macro, 16)
        .each(3148, E::DTMFCode, Count::LongMacros, &S::MacroCode)
        .each(3348, E::MacroCommands, Count::ShortMacros, &S::ShortMacro, 5)
        .each(3598, E::DTMFCode, Count::ShortMacros, &S::ShortMacroCode)
        .each(3848, E::Plain, Count::Macros, &S::PortToAllow)
        .each(3938, E::Word, P, &S::IDSpeakTime)
        .each(3944, E::Plain, P, &S::SpeechEnable)
        .one(3947, E::Plain, &S::MacroSubsetEnable)
        .one(3948, E::PaddedText, &S::RemoteBasePrefix, 6)
        // The codes read from a file and those in use are the controller's alike.
        .one(3954, E::Text, &S::CurrentLock, 5)
        .one(3954, E::Text, &S::Lock, 5).sharesLines()
        .one(3959, E::Text, &S::Terminator, 2)
        .one(3959, E::Text, &S::CurrentTerminator, 2).sharesLines()
        // An unsigned word: a negative correction reads as its 16-bit value.
        .one(3961, E::Word, &S::ClockCorrection)
        .one(3963, E::Plain, &S::SayYear)
        .each(3964, E::Plain, P, &S::P1MessageNum)
        .each(3967, E::Plain, P, &S::P2MessageNum)
        .each(3970, E::Plain, P, &S::P3MessageNum)
        .each(3973, E::Plain, P, &S::TailMessageNum)
        .each(3976, E::Word, P, &S::AnnounceTime)
        .each(3982, E::Plain, P, &S::TailCounter)
        .each(3985, E::FrequencyText, Count::RemoteMemories, &S::FreqString)
        .each(4065, E::Plain, Count::RemoteMemories, &S::CTCSS)
        .each(4075, E::Plain, Count::RemoteMemories, &S::CTCSSMode)
        .one(4085, E::Plain, &S::DTMFPort)
        .one(4086, E::Plain, &S::DTMFSpeech)
        .skip(4087, 3)
        .one(4090, E::Text, &S::APPrefix, 6);
}

std::vector<LayoutRow> build()
{
    std::vector<LayoutRow> rows;
    rows.reserve(200);
    Rows r(rows);
    firstHalf(r);
    courtesyTones(r);
    secondHalf(r);
    return rows;
}

} // namespace

const std::vector<LayoutRow>& MemoryLayout()
{
    static const std::vector<LayoutRow> rows = build();
    return rows;
}
