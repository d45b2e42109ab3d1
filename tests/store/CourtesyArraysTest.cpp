#include "store/CourtesyArrays.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using S = SettingsTables;

template <typename T>
std::ptrdiff_t Offset(const S& t, T S::* member)
{
    return reinterpret_cast<const char*>(&(t.*member)) - reinterpret_cast<const char*>(&t);
}

} // namespace

// The tables declare the arrays in the file's order, port by port: delays,
// durations, tones. Walking the accessor in that order must step through them
// one by one, so a swapped or repeated entry shows.
TEST(CourtesyArrays, WalkTheTablesInTheirDeclaredOrder)
{
    const S t;
    std::ptrdiff_t next = Offset(t, &S::P1Delay1);
    for (int port = 1; port <= Count::Ports; ++port) {
        for (const CourtesyField field : CourtesyFields) {
            for (int n = 1; n <= CourtesyArrayCount(field); ++n) {
                SCOPED_TRACE(CourtesyArrayName(port, field, n).toStdString());
                EXPECT_EQ(Offset(t, CourtesyArray(port, field, n)), next);
                next += sizeof(TextArray);
            }
        }
    }
    EXPECT_EQ(next, Offset(t, &S::P3Tone8) + static_cast<std::ptrdiff_t>(sizeof(TextArray)));

    next = Offset(t, &S::P1Seg1Changed);
    for (int port = 1; port <= Count::Ports; ++port) {
        for (int segment = 1; segment <= 4; ++segment) {
            EXPECT_EQ(Offset(t, CourtesySegmentFlag(port, segment)), next) << port << '/' << segment;
            next += sizeof(FlagArray);
        }
    }
}

TEST(CourtesyArrays, NamesAndRanges)
{
    EXPECT_EQ(CourtesyArrayName(1, CourtesyField::Delay, 1), "P1Delay1");
    EXPECT_EQ(CourtesyArrayName(3, CourtesyField::Dur, 4), "P3Dur4");
    EXPECT_EQ(CourtesyArrayName(2, CourtesyField::Tone, 8), "P2Tone8");
    EXPECT_EQ(CourtesyArray(2, CourtesyField::Tone, 5), &S::P2Tone5);
    EXPECT_EQ(CourtesySegmentFlag(3, 2), &S::P3Seg2Changed);

    EXPECT_THROW(CourtesyArray(0, CourtesyField::Delay, 1), std::out_of_range);
    EXPECT_THROW(CourtesyArray(4, CourtesyField::Tone, 1), std::out_of_range);
    EXPECT_THROW(CourtesyArray(1, CourtesyField::Delay, 5), std::out_of_range);
    EXPECT_THROW(CourtesyArray(1, CourtesyField::Dur, 0), std::out_of_range);
    EXPECT_THROW(CourtesyArray(1, CourtesyField::Tone, 9), std::out_of_range);
    EXPECT_THROW(CourtesyArrayName(2, CourtesyField::Tone, 9), std::out_of_range);
    EXPECT_THROW(CourtesySegmentFlag(1, 5), std::out_of_range);
    EXPECT_THROW(CourtesySegmentFlag(0, 1), std::out_of_range);
}
