#include "sim/in_process_transport.h"

#include "link/frame.h"
#include "link/link_host.h"
#include "link/reply_wait.h"
#include "link/stoppable_sleep.h"

namespace tq370 {
namespace {

constexpr int CONNECT_PAUSE_MS = 100;
constexpr int PROBE_ATTEMPTS = 5;
constexpr int PROBE_WAIT_MS = 1000;

}  // namespace

InProcessTransport::InProcessTransport(LinkContext& link, ProcessorSimulator& simulator,
                                       TransportKind kind)
    : link_(link), simulator_(simulator), kind_(kind), parser_(link) {
    toSimulator_.close();
    toHost_.close();
}

InProcessTransport::~InProcessTransport() {
    close();
}

void InProcessTransport::open() {
    std::lock_guard lock(lifecycleMutex_);
    if (hostThread_.joinable()) hostThread_.join();
    if (simulatorThread_.joinable()) simulatorThread_.join();
    toSimulator_.reopen();
    toHost_.reopen();
    const Clock& clock = link_.clock;
    simulator_.attach(
        [this, &clock](std::vector<std::uint8_t> bytes, double delayMs) {
            toHost_.push(std::move(bytes), clock.toReal(delayMs));
        },
        [this] {
            // The line was cut: both readers end, as a port that vanished.
            open_.store(false, std::memory_order_release);
            toSimulator_.close();
            toHost_.close();
        });
    open_.store(true, std::memory_order_release);
    hostThread_ = std::thread([this] { hostReader(); });
    simulatorThread_ = std::thread([this] { simulatorReader(); });
}

void InProcessTransport::close() {
    std::lock_guard lock(lifecycleMutex_);
    open_.store(false, std::memory_order_release);
    simulator_.detach();
    toSimulator_.close();
    toHost_.close();
    // A waiting sender wakes at once instead of at its time-out.
    link_.releaseIfAwaited();
    if (hostThread_.joinable()) hostThread_.join();
    if (simulatorThread_.joinable()) simulatorThread_.join();
}

void InProcessTransport::hostReader() {
    while (auto bytes = toHost_.pop()) parser_.input(*bytes);
    // However the line ended, the processor is gone.
    open_.store(false, std::memory_order_release);
    link_.linkUp.store(false, std::memory_order_relaxed);
}

void InProcessTransport::simulatorReader() {
    while (auto bytes = toSimulator_.pop()) simulator_.receive(*bytes);
}

void InProcessTransport::send(std::span<const std::uint8_t> frame) {
    if (isConnected()) toSimulator_.push({frame.begin(), frame.end()});
}

bool InProcessTransport::connect(LinkHost& host, std::stop_token stop) {
    const double probeWaitMs =
        kind_ == TransportKind::WiFi ? WIFI_CONNECT_PROBE_WAIT_MS : CONNECT_PROBE_WAIT_MS;
    while (!stop.stop_requested()) {
        host.linkStatus(LinkStatus::Searching, stop);
        close();
        sleepUnlessStopped(link_.clock, stop, CONNECT_PAUSE_MS);
        link_.linkUp.store(false, std::memory_order_relaxed);
        while (!stop.stop_requested()) {
            if (!isConnected()) open();
            if (probeRegisterZero(link_, *this, probeWaitMs)) {
                if (stop.stop_requested()) return false;
                host.linkStatus(LinkStatus::Connected, stop);
                link_.linkUp.store(true, std::memory_order_relaxed);
                sleepUnlessStopped(link_.clock, stop, CONNECT_PAUSE_MS);
                return !stop.stop_requested();
            }
            if (!isConnected()) break;  // the line went down during the probe: start over
            sleepUnlessStopped(link_.clock, stop, CONNECT_PAUSE_MS);
        }
    }
    return false;
}

void InProcessTransport::reconnectProbe() {
    if (!isConnected()) open();
    // The probe runs inside the send of a frame whose sender may wait for its reply next:
    // that wait must still be woken, so the flag goes back to what it was.
    const bool senderAwaits = link_.awaitingReply.load(std::memory_order_relaxed);
    for (int attempt = 0; attempt < PROBE_ATTEMPTS; ++attempt) {
        link_.awaitingReply.store(true, std::memory_order_relaxed);
        send(READ_REGISTER_ZERO);
        bool replied = isConnected() && link_.replySemaphore.acquireFor(link_.clock, PROBE_WAIT_MS);
        link_.awaitingReply.store(senderAwaits, std::memory_order_relaxed);
        if (replied) return;
    }
}

}  // namespace tq370
