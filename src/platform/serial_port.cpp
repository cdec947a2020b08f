#include "platform/serial_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/serial_baud_rate.h"

namespace tq370 {
namespace {

SerialPort::OpenError openErrorFor(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return SerialPort::OpenError::NotFound;
        case EACCES:
        case EPERM:
            return SerialPort::OpenError::NoPermission;
        case EBUSY:
        case EWOULDBLOCK:
            return SerialPort::OpenError::Busy;
        default:
            return SerialPort::OpenError::Failed;
    }
}

bool applyRawLine(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

SerialPort::Opened SerialPort::open(const std::string& path, std::uint32_t baud) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {std::nullopt, openErrorFor(errno)};
    // From here on the port closes itself on every failure.
    SerialPort port(fd, path);
    if (!isatty(fd)) return {std::nullopt, OpenError::NotATerminal};
    // Exclusive through flock, which the system drops when a holder crashes. (TIOCEXCL
    // would outlive a crashed holder wherever another descriptor keeps the terminal
    // alive, as a pseudo-terminal's owner does.)
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) return {std::nullopt, openErrorFor(errno)};
    if (!applyRawLine(fd) || !setSerialBaudRate(fd, baud)) {
        return {std::nullopt, OpenError::SettingsRefused};
    }
    tcflush(fd, TCIOFLUSH);
    return {std::move(port), OpenError::Failed};
}

SerialPort::SerialPort(SerialPort&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

SerialPort& SerialPort::operator=(SerialPort&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

SerialPort::~SerialPort() {
    close();
}

void SerialPort::close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

SerialPort::Received SerialPort::read(std::span<std::uint8_t> buffer, double ms, const Clock& clock,
                                      std::stop_token stop) {
    return readTerminal(fd_, buffer, ms, clock, std::move(stop));
}

bool SerialPort::write(std::span<const std::uint8_t> bytes, double ms, const Clock& clock,
                       std::stop_token stop) {
    return writeTerminal(fd_, bytes, ms, clock, std::move(stop));
}

std::optional<std::uint32_t> SerialPort::baudRate() const {
    return serialBaudRate(fd_);
}

}  // namespace tq370
