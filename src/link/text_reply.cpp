#include "link/text_reply.h"

#include <string>

#include "link/text_slots.h"

namespace tq370 {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::uint32_t parseHexValue(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        int d = hexDigit(c);
        if (d >= 0) {
            value = (value << 4) + static_cast<std::uint32_t>(d);
        } else if (c == ' ') {
            value <<= 4;
        }
    }
    return value;
}

std::uint32_t parseDecimalValue(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        if (c >= '0' && c <= '9') value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

std::optional<int> interpretTextReply(LinkContext& context, std::string_view text,
                                      const AddressOffer& offer) {
    text = text.substr(0, text.find('\0'));
    for (const TextSlotRule& rule : textSlotRules()) {
        std::size_t at = text.find(rule.prefix);
        if (at == std::string_view::npos) continue;
        if (text.size() < rule.minLength) return std::nullopt;

        TextSlot& slot = context.textSlots[static_cast<std::size_t>(rule.slot)];
        std::string_view rest = text.substr(at + rule.prefix.size());
        switch (rule.reply) {
            case TextReplyKind::Hex:
            case TextReplyKind::Decimal: {
                std::uint32_t value = rule.reply == TextReplyKind::Hex ? parseHexValue(rest)
                                                                       : parseDecimalValue(rest);
                slot.value.store(static_cast<std::int32_t>(value), std::memory_order_relaxed);
                if (rule.slot == TEXT_SLOT_GET_IP && offer) offer(value);
                break;
            }
            case TextReplyKind::WholeText:
                slot.setText(std::string(text));
                break;
            case TextReplyKind::Acknowledge:
                break;
        }
        slot.pending.store(0, std::memory_order_relaxed);
        slot.retry.store(0, std::memory_order_relaxed);
        // Last, with release: whoever sees answered also sees the value or text.
        slot.answered.store(1, std::memory_order_release);
        return rule.slot;
    }
    return std::nullopt;
}

}  // namespace tq370
