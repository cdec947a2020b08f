#pragma once

#include <functional>

// Keyboard navigation of the EQ panel: Tab and Right move forward, Left backward,
// through the items of its boxes and combos in this order: the band frequencies
// (items 0..30), the Qs (31..61), the gains (62..92), then the high-pass frequency (93),
// its family and slope (94, 95), the low-pass frequency (96), its family and slope
// (97, 98), the limiter level and attack (99, 100) and its release (101).
namespace tq370 {

constexpr int NAVIGATION_LAST_CONTROL = 101;  // items above have no control in the order
constexpr int NAVIGATION_LAST_ITEM = 114;     // the item count wraps here

struct NavigationStep {
    int focusItem = 0;
    bool takesFocus = false;  // false: no control takes the focus for this key press
};

// One key press from focusItem. Items whose control does not accept input are skipped;
// past either end the item wraps within 0..114 (below 0 becomes 114, 115 becomes 0),
// and then no control takes the focus. Items 102..114 are counted but have no control.
NavigationStep navigate(int focusItem, bool forward, const std::function<bool(int)>& acceptsInput);

}  // namespace tq370
