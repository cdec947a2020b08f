#include "link/reply_wait.h"

#include "base/stoppable_sleep.h"
#include "link/frame.h"
#include "link/frame_sender.h"
#include "link/link_host.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

// The pauses of connectByProbe between its steps.
constexpr int CONNECT_PAUSE_MS = 100;
constexpr int SEARCH_PAUSE_MS = 100;

}  // namespace

ScopedReplyWait::ScopedReplyWait(LinkContext& context)
    : context_(context), outer_(context.awaitingReply.exchange(true, RELAXED)) {}

ScopedReplyWait::~ScopedReplyWait() {
    context_.awaitingReply.store(outer_, RELAXED);
}

ReplyWait ScopedReplyWait::wait(const Transport& transport, double ms) {
    if (!transport.isConnected()) return ReplyWait::NotWaited;
    return context_.replySemaphore.acquireFor(context_.clock, ms) ? ReplyWait::Replied
                                                                  : ReplyWait::TimedOut;
}

ReplyWait sendAndAwait(LinkContext& context, Transport& transport, std::uint8_t command,
                       std::span<const std::uint8_t> payload, double waitMs) {
    ScopedReplyWait reply(context);
    sendFrame(context, transport, command, payload);
    return reply.wait(transport, waitMs);
}

ProbeResult probeRegisterZero(LinkContext& context, Transport& transport, double waitMs) {
    context.registers.clearDeviceUpdated(REG_PROBE);
    const OutgoingFrame read = readRegisterFrame(REG_PROBE);
    ReplyWait wait = sendAndAwait(context, transport, read.command, read.payload, waitMs);
    if (context.registers.isDeviceUpdated(REG_PROBE)) return ProbeResult::Answered;
    return wait == ReplyWait::NotWaited ? ProbeResult::NotConnected : ProbeResult::Silent;
}

bool announceConnected(LinkContext& context, LinkHost& host, const std::stop_token& stop,
                       double settleMs) {
    if (stop.stop_requested()) return false;
    host.linkStatus(LinkStatus::Connected, stop);
    context.linkUp.store(true, RELAXED);
    sleepUnlessStopped(context.clock, stop, settleMs);
    return !stop.stop_requested();
}

bool probeQuietLink(LinkContext& context, Transport& transport, int attempts, double waitMs) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        ScopedReplyWait reply(context);
        transport.send(READ_REGISTER_ZERO);
        if (reply.wait(transport, waitMs) == ReplyWait::Replied) return true;
    }
    return false;
}

bool connectByProbe(LinkContext& context, Transport& transport, ProbedDevice& device,
                    LinkHost& host, const std::stop_token& stop, double probeWaitMs) {
    while (!stop.stop_requested()) {
        host.linkStatus(LinkStatus::Searching, stop);
        transport.close();
        sleepUnlessStopped(context.clock, stop, CONNECT_PAUSE_MS);
        context.linkUp.store(false, RELAXED);
        if (!device.prepareRound(host, stop)) return false;

        while (!stop.stop_requested()) {
            if (!transport.isConnected()) {
                ProbedDevice::Opened opened = device.openDevice(host, stop);
                if (opened == ProbedDevice::Opened::Stopped) return false;
                if (opened == ProbedDevice::Opened::No) {
                    sleepUnlessStopped(context.clock, stop, SEARCH_PAUSE_MS);
                    continue;
                }
            }
            if (probeRegisterZero(context, transport, probeWaitMs) == ProbeResult::Answered) {
                return announceConnected(context, host, stop, CONNECT_PAUSE_MS);
            }
            // The reader ended during the probe: the device went away, start over.
            if (!transport.isConnected()) break;
            sleepUnlessStopped(context.clock, stop, CONNECT_PAUSE_MS);
        }
    }
    return false;
}

}  // namespace tq370
