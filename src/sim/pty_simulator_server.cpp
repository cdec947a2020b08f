#include "sim/pty_simulator_server.h"

#include <array>

namespace tq370 {
namespace {

// Waits of the serving threads (a stop ends them much sooner).
constexpr double READ_WAIT_MS = 1000;
constexpr double WRITE_WAIT_MS = 1000;
constexpr std::size_t READ_CHUNK = 4096;

}  // namespace

PtySimulatorServer::PtySimulatorServer(ProcessorSimulator& simulator, double timeScale)
    : simulator_(simulator), clock_(timeScale) {
    replies_.close();
}

PtySimulatorServer::~PtySimulatorServer() {
    close();
}

bool PtySimulatorServer::open() {
    close();
    terminal_ = PseudoTerminal::open();
    if (!terminal_) return false;
    replies_.reopen();
    simulator_.attach(
        [this](std::vector<std::uint8_t> bytes, double delayMs) {
            replies_.push(std::move(bytes), clock_.toReal(delayMs));
        },
        [this] { replies_.close(); });
    fromPortThread_ = std::jthread([this](std::stop_token stop) { fromPort(std::move(stop)); });
    toPortThread_ = std::jthread([this](std::stop_token stop) { toPort(std::move(stop)); });
    return true;
}

void PtySimulatorServer::close() {
    simulator_.detach();
    replies_.close();
    if (fromPortThread_.joinable()) {
        fromPortThread_.request_stop();
        fromPortThread_.join();
    }
    if (toPortThread_.joinable()) {
        toPortThread_.request_stop();
        toPortThread_.join();
    }
    terminal_.reset();
}

std::string PtySimulatorServer::portPath() const {
    return terminal_ ? terminal_->portPath() : std::string();
}

void PtySimulatorServer::fromPort(std::stop_token stop) {
    std::array<std::uint8_t, READ_CHUNK> buffer{};
    while (!stop.stop_requested()) {
        TerminalReceived got = terminal_->read(buffer, READ_WAIT_MS, clock_, stop);
        if (got.status == TerminalReadStatus::Data) {
            simulator_.receive(std::span(buffer.data(), got.size));
        } else if (got.status != TerminalReadStatus::TimedOut) {
            return;
        }
    }
}

void PtySimulatorServer::toPort(std::stop_token stop) {
    while (auto bytes = replies_.pop()) {
        terminal_->write(*bytes, WRITE_WAIT_MS, clock_, stop);
    }
}

}  // namespace tq370
