#pragma once

#include <string_view>

#include "link/link_context.h"

namespace tq370 {

// The text slots the WiFi discovery fills; the module's settings slots are listed with
// their commands in wifi_settings.h.
constexpr int TEXT_SLOT_GET_IP = 0;
constexpr int TEXT_SLOT_GET_LINK_IP = 1;
constexpr std::string_view GET_IP_QUERY = "Get_IP:";
constexpr std::string_view GET_LINK_IP_QUERY = "Get_LinkIP:";

// The WiFi text service's scan: from cursor (from 0 when it is TEXT_SLOT_COUNT or more)
// the first slot whose pending flag is set; TEXT_SLOT_COUNT when there is none. The caller
// keeps the result as its cursor, so an unanswered command is found again on every pass.
int nextPendingTextSlot(const LinkContext& context, int cursor);

}  // namespace tq370
