// The frame parser applying a stream in random pieces to a link whose table holds a few
// unsent edits. A second scanner, fed the same pieces, says which frames were accepted;
// from them alone the expected table follows: a read report never overwrites an edit the
// processor has not acknowledged, an acknowledgement clears only an edit it echoes, and a
// mode name stores its mode number. The buffer never holds more than its cap.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/byte_order.h"
#include "link/frame.h"
#include "link/frame_parser.h"
#include "link/link_context.h"
#include "params/register_numbers.h"

namespace {

using tq370::REGISTER_COUNT;

struct ExpectedRegister {
    std::int32_t value = 0;
    bool pending = false;
};

using ExpectedTable = std::array<ExpectedRegister, REGISTER_COUNT>;

void applyEntries(ExpectedTable& table, std::uint8_t command,
                  std::span<const std::uint8_t> payload) {
    for (std::size_t at = 0; at + 4 <= payload.size(); at += 4) {
        const int reg = tq370::readBigEndian16(&payload[at]);
        const std::uint16_t value = tq370::readBigEndian16(&payload[at + 2]);
        if (reg >= REGISTER_COUNT) continue;
        ExpectedRegister& e = table[static_cast<std::size_t>(reg)];
        if (command == tq370::CMD_READ && !e.pending) e.value = value;
        if (command == tq370::CMD_WRITE && (e.value & 0xFFFF) == value) e.pending = false;
    }
}

void apply(ExpectedTable& table, std::uint8_t command, std::span<const std::uint8_t> payload) {
    if (command == tq370::CMD_READ || command == tq370::CMD_WRITE) {
        applyEntries(table, command, payload);
    } else if (command == tq370::CMD_MODE_NAME && !payload.empty()) {
        table[tq370::REG_MODE_COMMAND] = {payload[0], false};
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static tq370::LinkContext link;
    link.registers.loadDefaults();
    ExpectedTable expected;
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        expected[static_cast<std::size_t>(reg)].value = link.registers.getRegister(reg);
    }
    const int edits = input.ConsumeIntegralInRange(0, 4);
    for (int k = 0; k < edits; ++k) {
        const int reg = input.ConsumeIntegralInRange(0, REGISTER_COUNT - 1);
        const std::int32_t value = input.ConsumeIntegral<std::uint16_t>();
        link.registers.setRegister(reg, value);
        expected[static_cast<std::size_t>(reg)] = {value, true};
    }
    const auto seed = input.ConsumeIntegral<std::uint32_t>();
    std::vector<std::uint8_t> stream = input.ConsumeRemainingBytes<std::uint8_t>();
    stream.push_back(0);  // lets a last five-byte frame be scanned

    tq370::FrameParser parser(link);
    tq370::FrameScanner accepted;
    std::uint32_t state = seed | 1;
    for (std::size_t at = 0; at < stream.size();) {
        state = state * 1664525u + 1013904223u;
        const std::size_t piece = std::min<std::size_t>(1 + (state >> 16) % 97, stream.size() - at);
        const std::span<const std::uint8_t> bytes(stream.data() + at, piece);
        parser.input(bytes);
        accepted.input(bytes, [&](std::uint8_t command, std::span<const std::uint8_t> payload) {
            apply(expected, command, payload);
        });
        if (parser.bufferedBytes() > tq370::FrameParser::BUFFER_CAP) std::abort();
        at += piece;
    }

    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        const ExpectedRegister& e = expected[static_cast<std::size_t>(reg)];
        if (link.registers.getRegister(reg) != e.value) std::abort();
        if (link.registers.isWritePending(reg) != e.pending) std::abort();
    }
    return 0;
}
