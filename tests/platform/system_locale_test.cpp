#include "platform/system_locale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace tq370 {
namespace {

TEST(SystemLocale, NamesMapToWindowsIdentifiers) {
    struct Case {
        std::string_view name;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"zh_CN", 2052},
        {"zh_CN.UTF-8", 2052},
        {"zh_CN.GB18030", 2052},
        {"zh_TW", 1028},
        {"zh_TW@variant", 1028},
        {"zh_TW.UTF-8@variant", 1028},
        {"zh-TW", 1028},
        {"zh_tw.utf8", 1028},
        {"zh_HK.UTF-8", 3076},
        {"zh_SG", 4100},
        {"zh_MO.UTF-8", 5124},
        {"ja_JP.UTF-8", 1041},
        {"ja", 1041},
        {"zh", 1033},
        {"zh_XX", 1033},
        {"zhx_CN", 1033},
        {"en_GB.UTF-8", 1033},
        {"de_DE@euro", 1033},
        {"C", 1033},
        {"C.UTF-8", 1033},
        {"POSIX", 1033},
        {"", 1033},
        {"_CN", 1033},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(localeIdForName(c.name), c.expected) << '"' << c.name << '"';
    }
}

TEST(SystemLocale, FirstNonEmptyVariableDecides) {
    struct Case {
        std::string_view lcAll, lcMessages, lang;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"zh_TW.UTF-8", "ja_JP.UTF-8", "zh_CN.UTF-8", 1028},  // LC_ALL wins
        {"", "ja_JP.UTF-8", "zh_CN.UTF-8", 1041},             // then LC_MESSAGES
        {"", "", "zh_HK.UTF-8", 3076},                        // then LANG
        {"C", "", "zh_CN.UTF-8", 1033},                       // "C" is a value, not absence
        {"", "", "", 1033},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(localeIdForEnvironment(c.lcAll, c.lcMessages, c.lang), c.expected)
            << c.lcAll << " | " << c.lcMessages << " | " << c.lang;
    }
}

// Sets the three variables for one test and puts the old values back afterwards.
class LocaleEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(NAMES[i]);
            saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    void TearDown() override {
        for (int i = 0; i < 3; ++i) set(NAMES[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }
    static void set(const char* name, const char* value) {
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }

    static constexpr const char* NAMES[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

private:
    std::optional<std::string> saved_[3];
};

TEST_F(LocaleEnvironmentTest, ReadsTheProcessEnvironment) {
    set("LC_ALL", nullptr);
    set("LC_MESSAGES", "");
    set("LANG", "zh_HK.UTF-8");
    EXPECT_EQ(systemLocaleId(), 3076u);
    set("LC_MESSAGES", "zh_CN.UTF-8");
    EXPECT_EQ(systemLocaleId(), 2052u);
    set("LC_ALL", "ja_JP.UTF-8");
    EXPECT_EQ(systemLocaleId(), 1041u);
    set("LC_ALL", nullptr);
    set("LC_MESSAGES", nullptr);
    set("LANG", nullptr);
    EXPECT_EQ(systemLocaleId(), 1033u);
}

}  // namespace
}  // namespace tq370
