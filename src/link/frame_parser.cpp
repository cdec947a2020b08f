#include "link/frame_parser.h"

#include <algorithm>
#include <string_view>

#include "base/byte_order.h"
#include "base/crc16.h"
#include "link/frame.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

// Parsing starts at six bytes: a five-byte frame alone waits for one more byte.
constexpr std::size_t MIN_PARSE_BYTES = 6;
// A candidate shorter than this has no command byte, so it is never a frame.
constexpr std::size_t MIN_LENGTH_BYTE = 3;
constexpr std::size_t NOT_FOUND = static_cast<std::size_t>(-1);
// Hello payloads: the lock form starts with one of these bytes.
constexpr std::uint8_t LOCK_FORM_A = 1;
constexpr std::uint8_t LOCK_FORM_B = 2;
constexpr std::size_t LOCK_FORM_SIZE = 6;
constexpr std::size_t IDENTITY_FORM_SIZE = 2;
constexpr std::size_t REGISTER_ENTRY_SIZE = 4;
// Trailing bytes of a text reply that are not part of the text.
constexpr std::size_t TEXT_REPLY_TRAILER = 2;
// Mode-name trimming never touches the first two characters.
constexpr int NAME_TRIM_STOP = 2;

bool isNameCharacter(char16_t c) {
    return c >= 0x21 && c <= 0x7A;
}

}  // namespace

FrameParser::FrameParser(LinkContext& context, AddressOffer offer)
    : context_(context), offer_(std::move(offer)) {}

std::size_t FrameParser::bufferedBytes() const {
    std::lock_guard lock(mutex_);
    return buffer_.size();
}

void FrameParser::input(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    if (buffer_.size() < MIN_PARSE_BYTES) return;
    scan();
    // Dropping the oldest bytes after the scan loses nothing: a start marker more than
    // 257 bytes from the end heads a complete candidate, which this scan already tried.
    if (buffer_.size() > BUFFER_CAP) {
        std::size_t excess = buffer_.size() - BUFFER_CAP;
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(excess));
        scanFrom_ = std::max(scanFrom_, excess) - excess;
    }
}

void FrameParser::scan() {
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
        context_.missCount.store(0, RELAXED);
        context_.lastRxTick.store(context_.clock.nowMs(), RELAXED);
        apply(data[i + 2], std::span(data + i + 3, length - 3));
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

void FrameParser::apply(std::uint8_t command, std::span<const std::uint8_t> payload) {
    switch (command) {
        case CMD_HELLO:
            applyHello(payload);
            break;
        case CMD_RECALL_MODE:
            context_.recallDone.store(true, RELAXED);
            break;
        case CMD_WRITE:
            applyWriteAck(payload);
            break;
        case CMD_MODE_NAME:
            applyModeName(payload);
            break;
        case CMD_READ:
            applyReadReply(payload);
            break;
        case CMD_SAVE_MODE:
            context_.saveModeDone.store(true, RELAXED);
            break;
        case CMD_TEXT: {
            std::size_t textSize =
                payload.size() > TEXT_REPLY_TRAILER ? payload.size() - TEXT_REPLY_TRAILER : 0;
            interpretTextReply(
                context_, std::string_view(reinterpret_cast<const char*>(payload.data()), textSize),
                offer_);
            break;
        }
        default:
            return;  // proof of life only
    }
    context_.releaseIfAwaited();
}

void FrameParser::applyHello(std::span<const std::uint8_t> payload) {
    if (payload.empty()) return;
    if (payload[0] == LOCK_FORM_A || payload[0] == LOCK_FORM_B) {
        if (payload.size() < LOCK_FORM_SIZE) return;
        context_.lockMaxMode.store(payload[1], RELAXED);
        context_.lockMask.store(readLittleEndian32(&payload[2]), RELAXED);
    } else if (payload.size() >= IDENTITY_FORM_SIZE) {
        context_.deviceModelId.store(readBigEndian16(payload.data()), RELAXED);
    }
}

void FrameParser::applyReadReply(std::span<const std::uint8_t> payload) {
    for (std::size_t at = 0; at + REGISTER_ENTRY_SIZE <= payload.size();
         at += REGISTER_ENTRY_SIZE) {
        const int reg = readBigEndian16(&payload[at]);
        const std::uint16_t value = readBigEndian16(&payload[at + 2]);
        if (!RegisterTable::isValid(reg)) continue;
        context_.registers.storeDeviceValue(reg, value);
        if (reg == REG_MODE_CURRENT && value <= context_.lockMaxMode.load(RELAXED)) {
            std::uint32_t mask = context_.lockMask.load(RELAXED);
            context_.modeLocked.store(((mask >> (value % 32)) & 1) != 0, RELAXED);
        }
    }
}

void FrameParser::applyWriteAck(std::span<const std::uint8_t> payload) {
    for (std::size_t at = 0; at + REGISTER_ENTRY_SIZE <= payload.size();
         at += REGISTER_ENTRY_SIZE) {
        const int reg = readBigEndian16(&payload[at]);
        if (RegisterTable::isValid(reg)) {
            context_.registers.acknowledgeWrite(reg, readBigEndian16(&payload[at + 2]));
        }
    }
}

void FrameParser::applyModeName(std::span<const std::uint8_t> payload) {
    if (payload.empty()) return;  // no mode number: nothing to record
    const std::uint8_t mode = payload[0];

    std::array<char16_t, MODE_NAME_LENGTH> name{};
    std::size_t count = std::min<std::size_t>(payload.size() - 1, MODE_NAME_LENGTH);
    for (std::size_t k = 0; k < count; ++k) name[k] = payload[1 + k];
    for (int pos = MODE_NAME_LENGTH - 1; pos >= NAME_TRIM_STOP && !isNameCharacter(name[pos]);
         --pos) {
        name[pos] = 0;
    }
    for (std::size_t k = 0; k < name.size(); ++k)
        context_.modeNameBuffer[k].store(name[k], RELAXED);

    // The register first: a fetch that sees the arrival flag may write the mode command
    // register again at once, and must not have that overwritten by this reply.
    RegisterEntry& command = context_.registers.entry(REG_MODE_COMMAND);
    command.deviceUpdated.store(1, RELAXED);
    command.writePending.store(0, RELAXED);
    command.value.store(mode, RELAXED);

    // With release, so that whoever sees a flag also sees the name.
    if (mode >= 1 && mode <= MODE_COUNT) {
        context_.modeNameArrived(mode).store(true, std::memory_order_release);
    }
    context_.newName.store(true, std::memory_order_release);
}

}  // namespace tq370
