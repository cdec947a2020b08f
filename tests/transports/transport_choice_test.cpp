#include "transports/transport_choice.h"

#include <gtest/gtest.h>

#include "link/link_context.h"
#include "sim/fake_hid_device.h"
#include "sim/processor_simulator.h"
#include "transports/serial_transport.h"
#include "transports/wifi_transport.h"

namespace tq370 {
namespace {

TEST(TransportChoice, MakesTheTransportOfEachKindWithItsTypedView) {
    struct Case {
        TransportKind kind;
        bool serial;
        bool wifi;
    };
    const Case cases[] = {
        {TransportKind::Usb, false, false},
        {TransportKind::WiFi, false, true},
        {TransportKind::Bluetooth, true, false},
        {TransportKind::Serial, true, false},
    };
    ProcessorSimulator simulator;
    LinkContext link;
    int hidDevicesMade = 0;
    const HidDeviceMaker makeHid = [&] {
        ++hidDevicesMade;
        return std::make_unique<FakeHidDevice>(simulator, link.clock);
    };
    for (const Case& c : cases) {
        LinkOptions options;
        options.kind = c.kind;
        MadeTransport made = makeTransport(link, options, makeHid);
        ASSERT_NE(made.transport, nullptr);
        EXPECT_EQ(made.transport->kind(), c.kind);
        EXPECT_EQ(made.serial != nullptr, c.serial);
        EXPECT_EQ(made.wifi != nullptr, c.wifi);
    }
    EXPECT_EQ(hidDevicesMade, 1);
}

TEST(TransportChoice, TheConfiguredLinkKeepsItsKindAndSpeed) {
    const LinkOptions options = linkOptionsFor({TransportKind::Bluetooth, 57600});
    EXPECT_EQ(options.kind, TransportKind::Bluetooth);
    EXPECT_EQ(options.baudRate, 57600u);
    EXPECT_TRUE(options.serialPath.empty());
}

TEST(TransportChoice, RefusesAddressesThatDoNotParseInsteadOfDiscovering) {
    struct Case {
        std::string wifiAddress;
        std::string ownAddress;
        std::uint16_t port;
        std::string problem;  // empty: accepted
    };
    const Case cases[] = {
        {"", "", 1010, ""},
        {"127.0.0.2", "127.0.0.1", 41010, ""},
        {"10.0.0.300", "", 1010, "--wifi: 10.0.0.300 is not an IPv4 address"},
        {"", "pc", 1010, "--own-address: pc is not an IPv4 address"},
        {"127.0.0.2", "", 0, "the WiFi ports must be 1 to 65535"},
    };
    for (const Case& c : cases) {
        LinkOptions options;
        options.kind = TransportKind::WiFi;
        options.wifiAddress = c.wifiAddress;
        options.ownAddress = c.ownAddress;
        options.tcpPort = c.port;
        const auto problem = linkOptionsProblem(options);
        EXPECT_EQ(problem.value_or(""), c.problem) << c.wifiAddress << " " << c.ownAddress;
    }
    // The WiFi fields mean nothing on another link.
    LinkOptions serial;
    serial.kind = TransportKind::Serial;
    serial.wifiAddress = "nonsense";
    EXPECT_FALSE(linkOptionsProblem(serial));
}

}  // namespace
}  // namespace tq370
