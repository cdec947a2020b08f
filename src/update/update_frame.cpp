#include "update/update_frame.h"

#include <algorithm>

#include "base/byte_order.h"
#include "base/crc16.h"

namespace tq370 {

std::vector<std::uint8_t> buildUpdateFrame(std::uint8_t command,
                                           std::span<const std::uint8_t> payload) {
    const std::size_t length = payload.size() + UPDATE_FRAME_OVERHEAD;
    if (length > UPDATE_FRAME_MAX) return {};
    std::vector<std::uint8_t> frame(length);
    frame[0] = UPDATE_MAGIC_0;
    frame[1] = UPDATE_MAGIC_1;
    writeBigEndian16(&frame[2], static_cast<std::uint16_t>(length));
    frame[4] = command;
    std::copy(payload.begin(), payload.end(), frame.begin() + 5);
    writeBigEndian16(&frame[length - 2], crc16(frame.data(), length - 2));
    return frame;
}

std::vector<UpdateFrame> findUpdateFrames(std::span<const std::uint8_t> buffer) {
    std::vector<UpdateFrame> frames;
    for (std::size_t at = 0; at + UPDATE_FRAME_OVERHEAD <= buffer.size(); ++at) {
        const std::uint8_t* p = buffer.data() + at;
        if (p[0] != UPDATE_MAGIC_0 || p[1] != UPDATE_MAGIC_1) continue;
        const std::size_t length = readBigEndian16(p + 2);
        if (length < UPDATE_FRAME_OVERHEAD || length > buffer.size() - at) continue;
        if (crc16(p, length - 2) != readBigEndian16(p + length - 2)) continue;
        frames.push_back({at, buffer.subspan(at, length)});
    }
    return frames;
}

}  // namespace tq370
