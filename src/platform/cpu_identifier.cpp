#include "platform/cpu_identifier.h"

#include "base/byte_order.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace tq370 {

std::array<std::uint8_t, 8> cpuIdentifier() {
    std::array<std::uint8_t, 8> id{};
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        writeLittleEndian32(id.data(), eax);
        writeLittleEndian32(id.data() + 4, edx);
    }
#endif
    return id;
}

}  // namespace tq370
