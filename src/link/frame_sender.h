#pragma once

#include <cstdint>
#include <span>

#include "link/frame.h"
#include "link/link_context.h"
#include "link/transport.h"

namespace tq370 {

// Builds a frame and hands it to the transport; never waits for a reply (a sender that
// needs one sets awaitingReply first and waits on replySemaphore). Every frame except a
// text command sent into a link that has been quiet for its silenceMs counts as a miss;
// the miss after missLimit of them takes linkUp down. The transport's reconnect probe runs
// before the miss is counted. Called by the engine thread.
void sendFrame(LinkContext& context, Transport& transport, std::uint8_t command,
               std::span<const std::uint8_t> payload);

inline void sendFrame(LinkContext& context, Transport& transport, const OutgoingFrame& frame) {
    sendFrame(context, transport, frame.command, frame.payload);
}

}  // namespace tq370
