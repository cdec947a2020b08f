#include "transports/usb_frame_assembler.h"

#include <algorithm>

#include "transports/usb_envelope.h"

namespace tq370 {

// Continuation data is appended only below RESET_FILL, so it always fits.
static_assert(UsbFrameAssembler::RESET_FILL + HID_REPORT_DATA_SIZE <=
              UsbFrameAssembler::BUFFER_SIZE);

std::optional<std::span<const std::uint8_t>> UsbFrameAssembler::addReport(
    const HidReportData& data) {
    const bool frameStart = data[0] == USB_ENVELOPE_FIRST && data[1] == USB_ENVELOPE_SECOND &&
                            data[4] == USB_ENVELOPE_TAG;
    if (frameStart) {
        expected_ = static_cast<std::size_t>(data[2]) * 256 + data[3];
        buffer_.fill(0);
        std::copy(data.begin() + USB_ENVELOPE_SIZE, data.end(), buffer_.begin());
        fill_ = data.size() - USB_ENVELOPE_SIZE;
    } else {
        if (fill_ >= RESET_FILL) fill_ = 0;
        std::copy(data.begin(), data.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(fill_));
        fill_ += data.size();
    }
    if (expected_ == 0 || fill_ < expected_) return std::nullopt;
    fill_ = expected_;
    return std::span<const std::uint8_t>(buffer_.data(), expected_);
}

}  // namespace tq370
