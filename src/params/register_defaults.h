#pragma once

#include <array>
#include <cstdint>

#include "params/register_numbers.h"

namespace tq370 {

// The factory value of every register, loaded whenever the sync engine starts.
const std::array<std::int32_t, REGISTER_COUNT>& registerDefaults();

}  // namespace tq370
