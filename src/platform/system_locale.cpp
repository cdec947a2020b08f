#include "platform/system_locale.h"

#include <cstdlib>

namespace tq370 {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

struct TerritoryId {
    std::string_view territory;
    std::uint32_t id;
};

constexpr TerritoryId CHINESE_TERRITORIES[] = {
    {"CN", LOCALE_ID_CHINESE_PRC},       {"TW", LOCALE_ID_CHINESE_TAIWAN},
    {"HK", LOCALE_ID_CHINESE_HONG_KONG}, {"SG", LOCALE_ID_CHINESE_SINGAPORE},
    {"MO", LOCALE_ID_CHINESE_MACAO},
};

std::string_view environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view{value} : std::string_view{};
}

}  // namespace

std::uint32_t localeIdForName(std::string_view localeName) {
    // language[_territory][.codeset][@modifier]
    std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
    auto separator = name.find_first_of("_-");
    std::string_view language = name.substr(0, separator);
    std::string_view territory =
        separator == std::string_view::npos ? std::string_view{} : name.substr(separator + 1);

    if (equalsIgnoringCase(language, "ja")) return LOCALE_ID_JAPANESE;
    if (equalsIgnoringCase(language, "zh")) {
        for (const auto& entry : CHINESE_TERRITORIES) {
            if (equalsIgnoringCase(territory, entry.territory)) return entry.id;
        }
    }
    return LOCALE_ID_ENGLISH_US;
}

std::uint32_t localeIdForEnvironment(std::string_view lcAll, std::string_view lcMessages,
                                     std::string_view lang) {
    for (std::string_view name : {lcAll, lcMessages, lang}) {
        if (!name.empty()) return localeIdForName(name);
    }
    return LOCALE_ID_ENGLISH_US;
}

std::uint32_t systemLocaleId() {
    return localeIdForEnvironment(environmentValue("LC_ALL"), environmentValue("LC_MESSAGES"),
                                  environmentValue("LANG"));
}

}  // namespace tq370
