#pragma once

#include "params/channel_links.h"

namespace tq370 {

// The rules of the delay-link dialog on the delay groups: pick a source slot, then click
// seats to add them to its group (left click) or take them out (right click).
class DelayLinkEditor {
public:
    explicit DelayLinkEditor(GroupArray& delayGroup) : groups_(delayGroup) {}

    // A member of another slot's group cannot become a source.
    bool sourceEnabled(int slot) const;
    // The slot whose source button is pressed, or -1.
    int activeSource() const { return activeSource_; }

    // Presses source j (ignored while j is disabled): lone groups are dissolved first,
    // then j becomes the source of its own group.
    void pressSource(int j);
    // Releases the pressed source; lone groups are dissolved.
    void releaseSource();
    // Adds slot k to the active source's group; when no slot is left ungrouped the source
    // is released without further changes.
    void addSeat(int k);
    // Takes slot k out of any group, while a source is pressed.
    void removeSeat(int k);

private:
    GroupArray& groups_;
    int activeSource_ = -1;
};

}  // namespace tq370
