#include "link/text_reply.h"

#include <string>

namespace tq370 {
namespace {

enum class ReplyKind { Hex, Decimal, WholeText, Acknowledge };

struct ReplyRule {
    std::string_view prefix;
    int slot;
    std::size_t minLength;  // of the whole text; 0 for none
    ReplyKind kind;
};

// Searched in this order; the first prefix found wins.
constexpr ReplyRule RULES[] = {
    {"Get_IP:", 0, 8, ReplyKind::Hex},
    {"Get_LinkIP:", 1, 12, ReplyKind::Hex},
    {"Get_WiFiMode:", 2, 14, ReplyKind::Hex},
    {"Get_TCPPort:", 3, 13, ReplyKind::Decimal},
    {"Get_UDPPort:", 4, 13, ReplyKind::Decimal},
    {"Get_RouteSSID:", 5, 0, ReplyKind::WholeText},
    {"Get_RoutePW:", 6, 0, ReplyKind::WholeText},
    {"Get_HotSSID:", 7, 0, ReplyKind::WholeText},
    {"Get_HotPW:", 8, 0, ReplyKind::WholeText},
    {"Set_WiFiMode:", 10, 0, ReplyKind::Acknowledge},
    {"Set_RouteSSID:", 11, 0, ReplyKind::Acknowledge},
    {"Set_RoutePW:", 12, 0, ReplyKind::Acknowledge},
    {"Set_HotSSID:", 13, 0, ReplyKind::Acknowledge},
    {"Set_HotPW:", 14, 0, ReplyKind::Acknowledge},
    {"Set_Restore:", 15, 0, ReplyKind::Acknowledge},
    {"Set_Restart:", 16, 0, ReplyKind::Acknowledge},
};

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
    for (const ReplyRule& rule : RULES) {
        std::size_t at = text.find(rule.prefix);
        if (at == std::string_view::npos) continue;
        if (text.size() < rule.minLength) return std::nullopt;

        TextSlot& slot = context.textSlots[static_cast<std::size_t>(rule.slot)];
        std::string_view rest = text.substr(at + rule.prefix.size());
        switch (rule.kind) {
            case ReplyKind::Hex:
            case ReplyKind::Decimal: {
                std::uint32_t value =
                    rule.kind == ReplyKind::Hex ? parseHexValue(rest) : parseDecimalValue(rest);
                slot.value.store(static_cast<std::int32_t>(value), std::memory_order_relaxed);
                if (rule.slot == 0 && offer) offer(value);
                break;
            }
            case ReplyKind::WholeText:
                slot.setText(std::string(text));
                break;
            case ReplyKind::Acknowledge:
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
