#include "platform/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

namespace tq370 {

std::optional<PseudoTerminal> PseudoTerminal::open() {
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) return std::nullopt;
    char name[128];
    if (grantpt(master) != 0 || unlockpt(master) != 0 ||
        ptsname_r(master, name, sizeof name) != 0 ||
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK) != 0) {
        ::close(master);
        return std::nullopt;
    }
    // Until a program opens the port and sets it up, the line discipline would echo what
    // the master writes back to it.
    int hold = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (hold < 0 || tcgetattr(hold, &settings) != 0) {
        if (hold >= 0) ::close(hold);
        ::close(master);
        return std::nullopt;
    }
    cfmakeraw(&settings);
    tcsetattr(hold, TCSANOW, &settings);
    return PseudoTerminal(master, hold, name);
}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : master_(std::exchange(other.master_, -1)),
      portHold_(std::exchange(other.portHold_, -1)),
      portPath_(std::move(other.portPath_)) {}

PseudoTerminal& PseudoTerminal::operator=(PseudoTerminal&& other) noexcept {
    if (this != &other) {
        close();
        master_ = std::exchange(other.master_, -1);
        portHold_ = std::exchange(other.portHold_, -1);
        portPath_ = std::move(other.portPath_);
    }
    return *this;
}

PseudoTerminal::~PseudoTerminal() {
    close();
}

TerminalReceived PseudoTerminal::read(std::span<std::uint8_t> buffer, double ms, const Clock& clock,
                                      std::stop_token stop) {
    return readTerminal(master_, buffer, ms, clock, std::move(stop));
}

bool PseudoTerminal::write(std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
                           std::stop_token stop) {
    return writeTerminal(master_, bytes, ms, clock, std::move(stop));
}

void PseudoTerminal::close() {
    if (portHold_ >= 0) ::close(portHold_);
    if (master_ >= 0) ::close(master_);
    portHold_ = -1;
    master_ = -1;
}

}  // namespace tq370
