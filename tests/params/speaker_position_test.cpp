#include "params/speaker_position.h"

#include <gtest/gtest.h>

#include <set>

#include "params/channel_register_map.h"

namespace tq370 {
namespace {

constexpr auto SC = Language::SimplifiedChinese;
constexpr auto TC = Language::TraditionalChinese;
constexpr auto EN = Language::English;

TEST(SpeakerPosition, LabelsInThreeLanguages) {
    struct Case {
        int code;
        const char* sc;
        const char* tc;
        const char* en;
    } cases[] = {
        {0, "空", "空", "Empty"},
        {1, "前置左高频", "前置左高頻", "FrontLeftTweeter"},
        {5, "前置左中低频", "前置左中低頻", "FrontLeftMidrange Woofer"},
        {10, "前置右中高频", "前置右中高頻", "FrontRightMidrange Tweeter"},
        {12, "前置右全频", "前置右全頻", "FrontRightFull"},
        {13, "后置左高频", "後置左高頻", "RearLeftTweeter"},
        {17, "后置右低频", "後置右低頻", "RearRightWoofer"},
        {19, "中置高频", "中置高頻", "CenterTweeter"},
        {21, "中置全频", "中置全頻", "CenterFull"},
        {22, "左超低", "左超低", "L-Subwoofer"},
        {23, "右超低", "右超低", "R-Subwoofer"},
        {24, "超低", "超低", "Subwoofer"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(speakerPositionLabel(c.code, SC), c.sc) << c.code;
        EXPECT_EQ(speakerPositionLabel(c.code, TC), c.tc) << c.code;
        EXPECT_EQ(speakerPositionLabel(c.code, EN), c.en) << c.code;
    }
    EXPECT_FALSE(speakerPositionLabel(25, EN));
    EXPECT_FALSE(speakerPositionLabel(30, SC));
    EXPECT_FALSE(speakerPositionLabel(-1, SC));
    std::set<std::string> english;
    for (int code = 0; code < SPEAKER_POSITION_COUNT; ++code)
        english.insert(*speakerPositionLabel(code, EN));
    EXPECT_EQ(english.size(), 25u) << "two codes share a label";
}

std::set<int> unavailable(int slot, const std::array<int, CHANNEL_COUNT>& positions) {
    const PositionAvailability a = availablePositions(slot, positions);
    std::set<int> codes;
    for (int code = 0; code < SPEAKER_POSITION_COUNT; ++code) {
        if (!a[code]) codes.insert(code);
    }
    return codes;
}

TEST(PositionAvailability, TakenCodesAndTheirConflicts) {
    struct Case {
        const char* what;
        int slot;
        std::array<int, CHANNEL_COUNT> positions;
        std::set<int> unavailable;
    } cases[] = {
        {"front left full range elsewhere", 0, {0, 0, 6}, {1, 2, 3, 4, 5, 6}},
        {"own code does not count", 2, {0, 0, 6}, {}},
        {"front left tweeter", 0, {0, 1}, {1, 4, 6}},
        {"front right midrange", 3, {8}, {8, 10, 11, 12}},
        {"rear right full range", 0, {0, 18}, {16, 17, 18}},
        {"center woofer", 0, {0, 20}, {20, 21}},
        {"left and right subwoofers", 0, {0, 22, 23}, {22, 23, 24}},
        {"mono subwoofer", 0, {0, 24}, {22, 23, 24}},
        {"codes outside 1..24 take nothing", 0, {0, 30, -4, 25, 0}, {}},
        {"defaults, seen from slot 9",
         9,
         {1, 7, 3, 9, 13, 16, 14, 17, 19, 0, 22, 23},
         {1, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(unavailable(c.slot, c.positions), c.unavailable) << c.what;
}

}  // namespace
}  // namespace tq370
