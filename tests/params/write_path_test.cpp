#include "params/write_path.h"

#include <gmock/gmock.h>

#include "params/param_fixture.h"
#include "params/param_item.h"

namespace tq370 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using WritePath = RegisterFixture;

TEST_F(WritePath, StripToggleKeepsTheMixLevel) {
    table->setRegister(32, 0x6400);
    ParamWriteResult on = writeParam(*table, links, 0, 0, 1);
    EXPECT_TRUE(on.handled);
    EXPECT_EQ(on.reg, 32);
    EXPECT_EQ(table->getRegister(32), 0x6401);
    writeParam(*table, links, 0, 0, 0);
    EXPECT_EQ(table->getRegister(32), 0x6400);

    table->setRegister(43, 0x2A00);
    EXPECT_EQ(writeParam(*table, links, 1, 3, 1).reg, 43);  // input 4 of output 2
    EXPECT_EQ(table->getRegister(43), 0x2A01);
    EXPECT_EQ(writeParam(*table, links, 3, 6, 1).reg, 73);  // input 7 of output 4
}

TEST_F(WritePath, StripItemsWriteTheirSlotOnlyEvenWhenLinked) {
    links.jointGroup = {1, 1, 3, 3, 5, 5, 7, 7, 0, 0, 11, 11};
    struct Case {
        int slot;
        int item;
        int value;
        int reg;
    } cases[] = {{0, 13, 1, 205}, {4, 13, 0, 209}, {2, 14, 6, 219}, {11, 14, 0, 228}};
    for (const auto& c : cases) {
        clearPending();
        const ParamWriteResult r = writeParam(*table, links, c.slot, c.item, c.value);
        EXPECT_TRUE(r.handled);
        EXPECT_EQ(r.reg, c.reg);
        EXPECT_THAT(r.copies, IsEmpty());
        EXPECT_EQ(table->getRegister(c.reg), c.value);
        EXPECT_TRUE(table->isWritePending(c.reg));
    }
}

TEST_F(WritePath, ChannelItemsWriteTheSendersSlot) {
    struct Case {
        int sender;
        int item;
        int reg;
    } cases[] = {
        {100, 0, 388},  {100, 30, 388 + 120}, {103, 31, 390 + 372}, {111, 92, 389 + 124 * 11 + 120},
        {100, 93, 292}, {105, 94, 311},       {100, 96, 340},       {100, 97, 339},
        {101, 99, 250}, {101, 100, 248},      {101, 101, 249},      {107, 102, 188}};
    for (const auto& c : cases) {
        clearPending();
        const ParamWriteResult r = writeParam(*table, links, c.sender, c.item, 1234);
        EXPECT_TRUE(r.handled) << "item " << c.item;
        EXPECT_EQ(r.reg, c.reg) << "item " << c.item;
        EXPECT_EQ(table->getRegister(c.reg), 1234) << "item " << c.item;
        EXPECT_TRUE(table->isWritePending(c.reg));
    }
}

TEST_F(WritePath, ItemsWithoutAParameterAndBadInputWriteNothing) {
    clearPending();
    struct Case {
        int sender;
        int item;
        int value;
    } cases[] = {{0, 12, 1},    {0, 15, 1},   {0, -1, 1},     {100, 95, 1}, {100, 98, 1},
                 {100, 115, 1}, {100, -1, 1}, {12, 0, 1},     {99, 0, 1},   {112, 0, 1},
                 {-1, 0, 1},    {100, 0, -1}, {100, 0, 70000}};
    for (const auto& c : cases) {
        EXPECT_FALSE(writeParam(*table, links, c.sender, c.item, c.value).handled)
            << c.sender << "/" << c.item << "=" << c.value;
    }
    for (int r = 0; r < REGISTER_COUNT; ++r) EXPECT_FALSE(table->isWritePending(r)) << r;
}

TEST_F(WritePath, DelayItemNamesItsOwnSlotAndFollowsTheDelayGroup) {
    links.delayGroup[2] = 3;
    links.delayGroup[7] = 3;
    for (int sender = 100; sender <= 111; ++sender) {
        table->setRegister(200, 777);
        const ParamWriteResult r = writeParam(*table, links, sender, 105, 500);
        EXPECT_EQ(r.reg, 195) << sender;
        EXPECT_EQ(table->getRegister(195), 500);
        EXPECT_THAT(r.copies, ElementsAre(200)) << sender;
        EXPECT_EQ(table->getRegister(200), 500);
    }
    // A member that already holds the value is not written again.
    clearPending();
    EXPECT_THAT(writeParam(*table, links, 100, 105, 500).copies, IsEmpty());
    EXPECT_FALSE(table->isWritePending(200));
}

TEST_F(WritePath, ChannelItemsFollowTheJointGroupNotTheDelayGroup) {
    links.jointGroup = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    links.delayGroup = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const ParamWriteResult gain = writeParam(*table, links, 101, 62 + 3, 530);
    EXPECT_THAT(gain.copies, ElementsAre(389 + 12));
    EXPECT_EQ(table->getRegister(389 + 12), 530);

    // The delay of a jointly linked pair is not copied through the joint group.
    const ParamWriteResult delay = writeParam(*table, links, 100, 103 + 4, 1000);
    EXPECT_THAT(delay.copies, IsEmpty());
}

TEST_F(WritePath, VolumeCopyKeepsTheDestinationsPhase) {
    links.jointGroup = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    table->setRegister(182, 88);  // slot 1: −12 dB, second phase state
    const ParamWriteResult r = writeParam(*table, links, 100, 102, 560);
    EXPECT_THAT(r.copies, ElementsAre(182));
    EXPECT_EQ(table->getRegister(182), 60);
    // Written even when the value does not change.
    clearPending();
    EXPECT_THAT(writeParam(*table, links, 100, 102, 560).copies, ElementsAre(182));
    EXPECT_TRUE(table->isWritePending(182));
}

}  // namespace
}  // namespace tq370
