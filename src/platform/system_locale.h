#pragma once

#include <cstdint>
#include <string_view>

namespace tq370 {

// Windows locale identifiers, the numbering the rest of the program uses for locales.
constexpr std::uint32_t LOCALE_ID_CHINESE_PRC = 2052;        // zh_CN
constexpr std::uint32_t LOCALE_ID_CHINESE_TAIWAN = 1028;     // zh_TW
constexpr std::uint32_t LOCALE_ID_CHINESE_HONG_KONG = 3076;  // zh_HK
constexpr std::uint32_t LOCALE_ID_CHINESE_SINGAPORE = 4100;  // zh_SG
constexpr std::uint32_t LOCALE_ID_CHINESE_MACAO = 5124;      // zh_MO
constexpr std::uint32_t LOCALE_ID_JAPANESE = 1041;           // ja, any territory
constexpr std::uint32_t LOCALE_ID_ENGLISH_US = 1033;         // everything else

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
