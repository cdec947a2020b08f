#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "link/frame_parser.h"
#include "link/link_context.h"
#include "link/processor_identity.h"
#include "link/reply_wait.h"
#include "link/transport.h"
#include "platform/hid_device.h"
#include "platform/lock_file.h"

namespace tq370 {

// The processor as a HID device: frames go out behind the USB envelope in 65-byte reports,
// a reader thread rebuilds the processor's frames from its reports and feeds them to the
// frame parser. Only one program at a time may use the channel: a lock file named after
// the identifiers stands for it, taken on the first connect and kept until the transport
// is destroyed.
class HidTransport final : public Transport, private ProbedDevice {
public:
    HidTransport(LinkContext& link, std::unique_ptr<HidDevice> device,
                 std::filesystem::path lockFolder = defaultLockFolder(),
                 std::uint16_t vendorId = TQR480_VENDOR_ID,
                 std::uint16_t productId = TQR480_PRODUCT_ID);
    ~HidTransport() override;
    HidTransport(const HidTransport&) = delete;
    HidTransport& operator=(const HidTransport&) = delete;

    TransportKind kind() const override { return TransportKind::Usb; }
    bool connect(LinkHost& host, std::stop_token stop) override;
    void close() override;
    void send(std::span<const std::uint8_t> frame) override;
    // While the reader thread runs.
    bool isConnected() const override { return readerRunning_.load(std::memory_order_acquire); }

private:
    // The channel lock, taken before the first round and kept.
    bool prepareRound(LinkHost& host, const std::stop_token& stop) override;
    Opened openDevice(LinkHost& host, const std::stop_token& stop) override;
    void stopReader();
    void reader(std::stop_token stop);

    LinkContext& link_;
    const std::unique_ptr<HidDevice> device_;
    const std::filesystem::path lockFolder_;
    const std::uint16_t vendorId_;
    const std::uint16_t productId_;
    const std::string lockName_;
    FrameParser parser_;

    std::optional<LockFile> channelLock_;  // engine thread only
    bool permissionTold_ = false;          // engine thread only

    std::mutex lifecycleMutex_;  // serialises open and close (engine thread and stopEngine)
    std::mutex writeMutex_;      // keeps close away from a write in progress
    std::atomic<bool> readerRunning_{false};
    std::jthread reader_;
};

}  // namespace tq370
