#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace tq370 {

// Finds the frames in a byte stream that arrives in pieces of any size: start marker,
// length byte, command, payload, CRC. Both ends of the link use it: the host's
// FrameParser and the simulated processor. Bytes that never become a frame are kept
// until a later frame is accepted, but never more than BUFFER_CAP of them (the oldest go
// first). Not thread-safe: its owner serialises the calls.
class FrameScanner {
public:
    static constexpr std::size_t BUFFER_CAP = 64 * 1024;

    // One accepted frame; the payload view is valid during the call only.
    using FrameHandler =
        std::function<void(std::uint8_t command, std::span<const std::uint8_t> payload)>;

    // Appends the bytes and calls onFrame for every frame with a correct CRC, in order.
    void input(std::span<const std::uint8_t> bytes, const FrameHandler& onFrame);

    std::size_t bufferedBytes() const { return buffer_.size(); }

private:
    void scan(const FrameHandler& onFrame);

    std::vector<std::uint8_t> buffer_;
    // Every start marker before this offset leads to a complete candidate that failed its
    // CRC, so scanning it again could only fail again.
    std::size_t scanFrom_ = 0;
};

}  // namespace tq370
