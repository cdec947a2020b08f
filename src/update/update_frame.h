#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tq370 {

// Frames of the update protocol, on UDP and TCP alike:
//   "Ko", length L (big-endian, the whole frame), command, payload (L - 7 bytes),
//   CRC-16 of everything before it, high byte first.
constexpr std::uint8_t UPDATE_MAGIC_0 = 0x4B;  // 'K'
constexpr std::uint8_t UPDATE_MAGIC_1 = 0x6F;  // 'o'
constexpr std::size_t UPDATE_FRAME_OVERHEAD = 7;
constexpr std::size_t UPDATE_FRAME_MAX = 0xFFFF;
// Every receive of the update protocol takes at most this many bytes.
constexpr std::size_t UPDATE_RECEIVE_LIMIT = 1400;

// A frame found in a received buffer; bytes views the whole frame inside that buffer.
struct UpdateFrame {
    std::size_t offset = 0;
    std::span<const std::uint8_t> bytes;

    std::uint8_t command() const { return bytes[4]; }
};

// The frame for command and payload; empty when the payload would make it longer than
// UPDATE_FRAME_MAX.
std::vector<std::uint8_t> buildUpdateFrame(std::uint8_t command,
                                           std::span<const std::uint8_t> payload);

// Every frame in buffer, in order of its start: each start position is tried, and a
// frame counts only when it lies wholly inside buffer and its CRC matches, so leading
// garbage or a cut-off frame is skipped byte by byte.
std::vector<UpdateFrame> findUpdateFrames(std::span<const std::uint8_t> buffer);

}  // namespace tq370
