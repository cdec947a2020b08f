#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/hid_device.h"

namespace tq370 {

// Rebuilds the frames the processor sends over USB from the data bytes of its input
// reports. A report that begins with the envelope starts a frame and says its length;
// every other report continues it. One reader thread feeds it.
class UsbFrameAssembler {
public:
    static constexpr std::size_t BUFFER_SIZE = 1024;
    // Continuation data that would reach this fill level starts again at the buffer's
    // beginning, so stray reports cannot run past the buffer.
    static constexpr std::size_t RESET_FILL = 960;

    // Takes the data bytes of one report. Returns the frame once the expected length has
    // arrived (a view into the buffer, valid until the next call). A report continuing a
    // frame that was already delivered delivers it again; the processor starts every
    // frame with an envelope, and a frame applied twice does no harm.
    std::optional<std::span<const std::uint8_t>> addReport(const HidReportData& data);

private:
    std::array<std::uint8_t, BUFFER_SIZE> buffer_{};
    std::size_t expected_ = 0;
    std::size_t fill_ = 0;
};

}  // namespace tq370
