// The WiFi module's text replies: whatever the text, at most the one slot the reply names
// is marked answered, and it is the slot of the first prefix in the table's order that
// the text (up to its first zero byte) contains. A string query keeps the text itself.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "link/link_context.h"
#include "link/text_reply.h"
#include "link/text_slots.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tq370::LinkContext link;
    for (auto& slot : link.textSlots) slot.answered.store(0);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view meant = text.substr(0, text.find('\0'));

    std::uint32_t offered = 0;
    int offers = 0;
    const auto slot = tq370::interpretTextReply(link, text, [&](std::uint32_t address) {
        offered = address;
        ++offers;
    });

    const tq370::TextSlotRule* first = nullptr;
    for (const auto& rule : tq370::textSlotRules()) {
        if (meant.find(rule.prefix) != std::string_view::npos) {
            first = &rule;
            break;
        }
    }
    for (int k = 0; k < tq370::TEXT_SLOT_COUNT; ++k) {
        const bool answered = link.textSlots[static_cast<std::size_t>(k)].answered.load() > 0;
        if (answered != (slot == k)) std::abort();
    }
    if (slot) {
        if (!first || first->slot != *slot || meant.size() < first->minLength) std::abort();
        const auto& answered = link.textSlots[static_cast<std::size_t>(*slot)];
        if (first->reply == tq370::TextReplyKind::WholeText && answered.text() != meant) {
            std::abort();
        }
        const bool isAddress = *slot == tq370::TEXT_SLOT_GET_IP;
        if (offers != (isAddress ? 1 : 0)) std::abort();
        if (isAddress && static_cast<std::int32_t>(offered) != answered.value.load()) std::abort();
    } else if (first && meant.size() >= first->minLength) {
        std::abort();  // a reply that names its slot was dropped
    }
    return 0;
}
