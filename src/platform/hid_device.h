#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace tq370 {

constexpr std::size_t HID_REPORT_DATA_SIZE = 64;
// What goes to the device: the report number (always 0 here) and the 64 data bytes.
constexpr std::size_t HID_REPORT_SIZE = HID_REPORT_DATA_SIZE + 1;

using HidReport = std::array<std::uint8_t, HID_REPORT_SIZE>;
using HidReportData = std::array<std::uint8_t, HID_REPORT_DATA_SIZE>;

// One HID device at a time, opened by its identifiers. Implementations: HidapiDevice on
// the system's hidraw nodes, and test doubles that carry reports to a simulated
// processor. No call throws.
//
// Threads: open and close on one thread (the engine's); read on one other thread (the
// reader) while write runs on the first. close must not run while a read or write is in
// progress on another thread: stop the reader first (a read returns within its timeout).
class HidDevice {
public:
    enum class OpenResult {
        Opened,
        NotFound,      // no device with these identifiers is present
        NoPermission,  // one is present, but this user may not open it
        Failed,        // present, but opening failed for another reason
    };
    enum class ReadResult {
        Report,    // data holds one input report
        TimedOut,  // nothing arrived within the timeout
        Gone,      // no device is open, or the device was removed or failed
    };

    virtual ~HidDevice() = default;

    // Opens the first present device with these identifiers. A device this object had
    // open is closed first, so repeated opens never accumulate handles.
    virtual OpenResult open(std::uint16_t vendorId, std::uint16_t productId) = 0;

    // Sends one report (byte 0 the report number, then the data bytes); blocks until the
    // system has taken it. False when no device is open or the write failed.
    virtual bool write(const HidReport& report) = 0;

    // Waits up to timeout (real time) for one input report and stores its data bytes;
    // a shorter report is padded with zeros.
    virtual ReadResult read(HidReportData& data, std::chrono::milliseconds timeout) = 0;

    // Does nothing when no device is open.
    virtual void close() = 0;

    virtual bool isOpen() const = 0;
};

}  // namespace tq370
