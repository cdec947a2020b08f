#include "link/reply_wait.h"

#include "link/frame.h"
#include "link/frame_sender.h"

namespace tq370 {

ReplyWait sendAndAwait(LinkContext& context, Transport& transport, std::uint8_t command,
                       std::span<const std::uint8_t> payload, double waitMs) {
    context.awaitingReply.store(true, std::memory_order_relaxed);
    sendFrame(context, transport, command, payload);
    ReplyWait result = ReplyWait::NotWaited;
    if (transport.isConnected()) {
        result = context.replySemaphore.acquireFor(context.clock, waitMs) ? ReplyWait::Replied
                                                                          : ReplyWait::TimedOut;
    }
    context.awaitingReply.store(false, std::memory_order_relaxed);
    return result;
}

bool probeRegisterZero(LinkContext& context, Transport& transport, double waitMs) {
    context.registers.entry(REG_PROBE).deviceUpdated.store(0, std::memory_order_relaxed);
    const std::uint8_t readRegisterZero[] = {0, 0};
    sendAndAwait(context, transport, CMD_READ, readRegisterZero, waitMs);
    return context.registers.isDeviceUpdated(REG_PROBE);
}

}  // namespace tq370
