#include "sim/processor_simulator.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/byte_order.h"
#include "link/frame.h"
#include "link/frame_parser.h"
#include "link/link_context.h"

namespace tq370 {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Change>
SimulatorFaults faultsWith(Change change) {
    SimulatorFaults faults;
    change(faults);
    return faults;
}

Bytes frame(std::uint8_t command, Bytes payload = {}) {
    return buildFrame(command, payload);
}

Bytes registerEntries(std::initializer_list<std::pair<int, int>> entries) {
    Bytes payload;
    for (auto [reg, value] : entries) {
        std::uint8_t entry[4];
        writeBigEndian16(entry, static_cast<std::uint16_t>(reg));
        writeBigEndian16(entry + 2, static_cast<std::uint16_t>(value));
        payload.insert(payload.end(), entry, entry + 4);
    }
    return payload;
}

Bytes readRequest(std::initializer_list<int> registers) {
    Bytes payload;
    for (int reg : registers) {
        payload.push_back(highByte(static_cast<std::uint16_t>(reg)));
        payload.push_back(lowByte(static_cast<std::uint16_t>(reg)));
    }
    return frame(CMD_READ, payload);
}

// A simulator whose replies go straight into a host-side parser and a byte log.
class SimulatorTest : public ::testing::Test {
protected:
    explicit SimulatorTest(SimulatorOptions options = {}) : sim(options) {}
    void SetUp() override { attach(); }
    void attach() {
        sim.attach(
            [this](Bytes bytes, double) {
                wire.insert(wire.end(), bytes.begin(), bytes.end());
                ++pieces;
                parser.input(bytes);
            },
            [this] { ++hangUps; });
    }
    void send(const Bytes& bytes) { sim.receive(bytes); }

    ProcessorSimulator sim;
    std::unique_ptr<LinkContext> link = std::make_unique<LinkContext>();
    FrameParser parser{*link};
    Bytes wire;
    int pieces = 0;
    int hangUps = 0;
};

TEST_F(SimulatorTest, HelloAnswersInIdentityOrLockForm) {
    send(frame(CMD_HELLO, {0}));
    EXPECT_EQ(link->deviceModelId.load(), SIMULATED_MODEL);

    sim.setModel(12345);
    send(frame(CMD_HELLO, {0}));
    EXPECT_EQ(link->deviceModelId.load(), 12345);

    sim.setLockForm(9, 0x00000108);
    send(frame(CMD_HELLO, {0}));
    EXPECT_EQ(link->lockMaxMode.load(), 9);
    EXPECT_EQ(link->lockMask.load(), 0x108u);
    EXPECT_EQ(link->deviceModelId.load(), 12345) << "the lock form carries no model";
}

TEST_F(SimulatorTest, ReadRepliesCarryTheStoredValues) {
    sim.setRegisterValue(500, 4242);
    send(readRequest({500, 1892, 1901, 0}));
    EXPECT_EQ(link->registers.getRegister(500), 4242);
    EXPECT_EQ(link->registers.getRegister(1892), 8);
    EXPECT_EQ(link->registers.getRegister(0), 10006);
    EXPECT_EQ(link->registers.countDeviceUpdated(), 3) << "register 1901 does not exist";

    sim.setFaults(faultsWith([](auto& f) { f.register0AnyModel = true; }));
    send(readRequest({0}));
    EXPECT_EQ(link->registers.getRegister(0), PROBE_VALUE_ANY_MODEL);
}

TEST_F(SimulatorTest, AChangeAtTheProcessorIsReportedUnasked) {
    sim.reportRegisterChange(205, 1);
    EXPECT_EQ(sim.registerValue(205), 1);
    EXPECT_EQ(link->registers.getRegister(205), 1);
    EXPECT_TRUE(link->registers.isDeviceUpdated(205));
    EXPECT_EQ(link->registers.countDeviceUpdated(), 1);

    sim.reportRegisterChange(REGISTER_COUNT, 1);
    EXPECT_EQ(link->registers.countDeviceUpdated(), 1) << "no such register, nothing sent";
}

TEST_F(SimulatorTest, WritesAreStoredAndEchoedExceptForNeverAcknowledged) {
    sim.setFaults(faultsWith([](auto& f) { f.neverAcknowledge = {301}; }));
    link->registers.setRegister(300, 77);
    link->registers.setRegister(301, 78);
    send(frame(CMD_WRITE, registerEntries({{300, 77}, {301, 78}})));
    EXPECT_EQ(sim.registerValue(300), 77);
    EXPECT_EQ(sim.registerValue(301), 78);
    EXPECT_FALSE(link->registers.isWritePending(300));
    EXPECT_TRUE(link->registers.isWritePending(301));
    EXPECT_EQ(sim.lastDeliveredAck(300), 77);
    EXPECT_EQ(sim.lastDeliveredAck(301), std::nullopt);

    const std::size_t before = wire.size();
    send(frame(CMD_WRITE, registerEntries({{301, 79}})));
    EXPECT_EQ(wire.size(), before) << "a frame of unacknowledged registers gets no answer";
    EXPECT_EQ(sim.writesReceived(301), 2);
}

TEST_F(SimulatorTest, SendAllReportsEveryRegister) {
    send(frame(CMD_SEND_ALL, {0}));
    EXPECT_EQ(link->registers.countDeviceUpdated(), REGISTER_COUNT);
}

TEST_F(SimulatorTest, ModeNamesRecallAndSave) {
    send(frame(CMD_MODE_NAME, {5}));
    EXPECT_EQ(link->modeName(), u"USER5");
    EXPECT_TRUE(link->modeNameArrived(5).load());

    for (std::uint8_t outside : {0, 17}) {
        const std::size_t before = wire.size();
        send(frame(CMD_MODE_NAME, {outside}));
        send(frame(CMD_RECALL_MODE, {outside}));
        EXPECT_EQ(wire.size(), before) << "mode " << int(outside);
    }

    sim.setRegisterValue(700, 1234);
    Bytes save{3};
    for (char c : std::string("Bass                ")) save.push_back(static_cast<std::uint8_t>(c));
    send(frame(CMD_SAVE_MODE, save));
    EXPECT_TRUE(link->saveModeDone.load());
    EXPECT_EQ(sim.modeName(3), "Bass                ");
    EXPECT_EQ(sim.modeSnapshot(3)[700], 1234);

    sim.setRegisterValue(700, 1);
    send(frame(CMD_RECALL_MODE, {3}));
    EXPECT_TRUE(link->recallDone.load());
    EXPECT_EQ(sim.registerValue(700), 1234);
    EXPECT_EQ(sim.registerValue(REG_MODE_CURRENT), 3);
}

TEST_F(SimulatorTest, TextCommandsTravelInFramesToo) {
    std::string command = "Get_HotSSID:";
    send(frame(CMD_TEXT, Bytes(command.begin(), command.end())));
    EXPECT_EQ(link->textSlots[7].answered.load(), 1);
    EXPECT_EQ(link->textSlots[7].text(), "Get_HotSSID:TQ-R480");
    EXPECT_EQ(sim.answerText("Get_UDPPort:"), "Get_UDPPort:1010");
}

TEST_F(SimulatorTest, SilenceAndHangUp) {
    sim.goSilent(60'000);
    send(frame(CMD_HELLO, {0}));
    EXPECT_TRUE(wire.empty());
    EXPECT_EQ(sim.framesReceived(CMD_HELLO), 0);
    sim.goSilent(0);

    sim.hangUp();
    EXPECT_EQ(hangUps, 1);
    send(frame(CMD_HELLO, {0}));
    EXPECT_TRUE(wire.empty()) << "nothing is answered on a cut line";
    attach();
    send(frame(CMD_HELLO, {0}));
    EXPECT_FALSE(wire.empty());
}

TEST_F(SimulatorTest, CorruptedRepliesAreRejectedByTheHost) {
    sim.setFaults(faultsWith([](auto& f) { f.corruptCrc = 1.0; }));
    send(readRequest({500}));
    EXPECT_FALSE(wire.empty());
    EXPECT_FALSE(link->registers.isDeviceUpdated(500));
}

TEST_F(SimulatorTest, DroppedFramesAreNeitherHandledNorAnswered) {
    sim.setFaults(faultsWith([](auto& f) { f.dropIncoming = 1.0; }));
    send(frame(CMD_WRITE, registerEntries({{300, 5}})));
    EXPECT_EQ(sim.registerValue(300), registerDefaults()[300]);
    sim.setFaults(faultsWith([](auto& f) { f.dropOutgoing = 1.0; }));
    send(frame(CMD_WRITE, registerEntries({{300, 5}})));
    EXPECT_EQ(sim.registerValue(300), 5);
    EXPECT_TRUE(wire.empty());
}

// Chunked replies with garbage between them carry the same frames as whole ones, and a
// seed repeats the same stream.
TEST(SimulatorFaults, ChunksAndGarbageKeepTheFramesAndTheSeedRepeatsThem) {
    auto run = [](std::uint32_t seed, SimulatorFaults faults) {
        ProcessorSimulator sim({.seed = seed});
        sim.setFaults(faults);
        auto link = std::make_unique<LinkContext>();
        FrameParser parser(*link);
        Bytes wire;
        int pieces = 0;
        sim.attach(
            [&](Bytes bytes, double) {
                wire.insert(wire.end(), bytes.begin(), bytes.end());
                ++pieces;
                parser.input(bytes);
            },
            {});
        sim.receive(frame(CMD_SEND_ALL, {0}));
        return std::tuple(wire, pieces, link->registers.countDeviceUpdated());
    };
    const SimulatorFaults noisy = faultsWith([](auto& f) {
        f.maxChunk = 9;
        f.maxGarbage = 6;
    });
    auto [whole, wholePieces, wholeCount] = run(1, {});
    auto [noisyA, piecesA, countA] = run(7, noisy);
    auto [noisyB, piecesB, countB] = run(7, noisy);
    auto [noisyC, piecesC, countC] = run(8, noisy);

    EXPECT_EQ(wholeCount, REGISTER_COUNT);
    EXPECT_EQ(countA, REGISTER_COUNT);
    EXPECT_GT(noisyA.size(), whole.size());
    EXPECT_GT(piecesA, wholePieces);
    EXPECT_EQ(noisyA, noisyB);
    EXPECT_EQ(piecesA, piecesB);
    EXPECT_NE(noisyA, noisyC);
}

}  // namespace
}  // namespace tq370
