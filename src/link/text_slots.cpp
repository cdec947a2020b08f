#include "link/text_slots.h"

namespace tq370 {
namespace {

using enum TextReplyKind;

constexpr TextSlotRule RULES[] = {
    {TEXT_SLOT_GET_IP, "Get_IP:", Hex, 8, SettingsRead::Queued, TextConfirmation::None},
    {TEXT_SLOT_GET_LINK_IP, "Get_LinkIP:", Hex, 12, SettingsRead::No, TextConfirmation::None},
    {TEXT_SLOT_GET_WIFI_MODE, "Get_WiFiMode:", Hex, 14, SettingsRead::Queued,
     TextConfirmation::None},
    {TEXT_SLOT_GET_TCP_PORT, "Get_TCPPort:", Decimal, 13, SettingsRead::TextOnly,
     TextConfirmation::None},
    {TEXT_SLOT_GET_UDP_PORT, "Get_UDPPort:", Decimal, 13, SettingsRead::TextOnly,
     TextConfirmation::None},
    {TEXT_SLOT_GET_ROUTE_SSID, "Get_RouteSSID:", WholeText, 0, SettingsRead::Queued,
     TextConfirmation::None},
    {TEXT_SLOT_GET_ROUTE_PW, "Get_RoutePW:", WholeText, 0, SettingsRead::Queued,
     TextConfirmation::None},
    {TEXT_SLOT_GET_HOT_SSID, "Get_HotSSID:", WholeText, 0, SettingsRead::Queued,
     TextConfirmation::None},
    {TEXT_SLOT_GET_HOT_PW, "Get_HotPW:", WholeText, 0, SettingsRead::Queued,
     TextConfirmation::None},
    {TEXT_SLOT_SET_WIFI_MODE, "Set_WiFiMode:", Acknowledge, 0, SettingsRead::No,
     TextConfirmation::WifiModeSet},
    {TEXT_SLOT_SET_ROUTE_SSID, "Set_RouteSSID:", Acknowledge, 0, SettingsRead::No,
     TextConfirmation::RouterSet},
    {TEXT_SLOT_SET_ROUTE_PW, "Set_RoutePW:", Acknowledge, 0, SettingsRead::No,
     TextConfirmation::RouterSet},
    {TEXT_SLOT_SET_HOT_SSID, "Set_HotSSID:", Acknowledge, 0, SettingsRead::No,
     TextConfirmation::HotspotSet},
    {TEXT_SLOT_SET_HOT_PW, "Set_HotPW:", Acknowledge, 0, SettingsRead::No,
     TextConfirmation::HotspotSet},
    {TEXT_SLOT_SET_RESTORE, "Set_Restore:", Acknowledge, 0, SettingsRead::No,
     TextConfirmation::Restored},
    {TEXT_SLOT_SET_RESTART, "Set_Restart:", Acknowledge, 0, SettingsRead::No,
     TextConfirmation::Restarted},
};

}  // namespace

std::span<const TextSlotRule> textSlotRules() {
    return RULES;
}

std::optional<TextSlotRule> textSlotRule(int slot) {
    for (const TextSlotRule& rule : RULES) {
        if (rule.slot == slot) return rule;
    }
    return std::nullopt;
}

std::string_view textSlotPrefix(int slot) {
    auto rule = textSlotRule(slot);
    return rule ? rule->prefix : std::string_view{};
}

int nextPendingTextSlot(const LinkContext& context, int cursor) {
    if (cursor < 0 || cursor >= TEXT_SLOT_COUNT) cursor = 0;
    for (int slot = cursor; slot < TEXT_SLOT_COUNT; ++slot) {
        if (context.textSlots[static_cast<std::size_t>(slot)].pending.load(
                std::memory_order_relaxed) > 0) {
            return slot;
        }
    }
    return TEXT_SLOT_COUNT;
}

}  // namespace tq370
