#include "describe_labels.h"

namespace tq370::ctl {
namespace {

using Texts = std::string_view[LANGUAGE_COUNT];

constexpr Texts PHASE_FIRST = {"正相", "正相", "180'"};
constexpr Texts PHASE_SECOND = {"反相", "反相", "0'"};
constexpr Texts FAMILIES[] = {
    {"巴特沃斯", "巴特沃斯", "Butter"},
    {"贝塞尔", "貝塞爾", "Bessel"},
    {"宁克", "甯克", "Link"},
};
constexpr Texts INPUT_SOURCES[] = {
    {"高电平输入", "高電平輸入", "High Level"},
    {"低电平输入", "低電平輸入", "Low Level"},
};

std::string_view pick(const Texts& texts, Language language) {
    const auto i = static_cast<int>(language);
    return i >= 0 && i < LANGUAGE_COUNT ? texts[i]
                                              : texts[static_cast<int>(Language::English)];
}

template <std::size_t N>
std::string_view pickFrom(const Texts (&table)[N], int index, Language language) {
    return index >= 0 && index < static_cast<int>(N) ? pick(table[index], language) : "";
}

}  // namespace

std::string_view phaseCaption(bool firstState, Language language) {
    return pick(firstState ? PHASE_FIRST : PHASE_SECOND, language);
}

std::string_view filterFamilyName(int familyIndex, Language language) {
    return pickFrom(FAMILIES, familyIndex, language);
}

std::string_view inputSourceCaption(int index, Language language) {
    return pickFrom(INPUT_SOURCES, index, language);
}

}  // namespace tq370::ctl
