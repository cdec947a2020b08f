#include "platform/program_version.h"

namespace tq370 {

std::uint32_t programVersion() {
    return (static_cast<std::uint32_t>(TQ370_VERSION_MAJOR) << 16) |
           (static_cast<std::uint32_t>(TQ370_VERSION_MINOR) & 0xFFFF);
}

}  // namespace tq370
