#include "link/text_confirmations.h"

#include "link/engine_texts.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

// Text slots that carry WiFi settings, and the confirmation each answered group gets.
constexpr int SLOT_WIFI_MODE = 10;
constexpr int SLOT_ROUTER_SSID = 11;
constexpr int SLOT_ROUTER_PASSWORD = 12;
constexpr int SLOT_HOTSPOT_SSID = 13;
constexpr int SLOT_HOTSPOT_PASSWORD = 14;
constexpr int SLOT_RESTORE = 15;
constexpr int SLOT_RESTART = 16;

struct Confirmation {
    int firstSlot;
    int secondSlot;  // the same as firstSlot for a single-slot confirmation
    std::string_view text;
};

constexpr Confirmation CONFIRMATIONS[] = {
    {SLOT_ROUTER_SSID, SLOT_ROUTER_PASSWORD, TEXT_ROUTER_SET},
    {SLOT_HOTSPOT_SSID, SLOT_HOTSPOT_PASSWORD, TEXT_HOTSPOT_SET},
    {SLOT_WIFI_MODE, SLOT_WIFI_MODE, TEXT_WIFI_MODE_SET},
    {SLOT_RESTORE, SLOT_RESTORE, TEXT_RESTORE_DONE},
    {SLOT_RESTART, SLOT_RESTART, TEXT_RESTART_DONE},
};

}  // namespace

std::vector<std::string_view> takeTextConfirmations(LinkContext& link) {
    std::vector<std::string_view> texts;
    auto& slots = link.textSlots;
    for (const Confirmation& c : CONFIRMATIONS) {
        auto& first = slots[static_cast<std::size_t>(c.firstSlot)].answered;
        auto& second = slots[static_cast<std::size_t>(c.secondSlot)].answered;
        if (first.load(std::memory_order_acquire) <= 0 ||
            second.load(std::memory_order_acquire) <= 0) {
            continue;
        }
        first.store(0, RELAXED);
        second.store(0, RELAXED);
        texts.push_back(c.text);
    }
    return texts;
}

}  // namespace tq370
