#include "text/startup_language.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

constexpr auto SC = Language::SimplifiedChinese;
constexpr auto TC = Language::TraditionalChinese;
constexpr auto EN = Language::English;

struct StartCase {
    int stored;
    std::uint32_t locale;
    Language expected;
};

TEST(StartupLanguage, NoStoredChoiceLetsTheLocaleDecide) {
    const StartCase cases[] = {
        {NO_STORED_LANGUAGE, 2052, SC},  // Chinese (PRC)
        {NO_STORED_LANGUAGE, 1028, TC},  // Chinese (Taiwan)
        {NO_STORED_LANGUAGE, 3076, TC},  // Chinese (Hong Kong)
        {NO_STORED_LANGUAGE, 4100, EN},  // Chinese (Singapore)
        {NO_STORED_LANGUAGE, 5124, EN},  // Chinese (Macao)
        {NO_STORED_LANGUAGE, 1041, EN},  // Japanese
        {NO_STORED_LANGUAGE, 1033, EN}, {NO_STORED_LANGUAGE, 0, EN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseStartupLanguage(c.stored, c.locale), c.expected) << c.locale;
    }
}

TEST(StartupLanguage, StoredValuesThatNameNoLanguageCountAsAbsent) {
    const StartCase cases[] = {
        {255, 2052, SC}, {255, 3076, TC}, {7, 3076, TC},   {7, 1033, EN},
        {3, 2052, SC},   {127, 1028, TC}, {128, 2052, SC}, {-2, 1028, TC},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseStartupLanguage(c.stored, c.locale), c.expected) << c.stored;
    }
}

TEST(StartupLanguage, StoredChoiceWinsOverTheLocale) {
    const StartCase cases[] = {
        {0, 1033, SC}, {1, 2052, TC}, {2, 2052, EN}, {2, 3076, EN}, {0, 1028, SC},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseStartupLanguage(c.stored, c.locale), c.expected) << c.stored;
    }
}

// Only the low byte of the stored number is kept.
TEST(StartupLanguage, OnlyTheLowByteOfTheStoredValueCounts) {
    const StartCase cases[] = {
        {256, 1033, SC},      // 0x100
        {258, 2052, EN},      // 0x102
        {-254, 2052, EN},     // 0x...FF02
        {0x1FF, 3076, TC},    // low byte 255: absent
        {0x10003, 2052, SC},  // low byte 3: absent
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseStartupLanguage(c.stored, c.locale), c.expected) << c.stored;
    }
}

}  // namespace
}  // namespace tq370
