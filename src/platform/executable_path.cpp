#include "platform/executable_path.h"

#include <system_error>

namespace tq370 {

std::optional<std::filesystem::path> executablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || path.empty()) return std::nullopt;
    return path;
}

}  // namespace tq370
