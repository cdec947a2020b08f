#include "link/frame_sender.h"

#include <gtest/gtest.h>

#include <memory>

#include "link/frame_parser.h"
#include "support/recording_transport.h"

namespace tq370 {
namespace {

// Protocol time runs twenty times faster than real time: 1500 ms of silence take 75 ms.
constexpr double TIME_SCALE = 0.05;
const std::vector<std::uint8_t> READ_REGISTER_0 = {0x00, 0x00};

class SilenceAccounting : public ::testing::Test {
protected:
    void SetUp() override {
        context->linkUp = true;
        context->lastRxTick = context->clock.nowMs();
    }
    void goSilent(int silenceMs) { context->lastRxTick = context->clock.nowMs() - silenceMs; }
    void send(Transport& transport, std::uint8_t command = CMD_READ) {
        sendFrame(*context, transport, command, READ_REGISTER_0);
    }
    void receiveValidFrame() { parser.input(buildFrame(0x02, std::vector<std::uint8_t>{0})); }

    std::unique_ptr<LinkContext> context = std::make_unique<LinkContext>(TIME_SCALE);
    FrameParser parser{*context};
};

TEST_F(SilenceAccounting, FrameAfterMissLimitMissesTakesLinkDown) {
    struct Case {
        TransportKind kind;
        int silenceMs;
        int missLimit;
        bool probes;
    } cases[] = {{TransportKind::Usb, 1500, 4, false},
                 {TransportKind::Serial, 1500, 4, false},
                 {TransportKind::Bluetooth, 3000, 14, false},
                 {TransportKind::WiFi, 3000, 14, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        RecordingTransport transport(c.kind);
        context->linkUp = true;
        context->missCount = 0;

        goSilent(c.silenceMs - 500);
        send(transport);
        EXPECT_EQ(context->missCount, 0) << "not silent long enough yet";

        goSilent(c.silenceMs);
        for (int miss = 1; miss <= c.missLimit; ++miss) {
            send(transport);
            EXPECT_EQ(context->missCount, miss);
            EXPECT_TRUE(context->linkUp);
        }
        send(transport);
        EXPECT_FALSE(context->linkUp);
        EXPECT_EQ(context->missCount, 0);
        EXPECT_EQ(transport.frames().size(), static_cast<std::size_t>(c.missLimit + 2))
            << "every frame still goes out";
        EXPECT_EQ(transport.probeCount(), c.probes ? c.missLimit + 1 : 0);
    }
}

TEST_F(SilenceAccounting, ValidFrameInBetweenResetsTheCount) {
    RecordingTransport transport;
    context->clock.sleepMs(1600);
    for (int i = 0; i < 3; ++i) send(transport);
    ASSERT_EQ(context->missCount, 3);

    receiveValidFrame();
    EXPECT_EQ(context->missCount, 0);
    send(transport);
    EXPECT_EQ(context->missCount, 0) << "the link is no longer silent";

    context->clock.sleepMs(1600);
    for (int i = 0; i < 4; ++i) send(transport);
    EXPECT_TRUE(context->linkUp) << "four misses since the reset, not seven";
    send(transport);
    EXPECT_FALSE(context->linkUp);
}

TEST_F(SilenceAccounting, TextCommandsNeverCount) {
    RecordingTransport transport(TransportKind::WiFi);
    goSilent(10000);
    for (int i = 0; i < 20; ++i) send(transport, CMD_TEXT);
    EXPECT_EQ(context->missCount, 0);
    EXPECT_TRUE(context->linkUp);
    EXPECT_EQ(transport.probeCount(), 0);
    EXPECT_EQ(transport.frames().size(), 20u);
}

// A WiFi probe that gets its reply has reset the count before this frame's miss is
// counted, so the link survives where counting first would have taken it down.
TEST_F(SilenceAccounting, WiFiProbeRunsBeforeTheMissIsCounted) {
    struct AnsweringWiFi : RecordingTransport {
        explicit AnsweringWiFi(FrameParser& p)
            : RecordingTransport(TransportKind::WiFi), parser(p) {}
        void reconnectProbe() override {
            RecordingTransport::reconnectProbe();
            parser.input(buildFrame(CMD_READ, std::vector<std::uint8_t>{0, 0, 0x27, 0x1B}));
        }
        FrameParser& parser;
    } transport(parser);
    goSilent(3000);
    context->missCount = 14;
    send(transport);
    EXPECT_TRUE(context->linkUp);
    EXPECT_EQ(context->missCount, 1);
    EXPECT_EQ(transport.probeCount(), 1);
    send(transport);
    EXPECT_EQ(transport.probeCount(), 1) << "the probe's reply ended the silence";
}

TEST(SendFrame, HandsTheBuiltFrameToTheTransport) {
    auto context = std::make_unique<LinkContext>();
    RecordingTransport transport;
    sendFrame(*context, transport, OutgoingFrame{CMD_READ, {0x00, 0x00}});
    ASSERT_EQ(transport.frames().size(), 1u);
    EXPECT_EQ(transport.frames()[0],
              (std::vector<std::uint8_t>{0x80, 0x05, 0x06, 0x00, 0x00, 0x13, 0xC5}));
}

}  // namespace
}  // namespace tq370
