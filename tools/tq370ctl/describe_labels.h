#pragma once

#include <string_view>

#include "text/language.h"

namespace tq370::ctl {

// The string-table texts that `describe` prints, in the three languages.
std::string_view phaseCaption(bool firstState, Language language);
std::string_view filterFamilyName(int familyIndex, Language language);  // "" if unknown
std::string_view inputSourceCaption(int index, Language language);      // "" if unknown

}  // namespace tq370::ctl
