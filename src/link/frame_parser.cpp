#include "link/frame_parser.h"

#include <algorithm>
#include <string_view>

#include "base/byte_order.h"
#include "link/frame.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

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
    return scanner_.bufferedBytes();
}

void FrameParser::input(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    scanner_.input(bytes, [this](std::uint8_t command, std::span<const std::uint8_t> payload) {
        context_.missCount.store(0, RELAXED);
        context_.lastRxTick.store(context_.clock.nowMs(), RELAXED);
        apply(command, payload);
    });
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
    context_.registers.storeDeviceReport(REG_MODE_COMMAND, mode);

    // With release, so that whoever sees a flag also sees the name.
    if (mode >= 1 && mode <= MODE_COUNT) {
        context_.modeNameArrived(mode).store(true, std::memory_order_release);
    }
    context_.newName.store(true, std::memory_order_release);
}

}  // namespace tq370
