#include "link/text_slots.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

TEST(TextSlots, PendingScanStaysOnAnUnansweredSlotAndWraps) {
    LinkContext context;
    EXPECT_EQ(nextPendingTextSlot(context, 0), TEXT_SLOT_COUNT);
    context.textSlots[2].pending = 1;
    context.textSlots[13].pending = 1;
    struct Case {
        int cursor;
        int found;
    };
    const Case cases[] = {
        {0, 2},
        {2, 2},
        {3, 13},
        {13, 13},
        {14, TEXT_SLOT_COUNT},
        {TEXT_SLOT_COUNT, 2},  // wraps to the beginning
        {99, 2},
        {-1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        EXPECT_EQ(nextPendingTextSlot(context, c.cursor), c.found);
    }
}

}  // namespace
}  // namespace tq370
