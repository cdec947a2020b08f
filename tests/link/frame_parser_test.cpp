#include "link/frame_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>
#include <random>
#include <string>

#include "support/link_test_frames.h"

namespace tq370 {
namespace {

using test::Bytes;
using test::readReply;
using test::textReply;
using test::writeAck;

class FrameParserTest : public ::testing::Test {
protected:
    void SetUp() override { context->registers.loadDefaults(); }
    void feed(const Bytes& bytes) { parser->input(bytes); }
    RegisterTable& table() { return context->registers; }

    std::unique_ptr<LinkContext> context = std::make_unique<LinkContext>();
    std::vector<std::uint32_t> offered;
    std::unique_ptr<FrameParser> parser = std::make_unique<FrameParser>(
        *context, [this](std::uint32_t address) { offered.push_back(address); });
};

TEST_F(FrameParserTest, FrameSplitAnywhereIsAppliedOnceComplete) {
    const Bytes frame = readReply({{100, 1234}});
    for (std::size_t split = 1; split < frame.size(); ++split) {
        SCOPED_TRACE(split);
        context = std::make_unique<LinkContext>();
        parser = std::make_unique<FrameParser>(*context);
        feed(Bytes(frame.begin(), frame.begin() + split));
        EXPECT_FALSE(table().isDeviceUpdated(100));
        feed(Bytes(frame.begin() + split, frame.end()));
        EXPECT_TRUE(table().isDeviceUpdated(100));
        EXPECT_EQ(table().getRegister(100), 1234);
        EXPECT_EQ(parser->bufferedBytes(), 2u) << "the CRC of the last frame stays in front";
    }
}

TEST_F(FrameParserTest, FiveByteFrameWaitsForASixthByte) {
    feed(buildFrame(CMD_RECALL_MODE, {}));
    EXPECT_FALSE(context->recallDone);
    EXPECT_EQ(parser->bufferedBytes(), 5u);
    feed({0x00});
    EXPECT_TRUE(context->recallDone);
}

TEST_F(FrameParserTest, CompletionFlagsOfModeCommands) {
    feed(buildFrame(CMD_SAVE_MODE, Bytes{1, 2}));
    EXPECT_TRUE(context->saveModeDone);
    EXPECT_FALSE(context->recallDone);
    feed(buildFrame(CMD_RECALL_MODE, Bytes{7}));
    EXPECT_TRUE(context->recallDone);
}

TEST_F(FrameParserTest, WrongCrcIsNeitherAppliedNorConsumed) {
    Bytes bad = readReply({{10, 1}});
    bad.back() ^= 0x01;
    feed(bad);
    EXPECT_FALSE(table().isDeviceUpdated(10));
    EXPECT_EQ(parser->bufferedBytes(), bad.size());

    context->missCount = 3;
    feed(readReply({{11, 2}}));
    EXPECT_FALSE(table().isDeviceUpdated(10));
    EXPECT_TRUE(table().isDeviceUpdated(11));
    EXPECT_EQ(context->missCount, 0);
    EXPECT_EQ(parser->bufferedBytes(), 2u) << "the bad bytes went with the trim";
}

// The scan goes on inside an accepted frame, so a frame carried in another's payload
// counts too.
TEST_F(FrameParserTest, ScanContinuesInsideAnAcceptedFrame) {
    Bytes inner = readReply({{20, 77}});
    feed(buildFrame(0x02, inner));
    EXPECT_TRUE(table().isDeviceUpdated(20));
    EXPECT_EQ(table().getRegister(20), 77);
}

TEST_F(FrameParserTest, UnknownCommandIsProofOfLifeOnly) {
    context->missCount = 2;
    context->lastRxTick = -100000;
    context->awaitingReply = true;
    feed(buildFrame(0x05, Bytes{0x00, 0x01, 0x00, 0x02}));
    EXPECT_EQ(context->missCount, 0);
    EXPECT_GE(context->lastRxTick.load(), 0);
    EXPECT_FALSE(context->replySemaphore.tryAcquire()) << "an ignored command is no reply";
    EXPECT_FALSE(table().isDeviceUpdated(1));
}

TEST_F(FrameParserTest, AcknowledgementClearsOnlyAMatchingValue) {
    table().setRegister(200, 5);
    table().collectWriteBatch(200, 24);
    table().setRegister(200, 6);  // changed while 5 was in flight
    feed(writeAck({{200, 5}}));
    EXPECT_TRUE(table().isWritePending(200)) << "a stale acknowledgement leaves it pending";
    EXPECT_EQ(table().retryCount(200), 1);

    feed(writeAck({{200, 6}}));
    EXPECT_FALSE(table().isWritePending(200));
    EXPECT_EQ(table().retryCount(200), 0);

    table().setRegister(201, 0x10007);
    feed(writeAck({{201, 7}}));
    EXPECT_FALSE(table().isWritePending(201)) << "only the low 16 bits travel";
}

// An edit made while a read-back is under way must survive the processor's report of the
// old value, or the flush would send the old value back and the edit would be lost.
TEST_F(FrameParserTest, ReadReplyKeepsAPendingEdit) {
    table().setRegister(300, 77);
    feed(readReply({{300, 12}, {301, 13}}));
    EXPECT_EQ(table().getRegister(300), 77);
    EXPECT_TRUE(table().isWritePending(300));
    EXPECT_TRUE(table().isDeviceUpdated(300)) << "still counts as arrived";
    EXPECT_EQ(table().getRegister(301), 13);

    feed(writeAck({{300, 77}}));
    feed(readReply({{300, 12}}));
    EXPECT_EQ(table().getRegister(300), 12) << "once acknowledged, reports are stored again";
}

TEST_F(FrameParserTest, EntriesNamingRegistersAbove1900AreSkipped) {
    Bytes payload = {0x07, 0x6D, 0x00, 0x07,  // 1901
                     0x00, 0x05, 0x00, 0x09,  // 5
                     0xFF, 0xFF, 0x00, 0x01,  // 65535
                     0x07, 0x6C, 0x00, 0x03,  // 1900
                     0x00, 0x06};             // incomplete entry
    feed(buildFrame(CMD_READ, payload));
    EXPECT_EQ(table().getRegister(5), 9);
    EXPECT_EQ(table().getRegister(1900), 3);
    EXPECT_FALSE(table().isDeviceUpdated(6));
    EXPECT_EQ(table().countDeviceUpdated(), 2);

    table().setRegister(7, 1);
    feed(writeAck({{1901, 1}, {7, 1}}));
    EXPECT_FALSE(table().isWritePending(7));
}

TEST_F(FrameParserTest, HelloCarriesIdentityOrLock) {
    feed(buildFrame(CMD_HELLO, Bytes{0x27, 0x1B, 0x00, 0x00}));
    EXPECT_EQ(context->deviceModelId, 10011);
    EXPECT_EQ(context->lockMaxMode, 16);

    feed(buildFrame(CMD_HELLO, Bytes{0x02, 12, 0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(context->lockMaxMode, 12);
    EXPECT_EQ(context->lockMask, 0x01020304u) << "least significant byte first";
    EXPECT_EQ(context->deviceModelId, 10011) << "the lock form leaves the identity alone";

    feed(buildFrame(CMD_HELLO, Bytes{0x01, 9}));
    EXPECT_EQ(context->lockMaxMode, 12) << "a lock form too short to hold its mask is not applied";
}

TEST_F(FrameParserTest, CurrentModeReplyRunsTheLockTest) {
    feed(buildFrame(CMD_HELLO, Bytes{0x01, 16, 0x08, 0x00, 0x00, 0x00}));  // only bit 3 locked
    struct Case {
        int mode;
        bool lockedBefore;
        bool lockedAfter;
    } cases[] = {
        {3, false, true},    // bit 3 set
        {2, true, false},    // bit 2 clear
        {16, true, false},   // at the limit, bit 16 clear
        {17, false, false},  // above lockMaxMode: unchanged
        {17, true, true},
    };
    for (const auto& c : cases) {
        context->modeLocked = c.lockedBefore;
        feed(readReply({{REG_MODE_CURRENT, c.mode}}));
        EXPECT_EQ(context->modeLocked, c.lockedAfter) << "mode " << c.mode;
        EXPECT_EQ(table().getRegister(REG_MODE_CURRENT), c.mode);
    }
}

TEST_F(FrameParserTest, ModeNameReplyIsTrimmedAndMarksItsMode) {
    struct Case {
        std::string name;
        std::u16string stored;
    } cases[] = {
        {"Bass  ", u"Bass"},
        {"Bass~\x01\xFF", u"Bass"},  // above 0x7A and control bytes go too
        {"A ", u"A "},               // the first two characters are never trimmed
        {"Mid {x", u"Mid {x"},       // only the end is trimmed
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", u"ABCDEFGHIJKLMNOPQRSTUVWXY"},  // at most 25
        {"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        context->modeNameArrived(5) = false;
        context->newName = false;
        table().setRegister(REG_MODE_COMMAND, 0x0505);
        Bytes payload = {5};
        payload.insert(payload.end(), c.name.begin(), c.name.end());
        feed(buildFrame(CMD_MODE_NAME, payload));

        EXPECT_EQ(context->modeName(), c.stored);
        EXPECT_TRUE(context->modeNameArrived(5));
        EXPECT_TRUE(context->newName);
        EXPECT_EQ(table().getRegister(REG_MODE_COMMAND), 5);
        EXPECT_FALSE(table().isWritePending(REG_MODE_COMMAND));
        EXPECT_TRUE(table().takeDeviceUpdated(REG_MODE_COMMAND));
    }
}

TEST_F(FrameParserTest, ModeNameReplyClearsTheOldNameAndIgnoresUnknownModes) {
    feed(buildFrame(CMD_MODE_NAME, Bytes{2, 'L', 'o', 'n', 'g', 'N', 'a', 'm', 'e'}));
    feed(buildFrame(CMD_MODE_NAME, Bytes{17, 'H', 'i'}));
    EXPECT_EQ(context->modeName(), u"Hi");
    EXPECT_TRUE(context->modeNameArrived(2));
    for (int mode = 1; mode <= MODE_COUNT; ++mode) {
        if (mode != 2) {
            EXPECT_FALSE(context->modeNameArrived(mode)) << mode;
        }
    }
    EXPECT_EQ(table().getRegister(REG_MODE_COMMAND), 17);
}

TEST_F(FrameParserTest, TextReplyGoesToItsSlot) {
    feed(textReply("Get_TCPPort:1010"));
    EXPECT_EQ(context->textSlots[3].value, 1010);
    EXPECT_EQ(context->textSlots[3].answered, 1);
    feed(textReply("Get_IP:7F000001"));
    EXPECT_EQ(offered, std::vector<std::uint32_t>{0x7F000001});
    feed(buildFrame(CMD_TEXT, Bytes{'G'}));  // shorter than its trailer: no text at all
    EXPECT_EQ(parser->bufferedBytes(), 2u);
    EXPECT_EQ(offered.size(), 1u);
}

TEST_F(FrameParserTest, RepliesReleaseOnlyAnAwaitedSemaphoreAndNeverAboveOne) {
    const Bytes replies[] = {buildFrame(CMD_HELLO, Bytes{0x27, 0x1B, 0, 0}),
                             buildFrame(CMD_RECALL_MODE, Bytes{0}),
                             writeAck({{1, 1}}),
                             buildFrame(CMD_MODE_NAME, Bytes{1, 'A'}),
                             readReply({{1, 1}}),
                             buildFrame(CMD_SAVE_MODE, Bytes{0}),
                             textReply("Set_Restart:")};
    for (const Bytes& reply : replies) {
        SCOPED_TRACE(static_cast<int>(reply[2]));
        context->awaitingReply = false;
        feed(reply);
        EXPECT_FALSE(context->replySemaphore.tryAcquire()) << "nobody was waiting";

        context->awaitingReply = true;
        feed(reply);
        feed(reply);
        EXPECT_TRUE(context->replySemaphore.tryAcquire());
        EXPECT_FALSE(context->replySemaphore.tryAcquire()) << "two replies leave one count";
    }
}

TEST_F(FrameParserTest, GarbageFloodStaysCappedAndFramesStillArrive) {
    std::mt19937 random(7);
    Bytes chunk(1500);
    for (int i = 0; i < 100; ++i) {
        // Start markers everywhere, with lengths that make candidates complete and wrong.
        for (std::size_t k = 0; k < chunk.size(); ++k) {
            chunk[k] = k % 3 == 0 ? 0x80 : static_cast<std::uint8_t>(random());
        }
        feed(chunk);
        ASSERT_LE(parser->bufferedBytes(), FrameParser::BUFFER_CAP);
    }
    EXPECT_EQ(parser->bufferedBytes(), FrameParser::BUFFER_CAP);

    Bytes frame = readReply({{42, 4242}});
    feed(Bytes(frame.begin(), frame.begin() + 4));
    feed(Bytes(frame.begin() + 4, frame.end()));
    EXPECT_EQ(table().getRegister(42), 4242);
    EXPECT_EQ(parser->bufferedBytes(), 2u);
}

TEST_F(FrameParserTest, InputLargerThanTheCapKeepsItsLastFrame) {
    Bytes input(3 * FrameParser::BUFFER_CAP, 0x80);
    Bytes frame = readReply({{43, 1}});
    input.insert(input.end(), frame.begin(), frame.end());
    feed(input);
    EXPECT_TRUE(table().isDeviceUpdated(43));
    EXPECT_LE(parser->bufferedBytes(), FrameParser::BUFFER_CAP);
}

// Thousands of frames of mixed commands, cut into random pieces with garbage between
// them: every one must take effect exactly once. Each register is reported or
// acknowledged by one frame only, and the processor addresses are offered in order, so
// a lost, repeated or invented frame shows.
TEST_F(FrameParserTest, RandomlyCutStreamAppliesEveryFrameOnce) {
    std::mt19937 random(2024);
    std::vector<int> registers(REGISTER_COUNT);
    std::iota(registers.begin(), registers.end(), 0);
    std::shuffle(registers.begin(), registers.end(), random);
    const std::size_t readCount =
        1100;  // registers reported by read replies; the rest acknowledged

    std::vector<int> expected(REGISTER_COUNT, -1);
    for (std::size_t k = readCount; k < registers.size(); ++k) {
        table().setRegister(registers[k], registers[k] * 7);
    }

    Bytes stream;
    std::size_t nextRead = 0, nextAck = readCount;
    std::uint32_t address = 0;
    std::uint16_t lastModel = 0;
    int frames = 0;
    auto registerEntries = [&](std::size_t& next, std::size_t end, bool read) {
        Bytes payload;
        for (int n = 1 + static_cast<int>(random() % 4); n > 0 && next < end; --n, ++next) {
            int reg = registers[next];
            int value = read ? static_cast<int>(random() & 0xFFFF) : reg * 7;
            if (read) expected[static_cast<std::size_t>(reg)] = value;
            std::uint8_t entry[4];
            writeBigEndian16(entry, static_cast<std::uint16_t>(reg));
            writeBigEndian16(entry + 2, static_cast<std::uint16_t>(value));
            payload.insert(payload.end(), entry, entry + 4);
        }
        return buildFrame(read ? CMD_READ : CMD_WRITE, payload);
    };
    while (nextRead < readCount || nextAck < registers.size() || address < 1500) {
        Bytes frame;
        switch (random() % 4) {
            case 0:
                frame = registerEntries(nextRead, readCount, true);
                break;
            case 1:
                frame = registerEntries(nextAck, registers.size(), false);
                break;
            case 2: {
                char text[24];
                std::snprintf(text, sizeof text, "Get_IP:%X", ++address);
                frame = textReply(text);
                break;
            }
            default:
                lastModel = static_cast<std::uint16_t>(random());
                if ((lastModel >> 8) == 1 || (lastModel >> 8) == 2) lastModel ^= 0x8000;
                frame = buildFrame(CMD_HELLO, Bytes{static_cast<std::uint8_t>(lastModel >> 8),
                                                    static_cast<std::uint8_t>(lastModel), 0, 0});
        }
        stream.insert(stream.end(), frame.begin(), frame.end());
        ++frames;
        for (int g = static_cast<int>(random() % 5); g > 0; --g) {
            stream.push_back(random() % 4 == 0 ? 0x80 : static_cast<std::uint8_t>(random()));
        }
    }
    ASSERT_GT(frames, 3000);

    for (std::size_t at = 0; at < stream.size();) {
        std::size_t piece = std::min<std::size_t>(1 + random() % 200, stream.size() - at);
        parser->input(std::span(stream.data() + at, piece));
        at += piece;
    }

    for (std::size_t k = 0; k < registers.size(); ++k) {
        int reg = registers[k];
        if (k < readCount) {
            ASSERT_TRUE(table().isDeviceUpdated(reg)) << "read reply lost for " << reg;
            ASSERT_EQ(table().getRegister(reg), expected[static_cast<std::size_t>(reg)]) << reg;
        } else {
            ASSERT_FALSE(table().isDeviceUpdated(reg)) << "invented read of " << reg;
            ASSERT_FALSE(table().isWritePending(reg)) << "acknowledgement lost for " << reg;
        }
    }
    ASSERT_EQ(offered.size(), address);
    for (std::uint32_t k = 0; k < address; ++k) ASSERT_EQ(offered[k], k + 1);
    EXPECT_EQ(context->deviceModelId, lastModel);
}

}  // namespace
}  // namespace tq370
