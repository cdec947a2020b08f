#pragma once

#include <cstdint>
#include <span>
#include <stop_token>

#include "link/link_timings.h"

namespace tq370 {

class LinkHost;

// The active link to the processor. Implementations: USB, serial, WiFi, the in-process
// link to the simulated processor and the test doubles. No call throws.
class Transport {
public:
    virtual ~Transport() = default;

    // Fixed for the life of the object; any thread.
    virtual TransportKind kind() const = 0;
    // What the engine needs to know of this link: its timings, who carries text commands,
    // how the read-back starts, its caption. Fixed for the life of the object; any thread.
    virtual TransportTraits traits() const { return transportTraitsFor(kind()); }

    // Opens the link and blocks until a processor answered the register-0 probe (then
    // reports LinkStatus::Connected to the host and returns true) or until stop is
    // requested (returns false). Retries without end in between. Engine thread only.
    virtual bool connect(LinkHost& host, std::stop_token stop) = 0;

    // Closes whatever is open and ends the reader thread; a reply wait in progress ends
    // at once or at its time-out. Safe from any thread, also when nothing is open.
    virtual void close() = 0;

    // Hands one complete frame to the link. Called by the sync engine thread (and by the
    // WiFi discovery thread for its own traffic). Returns nothing: a frame that cannot be
    // delivered is lost, and the loss shows only as a missing reply.
    virtual void send(std::span<const std::uint8_t> frame) = 0;

    // Whether a reply can arrive at all, so that a sender may wait for one: false when no
    // port, socket or device is open. Any thread.
    virtual bool isConnected() const = 0;

    // Runs before a miss is counted on a link that has been quiet too long, on the thread
    // that is sending. WiFi reopens its socket and probes register 0 there (probeQuietLink);
    // the other links have nothing to do. Blocks at most for the probe's own waits.
    virtual void reconnectProbe() {}
};

}  // namespace tq370
