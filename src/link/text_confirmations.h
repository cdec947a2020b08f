#pragma once

#include <string_view>
#include <vector>

#include "link/link_context.h"
#include "link/text_slots.h"

namespace tq370 {

// The confirmations of WiFi module settings whose text slots have all been answered, in
// the order they are shown; the answered flags of those slots are cleared. Called by the
// sync engine on the serial and USB links and by the WiFi discovery thread on WiFi.
std::vector<TextConfirmation> takeTextConfirmations(LinkContext& link);

// The message box text of a confirmation, the same in every language ("" for None).
std::string_view textConfirmationText(TextConfirmation confirmation);

}  // namespace tq370
