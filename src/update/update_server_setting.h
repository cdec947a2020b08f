#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tq370 {

// Key of the server setting in the "Configuration" file.
constexpr std::string_view UPDATE_SERVER_KEY = "m_Update_Server";
// The update server listens on this port for UDP and TCP unless the setting names one.
constexpr std::uint16_t UPDATE_PORT = 24502;

struct UpdateServer {
    std::string host;
    std::uint16_t udpPort = UPDATE_PORT;
    std::uint16_t tcpPort = UPDATE_PORT;
};

// "host", "host:port", "[v6 address]" or "[v6 address]:port"; spaces around are ignored.
// nullopt when the setting is empty (no update check at all) or malformed (no host, a
// port that is not a number from 1 to 65535, an unclosed bracket).
std::optional<UpdateServer> parseUpdateServer(std::string_view setting);

}  // namespace tq370
