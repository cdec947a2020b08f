#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "link/link_context.h"

namespace tq370 {

// Receives every processor address a "Get_IP:" reply carries (0 included); WiFi keeps
// its list of discovered processors behind it. Called on the thread that interprets.
using AddressOffer = std::function<void(std::uint32_t address)>;

// Records a text reply of the WiFi module in its TextSlot: the first command prefix found
// anywhere in the text decides the slot; numeric queries store their value, string
// queries the whole text, settings only mark the slot answered. The text ends at its
// first zero byte. Returns the slot, or nullopt when the text matched no prefix or is
// shorter than its prefix requires. Used for frames of command 0x57 and for UDP datagrams.
std::optional<int> interpretTextReply(LinkContext& context, std::string_view text,
                                      const AddressOffer& offer = {});

// The value rules of numeric replies. A hex digit shifts four bits in, a space shifts in
// a zero digit, anything else is skipped; decimal skips every non-digit. Both wrap at 32
// bits.
std::uint32_t parseHexValue(std::string_view digits);
std::uint32_t parseDecimalValue(std::string_view digits);

}  // namespace tq370
