#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "link/text_reply.h"
#include "transports/discovered_processors.h"
#include "transports/wifi_discovery_rules.h"

namespace tq370 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(WifiDiscovery, QueriesAndTextCommandsOnTheWire) {
    EXPECT_EQ(discoveryQueryDatagram(), bytesOf("Get_IP:")) << "no terminator";
    struct Case {
        std::string text;
        Bytes datagram;
    };
    const Case cases[] = {
        {"Get_LinkIP:", bytesOf(std::string_view("Get_LinkIP:\0", 12))},
        {"Set_HotPW:", bytesOf(std::string_view("Set_HotPW:\0", 11))},
        {"", Bytes{0}},
        {std::string("Get_IP:\0junk", 12), bytesOf(std::string_view("Get_IP:\0", 8))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textCommandDatagram(c.text), c.datagram);
    }
}

TEST(WifiDiscovery, SweepCoversHosts2To254OfTheOwnNetwork) {
    const std::vector<std::uint32_t> sweep = subnetSweepAddresses(0xC0A80164);  // 192.168.1.100
    ASSERT_EQ(sweep.size(), 253u);
    EXPECT_EQ(sweep.front(), 0xC0A80102u);
    EXPECT_EQ(sweep.back(), 0xC0A801FEu);
    for (std::size_t i = 0; i < sweep.size(); ++i) {
        EXPECT_EQ(sweep[i], 0xC0A80100u + 2 + i);
    }
    // A loopback own address keeps the sweep on loopback.
    for (std::uint32_t address : subnetSweepAddresses(0x7F000005)) {
        EXPECT_EQ(address >> 8, 0x7F0000u);
    }
}

TEST(WifiDiscovery, LinkAddressDecidesWaitingAndAsking) {
    constexpr std::uint32_t OWN = 0x7F000001;
    constexpr std::uint32_t OTHER_PC = 0x7F000009;
    constexpr std::uint32_t PROCESSOR = 0x7F000002;
    struct Case {
        const char* what;
        std::uint32_t processor;
        std::uint32_t link;
        LinkState state;
        bool connect;
        bool ask;
    };
    const Case cases[] = {
        {"nothing known yet", 0, LINK_ADDRESS_UNKNOWN, LinkState::Unknown, false, true},
        {"found, link not answered", PROCESSOR, LINK_ADDRESS_UNKNOWN, LinkState::Unknown, false,
         true},
        {"free processor", PROCESSOR, 0, LinkState::Free, true, false},
        {"already linked to this PC", PROCESSOR, OWN, LinkState::Ours, true, false},
        {"linked to another PC", PROCESSOR, OTHER_PC, LinkState::OtherPc, false, true},
        {"free but no processor address", 0, 0, LinkState::Free, false, false},
        {"ours but no processor address", 0, OWN, LinkState::Ours, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(linkStateOf(c.link, OWN), c.state);
        EXPECT_EQ(mayConnectTcp(c.processor, c.link, OWN), c.connect);
        EXPECT_EQ(linkQueryNeeded(c.link, OWN), c.ask);
    }
}

TEST(DiscoveredProcessors, DistinctNonZeroAddressesInArrivalOrder) {
    LinkContext context;
    DiscoveredProcessors found;
    const AddressOffer hook = found.offerHook();
    for (const char* reply : {"Get_IP:7F000003", "Get_IP:7F000002", "Get_IP:7F000003",
                              "Get_IP:00000000", "Get_IP:7f000002"}) {
        interpretTextReply(context, reply, hook);
    }
    EXPECT_EQ(found.addresses(), (std::vector<std::uint32_t>{0x7F000003, 0x7F000002}));
    EXPECT_EQ(found.size(), 2u);
    found.clear();
    EXPECT_EQ(found.size(), 0u);
    found.offer(0x7F000002);
    EXPECT_EQ(found.addresses(), (std::vector<std::uint32_t>{0x7F000002}));
}

TEST(DiscoveredProcessors, OffersFromAnotherThreadWhileReading) {
    DiscoveredProcessors found;
    std::jthread discovery([&] {
        for (std::uint32_t host = 1; host <= 2000; ++host) found.offer(0x0A000000 + host % 500);
    });
    std::size_t seen = 0;
    for (int i = 0; i < 200; ++i) {
        std::size_t now = found.addresses().size();
        EXPECT_GE(now, seen);
        seen = now;
    }
    discovery.join();
    EXPECT_EQ(found.size(), 500u);
}

}  // namespace
}  // namespace tq370
