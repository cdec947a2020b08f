#include "params/delay_link_editor.h"

#include <algorithm>

namespace tq370 {

bool DelayLinkEditor::sourceEnabled(int slot) const {
    if (!isSlot(slot)) return false;
    const int g = groups_[static_cast<std::size_t>(slot)];
    return g <= 0 || g == slot + 1;
}

void DelayLinkEditor::pressSource(int j) {
    if (!sourceEnabled(j)) return;
    clearSingleMemberGroups(groups_);
    groups_[static_cast<std::size_t>(j)] = j + 1;
    activeSource_ = j;
}

void DelayLinkEditor::releaseSource() {
    activeSource_ = -1;
    clearSingleMemberGroups(groups_);
}

void DelayLinkEditor::addSeat(int k) {
    if (activeSource_ < 0 || !isSlot(k) || k == activeSource_) return;
    groups_[static_cast<std::size_t>(k)] = activeSource_ + 1;
    if (std::none_of(groups_.begin(), groups_.end(), [](int g) { return g == 0; })) {
        activeSource_ = -1;
    }
}

void DelayLinkEditor::removeSeat(int k) {
    if (activeSource_ < 0 || !isSlot(k) || k == activeSource_) return;
    groups_[static_cast<std::size_t>(k)] = 0;
}

}  // namespace tq370
