#pragma once

#include <cstdint>
#include <span>

#include "link/link_context.h"
#include "link/transport.h"

namespace tq370 {

enum class ReplyWait {
    Replied,
    TimedOut,
    NotWaited,  // the transport could not deliver a reply, so the wait counts as done
};

// One request and the wait for its reply: sets awaitingReply, sends the frame through
// sendFrame, waits up to waitMs on replySemaphore while the transport is connected, and
// clears awaitingReply. Engine thread (and the connect routines it calls).
ReplyWait sendAndAwait(LinkContext& context, Transport& transport, std::uint8_t command,
                       std::span<const std::uint8_t> payload, double waitMs);

// The register-0 probe of the connect routines: clears register 0's report, asks for it
// and waits up to waitMs. True when register 0 was reported (even after a time-out).
bool probeRegisterZero(LinkContext& context, Transport& transport, double waitMs);

}  // namespace tq370
