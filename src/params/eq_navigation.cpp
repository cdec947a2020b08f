#include "params/eq_navigation.h"

#include <algorithm>

namespace tq370 {

NavigationStep navigate(int focusItem, bool forward, const std::function<bool(int)>& acceptsInput) {
    const int step = forward ? 1 : -1;
    int item = std::clamp(focusItem, 0, NAVIGATION_LAST_ITEM) + step;
    while (item >= 0 && item <= NAVIGATION_LAST_CONTROL && !acceptsInput(item)) item += step;
    if (item > NAVIGATION_LAST_ITEM) return {0, false};
    if (item < 0) return {NAVIGATION_LAST_ITEM, false};
    return {item, item <= NAVIGATION_LAST_CONTROL};
}

}  // namespace tq370
