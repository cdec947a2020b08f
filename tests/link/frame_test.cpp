#include "link/frame.h"

#include <gtest/gtest.h>

#include <numeric>

#include "base/crc16.h"

namespace tq370 {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BuildFrame, KnownFrames) {
    struct Case {
        const char* name;
        std::uint8_t command;
        Bytes payload;
        Bytes frame;
    } cases[] = {
        {"read register 0", CMD_READ, {0x00, 0x00}, {0x80, 0x05, 0x06, 0x00, 0x00, 0x13, 0xC5}},
        {"empty write", CMD_WRITE, {}, {0x80, 0x03, 0x03, 0xD9, 0x30}},
    };
    for (const auto& c : cases) EXPECT_EQ(buildFrame(c.command, c.payload), c.frame) << c.name;
    EXPECT_EQ(Bytes(std::begin(READ_REGISTER_ZERO), std::end(READ_REGISTER_ZERO)),
              buildFrame(CMD_READ, Bytes{0x00, 0x00}))
        << "the transports' probe";
}

// From 250 payload bytes on, the length byte is 255 but the CRC still follows the whole
// payload, so the frame is longer than its length byte says.
TEST(BuildFrame, LengthByteAndCrcPositionAroundTheLimit) {
    struct Case {
        std::size_t payloadSize;
        std::uint8_t lengthByte;
    } cases[] = {{0, 3}, {1, 4}, {249, 252}, {250, 255}, {300, 255}};
    for (const auto& c : cases) {
        Bytes payload(c.payloadSize);
        std::iota(payload.begin(), payload.end(), std::uint8_t{1});
        Bytes frame = buildFrame(0x42, payload);
        ASSERT_EQ(frame.size(), c.payloadSize + 5) << c.payloadSize;
        EXPECT_EQ(frame[0], 0x80);
        EXPECT_EQ(frame[1], c.lengthByte) << c.payloadSize;
        EXPECT_EQ(frame[2], 0x42);
        EXPECT_TRUE(std::equal(payload.begin(), payload.end(), frame.begin() + 3));
        std::size_t crcAt = c.payloadSize + 3;
        std::uint16_t crc = crc16(frame.data(), crcAt);
        EXPECT_EQ(frame[crcAt], crc >> 8) << "CRC high byte first, payload " << c.payloadSize;
        EXPECT_EQ(frame[crcAt + 1], crc & 0xFF);
    }
}

TEST(BatchFrames, ReadRequestCarriesRegisterNumbersHighByteFirst) {
    ReadBatch batch;
    batch.send = true;
    batch.registers[0] = REG_MODE_CURRENT;
    batch.registers[1] = 1;
    batch.count = 2;
    auto frame = readRequestFrame(batch);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->command, CMD_READ);
    EXPECT_EQ(frame->payload, (Bytes{0x07, 0x64, 0x00, 0x01}));

    batch.count = 0;
    EXPECT_TRUE(readRequestFrame(batch)->payload.empty()) << "an empty batch is still a request";
    batch.send = false;
    EXPECT_FALSE(readRequestFrame(batch));
}

TEST(BatchFrames, WriteBatchBecomesWriteFrameOrModeNameRequest) {
    WriteBatch batch;
    batch.send = true;
    batch.entries[0] = {REG_HOST_LINK, 1};
    batch.entries[1] = {0x0102, 0xA0B0};
    batch.count = 2;
    auto write = writeBatchFrame(batch);
    ASSERT_TRUE(write);
    EXPECT_EQ(write->command, CMD_WRITE);
    EXPECT_EQ(write->payload, (Bytes{0x07, 0x66, 0x00, 0x01, 0x01, 0x02, 0xA0, 0xB0}));

    batch.count = 0;
    batch.modeNameRequest = true;
    batch.modeNumber = 3;
    auto name = writeBatchFrame(batch);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->command, CMD_MODE_NAME);
    EXPECT_EQ(name->payload, Bytes{3});

    batch.send = false;
    EXPECT_FALSE(writeBatchFrame(batch));
}

// The table's batches go out as the frames the processor expects.
TEST(BatchFrames, CollectedWriteBatchEncodesPendingRegisters) {
    auto table = std::make_unique<RegisterTable>();
    table->loadDefaults();
    table->setRegister(300, 0x1234);
    auto frame = writeBatchFrame(table->collectWriteBatch(0, 24));
    ASSERT_TRUE(frame);
    EXPECT_EQ(buildFrame(frame->command, frame->payload).size(), 9u);
    EXPECT_EQ(frame->payload, (Bytes{0x01, 0x2C, 0x12, 0x34}));
}

}  // namespace
}  // namespace tq370
