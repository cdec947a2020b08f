#pragma once

#include <cstdint>

namespace tq370 {

// Windows locale (and language) identifiers, the numbering the rest of the program uses
// for locales: the platform reads the system's locale into one, the text layer picks the
// start-up language from it and passes its language's identifier with message boxes.
constexpr std::uint32_t LOCALE_ID_CHINESE_PRC = 2052;        // zh_CN
constexpr std::uint32_t LOCALE_ID_CHINESE_TAIWAN = 1028;     // zh_TW
constexpr std::uint32_t LOCALE_ID_CHINESE_HONG_KONG = 3076;  // zh_HK
constexpr std::uint32_t LOCALE_ID_CHINESE_SINGAPORE = 4100;  // zh_SG
constexpr std::uint32_t LOCALE_ID_CHINESE_MACAO = 5124;      // zh_MO
constexpr std::uint32_t LOCALE_ID_JAPANESE = 1041;           // ja, any territory
constexpr std::uint32_t LOCALE_ID_ENGLISH_US = 1033;         // everything else

}  // namespace tq370
