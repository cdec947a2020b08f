// The frame scanner against a plain reading of the stream: the input, cut into pieces by
// the first bytes, goes through the scanner; the whole stream is also searched for every
// complete candidate with a correct CRC. A delivered frame must be one of those
// candidates and none may come out more often than it occurs; a candidate that overlaps
// no other must come out; the buffer never holds more than its cap.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "base/byte_order.h"
#include "base/crc16.h"
#include "link/frame.h"
#include "link/frame_scanner.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Candidate {
    std::size_t start;
    std::size_t end;  // one past the CRC
    Bytes commandAndPayload;
};

std::vector<Candidate> candidatesOf(const Bytes& stream) {
    std::vector<Candidate> found;
    for (std::size_t i = 0; i + 1 < stream.size(); ++i) {
        if (stream[i] != tq370::FRAME_START) continue;
        const std::size_t length = stream[i + 1];
        if (length < 3 || i + length + 2 > stream.size()) continue;
        if (tq370::crc16(&stream[i], length) != tq370::readBigEndian16(&stream[i + length])) {
            continue;
        }
        found.push_back(
            {i, i + length + 2, Bytes(stream.begin() + i + 2, stream.begin() + i + length)});
    }
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Repeating the body lets a small input reach past the buffer's cap.
    const int repeats = input.ConsumeBool() ? input.ConsumeIntegralInRange(1, 40) : 1;
    const auto seed = input.ConsumeIntegral<std::uint32_t>();
    const Bytes body = input.ConsumeRemainingBytes<std::uint8_t>();
    Bytes stream;
    for (int r = 0; r < repeats; ++r) stream.insert(stream.end(), body.begin(), body.end());
    // A final byte that is no start marker, so a last five-byte frame is scanned too.
    stream.push_back(0);

    std::map<Bytes, int> delivered;
    tq370::FrameScanner scanner;
    std::uint32_t state = seed | 1;
    for (std::size_t at = 0; at < stream.size();) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const std::size_t piece = std::min<std::size_t>(1 + state % 300, stream.size() - at);
        scanner.input(std::span(stream.data() + at, piece),
                      [&](std::uint8_t command, std::span<const std::uint8_t> payload) {
                          Bytes frame{command};
                          frame.insert(frame.end(), payload.begin(), payload.end());
                          ++delivered[frame];
                      });
        if (scanner.bufferedBytes() > tq370::FrameScanner::BUFFER_CAP) std::abort();
        at += piece;
    }

    const auto candidates = candidatesOf(stream);
    std::map<Bytes, int> available;
    for (const auto& c : candidates) ++available[c.commandAndPayload];
    for (const auto& [frame, count] : delivered) {
        if (count > available[frame]) std::abort();  // invented or applied twice
    }
    std::map<Bytes, int> isolated;
    std::size_t furthestEnd = 0;  // of the candidates before k
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const bool overlapsEarlier = furthestEnd > candidates[k].start;
        const bool overlapsLater =
            k + 1 < candidates.size() && candidates[k + 1].start < candidates[k].end;
        if (!overlapsEarlier && !overlapsLater) ++isolated[candidates[k].commandAndPayload];
        furthestEnd = std::max(furthestEnd, candidates[k].end);
    }
    for (const auto& [frame, count] : isolated) {
        if (delivered[frame] < count) std::abort();  // a frame nothing disturbed was lost
    }
    return 0;
}
