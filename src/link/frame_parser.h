#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "link/frame_scanner.h"
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
    static constexpr std::size_t BUFFER_CAP = FrameScanner::BUFFER_CAP;

    explicit FrameParser(LinkContext& context, AddressOffer offer = {});

    // The bytes just received, in any pieces. Called by the active transport's reader
    // thread; a second reader overlapping during a reconnect is serialised. The address
    // offer runs inside this call.
    void input(std::span<const std::uint8_t> bytes);

    std::size_t bufferedBytes() const;

private:
    void apply(std::uint8_t command, std::span<const std::uint8_t> payload);
    void applyHello(std::span<const std::uint8_t> payload);
    void applyReadReply(std::span<const std::uint8_t> payload);
    void applyWriteAck(std::span<const std::uint8_t> payload);
    void applyModeName(std::span<const std::uint8_t> payload);

    LinkContext& context_;
    const AddressOffer offer_;

    // Guards scanner_.
    mutable std::mutex mutex_;
    FrameScanner scanner_;
};

}  // namespace tq370
