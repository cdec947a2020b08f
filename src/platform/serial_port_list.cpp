#include "platform/serial_port_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

namespace tq370 {
namespace {

namespace fs = std::filesystem;

struct PortKind {
    std::string_view prefix;
    bool needsDevice;  // the legacy ttyS lines exist whether or not a UART is there
};

// In the order they are tried: adapters and Bluetooth before the built-in lines.
constexpr std::array<PortKind, 4> KINDS = {{
    {"ttyUSB", false},
    {"ttyACM", false},
    {"rfcomm", false},
    {"ttyS", true},
}};

struct Candidate {
    std::size_t kind;
    std::uint64_t number;
    std::string name;
};

std::optional<std::uint64_t> numberAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size()) return std::nullopt;
    std::uint64_t number = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9' || number > UINT32_MAX) return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number;
}

// A serial-core line reports its UART type; 0 means none was detected.
bool hasDevice(const fs::path& entry) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(entry / "device", error))) return false;
    std::ifstream type(entry / "type");
    int value = 0;
    if (type >> value) return value != 0;
    return true;
}

std::vector<Candidate> systemPorts(const fs::path& sysfsTtyRoot) {
    std::vector<Candidate> found;
    std::error_code error;
    for (fs::directory_iterator it(sysfsTtyRoot, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        for (std::size_t k = 0; k < KINDS.size(); ++k) {
            std::optional<std::uint64_t> number = numberAfter(name, KINDS[k].prefix);
            if (!number) continue;
            if (!KINDS[k].needsDevice || hasDevice(it->path())) {
                found.push_back({k, *number, name});
            }
            break;
        }
    }
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
    });
    return found;
}

}  // namespace

std::vector<std::string> listSerialPorts(std::span<const std::string> explicitPorts,
                                         const fs::path& sysfsTtyRoot, const fs::path& devRoot) {
    std::vector<std::string> ports;
    auto add = [&ports](std::string path) {
        if (!path.empty() && std::find(ports.begin(), ports.end(), path) == ports.end()) {
            ports.push_back(std::move(path));
        }
    };
    for (const std::string& port : explicitPorts) add(port);
    for (const Candidate& candidate : systemPorts(sysfsTtyRoot)) {
        add((devRoot / candidate.name).string());
    }
    return ports;
}

}  // namespace tq370
