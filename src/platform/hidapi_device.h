#pragma once

#include <string>

#include "platform/hid_device.h"

struct hid_device_;

namespace tq370 {

// HidDevice on hidapi's hidraw back-end (/dev/hidraw*). Threads and failure returns as
// HidDevice says; closed when destroyed.
class HidapiDevice final : public HidDevice {
public:
    HidapiDevice() = default;
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;
    ~HidapiDevice() override;

    OpenResult open(std::uint16_t vendorId, std::uint16_t productId) override;
    bool write(const HidReport& report) override;
    ReadResult read(HidReportData& data, std::chrono::milliseconds timeout) override;
    void close() override;
    bool isOpen() const override { return device_ != nullptr; }

    // The device node of the last successful or refused open, e.g. "/dev/hidraw3", for
    // messages; empty when none was found.
    const std::string& path() const { return path_; }

private:
    hid_device_* device_ = nullptr;
    std::string path_;
};

}  // namespace tq370
