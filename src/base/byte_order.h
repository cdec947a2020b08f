#pragma once

#include <cstdint>

namespace tq370 {

inline std::uint8_t highByte(std::uint16_t v) {
    return static_cast<std::uint8_t>(v >> 8);
}
inline std::uint8_t lowByte(std::uint16_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

inline std::uint16_t readBigEndian16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint16_t readLittleEndian16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t readLittleEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void writeBigEndian16(std::uint8_t* p, std::uint16_t v) {
    p[0] = highByte(v);
    p[1] = lowByte(v);
}
inline void writeLittleEndian16(std::uint8_t* p, std::uint16_t v) {
    p[0] = lowByte(v);
    p[1] = highByte(v);
}
inline void writeLittleEndian32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace tq370
