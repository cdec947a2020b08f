#include "platform/own_address.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

TEST(OwnAddress, FirstUpNonLoopbackInterfaceWins) {
    struct Case {
        const char* what;
        std::vector<InterfaceAddress> addresses;
        std::optional<std::uint32_t> expected;
    };
    const InterfaceAddress lo{"lo", 0x7F000001, true, true};
    const InterfaceAddress wlanDown{"wlan0", 0xC0A80464, false, false};
    const InterfaceAddress wlan{"wlan0", 0xC0A80464, true, false};
    const InterfaceAddress eth{"eth0", 0x0A000005, true, false};
    const Case cases[] = {
        {"nothing", {}, std::nullopt},
        {"loopback only", {lo}, std::nullopt},
        {"down interface skipped", {lo, wlanDown, eth}, 0x0A000005},
        {"system order kept", {lo, wlan, eth}, 0xC0A80464},
        {"zero address skipped", {{"tun0", 0, true, false}, eth}, 0x0A000005},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(chooseOwnAddress(c.addresses), c.expected);
    }
}

TEST(OwnAddress, SystemListShowsLoopbackAsSuch) {
    // Every Linux system has lo up; the chosen own address is never it.
    bool sawLoopback = false;
    for (const InterfaceAddress& entry : interfaceAddresses()) {
        if ((entry.address >> 24) == 127) sawLoopback = sawLoopback || entry.loopback;
    }
    EXPECT_TRUE(sawLoopback);
    if (std::optional<std::uint32_t> own = ownIpv4Address()) {
        EXPECT_NE(*own >> 24, 127u);
    }
}

}  // namespace
}  // namespace tq370
