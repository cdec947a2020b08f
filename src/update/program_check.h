#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tq370 {

// How many bytes of a file isProgramForThisMachine needs to see.
constexpr std::size_t PROGRAM_HEADER_BYTES = 20;

// Whether a file starting with head is an executable of this machine: an ELF file of this
// processor's architecture, word size and byte order. The update protocol carries no
// signature, so this is the last check before a download may replace the program.
bool isProgramForThisMachine(std::span<const std::uint8_t> head);

}  // namespace tq370
