#pragma once

#include <cstdint>
#include <span>

#include "link/link_timings.h"

namespace tq370 {

// What every sender needs from the active link. Implementations (USB, serial, WiFi and
// the test doubles) add their own connect and close. No call throws.
class Transport {
  public:
    virtual ~Transport() = default;

    // Fixed for the life of the object; any thread.
    virtual TransportKind kind() const = 0;

    // Hands one complete frame to the link. Called by the sync engine thread (and by the
    // WiFi discovery thread for its own traffic). Returns nothing: a frame that cannot be
    // delivered is lost, and the loss shows only as a missing reply.
    virtual void send(std::span<const std::uint8_t> frame) = 0;

    // Whether a reply can arrive at all, so that a sender may wait for one: false when no
    // port, socket or device is open. Any thread.
    virtual bool isConnected() const = 0;

    // Runs before a miss is counted on a link that has been quiet too long, on the thread
    // that is sending. WiFi reopens its socket and probes register 0 there; the other
    // links have nothing to do. Blocks at most for the probe's own waits.
    virtual void reconnectProbe() {}
};

}  // namespace tq370
