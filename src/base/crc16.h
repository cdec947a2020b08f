#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tq370 {

// CRC-16 with the Modbus parameters (initial 0xFFFF, reflected polynomial 0xA001, no
// final XOR). The link sends it high byte first; preset files store it low byte first.
std::uint16_t crc16(std::span<const std::uint8_t> bytes);

inline std::uint16_t crc16(const std::uint8_t* bytes, std::size_t count) {
    return crc16(std::span<const std::uint8_t>(bytes, count));
}

}  // namespace tq370
