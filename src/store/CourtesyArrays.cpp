#include "store/CourtesyArrays.h"

#include <array>
#include <stdexcept>
#include <string>

namespace {

using S = SettingsTables;

struct PortArrays {
    std::array<TextArray S::*, 4> delay, dur;
    std::array<TextArray S::*, 8> tone;
    std::array<FlagArray S::*, 4> segment;
};

constexpr std::array<PortArrays, Count::Ports> kPorts{{
    {{&S::P1Delay1, &S::P1Delay2, &S::P1Delay3, &S::P1Delay4},
     {&S::P1Dur1, &S::P1Dur2, &S::P1Dur3, &S::P1Dur4},
     {&S::P1Tone1, &S::P1Tone2, &S::P1Tone3, &S::P1Tone4, &S::P1Tone5, &S::P1Tone6, &S::P1Tone7, &S::P1Tone8},
     {&S::P1Seg1Changed, &S::P1Seg2Changed, &S::P1Seg3Changed, &S::P1Seg4Changed}},
    {{&S::P2Delay1, &S::P2Delay2, &S::P2Delay3, &S::P2Delay4},
     {&S::P2Dur1, &S::P2Dur2, &S::P2Dur3, &S::P2Dur4},
     {&S::P2Tone1, &S::P2Tone2, &S::P2Tone3, &S::P2Tone4, &S::P2Tone5, &S::P2Tone6, &S::P2Tone7, &S::P2Tone8},
     {&S::P2Seg1Changed, &S::P2Seg2Changed, &S::P2Seg3Changed, &S::P2Seg4Changed}},
    {{&S::P3Delay1, &S::P3Delay2, &S::P3Delay3, &S::P3Delay4},
     {&S::P3Dur1, &S::P3Dur2, &S::P3Dur3, &S::P3Dur4},
     {&S::P3Tone1, &S::P3Tone2, &S::P3Tone3, &S::P3Tone4, &S::P3Tone5, &S::P3Tone6, &S::P3Tone7, &S::P3Tone8},
     {&S::P3Seg1Changed, &S::P3Seg2Changed, &S::P3Seg3Changed, &S::P3Seg4Changed}},
}};

template <typename T, std::size_t N>
const T& Pick(const std::array<T, N>& items, int n, const char* what)
{
    if (n < 1 || n > static_cast<int>(N))
        throw std::out_of_range(std::string(what) + ' ' + std::to_string(n) + " outside 1.." + std::to_string(N));
    return items[static_cast<std::size_t>(n - 1)];
}

const PortArrays& Port(int port) { return Pick(kPorts, port, "port"); }

} // namespace

int CourtesyArrayCount(CourtesyField field) { return field == CourtesyField::Tone ? 8 : 4; }

TextArray SettingsTables::* CourtesyArray(int port, CourtesyField field, int n)
{
    const PortArrays& p = Port(port);
    switch (field) {
    case CourtesyField::Delay: return Pick(p.delay, n, "delay");
    case CourtesyField::Dur: return Pick(p.dur, n, "duration");
    case CourtesyField::Tone: break;
    }
    return Pick(p.tone, n, "tone");
}

QString CourtesyArrayName(int port, CourtesyField field, int n)
{
    CourtesyArray(port, field, n); // the range check
    static constexpr std::array kFieldNames{"Delay", "Dur", "Tone"};
    return QStringLiteral("P%1%2%3").arg(port).arg(QLatin1String(kFieldNames[static_cast<int>(field)])).arg(n);
}

FlagArray SettingsTables::* CourtesySegmentFlag(int port, int segment)
{
    return Pick(Port(port).segment, segment, "segment");
}
