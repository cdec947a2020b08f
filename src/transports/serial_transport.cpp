#include "transports/serial_transport.h"

#include <array>

#include "base/stoppable_sleep.h"
#include "link/frame.h"
#include "link/link_host.h"
#include "link/reply_wait.h"
#include "platform/serial_port_list.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

constexpr int ATTEMPT_PAUSE_MS = 10;
constexpr int RELIST_PAUSE_MS = 100;
// A reader's wait for bytes; a stop request ends it much sooner.
constexpr int READ_WAIT_MS = 1000;
// The most one frame may take to leave; a port that takes longer is stuck.
constexpr int WRITE_WAIT_MS = 1000;

}  // namespace

SerialTransport::SerialTransport(LinkContext& link, TransportKind kind,
                                 SerialTransportOptions options)
    : link_(link), kind_(kind), options_(std::move(options)), parser_(link) {}

SerialTransport::~SerialTransport() {
    close();
}

std::string SerialTransport::portPath() const {
    std::lock_guard lock(infoMutex_);
    return portPath_;
}

std::optional<SerialOpenFailure> SerialTransport::lastOpenFailure() const {
    std::lock_guard lock(infoMutex_);
    return lastFailure_;
}

bool SerialTransport::connect(LinkHost& host, std::stop_token stop) {
    while (!stop.stop_requested()) {
        sleepUnlessStopped(link_.clock, stop, ATTEMPT_PAUSE_MS);
        if (cursor_ >= ports_.size()) {
            ports_ = options_.explicitOnly
                         ? options_.explicitPorts
                         : listSerialPorts(options_.explicitPorts, options_.sysfsTtyRoot,
                                           options_.devRoot);
            cursor_ = 0;
            sleepUnlessStopped(link_.clock, stop, RELIST_PAUSE_MS);
            continue;
        }
        const std::string path = ports_[cursor_++];
        if (!open(path)) continue;

        // A port that answers nothing stays open until the next attempt closes it.
        ProbeResult probe = probeRegisterZero(link_, *this, CONNECT_PROBE_WAIT_MS);
        if (stop.stop_requested()) return false;
        if (probe == ProbeResult::Answered) {
            {
                std::lock_guard info(infoMutex_);
                lastFailure_.reset();
            }
            return announceConnected(link_, host, stop, 0);
        }
        if (probe == ProbeResult::NotConnected) host.linkStatus(LinkStatus::Searching, stop);
    }
    return false;
}

bool SerialTransport::open(const std::string& path) {
    close();
    std::lock_guard lock(lifecycleMutex_);
    SerialPort::Opened opened = SerialPort::open(path, options_.baudRate);
    if (!opened.port) {
        std::lock_guard info(infoMutex_);
        lastFailure_ = SerialOpenFailure{path, opened.error};
        return false;
    }
    {
        std::lock_guard info(infoMutex_);
        portPath_ = path;
    }
    {
        std::lock_guard portLock(portMutex_);
        port_ = std::move(opened.port);
    }
    open_.store(true, std::memory_order_release);
    readerThread_ = std::jthread([this](std::stop_token stop) { reader(std::move(stop)); });
    return true;
}

void SerialTransport::reader(std::stop_token stop) {
    std::array<std::uint8_t, SerialPort::READ_CHUNK> buffer{};
    SerialPort& port = *port_;  // only this thread drops it, and close joins it first
    while (!stop.stop_requested()) {
        SerialPort::Received got = port.read(buffer, READ_WAIT_MS, link_.clock, stop);
        if (got.status == SerialPort::ReadStatus::Data) {
            parser_.input(std::span(buffer.data(), got.size));
        } else if (got.status == SerialPort::ReadStatus::Vanished) {
            dropPort();
            return;
        } else if (got.status == SerialPort::ReadStatus::Stopped) {
            return;
        }
    }
}

void SerialTransport::dropPort() {
    open_.store(false, std::memory_order_release);
    link_.linkUp.store(false, RELAXED);
    link_.releaseIfAwaited();
    std::lock_guard lock(portMutex_);
    port_.reset();
}

void SerialTransport::close() {
    std::lock_guard lock(lifecycleMutex_);
    if (open_.exchange(false, std::memory_order_acq_rel)) {
        link_.linkUp.store(false, RELAXED);
        link_.releaseIfAwaited();
    }
    if (readerThread_.joinable()) {
        readerThread_.request_stop();
        readerThread_.join();
    }
    std::lock_guard portLock(portMutex_);
    port_.reset();
}

void SerialTransport::send(std::span<const std::uint8_t> frame) {
    std::lock_guard lock(portMutex_);
    if (port_ && isConnected()) port_->write(frame, WRITE_WAIT_MS, link_.clock, {});
}

}  // namespace tq370
