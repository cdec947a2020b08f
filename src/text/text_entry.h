#pragma once

#include <string_view>

#include "text/language.h"

namespace tq370 {

// One text in the three languages (UTF-8). Used by the string table and by the small
// lists of texts a window keeps for itself, which work the same way.
struct TextEntry {
    std::string_view simplifiedChinese;
    std::string_view traditionalChinese;
    std::string_view english;

    // An out-of-range language value reads as English.
    constexpr std::string_view in(Language language) const {
        switch (language) {
            case Language::SimplifiedChinese:
                return simplifiedChinese;
            case Language::TraditionalChinese:
                return traditionalChinese;
            case Language::English:
                break;
        }
        return english;
    }

    // The text in the current language; looked up anew each time so that a switch shows.
    std::string_view inCurrentLanguage() const { return in(currentLanguage()); }

    // True when text equals this entry in any of the three languages.
    constexpr bool matches(std::string_view text) const {
        return text == simplifiedChinese || text == traditionalChinese || text == english;
    }
};

}  // namespace tq370
