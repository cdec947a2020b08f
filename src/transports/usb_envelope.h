#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid_device.h"

namespace tq370 {

// Over USB every frame, in both directions, travels behind this envelope:
// AE 1E length-high length-low C8, then the frame.
constexpr std::uint8_t USB_ENVELOPE_FIRST = 0xAE;
constexpr std::uint8_t USB_ENVELOPE_SECOND = 0x1E;
constexpr std::uint8_t USB_ENVELOPE_TAG = 0xC8;  // fifth byte, after the length
constexpr std::size_t USB_ENVELOPE_SIZE = 5;
// Frame bytes that fit in the report carrying the envelope.
constexpr std::size_t USB_FIRST_REPORT_FRAME_BYTES = HID_REPORT_DATA_SIZE - USB_ENVELOPE_SIZE;

// The reports that carry one frame: envelope and frame cut into consecutive 64-byte
// pieces, each after the report number 0 of a zeroed report. Empty when the frame is too
// long for the 16-bit length field.
std::vector<HidReport> usbReportsForFrame(std::span<const std::uint8_t> frame);

}  // namespace tq370
