#include "transports/hid_transport.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "base/stoppable_sleep.h"
#include "link/link_host.h"
#include "link/reply_wait.h"
#include "text/format_text.h"
#include "text/language.h"
#include "text/program_texts.h"
#include "transports/usb_envelope.h"
#include "transports/usb_frame_assembler.h"

namespace tq370 {
namespace {

constexpr int BLOCKED_PAUSE_MS = 2000;
constexpr int WRITE_LIMIT_MS = 100;
constexpr int READ_LIMIT_MS = 500;

std::chrono::milliseconds realMsAtLeastOne(const Clock& clock, double ms) {
    return std::max(std::chrono::milliseconds(1),
                    std::chrono::duration_cast<std::chrono::milliseconds>(clock.toReal(ms)));
}

}  // namespace

HidTransport::HidTransport(LinkContext& link, std::unique_ptr<HidDevice> device,
                           std::filesystem::path lockFolder, std::uint16_t vendorId,
                           std::uint16_t productId)
    : link_(link),
      device_(std::move(device)),
      lockFolder_(std::move(lockFolder)),
      vendorId_(vendorId),
      productId_(productId),
      lockName_(usbChannelLockName(vendorId, productId)),
      parser_(link) {}

HidTransport::~HidTransport() {
    close();
}

bool HidTransport::connect(LinkHost& host, std::stop_token stop) {
    return connectByProbe(link_, *this, *this, host, stop, CONNECT_PROBE_WAIT_MS);
}

bool HidTransport::prepareRound(LinkHost& host, const std::stop_token& stop) {
    while (!channelLock_ && !stop.stop_requested()) {
        LockFile::Attempt attempt = LockFile::tryLock(lockFolder_, lockName_);
        if (attempt.status == LockFile::Status::Acquired) {
            channelLock_ = std::move(attempt.lock);
            break;
        }
        if (attempt.status == LockFile::Status::Failed) {
            // No lock folder to use: the lock only keeps a second program off the device,
            // which is no reason to keep this one off it too.
            break;
        }
        host.messageBox({lockName_ + std::string(TEXT_CHANNEL_BLOCKED_SUFFIX.text),
                         {},
                         MessageButtons::Ok,
                         languageId(TEXT_CHANNEL_BLOCKED_SUFFIX.language),
                         MessageTopic::ChannelBlocked},
                        stop);
        sleepUnlessStopped(link_.clock, stop, BLOCKED_PAUSE_MS);
    }
    return !stop.stop_requested();
}

HidTransport::Opened HidTransport::openDevice(LinkHost& host, const std::stop_token& stop) {
    HidDevice::OpenResult result;
    {
        std::lock_guard lifecycle(lifecycleMutex_);
        if (stop.stop_requested()) return Opened::Stopped;
        stopReader();
        {
            // The device closes an earlier open itself, so retries never pile up handles.
            std::lock_guard write(writeMutex_);
            result = device_->open(vendorId_, productId_);
        }
        if (result == HidDevice::OpenResult::Opened) {
            permissionTold_ = false;
            readerRunning_.store(true, std::memory_order_release);
            reader_ = std::jthread([this](std::stop_token readerStop) { reader(readerStop); });
            return Opened::Yes;
        }
    }
    if (result == HidDevice::OpenResult::NoPermission && !permissionTold_) {
        // Said once until the device opens: the search goes on quietly meanwhile.
        permissionTold_ = true;
        host.messageBox(
            {formatText(TEXT_USB_NO_PERMISSION.text, unsigned{vendorId_}, unsigned{productId_}),
             {},
             MessageButtons::Ok,
             languageId(TEXT_USB_NO_PERMISSION.language),
             MessageTopic::NoPermission},
            stop);
    }
    return Opened::No;
}

void HidTransport::close() {
    std::lock_guard lifecycle(lifecycleMutex_);
    stopReader();
    {
        std::lock_guard write(writeMutex_);
        device_->close();
    }
    // A waiting sender wakes at once instead of at its time-out.
    link_.releaseIfAwaited();
}

void HidTransport::stopReader() {
    if (reader_.joinable()) {
        reader_.request_stop();
        reader_.join();
    }
    readerRunning_.store(false, std::memory_order_release);
}

void HidTransport::send(std::span<const std::uint8_t> frame) {
    std::lock_guard write(writeMutex_);
    if (!device_->isOpen()) return;
    for (const HidReport& report : usbReportsForFrame(frame)) {
        auto started = std::chrono::steady_clock::now();
        bool written = device_->write(report);
        // A write that took longer than its completion limit counts as failed, and the rest
        // of the frame is not sent: the missing reply handles the loss.
        if (!written ||
            std::chrono::steady_clock::now() - started > link_.clock.toReal(WRITE_LIMIT_MS)) {
            return;
        }
    }
}

void HidTransport::reader(std::stop_token stop) {
    UsbFrameAssembler assembler;
    HidReportData data{};
    const auto limit = realMsAtLeastOne(link_.clock, READ_LIMIT_MS);
    while (!stop.stop_requested()) {
        HidDevice::ReadResult result = device_->read(data, limit);
        if (result == HidDevice::ReadResult::Gone) break;
        if (result == HidDevice::ReadResult::TimedOut) continue;
        if (auto frame = assembler.addReport(data)) parser_.input(*frame);
    }
    link_.linkUp.store(false, std::memory_order_relaxed);
    readerRunning_.store(false, std::memory_order_release);
}

}  // namespace tq370
