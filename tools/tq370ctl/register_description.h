#pragma once

#include <string>

#include "text/language.h"

namespace tq370::ctl {

// One line naming the parameter a register holds and its decoded value, e.g.
// "181 CH1 volume -40 dB, phase 180'". Scripts parse these lines: keep the wording.
// A register no parameter owns reads "229 (not used by the application) 25601".
std::string describeRegister(int reg, int value, Language language);

}  // namespace tq370::ctl
