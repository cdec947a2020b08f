#pragma once

#include <array>
#include <cstdint>

namespace tq370 {

// Eight bytes naming this machine's processor: the CPUID leaf 1 signature (EAX) and then
// its feature flags (EDX), each least significant byte first. All zero where the
// instruction does not exist (non-x86 builds).
std::array<std::uint8_t, 8> cpuIdentifier();

}  // namespace tq370
