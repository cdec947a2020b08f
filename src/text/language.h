#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/locale_ids.h"

namespace tq370 {

// The user-interface language; the value is the index of a text in every string entry.
enum class Language : std::uint8_t {
    SimplifiedChinese = 0,
    TraditionalChinese = 1,
    English = 2,
};

constexpr int LANGUAGE_COUNT = 3;

// Names offered in the language list, by language index; the same in every language.
constexpr std::array<std::string_view, LANGUAGE_COUNT> LANGUAGE_NAMES = {"简体中文", "繁體中文",
                                                                         "English"};

// Window message every open window handles after a switch; wParam and lParam both carry
// the new language.
constexpr std::uint32_t WM_LANGUAGE_CHANGED = 0x5860;

// Windows language identifiers of the three languages, passed with message boxes and
// file dialogs.
constexpr std::uint16_t LANGUAGE_ID_SIMPLIFIED_CHINESE = LOCALE_ID_CHINESE_PRC;
constexpr std::uint16_t LANGUAGE_ID_TRADITIONAL_CHINESE = LOCALE_ID_CHINESE_TAIWAN;
constexpr std::uint16_t LANGUAGE_ID_ENGLISH = LOCALE_ID_ENGLISH_US;

std::uint16_t languageId(Language language);

// The language with this index (0..2), e.g. a language-list selection; nullopt otherwise.
std::optional<Language> languageFromIndex(int index);

// The process-wide current language. Any thread may read it; it is written on the UI
// thread only, and a reader during a switch sees either the old or the new language.
Language currentLanguage();
void setCurrentLanguage(Language language);

}  // namespace tq370
