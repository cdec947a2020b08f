#include "text/startup_language.h"

#include "base/locale_ids.h"

namespace tq370 {

Language languageForLocale(std::uint32_t localeId) {
    switch (localeId) {
        case LOCALE_ID_CHINESE_PRC:
            return Language::SimplifiedChinese;
        case LOCALE_ID_CHINESE_TAIWAN:
        case LOCALE_ID_CHINESE_HONG_KONG:
            return Language::TraditionalChinese;
        default:
            return Language::English;
    }
}

Language chooseStartupLanguage(int storedValue, std::uint32_t systemLocaleId) {
    // As a signed byte, 0..2 are the only values that name a language.
    if (auto chosen = languageFromIndex(storedValue & 0xFF)) return *chosen;
    return languageForLocale(systemLocaleId);
}

}  // namespace tq370
