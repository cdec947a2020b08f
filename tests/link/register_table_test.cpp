#include "link/register_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tq370 {
namespace {

class RegisterTableTest : public ::testing::Test {
protected:
    void SetUp() override { table->loadDefaults(); }
    void markAllRead() {
        for (int r = 0; r < REGISTER_COUNT; ++r) table->markDeviceUpdated(r);
    }
    // The table is large; keep it off the stack.
    std::unique_ptr<RegisterTable> table = std::make_unique<RegisterTable>();
};

TEST_F(RegisterTableTest, DefaultsMatchTheFactoryTable) {
    struct Case {
        int reg;
        std::int32_t value;
    } cases[] = {
        {0, 10006},   {1, 8},         {3, 8},       {4, 0},        {5, 100},       {16, 100},
        {17, 0},      {30, 0x6400},   {32, 0x6401}, {173, 0x6401}, {172, 0x6400},  {176, 600},
        {192, 600},   {217, 1},       {225, 19},    {227, 22},     {228, 23},      {231, 1},
        {243, 100},   {246, 525},     {290, 525},   {292, 0x80C5}, {338, 40},      {339, 53},
        {340, 20600}, {387, 7},       {388, 32969}, {389, 500},    {390, 240},     {1874, 240},
        {1871, 7},    {1872, 20200},  {1875, 0},    {1877, 16},    {1880, 600},    {1890, 13398},
        {1892, 8},    {1893, 0x0608}, {1894, 1},    {1896, 6},     {1899, 0xFF00}, {1900, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(table->getRegister(c.reg), c.value) << "register " << c.reg;
    // Band 17 of slot 3 is 1000 Hz.
    EXPECT_EQ(table->getRegister(387 + 3 * 124 + 17 * 4 + 1), 1000);
}

TEST_F(RegisterTableTest, SetRegisterMarksPendingAndIgnoresOutOfRange) {
    table->setRegister(500, 1234);
    EXPECT_EQ(table->getRegister(500), 1234);
    EXPECT_TRUE(table->isWritePending(500));
    table->setRegister(1901, 1);
    table->setRegister(-1, 1);
    EXPECT_EQ(table->getRegister(1901), 0);
}

TEST_F(RegisterTableTest, ReadBatchStopsAtTwentyFiveAndResumesOnLastRegister) {
    ReadBatch first = table->collectReadBatch(CONTINUE_AT_CURSOR, 32);
    ASSERT_TRUE(first.send);
    ASSERT_EQ(first.count, 25);
    EXPECT_EQ(first.registers[0], 0);
    EXPECT_EQ(first.registers[24], 24);
    EXPECT_EQ(table->retryCount(23), 1);
    EXPECT_EQ(table->retryCount(24), 0) << "the register that opens the next batch keeps its count";

    ReadBatch second = table->collectReadBatch(CONTINUE_AT_CURSOR, 32);
    ASSERT_EQ(second.count, 25);
    EXPECT_EQ(second.registers[0], 24);
}

TEST_F(RegisterTableTest, ReadBatchSkipsArrivedRegistersAndWraps) {
    markAllRead();
    for (int r : {1899, 1900, 0, 5}) table->takeDeviceUpdated(r);
    ReadBatch batch = table->collectReadBatch(1899, 32);
    ASSERT_EQ(batch.count, 4);
    EXPECT_EQ(batch.registers[0], 1899);
    EXPECT_EQ(batch.registers[3], 5);
    EXPECT_EQ(table->readCursor(), 1899) << "a full walk ends after the last register visited";

    EXPECT_FALSE(table->collectReadBatch(0, 0).send);
    markAllRead();
    ReadBatch empty = table->collectReadBatch(0, 32);
    EXPECT_TRUE(empty.send);
    EXPECT_EQ(empty.count, 0);
}

TEST_F(RegisterTableTest, ReadRetryCountCyclesWithoutGivingUp) {
    markAllRead();
    table->takeDeviceUpdated(7);
    for (int i = 0; i < 11; ++i) table->collectReadBatch(0, 32);
    EXPECT_EQ(table->retryCount(7), 0) << "10 before the increment wraps to 0";
    table->collectReadBatch(0, 32);
    EXPECT_EQ(table->retryCount(7), 1);
}

TEST_F(RegisterTableTest, WriteBatchTakesTwentyFourAndLeavesCursorAfterLast) {
    for (int r = 600; r < 630; ++r) table->setRegister(r, r);
    WriteBatch batch = table->collectWriteBatch(600, 24);
    ASSERT_EQ(batch.count, 24);
    EXPECT_EQ(batch.entries[23].reg, 623);
    EXPECT_EQ(batch.entries[23].value, 623);
    EXPECT_EQ(table->writeCursor(), 624);

    WriteBatch rest = table->collectWriteBatch(CONTINUE_AT_CURSOR, 24);
    EXPECT_EQ(rest.count, 24) << "the six left, then wraps to the first six again";
    EXPECT_EQ(rest.entries[0].reg, 624);
}

TEST_F(RegisterTableTest, WriteBatchWithNothingPendingIsStillSent) {
    WriteBatch batch = table->collectWriteBatch(0, 24);
    EXPECT_TRUE(batch.send);
    EXPECT_EQ(batch.count, 0);
    EXPECT_FALSE(table->collectWriteBatch(0, 0).send);
}

TEST_F(RegisterTableTest, WriteBatchSendsOnlyLowSixteenBits) {
    table->setRegister(10, 0x12345);
    WriteBatch batch = table->collectWriteBatch(0, 24);
    ASSERT_EQ(batch.count, 1);
    EXPECT_EQ(batch.entries[0].value, 0x2345);
}

TEST_F(RegisterTableTest, UnacknowledgedWriteIsSentElevenTimesThenGivenUpOnce) {
    table->setRegister(42, 7);
    int sends = 0;
    std::vector<WriteEntry> givenUp;
    for (int i = 0; i < 20; ++i) {
        WriteBatch batch = table->collectWriteBatch(0, 24);
        sends += batch.count;
        for (const WriteEntry& e : table->settleLastSends(batch)) givenUp.push_back(e);
    }
    EXPECT_EQ(sends, 11);
    ASSERT_EQ(givenUp.size(), 1u);
    EXPECT_EQ(givenUp[0].reg, 42);
    EXPECT_EQ(givenUp[0].value, 7);
    EXPECT_FALSE(table->isWritePending(42));
    EXPECT_EQ(table->retryCount(42), 0);
}

TEST_F(RegisterTableTest, LastSendAnsweredOrOverwrittenDuringItsWait) {
    struct Case {
        const char* what;
        bool acknowledged;
        bool newValue;
        bool givenUp;
        bool pendingAfter;
    };
    const Case cases[] = {
        {"no answer", false, false, true, false},
        {"acknowledged before the wait ended", true, false, false, false},
        {"a newer value stays pending with a full set of sends", false, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        table->loadDefaults();
        table->setRegister(42, 7);
        for (int i = 0; i < RETRY_GIVE_UP_AT; ++i) table->collectWriteBatch(0, 24);
        WriteBatch last = table->collectWriteBatch(0, 24);
        ASSERT_EQ(last.count, 1);
        EXPECT_TRUE(last.entries[0].lastSend);
        if (c.acknowledged) table->acknowledgeWrite(42, 7);
        if (c.newValue) table->setRegister(42, 8);
        EXPECT_EQ(table->settleLastSends(last).size(), c.givenUp ? 1u : 0u);
        EXPECT_EQ(table->isWritePending(42), c.pendingAfter);
        EXPECT_EQ(table->retryCount(42), 0);
    }
}

TEST_F(RegisterTableTest, ClearingTheLinkFlagsNamesTheDroppedWrites) {
    table->setRegister(42, 7);
    table->setRegister(300, 0x12345);
    table->markDeviceUpdated(5);
    std::vector<WriteEntry> dropped = table->clearLinkFlags();
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(dropped[0].reg, 42);
    EXPECT_EQ(dropped[1].reg, 300);
    EXPECT_EQ(dropped[1].value, 0x2345);
    EXPECT_FALSE(table->isWritePending(42));
    EXPECT_FALSE(table->isDeviceUpdated(5));
}

TEST_F(RegisterTableTest, ModeNameCommandReplacesTheWriteFrame) {
    table->setRegister(1000, 1);
    table->setRegister(REG_MODE_COMMAND, 0x0503);
    table->setRegister(1895, 2);
    for (int round = 0; round < 2; ++round) {
        WriteBatch batch = table->collectWriteBatch(1000, 24);
        ASSERT_TRUE(batch.modeNameRequest);
        EXPECT_EQ(batch.modeNumber, 3);
        EXPECT_EQ(batch.count, 0) << "what was collected before 1893 is dropped";
        EXPECT_EQ(table->writeCursor(), REG_MODE_COMMAND);
        EXPECT_TRUE(table->isWritePending(REG_MODE_COMMAND));
    }
    EXPECT_EQ(table->retryCount(1000), 2) << "retry steps of dropped entries stay applied";

    // Other commands in 1893 travel as ordinary writes.
    table->setRegister(REG_MODE_COMMAND, 0x0603);
    WriteBatch recall = table->collectWriteBatch(REG_MODE_COMMAND, 24);
    EXPECT_FALSE(recall.modeNameRequest);
    ASSERT_GE(recall.count, 1);
    EXPECT_EQ(recall.entries[0].reg, REG_MODE_COMMAND);
}

TEST_F(RegisterTableTest, LoadDefaultsClearsEveryFlag) {
    table->setRegister(5, 1);
    table->markDeviceUpdated(6);
    table->collectWriteBatch(0, 24);
    table->loadDefaults();
    EXPECT_FALSE(table->isWritePending(5));
    EXPECT_FALSE(table->isDeviceUpdated(6));
    EXPECT_EQ(table->retryCount(5), 0);
    EXPECT_EQ(table->getRegister(5), 100);
}

}  // namespace
}  // namespace tq370
