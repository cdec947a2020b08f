#include "text/language.h"

#include <atomic>

namespace tq370 {

namespace {

// The one mutable process-wide value: a single byte, so every read sees a whole value.
// It starts at 0 (Simplified Chinese) until the start-up choice sets it.
std::atomic<std::uint8_t> currentLanguageByte{0};

}  // namespace

std::uint16_t languageId(Language language) {
    switch (language) {
        case Language::SimplifiedChinese:
            return LANGUAGE_ID_SIMPLIFIED_CHINESE;
        case Language::TraditionalChinese:
            return LANGUAGE_ID_TRADITIONAL_CHINESE;
        case Language::English:
            break;
    }
    return LANGUAGE_ID_ENGLISH;
}

std::optional<Language> languageFromIndex(int index) {
    if (index < 0 || index >= LANGUAGE_COUNT) return std::nullopt;
    return static_cast<Language>(index);
}

Language currentLanguage() {
    return static_cast<Language>(currentLanguageByte.load(std::memory_order_relaxed));
}

void setCurrentLanguage(Language language) {
    currentLanguageByte.store(static_cast<std::uint8_t>(language), std::memory_order_relaxed);
}

}  // namespace tq370
