#pragma once

#include <cstdint>
#include <vector>

// The processor's 1901 registers by number, besides the per-channel ones
// (channel_register_map.h): what the program itself reads, writes or sends.
namespace tq370 {

constexpr int REGISTER_COUNT = 1901;
constexpr int LAST_REGISTER = REGISTER_COUNT - 1;

constexpr bool isRegister(int reg) {
    return reg >= 0 && reg <= LAST_REGISTER;
}

constexpr int REG_PROBE = 0;  // read by every connect and reconnect check
constexpr int REG_INPUT_SOURCE = 1884;
constexpr int REG_MODE_CURRENT = 1892;
constexpr int REG_MODE_COMMAND = 1893;
constexpr int REG_HOST_LINK = 1894;
constexpr int REG_NOISE_GATE = 1895;

// The high byte of REG_MODE_COMMAND says what to do with the mode in its low byte.
constexpr int MODE_COMMAND_FETCH_NAME = 5;
constexpr int MODE_COMMAND_RECALL = 6;
constexpr int MODE_COMMAND_SAVE = 7;

// The keep-alive's value of REG_HOST_LINK: a PC is linked.
constexpr std::uint16_t HOST_LINK_ALIVE = 1;

// A mode's name: the processor's replies carry up to MODE_NAME_LENGTH characters, a save
// sends the first MODE_NAME_SENT of them.
constexpr int MODE_NAME_LENGTH = 25;
constexpr int MODE_NAME_SENT = 20;

// An upload takes register 0 and registers UPLOAD_FIRST..UPLOAD_LAST from a preset file.
constexpr int UPLOAD_FIRST = 230;
constexpr int UPLOAD_LAST = 1875;
const std::vector<int>& uploadRegisterList();

}  // namespace tq370
