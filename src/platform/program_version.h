#pragma once

#include <cstdint>
#include <string>

namespace tq370 {

// The program's own version as major × 65536 + minor, from the version it was built with.
std::uint32_t programVersion();
// "<program> <major>.<minor>", what --version prints.
std::string programVersionText(const std::string& program);

}  // namespace tq370
