#include "params/channel_links.h"

#include <gmock/gmock.h>

#include <set>

#include "params/delay_link_editor.h"
#include "params/param_encoding.h"
#include "params/param_fixture.h"

namespace tq370 {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(JointGroups, FormedFromThePositions) {
    struct Case {
        const char* what;
        std::array<int, CHANNEL_COUNT> positions;
        PairSource source;
        GroupArray groups;
    } cases[] = {
        {"defaults, left source",
         {1, 7, 3, 9, 13, 16, 14, 17, 19, 0, 22, 23},
         PairSource::Left,
         {1, 1, 3, 3, 5, 5, 7, 7, 0, 0, 11, 11}},
        {"defaults, right source",
         {1, 7, 3, 9, 13, 16, 14, 17, 19, 0, 22, 23},
         PairSource::Right,
         {2, 2, 4, 4, 6, 6, 8, 8, 0, 0, 12, 12}},
        {"front midrange pairs", {0, 0, 8, 0, 2}, PairSource::Left, {0, 0, 5, 0, 5}},
        {"right side first, left source", {0, 8, 2}, PairSource::Left, {0, 3, 3}},
        {"left speaker without partner", {1, 0, 3, 12, 6}, PairSource::Left, {0, 0, 0, 5, 5}},
        {"centre and mono subwoofer never link", {19, 20, 21, 24, 24}, PairSource::Left, {}},
        {"rear full range and subwoofers", {15, 23, 18, 22}, PairSource::Right, {3, 2, 3, 2}},
        {"two left tweeters and a right", {1, 1, 7}, PairSource::Left, {1, 1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(formJointGroups(c.positions, c.source), ElementsAreArray(c.groups)) << c.what;
    }
}

TEST(JointGroups, LoneGroupValuesAreCleared) {
    GroupArray groups{1, 1, 3, 0, 5, 0, 0, 0, 0, 0, 0, 12};
    clearSingleMemberGroups(groups);
    EXPECT_THAT(groups, ElementsAre(1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

TEST(JointGroups, SelectionShowsTheWholeGroup) {
    const GroupArray groups{1, 1, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    auto selected = [](const std::array<bool, CHANNEL_COUNT>& s) {
        std::set<int> slots;
        for (int i = 0; i < CHANNEL_COUNT; ++i) {
            if (s[i]) slots.insert(i);
        }
        return slots;
    };
    EXPECT_EQ(selected(selectedSlots(groups, 3)), (std::set<int>{2, 3}));
    EXPECT_EQ(selected(selectedSlots(groups, 5)), (std::set<int>{5}));
    EXPECT_EQ(selected(selectedSlots(GroupArray{}, 0)), (std::set<int>{0}));

    // A channel button of a group member selects the group's source.
    EXPECT_EQ(selectionSource(groups, 3), 2);
    EXPECT_EQ(selectionSource(groups, 2), 2);
    EXPECT_EQ(selectionSource(groups, 5), 5);
}

class PairLinking : public RegisterFixture {
protected:
    // Gives every ChannelRegisterMap entry of a slot a value of its own.
    void fillSlot(int slot, int base) {
        for (int e = 0; e < CHANNEL_ENTRY_COUNT; ++e) {
            table->setRegister(CHANNEL_REGISTER_MAP[slot][e], base + e);
        }
    }
    int at(int slot, int entry) const {
        return table->getRegister(CHANNEL_REGISTER_MAP[slot][entry]);
    }
};

TEST_F(PairLinking, CopiesEveryEntryButTheDelayFromTheSourceSide) {
    for (PairSource side : {PairSource::Left, PairSource::Right}) {
        table->loadDefaults();
        for (int s = 0; s < CHANNEL_COUNT; ++s) fillSlot(s, 1000 * (s + 1));
        linkPairs(*table, links, DEFAULT_POSITIONS, side);
        for (int left : {0, 2, 4, 6, 10}) {
            const int src = side == PairSource::Left ? left : left + 1;
            const int dst = side == PairSource::Left ? left + 1 : left;
            for (int e = 0; e < CHANNEL_ENTRY_COUNT; ++e) {
                if (e == ENTRY_DELAY || e == ENTRY_VOLUME) continue;
                EXPECT_EQ(at(dst, e), at(src, e)) << "slot " << dst << " entry " << e;
            }
            EXPECT_EQ(at(dst, ENTRY_DELAY), 1000 * (dst + 1) + ENTRY_DELAY) << "delay copied";
            EXPECT_EQ(at(src, ENTRY_MUTE), 1000 * (src + 1) + ENTRY_MUTE) << "source changed";
        }
        // Slots 8 and 9 (centre, empty) are left alone.
        EXPECT_EQ(at(8, 0), 9000);
        EXPECT_EQ(at(9, 0), 10000);
    }
}

TEST_F(PairLinking, PartnerKeepsItsPhaseAndReportsEveryWrite) {
    table->setRegister(181, 600);  // slot 0: 0 dB, first phase state
    table->setRegister(182, 88);   // slot 1: −12 dB, second phase state
    table->setRegister(184, 560);  // slot 3: −40 dB, first phase state
    table->setRegister(183, 70);   // slot 2: −30 dB, second phase state
    clearPending();
    const std::vector<int> written = linkPairs(*table, links, DEFAULT_POSITIONS, PairSource::Left);
    EXPECT_EQ(table->getRegister(182), 100);
    EXPECT_EQ(table->getRegister(184), 570);
    for (int reg : written) EXPECT_TRUE(table->isWritePending(reg)) << reg;
    // With the defaults equal everywhere, only the volumes of the five partners differ
    // or are written regardless.
    EXPECT_THAT(written, ElementsAre(182, 184, 186, 188, 192));
    EXPECT_FALSE(table->isWritePending(181));
}

TEST_F(PairLinking, OffClearsTheGroupsAndKeepsTheRegisters) {
    linkPairs(*table, links, DEFAULT_POSITIONS, PairSource::Left);
    table->setRegister(401, 530);
    unlinkPairs(links);
    EXPECT_THAT(links.jointGroup, ElementsAre(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(table->getRegister(401), 530);
}

TEST_F(PairLinking, RelinkingDropsGroupsWhosePositionsNoLongerPair) {
    linkPairs(*table, links, DEFAULT_POSITIONS, PairSource::Left);
    int moved[CHANNEL_COUNT] = {0, 0, 3, 9, 13, 16, 14, 17, 19, 0, 22, 23};
    linkPairs(*table, links, moved, PairSource::Left);
    EXPECT_THAT(links.jointGroup, ElementsAre(0, 0, 3, 3, 5, 5, 7, 7, 0, 0, 11, 11));
}

TEST(DelayLinkEditor, SourceAndSeats) {
    GroupArray groups{};
    DelayLinkEditor editor(groups);
    editor.pressSource(0);
    editor.addSeat(2);
    editor.addSeat(4);
    EXPECT_THAT(groups, ElementsAre(1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(editor.sourceEnabled(2));
    EXPECT_TRUE(editor.sourceEnabled(0));
    EXPECT_TRUE(editor.sourceEnabled(1));

    editor.addSeat(0);  // the source's own seat
    editor.removeSeat(4);
    EXPECT_THAT(groups, ElementsAre(1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(editor.sourceEnabled(4));

    editor.releaseSource();
    editor.addSeat(5);      // no source pressed
    editor.pressSource(2);  // a member cannot become a source
    EXPECT_EQ(editor.activeSource(), -1);
    EXPECT_THAT(groups, ElementsAre(1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

TEST(DelayLinkEditor, LoneSourcesDissolve) {
    GroupArray groups{};
    DelayLinkEditor editor(groups);
    editor.pressSource(0);
    EXPECT_EQ(groups[0], 1);
    editor.releaseSource();
    EXPECT_EQ(groups[0], 0);

    // Pressing another source dissolves a lone one first.
    editor.pressSource(3);
    editor.pressSource(5);
    EXPECT_EQ(editor.activeSource(), 5);
    EXPECT_THAT(groups, ElementsAre(0, 0, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0));
}

TEST(DelayLinkEditor, SourceReleasesWhenEverySlotIsGrouped) {
    GroupArray groups{};
    DelayLinkEditor editor(groups);
    editor.pressSource(0);
    for (int k = 1; k < CHANNEL_COUNT - 1; ++k) editor.addSeat(k);
    EXPECT_EQ(editor.activeSource(), 0);
    editor.addSeat(CHANNEL_COUNT - 1);
    EXPECT_EQ(editor.activeSource(), -1);
    EXPECT_THAT(groups, ::testing::Each(1));
}

TEST_F(PairLinking, DelayGroupBuiltInTheEditorCarriesADelayEdit) {
    DelayLinkEditor editor(links.delayGroup);
    editor.pressSource(0);
    editor.addSeat(2);
    editor.addSeat(4);
    editor.releaseSource();
    table->setRegister(197, 1000);
    std::vector<int> written;
    copyDelayToGroup(*table, links.delayGroup, 4, written);
    EXPECT_THAT(written, ElementsAre(193, 195));
    EXPECT_EQ(table->getRegister(193), 1000);
    EXPECT_EQ(table->getRegister(195), 1000);
    EXPECT_EQ(table->getRegister(194), 0);
}

}  // namespace
}  // namespace tq370
