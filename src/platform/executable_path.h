#pragma once

#include <filesystem>
#include <optional>

namespace tq370 {

// The running program's executable with every symbolic link resolved (/proc/self/exe);
// nullopt when the system does not tell.
std::optional<std::filesystem::path> executablePath();

}  // namespace tq370
