#include "params/eq_navigation.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

bool everything(int) {
    return true;
}
// Graphic mode: the frequency and Q boxes (items 0..61) take no input.
bool graphicMode(int item) {
    return item >= 62;
}

TEST(EqNavigation, StepsThroughTheOrderAndWrapsPastEitherEnd) {
    struct Case {
        const char* what;
        int from;
        bool forward;
        bool (*accepts)(int);
        int to;
        bool takesFocus;
    };
    const Case cases[] = {
        {"next box", 0, true, everything, 1, true},
        {"frequencies run into the Qs", 30, true, everything, 31, true},
        {"gains run into the high-pass box", 92, true, everything, 93, true},
        {"combos are in the order", 94, true, everything, 95, true},
        {"past the release combo nothing takes the focus", 101, true, everything, 102, false},
        {"forward past 114 wraps to 0", 114, true, everything, 0, false},
        {"backward past 0 wraps to 114", 0, false, everything, 114, false},
        {"backward from 102 reaches the release combo", 102, false, everything, 101, true},
        {"graphic mode: gains only, backward", 63, false, graphicMode, 62, true},
        {"graphic mode skips frequencies and Qs", 62, false, graphicMode, 114, false},
        {"graphic mode: from 0 forward to the first gain", 0, true, graphicMode, 62, true},
        {"an item out of range counts from the nearest end", 500, true, everything, 0, false},
    };
    for (const Case& c : cases) {
        const NavigationStep step = navigate(c.from, c.forward, c.accepts);
        EXPECT_EQ(step.focusItem, c.to) << c.what;
        EXPECT_EQ(step.takesFocus, c.takesFocus) << c.what;
    }
}

}  // namespace
}  // namespace tq370
