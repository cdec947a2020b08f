#include "describe_labels.h"

#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370::ctl {
namespace {

constexpr int FAMILIES[] = {TXT_BUTTERWORTH, TXT_BESSEL, TXT_LINKWITZ};
constexpr int INPUT_SOURCES[] = {TXT_HIGH_LEVEL_INPUT, TXT_LOW_LEVEL_INPUT};

template <std::size_t N>
std::string_view pickFrom(const int (&entries)[N], int index, Language language) {
    return index >= 0 && index < static_cast<int>(N) ? text(entries[index], language) : "";
}

}  // namespace

std::string_view phaseCaption(bool firstState, Language language) {
    return text(firstState ? TXT_PHASE_NORMAL : TXT_PHASE_INVERTED, language);
}

std::string_view filterFamilyName(int familyIndex, Language language) {
    return pickFrom(FAMILIES, familyIndex, language);
}

std::string_view inputSourceCaption(int index, Language language) {
    return pickFrom(INPUT_SOURCES, index, language);
}

}  // namespace tq370::ctl
