#pragma once

#include <cstdint>
#include <optional>

namespace tq370 {

// Sets input and output speed of the terminal fd to any rate in bits per second, also
// those without a Bxxx constant such as 128000 (the kernel's termios2 with BOTHER). Other
// settings stay as they are. False when the driver refuses the call.
bool setSerialBaudRate(int fd, std::uint32_t baud);

// The output speed the driver reports; nullopt when it does not answer.
std::optional<std::uint32_t> serialBaudRate(int fd);

}  // namespace tq370
