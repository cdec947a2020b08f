#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "base/byte_order.h"
#include "link/frame.h"

namespace tq370::test {

using Bytes = std::vector<std::uint8_t>;

// Frames as the processor sends them.

// Read reply or write acknowledgement: (register, value) entries.
inline Bytes registerFrame(std::uint8_t command,
                           std::initializer_list<std::pair<int, int>> entries) {
    Bytes payload;
    for (auto [reg, value] : entries) {
        std::uint8_t entry[4];
        writeBigEndian16(entry, static_cast<std::uint16_t>(reg));
        writeBigEndian16(entry + 2, static_cast<std::uint16_t>(value));
        payload.insert(payload.end(), entry, entry + 4);
    }
    return buildFrame(command, payload);
}

inline Bytes readReply(std::initializer_list<std::pair<int, int>> entries) {
    return registerFrame(CMD_READ, entries);
}

inline Bytes writeAck(std::initializer_list<std::pair<int, int>> entries) {
    return registerFrame(CMD_WRITE, entries);
}

// A text reply: the text and two trailing bytes that are not part of it.
inline Bytes textReply(std::string_view text) {
    Bytes payload(text.begin(), text.end());
    payload.push_back(0);
    payload.push_back(0);
    return buildFrame(CMD_TEXT, payload);
}

}  // namespace tq370::test
