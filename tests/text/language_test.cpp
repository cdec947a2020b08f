#include "text/language.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

TEST(Language, IdentifiersPassedToTheSystem) {
    EXPECT_EQ(languageId(Language::SimplifiedChinese), 2052);
    EXPECT_EQ(languageId(Language::TraditionalChinese), 1028);
    EXPECT_EQ(languageId(Language::English), 1033);
}

TEST(Language, IndexNamesALanguageOnlyFromZeroToTwo) {
    EXPECT_EQ(languageFromIndex(0), Language::SimplifiedChinese);
    EXPECT_EQ(languageFromIndex(1), Language::TraditionalChinese);
    EXPECT_EQ(languageFromIndex(2), Language::English);
    for (int index : {-1, 3, 255}) EXPECT_FALSE(languageFromIndex(index).has_value()) << index;
}

TEST(Language, ListNamesAreTheSameInEveryLanguage) {
    EXPECT_EQ(LANGUAGE_NAMES[0], "简体中文");
    EXPECT_EQ(LANGUAGE_NAMES[1], "繁體中文");
    EXPECT_EQ(LANGUAGE_NAMES[2], "English");
}

TEST(Language, SwitchIsSeenByTheNextRead) {
    Language saved = currentLanguage();
    for (Language language :
         {Language::English, Language::TraditionalChinese, Language::SimplifiedChinese}) {
        setCurrentLanguage(language);
        EXPECT_EQ(currentLanguage(), language);
    }
    setCurrentLanguage(saved);
}

}  // namespace
}  // namespace tq370
