#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "link/link_context.h"
#include "link/text_reply.h"

namespace tq370 {

// Finds the frames in the bytes a transport receives and applies each one to the
// LinkContext: register values, write acknowledgements, identity and lock, mode names,
// text replies, completion flags, and the wake-up of a waiting sender. Bytes that never
// become a frame are kept until a later frame is accepted, but never more than
// BUFFER_CAP of them (the oldest go first).
class FrameParser {
  public:
    static constexpr std::size_t BUFFER_CAP = 64 * 1024;

    explicit FrameParser(LinkContext& context, AddressOffer offer = {});

    // The bytes just received, in any pieces. Called by the active transport's reader
    // thread; a second reader overlapping during a reconnect is serialised. The address
    // offer runs inside this call.
    void input(std::span<const std::uint8_t> bytes);

    std::size_t bufferedBytes() const;

  private:
    void scan();
    void apply(std::uint8_t command, std::span<const std::uint8_t> payload);
    void applyHello(std::span<const std::uint8_t> payload);
    void applyReadReply(std::span<const std::uint8_t> payload);
    void applyWriteAck(std::span<const std::uint8_t> payload);
    void applyModeName(std::span<const std::uint8_t> payload);

    LinkContext& context_;
    const AddressOffer offer_;

    // Guards buffer_ and scanFrom_.
    mutable std::mutex mutex_;
    std::vector<std::uint8_t> buffer_;
    // Every start marker before this offset leads to a complete candidate that failed its
    // CRC, so scanning it again could only fail again.
    std::size_t scanFrom_ = 0;
};

}  // namespace tq370
