#include "link/frame.h"

#include "base/byte_order.h"
#include "base/crc16.h"

namespace tq370 {

std::vector<std::uint8_t> buildFrame(std::uint8_t command, std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> frame;
    frame.reserve(payload.size() + FRAME_OVERHEAD);
    frame.push_back(FRAME_START);
    frame.push_back(payload.size() <= MAX_DESCRIBED_PAYLOAD
                        ? static_cast<std::uint8_t>(payload.size() + 3)
                        : LENGTH_BYTE_OVERFLOW);
    frame.push_back(command);
    frame.insert(frame.end(), payload.begin(), payload.end());
    std::uint16_t crc = crc16(frame);
    frame.push_back(highByte(crc));
    frame.push_back(lowByte(crc));
    return frame;
}

std::optional<OutgoingFrame> readRequestFrame(const ReadBatch& batch) {
    if (!batch.send) return std::nullopt;
    OutgoingFrame frame{CMD_READ, std::vector<std::uint8_t>(2 * batch.count)};
    for (int i = 0; i < batch.count; ++i) {
        writeBigEndian16(&frame.payload[2 * i], batch.registers[i]);
    }
    return frame;
}

OutgoingFrame readRegisterFrame(int reg) {
    OutgoingFrame frame{CMD_READ, std::vector<std::uint8_t>(2)};
    writeBigEndian16(frame.payload.data(), static_cast<std::uint16_t>(reg));
    return frame;
}

std::optional<OutgoingFrame> writeBatchFrame(const WriteBatch& batch) {
    if (!batch.send) return std::nullopt;
    if (batch.modeNameRequest) return OutgoingFrame{CMD_MODE_NAME, {batch.modeNumber}};
    OutgoingFrame frame{CMD_WRITE, std::vector<std::uint8_t>(4 * batch.count)};
    for (int i = 0; i < batch.count; ++i) {
        writeBigEndian16(&frame.payload[4 * i], batch.entries[i].reg);
        writeBigEndian16(&frame.payload[4 * i + 2], batch.entries[i].value);
    }
    return frame;
}

}  // namespace tq370
