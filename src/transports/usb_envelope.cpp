#include "transports/usb_envelope.h"

#include <algorithm>

namespace tq370 {

std::vector<HidReport> usbReportsForFrame(std::span<const std::uint8_t> frame) {
    if (frame.size() > 0xFFFF) return {};
    std::vector<std::uint8_t> enveloped;
    enveloped.reserve(USB_ENVELOPE_SIZE + frame.size());
    enveloped.push_back(USB_ENVELOPE_FIRST);
    enveloped.push_back(USB_ENVELOPE_SECOND);
    enveloped.push_back(static_cast<std::uint8_t>(frame.size() >> 8));
    enveloped.push_back(static_cast<std::uint8_t>(frame.size() & 0xFF));
    enveloped.push_back(USB_ENVELOPE_TAG);
    enveloped.insert(enveloped.end(), frame.begin(), frame.end());

    std::vector<HidReport> reports;
    for (std::size_t offset = 0; offset < enveloped.size(); offset += HID_REPORT_DATA_SIZE) {
        HidReport report{};  // report number 0, unused bytes 0
        std::size_t count = std::min(HID_REPORT_DATA_SIZE, enveloped.size() - offset);
        std::copy_n(enveloped.begin() + static_cast<std::ptrdiff_t>(offset), count,
                    report.begin() + 1);
        reports.push_back(report);
    }
    return reports;
}

}  // namespace tq370
