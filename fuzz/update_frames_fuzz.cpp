// The update protocol's frame finder and messages on any received buffer, with a frame
// of the fuzzer's choosing laid in at an offset of its choosing: the finder returns only
// whole frames with their own length and a correct CRC, in order, the laid-in frame among
// them; answers and download headers read from them survive being built and read again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/byte_order.h"
#include "base/crc16.h"
#include "update/update_frame.h"
#include "update/update_messages.h"

namespace {

using namespace tq370;

// The frame a buffer built as one frame starts with (a token may hold further frames).
const UpdateFrame& wholeFrame(const std::vector<UpdateFrame>& frames, std::size_t size) {
    if (frames.empty() || frames[0].offset != 0 || frames[0].bytes.size() != size) std::abort();
    return frames[0];
}

void checkAnswerRoundTrip(const UpdateFrame& frame) {
    const auto answer = parseUpdateAnswer(frame);
    if (!answer) return;
    const auto rebuilt = buildUpdateAnswer(*answer);
    const auto reread = parseUpdateAnswer(wholeFrame(findUpdateFrames(rebuilt), rebuilt.size()));
    if (!reread || reread->newerVersion != answer->newerVersion ||
        reread->identifier != answer->identifier || reread->token != answer->token) {
        std::abort();
    }
}

void checkHeaderRoundTrip(const UpdateFrame& frame) {
    const auto size = parseDownloadHeader(frame);
    if (!size) return;
    if (*size > UPDATE_SIZE_MAX) std::abort();
    if (findDownloadHeader(buildDownloadHeader(*size)) != size) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool layIn = input.ConsumeBool();
    const auto command = input.ConsumeIntegral<std::uint8_t>();
    const auto payload = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 64));
    const auto at = input.ConsumeIntegralInRange<std::size_t>(0, UPDATE_RECEIVE_LIMIT);
    std::vector<std::uint8_t> buffer = input.ConsumeRemainingBytes<std::uint8_t>();
    if (buffer.size() > UPDATE_RECEIVE_LIMIT) buffer.resize(UPDATE_RECEIVE_LIMIT);
    std::size_t laidAt = 0;
    std::size_t laidSize = 0;
    if (layIn) {
        const auto frame = buildUpdateFrame(command, payload);
        laidAt = std::min(at, buffer.size());
        laidSize = frame.size();
        buffer.insert(buffer.begin() + static_cast<std::ptrdiff_t>(laidAt), frame.begin(),
                      frame.end());
    }

    const auto frames = findUpdateFrames(buffer);
    bool laidFound = false;
    std::size_t previous = 0;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const UpdateFrame& f = frames[k];
        if (k > 0 && f.offset <= previous) std::abort();
        previous = f.offset;
        if (f.offset + f.bytes.size() > buffer.size() ||
            f.bytes.data() != buffer.data() + f.offset) {
            std::abort();
        }
        const std::size_t length = f.bytes.size();
        if (length < UPDATE_FRAME_OVERHEAD || f.bytes[0] != UPDATE_MAGIC_0 ||
            f.bytes[1] != UPDATE_MAGIC_1 || readBigEndian16(&f.bytes[2]) != length ||
            crc16(f.bytes.data(), length - 2) != readBigEndian16(&f.bytes[length - 2])) {
            std::abort();
        }
        if (layIn && f.offset == laidAt && length == laidSize) laidFound = true;
        checkAnswerRoundTrip(f);
        checkHeaderRoundTrip(f);
    }
    if (layIn && !laidFound) std::abort();

    std::optional<std::uint64_t> firstHeader;
    for (const auto& f : frames) {
        if ((firstHeader = parseDownloadHeader(f))) break;
    }
    if (findDownloadHeader(buffer) != firstHeader) std::abort();
    return 0;
}
