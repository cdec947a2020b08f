#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "link/link_context.h"

namespace tq370 {

// The WiFi module's text commands: one slot each, the command's prefix, how its reply is
// read, and what a read of the module's settings queues. This table is the only place that
// numbers the slots and spells the prefixes.

constexpr int TEXT_SLOT_GET_IP = 0;
constexpr int TEXT_SLOT_GET_LINK_IP = 1;
constexpr int TEXT_SLOT_GET_WIFI_MODE = 2;
constexpr int TEXT_SLOT_GET_TCP_PORT = 3;
constexpr int TEXT_SLOT_GET_UDP_PORT = 4;
constexpr int TEXT_SLOT_GET_ROUTE_SSID = 5;
constexpr int TEXT_SLOT_GET_ROUTE_PW = 6;
constexpr int TEXT_SLOT_GET_HOT_SSID = 7;
constexpr int TEXT_SLOT_GET_HOT_PW = 8;
constexpr int TEXT_SLOT_SET_WIFI_MODE = 10;
constexpr int TEXT_SLOT_SET_ROUTE_SSID = 11;
constexpr int TEXT_SLOT_SET_ROUTE_PW = 12;
constexpr int TEXT_SLOT_SET_HOT_SSID = 13;
constexpr int TEXT_SLOT_SET_HOT_PW = 14;
constexpr int TEXT_SLOT_SET_RESTORE = 15;
constexpr int TEXT_SLOT_SET_RESTART = 16;

enum class TextReplyKind {
    Hex,          // a number in hex digits after the prefix
    Decimal,      // a number in decimal digits after the prefix
    WholeText,    // the slot keeps the whole reply
    Acknowledge,  // the reply only says the command was taken
};

// What a read of the module's settings does with a slot.
enum class SettingsRead {
    No,        // not part of the read
    Queued,    // its query is sent
    TextOnly,  // its query is written into the slot but never sent
};

// The message that confirms a group of settings once every slot of the group is answered.
enum class TextConfirmation { None, RouterSet, HotspotSet, WifiModeSet, Restored, Restarted };

struct TextSlotRule {
    int slot;
    std::string_view prefix;
    TextReplyKind reply;
    std::size_t minLength;  // of the whole reply; 0 for none
    SettingsRead read;
    TextConfirmation confirmation;
};

// In the order replies are matched: the first prefix found in a reply decides its slot.
std::span<const TextSlotRule> textSlotRules();

// The rule of slot, or nullopt for a slot no command uses.
std::optional<TextSlotRule> textSlotRule(int slot);

// The command prefix of slot ("" for a slot no command uses).
std::string_view textSlotPrefix(int slot);

// The WiFi text service's scan: from cursor (from 0 when it is TEXT_SLOT_COUNT or more)
// the first slot whose pending flag is set; TEXT_SLOT_COUNT when there is none. The caller
// keeps the result as its cursor, so an unanswered command is found again on every pass.
int nextPendingTextSlot(const LinkContext& context, int cursor);

}  // namespace tq370
