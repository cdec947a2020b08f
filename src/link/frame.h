#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/register_table.h"

namespace tq370 {

// Command codes of the link, in both directions.
constexpr std::uint8_t CMD_HELLO = 0x00;
constexpr std::uint8_t CMD_RECALL_MODE = 0x01;
constexpr std::uint8_t CMD_WRITE = 0x03;
constexpr std::uint8_t CMD_MODE_NAME = 0x04;
constexpr std::uint8_t CMD_READ = 0x06;
constexpr std::uint8_t CMD_SAVE_MODE = 0x10;
constexpr std::uint8_t CMD_TEXT = 0x57;
constexpr std::uint8_t CMD_SEND_ALL = 0xF0;

constexpr std::uint8_t FRAME_START = 0x80;
// The read request for register 0 as it goes on the line: the probe every connect and
// reconnect check sends (a test checks it against buildFrame).
constexpr std::uint8_t READ_REGISTER_ZERO[] = {0x80, 0x05, 0x06, 0x00, 0x00, 0x13, 0xC5};
// Start, length, command and the two CRC bytes around the payload.
constexpr int FRAME_OVERHEAD = 5;
// The longest payload whose length byte still describes the frame; longer payloads are
// sent whole with the length byte 255.
constexpr int MAX_DESCRIBED_PAYLOAD = 249;
constexpr std::uint8_t LENGTH_BYTE_OVERFLOW = 255;

// 0x80, length, command, payload, CRC-16 of everything before it, high byte first.
std::vector<std::uint8_t> buildFrame(std::uint8_t command, std::span<const std::uint8_t> payload);

// A frame still to be built: what a batch turns into.
struct OutgoingFrame {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
};

// The read request for a batch (two bytes per register, high byte first); nullopt when
// the batch is not to be sent at all.
std::optional<OutgoingFrame> readRequestFrame(const ReadBatch& batch);

// The read request for one register.
OutgoingFrame readRegisterFrame(int reg);

// The write frame for a batch (register, value: four bytes per entry, high bytes first),
// or the mode-name request when the batch met a name fetch; nullopt when nothing is sent.
std::optional<OutgoingFrame> writeBatchFrame(const WriteBatch& batch);

}  // namespace tq370
