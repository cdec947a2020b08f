#include "sim/in_process_transport.h"

#include "link/frame.h"
#include "link/link_host.h"

namespace tq370 {
namespace {}  // namespace

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
    return connectByProbe(
        link_, *this, *this, host, stop,
        kind_ == TransportKind::WiFi ? WIFI_CONNECT_PROBE_WAIT_MS : CONNECT_PROBE_WAIT_MS);
}

InProcessTransport::Opened InProcessTransport::openDevice(LinkHost&, const std::stop_token&) {
    open();
    return Opened::Yes;
}

void InProcessTransport::reconnectProbe() {
    // Only the WiFi link reopens and probes a quiet connection.
    if (kind_ != TransportKind::WiFi) return;
    if (!isConnected()) open();
    probeQuietLink(link_, *this, QUIET_PROBE_ATTEMPTS, QUIET_PROBE_WAIT_MS);
}

}  // namespace tq370
