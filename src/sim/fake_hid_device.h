#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "base/clock.h"
#include "platform/hid_device.h"
#include "sim/processor_simulator.h"
#include "transports/usb_frame_assembler.h"

namespace tq370 {

// A HidDevice whose far end is a ProcessorSimulator: written reports are reassembled into
// frames for the simulator, and the simulator's replies come back as enveloped input
// reports, each due after the delay the simulator gives it. The test controls whether the
// device is plugged in and whether this user may open it. The simulator must outlive the
// device. Threads as HidDevice says; the test's controls are safe from any thread.
class FakeHidDevice final : public HidDevice {
public:
    FakeHidDevice(ProcessorSimulator& simulator, const Clock& clock,
                  std::uint16_t vendorId = SIMULATED_VENDOR_ID,
                  std::uint16_t productId = SIMULATED_PRODUCT_ID);
    ~FakeHidDevice() override;

    OpenResult open(std::uint16_t vendorId, std::uint16_t productId) override;
    bool write(const HidReport& report) override;
    ReadResult read(HidReportData& data, std::chrono::milliseconds timeout) override;
    void close() override;
    bool isOpen() const override;

    // Pulling the cable fails every read and write of the open device and makes it absent.
    void unplug();
    void plugIn();
    void setPermitted(bool permitted);

    int opens() const;        // successful opens so far
    int openHandles() const;  // opens not yet closed: 0 or 1 when nothing leaks
    int reportsWritten() const;
    int framesWritten() const;
    // The most reports one frame from the host took.
    int mostReportsPerFrame() const;

private:
    struct Pending {
        std::chrono::steady_clock::time_point due;
        HidReportData data;
    };
    void detachLocked();

    ProcessorSimulator& simulator_;
    const Clock& clock_;
    const std::uint16_t vendorId_;
    const std::uint16_t productId_;

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable changed_;
    bool plugged_ = true;
    bool permitted_ = true;
    bool open_ = false;
    bool gone_ = false;  // the open device was unplugged
    std::deque<Pending> input_;
    UsbFrameAssembler assembler_;
    int opens_ = 0;
    int openHandles_ = 0;
    int reportsWritten_ = 0;
    int framesWritten_ = 0;
    int reportsThisFrame_ = 0;
    int mostReportsPerFrame_ = 0;
};

}  // namespace tq370
