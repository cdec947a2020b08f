// The kernel's own termios definitions, not the C library's: <asm/termbits.h> and
// <termios.h> declare the same names differently, so this file includes only the first.
#include "platform/serial_baud_rate.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace tq370 {

bool setSerialBaudRate(int fd, std::uint32_t baud) {
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0) return false;
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = baud;
    settings.c_ospeed = baud;
    return ioctl(fd, TCSETS2, &settings) == 0;
}

std::optional<std::uint32_t> serialBaudRate(int fd) {
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0) return std::nullopt;
    return settings.c_ospeed;
}

}  // namespace tq370
