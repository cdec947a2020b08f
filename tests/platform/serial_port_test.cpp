#include "platform/serial_port.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

#include "platform/pseudo_terminal.h"
#include "platform/serial_baud_rate.h"
#include "support/temp_folder.h"

namespace tq370 {
namespace {

constexpr std::uint32_t LINK_BAUD = 128000;
constexpr double WAIT_MS = 2000;

// Puts a terminal into the cooked state a fresh line starts in (line editing, echo,
// signals, CR/LF translation, XON/XOFF), so that the port has to undo all of it.
void makeCooked(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios settings{};
    ASSERT_EQ(tcgetattr(fd, &settings), 0);
    settings.c_lflag |= ICANON | ECHO | ECHOE | ISIG | IEXTEN;
    settings.c_iflag |= ICRNL | IXON | ISTRIP;
    settings.c_oflag |= OPOST | ONLCR;
    ASSERT_EQ(tcsetattr(fd, TCSANOW, &settings), 0);
    ::close(fd);
}

// A pseudo-terminal and the serial port opened on its far end, as the simulator and the
// serial transport use them.
class SerialPortOverPty : public ::testing::Test {
protected:
    void SetUp() override {
        pty = PseudoTerminal::open();
        ASSERT_TRUE(pty);
        makeCooked(pty->portPath());
        SerialPort::Opened opened = SerialPort::open(pty->portPath(), LINK_BAUD);
        ASSERT_TRUE(opened.port) << static_cast<int>(opened.error);
        port = std::move(opened.port);
    }

    // Everything the master side receives until count bytes or the wait ends.
    std::vector<std::uint8_t> masterReceives(std::size_t count) {
        std::vector<std::uint8_t> got;
        std::vector<std::uint8_t> buffer(SerialPort::READ_CHUNK);
        while (got.size() < count) {
            TerminalReceived r = pty->read(buffer, WAIT_MS, clock, {});
            if (r.status != TerminalReadStatus::Data) break;
            got.insert(got.end(), buffer.begin(), buffer.begin() + static_cast<long>(r.size));
        }
        return got;
    }

    std::vector<std::uint8_t> portReceives(std::size_t count) {
        std::vector<std::uint8_t> got;
        std::vector<std::uint8_t> buffer(SerialPort::READ_CHUNK);
        while (got.size() < count) {
            SerialPort::Received r = port->read(buffer, WAIT_MS, clock, {});
            if (r.status != SerialPort::ReadStatus::Data) break;
            EXPECT_LE(r.size, SerialPort::READ_CHUNK);
            got.insert(got.end(), buffer.begin(), buffer.begin() + static_cast<long>(r.size));
        }
        return got;
    }

    Clock clock{1.0};
    std::optional<PseudoTerminal> pty;
    std::optional<SerialPort> port;
};

// Every byte value, the terminal's special characters (^C, ^S/^Q, CR, LF, DEL) included,
// must pass unchanged both ways: the link's frames are binary.
std::vector<std::uint8_t> everyByteValue() {
    std::vector<std::uint8_t> bytes(256);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

TEST_F(SerialPortOverPty, RunsAtTheLinkSpeed) {
    // A pseudo-terminal keeps whatever speed it is given, so the custom rate reads back.
    EXPECT_EQ(port->baudRate(), LINK_BAUD);
}

TEST_F(SerialPortOverPty, CarriesEveryByteValueBothWays) {
    const std::vector<std::uint8_t> bytes = everyByteValue();
    ASSERT_TRUE(pty->write(bytes, WAIT_MS, clock, {}));
    EXPECT_EQ(portReceives(bytes.size()), bytes);

    ASSERT_TRUE(port->write(bytes, WAIT_MS, clock, {}));
    EXPECT_EQ(masterReceives(bytes.size()), bytes);
}

TEST_F(SerialPortOverPty, DrainsLargeBurstsInChunksInOrder) {
    std::vector<std::uint8_t> bytes(3 * SerialPort::READ_CHUNK + 123);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    std::jthread writer([&] { EXPECT_TRUE(pty->write(bytes, WAIT_MS, clock, {})); });
    EXPECT_EQ(portReceives(bytes.size()), bytes);
}

TEST_F(SerialPortOverPty, ReadTimesOutWhenNothingArrives) {
    std::array<std::uint8_t, 16> buffer{};
    auto start = std::chrono::steady_clock::now();
    SerialPort::Received r = port->read(buffer, 60, clock, {});
    EXPECT_EQ(r.status, SerialPort::ReadStatus::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(55));
}

TEST_F(SerialPortOverPty, ReadWaitFollowsTheTimeScale) {
    Clock fast(0.01);  // 5000 protocol ms are 50 real ms
    std::array<std::uint8_t, 16> buffer{};
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port->read(buffer, 5000, fast, {}).status, SerialPort::ReadStatus::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(SerialPortOverPty, StopEndsAWaitingRead) {
    std::stop_source stop;
    std::jthread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        stop.request_stop();
    });
    std::array<std::uint8_t, 16> buffer{};
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port->read(buffer, 60'000, clock, stop.get_token()).status,
              SerialPort::ReadStatus::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(SerialPortOverPty, ClosingTheOtherSideMakesThePortVanish) {
    std::array<std::uint8_t, 16> buffer{};
    std::jthread unplug([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        pty->close();
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port->read(buffer, 60'000, clock, {}).status, SerialPort::ReadStatus::Vanished);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    unplug.join();
    // Once gone it stays gone, for writes too.
    EXPECT_EQ(port->read(buffer, 50, clock, {}).status, SerialPort::ReadStatus::Vanished);
    const std::uint8_t frame[] = {0x80, 0x05, 0x06, 0x00, 0x00, 0x13, 0xC5};
    EXPECT_FALSE(port->write(frame, 50, clock, {}));
}

TEST_F(SerialPortOverPty, ASecondOpenIsBusyUntilTheFirstCloses) {
    SerialPort::Opened second = SerialPort::open(pty->portPath(), LINK_BAUD);
    EXPECT_FALSE(second.port);
    EXPECT_EQ(second.error, SerialPort::OpenError::Busy);
    port.reset();
    EXPECT_TRUE(SerialPort::open(pty->portPath(), LINK_BAUD).port);
}

TEST_F(SerialPortOverPty, ReopeningDiscardsStaleInput) {
    const std::uint8_t stale[] = {1, 2, 3};
    ASSERT_TRUE(pty->write(stale, WAIT_MS, clock, {}));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    port.reset();
    port = SerialPort::open(pty->portPath(), LINK_BAUD).port;
    ASSERT_TRUE(port);
    std::array<std::uint8_t, 16> buffer{};
    EXPECT_EQ(port->read(buffer, 50, clock, {}).status, SerialPort::ReadStatus::TimedOut);
}

TEST(PseudoTerminal, StaysQuietAndOpenWhileNoPortIsOpen) {
    Clock clock;
    auto pty = PseudoTerminal::open();
    ASSERT_TRUE(pty);
    std::array<std::uint8_t, 16> buffer{};
    // Nothing echoes back what the master writes before a port is opened.
    const std::uint8_t bytes[] = {'G', 'e', 't', '\r', '\n'};
    ASSERT_TRUE(pty->write(bytes, WAIT_MS, clock, {}));
    EXPECT_EQ(pty->read(buffer, 50, clock, {}).status, TerminalReadStatus::TimedOut);
    // A port user that comes and goes is no hang-up for the master.
    SerialPort::open(pty->portPath(), LINK_BAUD).port.reset();
    EXPECT_EQ(pty->read(buffer, 50, clock, {}).status, TerminalReadStatus::TimedOut);
    auto port = SerialPort::open(pty->portPath(), LINK_BAUD).port;
    ASSERT_TRUE(port);
    ASSERT_TRUE(port->write(bytes, WAIT_MS, clock, {}));
    TerminalReceived r = pty->read(buffer, WAIT_MS, clock, {});
    EXPECT_EQ(r.status, TerminalReadStatus::Data);
    EXPECT_EQ(r.size, sizeof bytes);
}

TEST(SerialBaudRate, AnyRateReadsBackOnAPseudoTerminal) {
    auto pty = PseudoTerminal::open();
    ASSERT_TRUE(pty);
    for (std::uint32_t baud : {9600u, 115200u, 128000u, 250000u, 921600u}) {
        SCOPED_TRACE(baud);
        auto port = SerialPort::open(pty->portPath(), baud).port;
        ASSERT_TRUE(port);
        EXPECT_EQ(port->baudRate(), baud);
    }
}

TEST(SerialBaudRate, RefusedOnWhatIsNoTerminal) {
    EXPECT_FALSE(setSerialBaudRate(-1, LINK_BAUD));
    EXPECT_FALSE(serialBaudRate(-1));
}

TEST(SerialPortOpen, FailuresAreNamed) {
    test::TempFolder folder;
    test::writeText(folder / "plain-file", "not a terminal");
    struct Case {
        std::string path;
        SerialPort::OpenError error;
    };
    const Case cases[] = {
        {folder / "no-such-port", SerialPort::OpenError::NotFound},
        {folder / "plain-file", SerialPort::OpenError::NotATerminal},
        {"/dev/null", SerialPort::OpenError::NotATerminal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        SerialPort::Opened opened = SerialPort::open(c.path, LINK_BAUD);
        EXPECT_FALSE(opened.port);
        EXPECT_EQ(opened.error, c.error);
    }
}

}  // namespace
}  // namespace tq370
