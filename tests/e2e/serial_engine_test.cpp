#include <gtest/gtest.h>

#include <filesystem>

#include "engine_fixture.h"
#include "link/frame.h"
#include "platform/pseudo_terminal.h"
#include "sim/pty_simulator_server.h"
#include "transports/serial_transport.h"

namespace tq370::test {
namespace {

namespace fs = std::filesystem;
using Kind = RecordingLinkHost::Kind;

// The engine over a real serial port: the simulator served on a pseudo-terminal, reached
// through a symbolic link that follows the pseudo-terminal when it is made anew (as a
// udev by-id link follows an adapter that is plugged in again).
class SerialEngine : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        server = std::make_unique<PtySimulatorServer>(*sim, scale);
        ASSERT_TRUE(server->open());
        pointPortAt(server->portPath());
    }
    void TearDown() override {
        EngineFixture::TearDown();
        engine.reset();
        server.reset();
    }

    void pointPortAt(const std::string& target) {
        fs::remove(portLink);
        fs::create_symlink(target, portLink);
    }

    void startSerial(std::vector<std::string> ports, TransportKind kind = TransportKind::Serial) {
        startSerial(SerialTransportOptions{std::move(ports), true}, kind);
    }
    void startSerial(SerialTransportOptions options, TransportKind kind = TransportKind::Serial) {
        start([this, options, kind](LinkContext& context) {
            auto made = std::make_unique<SerialTransport>(context, kind, options);
            transport = made.get();
            return made;
        });
    }

    bool registersMatchSimulator() const {
        for (int reg = 1; reg <= LAST_REGISTER; ++reg) {
            if (reg == REG_MODE_COMMAND || reg == REG_HOST_LINK) continue;
            if (link->registers.getRegister(reg) != sim->registerValue(reg)) return false;
        }
        return true;
    }

    std::string portLink = folder.path() + "ttyTQ";
    std::unique_ptr<PtySimulatorServer> server;
    SerialTransport* transport = nullptr;
};

TEST_F(SerialEngine, ReadsBackEditsAndReconnectsAfterThePortVanishes) {
    scrambleSimulator(3);
    startSerial({portLink});
    ASSERT_TRUE(waitRunning());
    EXPECT_TRUE(registersMatchSimulator());
    EXPECT_EQ(transport->portPath(), portLink);

    const int reg = 300;
    link->registers.setRegister(reg, 1234);
    ASSERT_TRUE(waitUntil([&] { return !link->registers.isWritePending(reg); }, 5'000));
    EXPECT_EQ(sim->registerValue(reg), 1234);

    server->close();
    ASSERT_TRUE(waitUntil([&] { return !engine->isConnected(); }, 5'000));
    EXPECT_FALSE(link->linkUp.load());
    ASSERT_TRUE(waitUntil([&] { return engine->state() != EngineState::Running; }, 5'000));

    // The processor comes back changed; the engine finds it through the same link.
    scrambleSimulator(11);
    ASSERT_TRUE(server->open());
    pointPortAt(server->portPath());
    ASSERT_TRUE(waitUntil([&] { return host->count(Kind::Status, 0) == 2; }, 20'000));
    ASSERT_TRUE(waitRunning());
    EXPECT_TRUE(registersMatchSimulator());

    link->registers.setRegister(reg, 4321);
    ASSERT_TRUE(waitUntil([&] { return !link->registers.isWritePending(reg); }, 5'000));
    EXPECT_EQ(sim->registerValue(reg), 4321);
}

TEST_F(SerialEngine, PassesOverPortsThatAreMissingOrSilent) {
    auto silent = PseudoTerminal::open();
    ASSERT_TRUE(silent);
    const std::string missing = folder.path() + "no-such-port";
    startSerial({missing, silent->portPath(), portLink}, TransportKind::Bluetooth);
    ASSERT_TRUE(waitRunning());
    EXPECT_EQ(transport->portPath(), portLink);
    EXPECT_EQ(transport->kind(), TransportKind::Bluetooth);
    // The silent port got the probe and nothing else.
    std::array<std::uint8_t, 64> seen{};
    const std::uint8_t probe[] = {0x80, 0x05, 0x06, 0x00, 0x00, 0x13, 0xC5};
    auto got = silent->read(seen, 10, link->clock, {});
    ASSERT_EQ(got.status, TerminalReadStatus::Data);
    EXPECT_EQ(std::vector<std::uint8_t>(seen.begin(), seen.begin() + got.size),
              std::vector<std::uint8_t>(std::begin(probe), std::end(probe)));
}

// The system's ports are listed again after each full cycle, so an adapter plugged in
// while the engine searches is found.
TEST_F(SerialEngine, FindsAPortThatAppearsWhileSearching) {
    const fs::path sysfs = fs::path(folder.path()) / "sys-class-tty";
    const fs::path dev = fs::path(folder.path()) / "dev";
    fs::create_directories(sysfs);
    fs::create_directories(dev);
    startSerial(SerialTransportOptions{{}, false, DEFAULT_BAUD_RATE, sysfs, dev});
    ASSERT_TRUE(waitUntil([&] { return engine->state() == EngineState::Connecting; }, 2'000));
    waitMs(1'000);
    EXPECT_EQ(sim->framesReceived(CMD_READ), 0);

    fs::create_directories(sysfs / "ttyUSB0");
    fs::create_symlink(server->portPath(), dev / "ttyUSB0");
    ASSERT_TRUE(waitRunning());
    EXPECT_EQ(transport->portPath(), (dev / "ttyUSB0").string());
}

TEST_F(SerialEngine, StopsPromptlyWhileNoPortAnswers) {
    auto silent = PseudoTerminal::open();
    ASSERT_TRUE(silent);
    startSerial({silent->portPath(), folder.path() + "absent"});
    ASSERT_TRUE(waitUntil([&] { return engine->state() == EngineState::Connecting; }, 2'000));
    waitMs(2'000);
    EXPECT_EQ(engine->state(), EngineState::Connecting);
    ASSERT_TRUE(transport->lastOpenFailure());
    EXPECT_EQ(transport->lastOpenFailure()->error, SerialPort::OpenError::NotFound);
    // Within the engine's bound, although connect is between two ports.
    EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
    engine.reset();
}

}  // namespace
}  // namespace tq370::test
