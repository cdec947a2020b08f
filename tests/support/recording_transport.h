#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "link/transport.h"

namespace tq370 {

// A Transport that keeps every frame it is given, for tests. Its lock exists because a
// test thread reads the frames while the engine thread sends them.
class RecordingTransport : public Transport {
public:
    explicit RecordingTransport(TransportKind kind = TransportKind::Usb) : kind_(kind) {}

    TransportKind kind() const override { return kind_; }

    // There is nobody to probe: connected at once unless stopped.
    bool connect(LinkHost&, std::stop_token stop) override {
        if (stop.stop_requested()) return false;
        setConnected(true);
        return true;
    }
    void close() override { setConnected(false); }

    void send(std::span<const std::uint8_t> frame) override {
        std::lock_guard lock(mutex_);
        frames_.emplace_back(frame.begin(), frame.end());
    }

    bool isConnected() const override { return connected_.load(std::memory_order_relaxed); }
    // Like the real links, only WiFi probes a quiet link.
    void reconnectProbe() override {
        if (kind_ == TransportKind::WiFi) probes_.fetch_add(1, std::memory_order_relaxed);
    }

    void setConnected(bool connected) { connected_.store(connected, std::memory_order_relaxed); }
    int probeCount() const { return probes_.load(std::memory_order_relaxed); }

    std::vector<std::vector<std::uint8_t>> frames() const {
        std::lock_guard lock(mutex_);
        return frames_;
    }

private:
    const TransportKind kind_;
    std::atomic<bool> connected_{true};
    std::atomic<int> probes_{0};
    mutable std::mutex mutex_;  // guards frames_
    std::vector<std::vector<std::uint8_t>> frames_;
};

}  // namespace tq370
