#include "response/math/filter_code.h"

#include <gtest/gtest.h>

namespace tq370::response {
namespace {

using enum FilterFamily;
using enum FilterDirection;

TEST(FilterCode, EncodesSlopeFamilyAndDirection) {
    struct Case {
        int slopeIndex;
        FilterFamily family;
        FilterDirection direction;
        int code;
    } cases[] = {
        {0, Butter, HighPass, 40},      {1, Butter, HighPass, 8},
        {1, Link, LowPass, 13},         {3, Bessel, HighPass, 22},
        {5, Butter, HighPass, 52},      {5, Butter, LowPass, 53},
        {7, Link, LowPass, 31},         {6, Bessel, LowPass, 61},
        {SLOPE_OFF, Link, LowPass, 69}, {SLOPE_OFF, Butter, HighPass, 64},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeFilterCode(c.slopeIndex, c.family, c.direction), c.code) << c.code;
        const auto info = decodeFilterCode(c.code);
        ASSERT_TRUE(info) << c.code;
        EXPECT_EQ(info->slopeIndex, c.slopeIndex) << c.code;
        EXPECT_EQ(info->family, c.family) << c.code;
        EXPECT_EQ(info->direction, c.direction) << c.code;
    }
    EXPECT_FALSE(encodeFilterCode(-1, Butter, HighPass));
    EXPECT_FALSE(encodeFilterCode(SLOPE_OFF + 1, Butter, HighPass));
}

TEST(FilterCode, EveryValidCodeDecodesAndCodesOutsideTheBlocksDoNot) {
    for (int code = -1; code <= 71; ++code) {
        const bool valid = (code >= 8 && code <= 31) || (code >= 40 && code <= 69);
        const auto info = decodeFilterCode(code);
        ASSERT_EQ(info.has_value(), valid) << code;
        if (!valid) continue;
        EXPECT_EQ(encodeFilterCode(info->slopeIndex, info->family, info->direction), code);
        EXPECT_EQ(info->direction == LowPass, code % 2 == 1) << code;
    }
}

TEST(FilterCode, MultiplierIsTenTimesTheSlopeOverSix) {
    const int slopesDbPerOctave[] = {6, 12, 18, 24, 30, 36, 42, 48};
    for (int slope = 0; slope < SLOPE_OFF; ++slope) {
        const auto info = decodeFilterCode(*encodeFilterCode(slope, Bessel, LowPass));
        ASSERT_TRUE(info);
        EXPECT_FALSE(info->isOff());
        EXPECT_EQ(info->decibelMultiplier(), 10 * slopesDbPerOctave[slope] / 6) << slope;
    }
    for (int code = 64; code <= 69; ++code) {
        EXPECT_TRUE(decodeFilterCode(code)->isOff());
        EXPECT_EQ(decodeFilterCode(code)->decibelMultiplier(), 0);
    }
}

}  // namespace
}  // namespace tq370::response
