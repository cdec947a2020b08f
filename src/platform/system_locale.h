#pragma once

#include <cstdint>
#include <string_view>

#include "base/locale_ids.h"

namespace tq370 {

// The identifier of one POSIX locale name such as "zh_CN.UTF-8" or "zh_TW@variant": the
// codeset and modifier are ignored, language and territory compared without regard to
// case ("zh-TW" is read like "zh_TW"). "C", "POSIX", an empty or unknown name give 1033.
std::uint32_t localeIdForName(std::string_view localeName);

// The identifier of the locale that user-interface messages follow: the first non-empty
// of LC_ALL, LC_MESSAGES and LANG, as the C library picks it.
std::uint32_t localeIdForEnvironment(std::string_view lcAll, std::string_view lcMessages,
                                     std::string_view lang);

// localeIdForEnvironment over this process's environment. Any thread; never fails.
std::uint32_t systemLocaleId();

}  // namespace tq370
