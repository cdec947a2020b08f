#include "update/program_check.h"

#include <bit>

namespace tq370 {
namespace {

// ELF identification and header fields.
constexpr std::uint8_t ELF_MAGIC[] = {0x7F, 'E', 'L', 'F'};
constexpr std::size_t EI_CLASS = 4;
constexpr std::size_t EI_DATA = 5;
constexpr std::size_t E_TYPE = 16;
constexpr std::size_t E_MACHINE = 18;
constexpr std::uint8_t ELFCLASS32 = 1;
constexpr std::uint8_t ELFCLASS64 = 2;
constexpr std::uint8_t ELFDATA2LSB = 1;
constexpr std::uint8_t ELFDATA2MSB = 2;
constexpr std::uint16_t ET_EXEC = 2;
constexpr std::uint16_t ET_DYN = 3;  // position-independent executables

constexpr std::uint16_t thisMachine() {
#if defined(__x86_64__)
    return 62;
#elif defined(__aarch64__)
    return 183;
#elif defined(__i386__)
    return 3;
#elif defined(__arm__)
    return 40;
#elif defined(__riscv)
    return 243;
#else
    return 0;  // no download is taken for a machine this list does not know
#endif
}

std::uint16_t field16(std::span<const std::uint8_t> head, std::size_t at, bool little) {
    return little ? static_cast<std::uint16_t>(head[at] | head[at + 1] << 8)
                  : static_cast<std::uint16_t>(head[at] << 8 | head[at + 1]);
}

}  // namespace

bool isProgramForThisMachine(std::span<const std::uint8_t> head) {
    if (head.size() < PROGRAM_HEADER_BYTES) return false;
    for (std::size_t k = 0; k < sizeof ELF_MAGIC; ++k) {
        if (head[k] != ELF_MAGIC[k]) return false;
    }
    if (head[EI_CLASS] != (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32)) return false;
    const bool little = std::endian::native == std::endian::little;
    if (head[EI_DATA] != (little ? ELFDATA2LSB : ELFDATA2MSB)) return false;
    const std::uint16_t type = field16(head, E_TYPE, little);
    if (type != ET_EXEC && type != ET_DYN) return false;
    return thisMachine() != 0 && field16(head, E_MACHINE, little) == thisMachine();
}

}  // namespace tq370
