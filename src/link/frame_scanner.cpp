#include "link/frame_scanner.h"

#include <algorithm>

#include "base/byte_order.h"
#include "base/crc16.h"
#include "link/frame.h"

namespace tq370 {
namespace {

// Scanning starts at six bytes: a five-byte frame alone waits for one more byte.
constexpr std::size_t MIN_PARSE_BYTES = 6;
// A candidate shorter than this has no command byte, so it is never a frame.
constexpr std::size_t MIN_LENGTH_BYTE = 3;
constexpr std::size_t NOT_FOUND = static_cast<std::size_t>(-1);

}  // namespace

void FrameScanner::input(std::span<const std::uint8_t> bytes, const FrameHandler& onFrame) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    if (buffer_.size() < MIN_PARSE_BYTES) return;
    scan(onFrame);
    // Dropping the oldest bytes after the scan loses nothing: a start marker more than
    // 257 bytes from the end heads a complete candidate, which this scan already tried.
    if (buffer_.size() > BUFFER_CAP) {
        std::size_t excess = buffer_.size() - BUFFER_CAP;
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(excess));
        scanFrom_ = std::max(scanFrom_, excess) - excess;
    }
}

void FrameScanner::scan(const FrameHandler& onFrame) {
    const std::uint8_t* data = buffer_.data();
    const std::size_t size = buffer_.size();
    auto nextStart = [&](std::size_t from) {
        const std::uint8_t* p = std::find(data + from, data + size, FRAME_START);
        return p == data + size ? NOT_FOUND : static_cast<std::size_t>(p - data);
    };

    std::size_t trimAt = 0;
    bool accepted = false;
    // The first candidate still incomplete after the last accepted frame's start.
    std::size_t firstIncomplete = NOT_FOUND;
    for (std::size_t i = nextStart(scanFrom_); i != NOT_FOUND; i = nextStart(i + 1)) {
        if (i + 1 >= size) {
            if (firstIncomplete == NOT_FOUND) firstIncomplete = i;
            break;
        }
        const std::size_t length = data[i + 1];
        if (i + length + 2 > size) {
            if (firstIncomplete == NOT_FOUND) firstIncomplete = i;
            continue;
        }
        if (length < MIN_LENGTH_BYTE ||
            crc16(data + i, length) != readBigEndian16(data + i + length)) {
            continue;
        }
        onFrame(data[i + 2], std::span(data + i + 3, length - 3));
        trimAt = i + length;
        accepted = true;
        firstIncomplete = NOT_FOUND;
    }

    std::size_t resume = firstIncomplete == NOT_FOUND ? size : firstIncomplete;
    if (accepted) {
        // The last frame's two CRC bytes stay in front; the next scan passes over them.
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(trimAt));
        resume = resume >= trimAt ? resume - trimAt : 0;
    }
    scanFrom_ = resume;
}

}  // namespace tq370
