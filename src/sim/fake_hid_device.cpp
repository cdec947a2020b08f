#include "sim/fake_hid_device.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "transports/usb_envelope.h"

namespace tq370 {

FakeHidDevice::FakeHidDevice(ProcessorSimulator& simulator, const Clock& clock,
                             std::uint16_t vendorId, std::uint16_t productId)
    : simulator_(simulator), clock_(clock), vendorId_(vendorId), productId_(productId) {}

FakeHidDevice::~FakeHidDevice() {
    close();
}

HidDevice::OpenResult FakeHidDevice::open(std::uint16_t vendorId, std::uint16_t productId) {
    close();
    {
        std::lock_guard lock(mutex_);
        if (!plugged_ || vendorId != vendorId_ || productId != productId_) {
            return OpenResult::NotFound;
        }
        if (!permitted_) return OpenResult::NoPermission;
        open_ = true;
        gone_ = false;
        input_.clear();
        assembler_ = UsbFrameAssembler();
        ++opens_;
        ++openHandles_;
    }
    simulator_.attach(
        [this](std::vector<std::uint8_t> bytes, double delayMs) {
            auto due = std::chrono::steady_clock::now() + clock_.toReal(delayMs);
            std::lock_guard lock(mutex_);
            if (!open_ || gone_) return;
            for (const HidReport& report : usbReportsForFrame(bytes)) {
                Pending piece{due, {}};
                std::copy(report.begin() + 1, report.end(), piece.data.begin());
                input_.push_back(piece);
            }
            changed_.notify_all();
        },
        [] {});
    return OpenResult::Opened;
}

bool FakeHidDevice::write(const HidReport& report) {
    std::vector<std::uint8_t> frame;
    {
        std::lock_guard lock(mutex_);
        if (!open_ || gone_ || report[0] != 0) return false;
        ++reportsWritten_;
        HidReportData data{};
        std::copy(report.begin() + 1, report.end(), data.begin());
        bool starts = data[0] == USB_ENVELOPE_FIRST && data[1] == USB_ENVELOPE_SECOND &&
                      data[4] == USB_ENVELOPE_TAG;
        reportsThisFrame_ = starts ? 1 : reportsThisFrame_ + 1;
        auto assembled = assembler_.addReport(data);
        if (!assembled) return true;
        ++framesWritten_;
        mostReportsPerFrame_ = std::max(mostReportsPerFrame_, reportsThisFrame_);
        frame.assign(assembled->begin(), assembled->end());
    }
    // Outside the lock: the simulator answers through the output, which takes it.
    simulator_.receive(frame);
    return true;
}

HidDevice::ReadResult FakeHidDevice::read(HidReportData& data, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (!open_ || gone_) return ReadResult::Gone;
        auto now = std::chrono::steady_clock::now();
        if (!input_.empty() && input_.front().due <= now) {
            data = input_.front().data;
            input_.pop_front();
            return ReadResult::Report;
        }
        if (now >= deadline) return ReadResult::TimedOut;
        auto until = input_.empty() ? deadline : std::min(deadline, input_.front().due);
        changed_.wait_until(lock, until);
    }
}

void FakeHidDevice::close() {
    {
        std::lock_guard lock(mutex_);
        if (!open_) return;
        open_ = false;
        --openHandles_;
        input_.clear();
        changed_.notify_all();
    }
    simulator_.detach();
}

bool FakeHidDevice::isOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

void FakeHidDevice::unplug() {
    {
        std::lock_guard lock(mutex_);
        plugged_ = false;
        gone_ = true;
        input_.clear();
        changed_.notify_all();
    }
    simulator_.detach();
}

void FakeHidDevice::plugIn() {
    std::lock_guard lock(mutex_);
    plugged_ = true;
}

void FakeHidDevice::setPermitted(bool permitted) {
    std::lock_guard lock(mutex_);
    permitted_ = permitted;
}

int FakeHidDevice::opens() const {
    std::lock_guard lock(mutex_);
    return opens_;
}

int FakeHidDevice::openHandles() const {
    std::lock_guard lock(mutex_);
    return openHandles_;
}

int FakeHidDevice::reportsWritten() const {
    std::lock_guard lock(mutex_);
    return reportsWritten_;
}

int FakeHidDevice::framesWritten() const {
    std::lock_guard lock(mutex_);
    return framesWritten_;
}

int FakeHidDevice::mostReportsPerFrame() const {
    std::lock_guard lock(mutex_);
    return mostReportsPerFrame_;
}

}  // namespace tq370
