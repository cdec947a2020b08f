#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "base/clock.h"
#include "sim/byte_pipe.h"
#include "sim/processor_simulator.h"

namespace tq370 {

// The simulated processor's WiFi module on the network: text commands as UDP datagrams
// answered through the simulator's text answers, and one TCP connection at a time whose
// bytes go to the simulator and whose replies come back on it. A new connection replaces
// the old one, and the module reports the connected peer as its linked PC. Bound to the
// address and ports given; the simulator must outlive the server.
class WifiSimulatorServer {
public:
    WifiSimulatorServer(ProcessorSimulator& simulator, std::uint32_t address, std::uint16_t udpPort,
                        std::uint16_t tcpPort, double timeScale = 1.0);
    ~WifiSimulatorServer();
    WifiSimulatorServer(const WifiSimulatorServer&) = delete;
    WifiSimulatorServer& operator=(const WifiSimulatorServer&) = delete;

    // Binds both ports and starts serving; false when either cannot be bound.
    bool start();
    void stop();

    // Answers no UDP datagram while set, as a module whose replies are lost.
    void setUdpMuted(bool muted) { udpMuted_.store(muted); }
    int connectionsAccepted() const { return accepted_.load(); }
    int datagramsReceived() const { return datagrams_.load(); }

private:
    struct Connection;

    void serveUdp(std::stop_token stop);
    void serveTcp(std::stop_token stop);

    ProcessorSimulator& simulator_;
    const std::uint32_t address_;
    const std::uint16_t udpPort_;
    const std::uint16_t tcpPort_;
    const Clock clock_;
    std::atomic<bool> udpMuted_{false};
    std::atomic<int> accepted_{0};
    std::atomic<int> datagrams_{0};

    std::unique_ptr<class UdpSocket> udp_;
    std::unique_ptr<class TcpListener> listener_;
    std::jthread udpThread_;
    std::jthread tcpThread_;
};

}  // namespace tq370
