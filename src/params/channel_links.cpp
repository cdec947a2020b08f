#include "params/channel_links.h"

#include "params/param_encoding.h"
#include "params/register_access.h"

namespace tq370 {
namespace {

struct PositionPair {
    int left;
    int right;
};

// Left and right codes of the same position and driver. Center speakers and the single
// subwoofer have no partner.
constexpr PositionPair PAIRS[] = {{1, 7},  {2, 8},   {3, 9},   {4, 10},  {5, 11},
                                  {6, 12}, {13, 16}, {14, 17}, {15, 18}, {22, 23}};

int lowestSlotAt(std::span<const int> positions, int code) {
    for (int s = 0; s < static_cast<int>(positions.size()) && s < CHANNEL_COUNT; ++s) {
        if (positions[static_cast<std::size_t>(s)] == code) return s;
    }
    return -1;
}

}  // namespace

void propagateToGroup(RegisterAccess& table, const GroupArray& jointGroup, int c, int entry,
                      std::vector<int>& written) {
    if (!isSlot(c) || entry < 0 || entry >= CHANNEL_ENTRY_COUNT) return;
    const int group = jointGroup[static_cast<std::size_t>(c)];
    if (group <= 0) return;
    const int srcValue = table.getRegister(CHANNEL_REGISTER_MAP[c][entry]);
    for (int i = 0; i < CHANNEL_COUNT; ++i) {
        if (i == c || jointGroup[static_cast<std::size_t>(i)] != group) continue;
        const int dst = CHANNEL_REGISTER_MAP[i][entry];
        if (entry == ENTRY_VOLUME) {
            const int phase = table.getRegister(dst) >= PHASE_FLAG ? PHASE_FLAG : 0;
            table.setRegister(dst, volumeLevelPart(srcValue) + phase);
        } else {
            if (table.getRegister(dst) == srcValue) continue;
            table.setRegister(dst, srcValue);
        }
        written.push_back(dst);
    }
}

void copyDelayToGroup(RegisterAccess& table, const GroupArray& delayGroup, int d,
                      std::vector<int>& written) {
    if (!isSlot(d)) return;
    const int group = delayGroup[static_cast<std::size_t>(d)];
    if (group <= 0) return;
    const int value = table.getRegister(REG_CHANNEL_DELAY + d);
    for (int i = 0; i < CHANNEL_COUNT; ++i) {
        if (i == d || delayGroup[static_cast<std::size_t>(i)] != group) continue;
        const int dst = REG_CHANNEL_DELAY + i;
        if (table.getRegister(dst) == value) continue;
        table.setRegister(dst, value);
        written.push_back(dst);
    }
}

void clearSingleMemberGroups(GroupArray& groups) {
    for (int& g : groups) {
        if (g <= 0) continue;
        int members = 0;
        for (int other : groups) members += other == g ? 1 : 0;
        if (members == 1) g = 0;
    }
}

GroupArray formJointGroups(std::span<const int> positions, PairSource source) {
    // Built from scratch: a group left over from an earlier linking whose positions no
    // longer pair must not survive.
    GroupArray groups{};
    for (const PositionPair& pair : PAIRS) {
        const int left = lowestSlotAt(positions, pair.left);
        const int right = lowestSlotAt(positions, pair.right);
        if (left < 0 || right < 0) continue;
        const int sourceSlot = source == PairSource::Left ? left : right;
        for (int s = 0; s < static_cast<int>(positions.size()) && s < CHANNEL_COUNT; ++s) {
            const int code = positions[static_cast<std::size_t>(s)];
            if (code == pair.left || code == pair.right) {
                groups[static_cast<std::size_t>(s)] = sourceSlot + 1;
            }
        }
    }
    clearSingleMemberGroups(groups);
    return groups;
}

std::vector<int> linkPairs(RegisterAccess& table, ChannelLinks& links,
                           std::span<const int> positions, PairSource source) {
    links.jointGroup = formJointGroups(positions, source);
    std::vector<int> written;
    for (int s = 0; s < CHANNEL_COUNT; ++s) {
        if (links.jointGroup[static_cast<std::size_t>(s)] != s + 1) continue;
        for (int e = 0; e < CHANNEL_ENTRY_COUNT; ++e) {
            if (e != ENTRY_DELAY) propagateToGroup(table, links.jointGroup, s, e, written);
        }
    }
    return written;
}

void unlinkPairs(ChannelLinks& links) {
    links.jointGroup.fill(0);
}

int selectionSource(const GroupArray& jointGroup, int s) {
    if (!isSlot(s)) return s;
    const int group = jointGroup[static_cast<std::size_t>(s)];
    return isSlot(group - 1) ? group - 1 : s;
}

std::array<bool, CHANNEL_COUNT> selectedSlots(const GroupArray& jointGroup, int s) {
    std::array<bool, CHANNEL_COUNT> selected{};
    if (!isSlot(s)) return selected;
    const int group = jointGroup[static_cast<std::size_t>(s)];
    for (int i = 0; i < CHANNEL_COUNT; ++i) {
        selected[static_cast<std::size_t>(i)] =
            group == 0 ? i == s : jointGroup[static_cast<std::size_t>(i)] == group;
    }
    return selected;
}

}  // namespace tq370
