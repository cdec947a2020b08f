#include "update/update_server_setting.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

TEST(UpdateServerSetting, ParsesHostAndOptionalPort) {
    struct Case {
        const char* setting;
        bool valid;
        const char* host;
        std::uint16_t port;
    } cases[] = {
        {"update.example.com", true, "update.example.com", 24502},
        {"127.0.0.1:5000", true, "127.0.0.1", 5000},
        {"  host:65535 \r\n", true, "host", 65535},
        {"[::1]", true, "::1", 24502},
        {"[::1]:7", true, "::1", 7},
        {"fe80::1", true, "fe80::1", 24502},
        {"", false, "", 0},
        {"   ", false, "", 0},
        {"host:", false, "", 0},
        {":24502", false, "", 0},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:-1", false, "", 0},
        {"host:+80", false, "", 0},
        {"host:80x", false, "", 0},
        {"host name:80", false, "", 0},
        {"[::1", false, "", 0},
        {"[::1]80", false, "", 0},
    };
    for (const auto& c : cases) {
        auto server = parseUpdateServer(c.setting);
        ASSERT_EQ(server.has_value(), c.valid) << '"' << c.setting << '"';
        if (!server) continue;
        EXPECT_EQ(server->host, c.host) << c.setting;
        EXPECT_EQ(server->udpPort, c.port) << c.setting;
        EXPECT_EQ(server->tcpPort, c.port) << c.setting;
    }
}

}  // namespace
}  // namespace tq370
