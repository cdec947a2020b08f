#include "update/update_server_setting.h"

#include <charconv>

namespace tq370 {
namespace {

std::string_view trim(std::string_view s) {
    const char* space = " \t\r\n";
    auto first = s.find_first_not_of(space);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(space) - first + 1);
}

std::optional<std::uint16_t> parsePort(std::string_view text) {
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < 1 || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::optional<UpdateServer> parseUpdateServer(std::string_view setting) {
    setting = trim(setting);
    if (setting.empty()) return std::nullopt;

    std::string_view host = setting;
    std::optional<std::string_view> port;
    if (setting.front() == '[') {
        auto close = setting.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = setting.substr(1, close - 1);
        std::string_view rest = setting.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            port = rest.substr(1);
        }
    } else if (auto colon = setting.find(':'); colon != std::string_view::npos) {
        // A second colon means a bare IPv6 address, which must be bracketed to take a port.
        if (setting.find(':', colon + 1) == std::string_view::npos) {
            host = setting.substr(0, colon);
            port = setting.substr(colon + 1);
        }
    }
    if (host.empty() || host.find_first_of(" \t[]") != std::string_view::npos) return std::nullopt;

    UpdateServer server;
    server.host = std::string(host);
    if (port) {
        auto number = parsePort(*port);
        if (!number) return std::nullopt;
        server.udpPort = server.tcpPort = *number;
    }
    return server;
}

}  // namespace tq370
