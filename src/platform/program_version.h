#pragma once

#include <cstdint>

namespace tq370 {

// The program's own version as major × 65536 + minor, from the version it was built with.
std::uint32_t programVersion();

}  // namespace tq370
