// USB report reassembly: any run of stray reports, then the reports of one frame, then
// more strays. Whatever is delivered has the length its envelope announced and fits the
// buffer; the laid-in frame comes out whole at its last report whenever it fits and none
// of its continuation reports looks like an envelope itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "transports/usb_envelope.h"
#include "transports/usb_frame_assembler.h"

namespace {

using namespace tq370;

// The largest frame that continuation reports can still complete: the first report's
// share, then whole reports while the fill stays below the reset level.
constexpr std::size_t deliverableFrameSize() {
    std::size_t fill = USB_FIRST_REPORT_FRAME_BYTES;
    while (fill < UsbFrameAssembler::RESET_FILL) fill += HID_REPORT_DATA_SIZE;
    return fill;
}

HidReportData dataOf(const HidReport& report) {
    HidReportData data;
    std::copy(report.begin() + 1, report.end(), data.begin());
    return data;
}

bool looksLikeEnvelope(const HidReportData& data) {
    return data[0] == USB_ENVELOPE_FIRST && data[1] == USB_ENVELOPE_SECOND &&
           data[4] == USB_ENVELOPE_TAG;
}

HidReportData strayReport(FuzzedDataProvider& input) {
    HidReportData data{};
    const auto bytes = input.ConsumeBytes<std::uint8_t>(data.size());
    std::copy(bytes.begin(), bytes.end(), data.begin());
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    UsbFrameAssembler assembler;
    std::size_t announced = 0;  // by the last envelope fed
    auto feed = [&](const HidReportData& report) {
        if (looksLikeEnvelope(report)) announced = report[2] * 256u + report[3];
        const auto frame = assembler.addReport(report);
        if (frame && (frame->size() != announced || frame->empty() ||
                      frame->size() > UsbFrameAssembler::BUFFER_SIZE)) {
            std::abort();
        }
        return frame;
    };

    const int strays = input.ConsumeIntegralInRange(0, 20);
    for (int k = 0; k < strays; ++k) feed(strayReport(input));

    const auto frame = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 1200));
    const auto reports = usbReportsForFrame(frame);
    if (reports.empty()) std::abort();  // every frame up to 64 KiB has its reports
    bool clean = true;
    for (std::size_t k = 1; k < reports.size(); ++k)
        clean = clean && !looksLikeEnvelope(dataOf(reports[k]));
    for (std::size_t k = 0; k < reports.size(); ++k) {
        const auto delivered = feed(dataOf(reports[k]));
        const bool last = k + 1 == reports.size();
        if (!clean || frame.empty() || frame.size() > deliverableFrameSize()) continue;
        if (last != delivered.has_value()) std::abort();
        if (last && !std::equal(frame.begin(), frame.end(), delivered->begin(), delivered->end())) {
            std::abort();
        }
    }
    while (input.remaining_bytes() > 0) feed(strayReport(input));
    return 0;
}
