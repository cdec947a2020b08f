#include "link/text_slots.h"

namespace tq370 {

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
