#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tq370 {

// The serial ports to try, in order: the explicit ports as given, then the system's
// ports found under sysfsTtyRoot (normally /sys/class/tty) as paths under devRoot:
// ttyUSB*, ttyACM*, rfcomm* and the ttyS* backed by a device, in that order of kinds
// and by number within a kind. No path appears twice. An unreadable folder gives only
// the explicit ports. Any thread.
std::vector<std::string> listSerialPorts(
    std::span<const std::string> explicitPorts = {},
    const std::filesystem::path& sysfsTtyRoot = "/sys/class/tty",
    const std::filesystem::path& devRoot = "/dev");

}  // namespace tq370
