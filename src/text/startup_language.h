#pragma once

#include <cstdint>

#include "text/language.h"

namespace tq370 {

// The "Language" setting as read when the key is absent or the file unreadable.
constexpr int NO_STORED_LANGUAGE = -1;

// The language that a system locale identifier (Windows numbering) starts in:
// 2052 Simplified Chinese; 1028 and 3076 Traditional Chinese; every other one English.
Language languageForLocale(std::uint32_t localeId);

// The language to start in. storedValue is the stored "Language" setting; only its low
// byte is kept, as a signed byte. 0, 1 and 2 choose that language; a negative byte (so
// -1, and 128..255) or 3..127 counts as no choice, and the system locale decides.
Language chooseStartupLanguage(int storedValue, std::uint32_t systemLocaleId);

}  // namespace tq370
