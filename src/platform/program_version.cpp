#include "platform/program_version.h"

namespace tq370 {

std::uint32_t programVersion() {
    return (static_cast<std::uint32_t>(TQ370_VERSION_MAJOR) << 16) |
           (static_cast<std::uint32_t>(TQ370_VERSION_MINOR) & 0xFFFF);
}

std::string programVersionText(const std::string& program) {
    const std::uint32_t version = programVersion();
    return program + " " + std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF);
}

}  // namespace tq370
