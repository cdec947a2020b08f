#include "link/frame_sender.h"

namespace tq370 {
namespace {

void countMissIfSilent(LinkContext& context, Transport& transport) {
    const LinkTimings timings = transport.traits().timings;
    std::int64_t quietMs =
        context.clock.nowMs() - context.lastRxTick.load(std::memory_order_relaxed);
    if (quietMs < timings.silenceMs) return;
    transport.reconnectProbe();
    // One read-modify-write, so a reset by the parser in between is never undone.
    int before = context.missCount.fetch_add(1, std::memory_order_relaxed);
    if (before >= timings.missLimit) {
        context.linkUp.store(false, std::memory_order_relaxed);
        context.missCount.store(0, std::memory_order_relaxed);
    }
}

}  // namespace

void sendFrame(LinkContext& context, Transport& transport, std::uint8_t command,
               std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> frame = buildFrame(command, payload);
    if (command != CMD_TEXT) countMissIfSilent(context, transport);
    transport.send(frame);
}

}  // namespace tq370
