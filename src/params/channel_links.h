#pragma once

#include <array>
#include <span>
#include <vector>

#include "params/channel_register_map.h"

namespace tq370 {

class RegisterAccess;

// One group value per slot: 0 = not linked, g > 0 = member of the group whose source is
// slot g - 1. Application state only; never stored in the processor or a preset.
using GroupArray = std::array<int, CHANNEL_COUNT>;

struct ChannelLinks {
    GroupArray jointGroup{};  // left/right pair linking: EQ, crossovers, limiter, volume
    GroupArray delayGroup{};  // built by hand in the delay-link dialog: delay only
};

// Copies entry e of slot c to the other members of c's joint group and appends every
// register it writes. The volume entry copies the level and keeps the destination's
// phase flag, and is written even when unchanged; other entries only when they differ.
void propagateToGroup(RegisterAccess& table, const GroupArray& jointGroup, int c, int entry,
                      std::vector<int>& written);

// Copies slot d's delay to the other members of its delay group that hold another value.
void copyDelayToGroup(RegisterAccess& table, const GroupArray& delayGroup, int d,
                      std::vector<int>& written);

// A group value held by only one slot links nothing; it becomes 0.
void clearSingleMemberGroups(GroupArray& groups);

enum class PairSource { Left = 1, Right = 2 };

// Joint groups from the slots' SpeakerPosition codes: every left speaker is grouped with
// the right speaker of the same position and driver; the lowest slot of the source side
// is the group's source. Slots without a partner stay 0.
GroupArray formJointGroups(std::span<const int> positions, PairSource source);

// Pair linking on: forms the joint groups and copies every entry except the delay from
// each source to its partners. Returns the registers written, in order.
std::vector<int> linkPairs(RegisterAccess& table, ChannelLinks& links,
                           std::span<const int> positions, PairSource source);

// Pair linking off; registers stay as they are.
void unlinkPairs(ChannelLinks& links);

// The slot a click on slot s's channel button makes current: s, or its joint group's
// source.
int selectionSource(const GroupArray& jointGroup, int s);

// The strips shown as selected when slot s becomes current: s alone, or its whole group.
std::array<bool, CHANNEL_COUNT> selectedSlots(const GroupArray& jointGroup, int s);

}  // namespace tq370
