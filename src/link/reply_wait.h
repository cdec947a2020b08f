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

// Raises awaitingReply for its life and then puts back what was there before: a wait
// nested inside a send (a transport probing a quiet link before the frame goes out) must
// leave the sender's own wait for its reply armed.
class ScopedReplyWait {
public:
    explicit ScopedReplyWait(LinkContext& context);
    ~ScopedReplyWait();
    ScopedReplyWait(const ScopedReplyWait&) = delete;
    ScopedReplyWait& operator=(const ScopedReplyWait&) = delete;

    // Waits up to ms protocol milliseconds on replySemaphore while transport is connected.
    ReplyWait wait(const Transport& transport, double ms);

private:
    LinkContext& context_;
    const bool outer_;
};

// One request and the wait for its reply: raises awaitingReply, sends the frame through
// sendFrame, waits up to waitMs on replySemaphore while the transport is connected, and
// lowers awaitingReply again. Engine thread (and the connect routines it calls).
ReplyWait sendAndAwait(LinkContext& context, Transport& transport, std::uint8_t command,
                       std::span<const std::uint8_t> payload, double waitMs);

enum class ProbeResult {
    Answered,      // register 0 was reported
    Silent,        // the link is open, nothing came
    NotConnected,  // the transport could not carry the probe
};

// The register-0 probe of the connect routines: clears register 0's report, asks for it
// and waits up to waitMs. Answered when register 0 was reported (even after a time-out).
ProbeResult probeRegisterZero(LinkContext& context, Transport& transport, double waitMs);

// The end of every connect routine once the probe was answered: tells the host the link
// is connected, raises linkUp and lets the link settle for settleMs. False when the
// engine is being stopped. Engine thread.
bool announceConnected(LinkContext& context, LinkHost& host, const std::stop_token& stop,
                       double settleMs);

// The probe a transport runs inside a send when the link has been quiet too long: up to
// attempts reads of register 0, each waiting up to waitMs for any reply, sent straight to
// the transport (not through sendFrame, which is what called it). True at the first reply.
bool probeQuietLink(LinkContext& context, Transport& transport, int attempts, double waitMs);

// What connectByProbe needs from a link that opens as one device.
class ProbedDevice {
public:
    enum class Opened { Yes, No, Stopped };
    virtual ~ProbedDevice() = default;
    // Before every round of attempts, e.g. taking a channel lock; false when stopped.
    virtual bool prepareRound(LinkHost&, const std::stop_token&) { return true; }
    // Opens the device and starts its reader.
    virtual Opened openDevice(LinkHost& host, const std::stop_token& stop) = 0;
};

// The connect routine of such a link: report searching, close, pause, then open and probe
// until register 0 answers (announced as above) or stop is requested (false). A device
// that opens but stays silent is probed again on the same open; one that goes away during
// the probe starts the round over. Engine thread.
bool connectByProbe(LinkContext& context, Transport& transport, ProbedDevice& device,
                    LinkHost& host, const std::stop_token& stop, double probeWaitMs);

}  // namespace tq370
