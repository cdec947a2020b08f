#pragma once

#include <string_view>

#include "link/label_language.h"

namespace tq370::ctl {

// The system texts that `describe` prints, in the three languages.
std::string_view phaseCaption(bool firstState, LabelLanguage language);
std::string_view filterFamilyName(int familyIndex, LabelLanguage language);  // "" if unknown
std::string_view inputSourceCaption(int index, LabelLanguage language);      // "" if unknown

}  // namespace tq370::ctl
