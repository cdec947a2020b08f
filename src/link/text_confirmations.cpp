#include "link/text_confirmations.h"

#include "text/program_texts.h"

namespace tq370 {
namespace {

// In the order they are shown when several groups are answered at once.
constexpr TextConfirmation SHOWN_ORDER[] = {
    TextConfirmation::RouterSet, TextConfirmation::HotspotSet, TextConfirmation::WifiModeSet,
    TextConfirmation::Restored,  TextConfirmation::Restarted,
};

}  // namespace

std::vector<TextConfirmation> takeTextConfirmations(LinkContext& link) {
    std::vector<TextConfirmation> confirmed;
    for (TextConfirmation confirmation : SHOWN_ORDER) {
        bool all = true;
        for (const TextSlotRule& rule : textSlotRules()) {
            if (rule.confirmation != confirmation) continue;
            const auto& slot = link.textSlots[static_cast<std::size_t>(rule.slot)];
            all = all && slot.answered.load(std::memory_order_acquire) > 0;
        }
        if (!all) continue;
        for (const TextSlotRule& rule : textSlotRules()) {
            if (rule.confirmation != confirmation) continue;
            link.textSlots[static_cast<std::size_t>(rule.slot)].answered.store(
                0, std::memory_order_relaxed);
        }
        confirmed.push_back(confirmation);
    }
    return confirmed;
}

std::string_view textConfirmationText(TextConfirmation confirmation) {
    switch (confirmation) {
        case TextConfirmation::RouterSet:
            return TEXT_ROUTER_SET;
        case TextConfirmation::HotspotSet:
            return TEXT_HOTSPOT_SET;
        case TextConfirmation::WifiModeSet:
            return TEXT_WIFI_MODE_SET;
        case TextConfirmation::Restored:
            return TEXT_RESTORE_DONE;
        case TextConfirmation::Restarted:
            return TEXT_RESTART_DONE;
        case TextConfirmation::None:
            break;
    }
    return "";
}

}  // namespace tq370
