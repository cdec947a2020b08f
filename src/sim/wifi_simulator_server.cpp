#include "sim/wifi_simulator_server.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/net_address.h"
#include "platform/tcp_listener.h"
#include "platform/udp_socket.h"

namespace tq370 {
namespace {

constexpr int ACCEPT_STEP_MS = 100;
constexpr int RECEIVE_STEP_MS = 100;
constexpr int SEND_LIMIT_MS = 1000;
constexpr std::size_t BUFFER_SIZE = 1500;

}  // namespace

// One TCP peer: its bytes go to the simulator, the simulator's replies go back through a
// pipe that keeps their travel times.
struct WifiSimulatorServer::Connection {
    Connection(TcpStream accepted, const Clock& clock)
        : stream(std::move(accepted)), clock(clock) {}

    void run(ProcessorSimulator& simulator) {
        reader = std::jthread([this, &simulator](std::stop_token stop) {
            std::vector<std::uint8_t> buffer(BUFFER_SIZE);
            while (!stop.stop_requested()) {
                auto got = stream.receive(buffer, RECEIVE_STEP_MS, clock, stop);
                if (got.status == TcpStream::Status::TimedOut) continue;
                if (got.status != TcpStream::Status::Data) break;
                simulator.receive(std::span(buffer.data(), got.size));
            }
            ended.store(true);
            toPeer.close();
        });
        writer = std::jthread([this](std::stop_token stop) {
            while (auto bytes = toPeer.pop()) {
                if (!stream.sendAll(*bytes, SEND_LIMIT_MS, clock, stop)) break;
            }
        });
    }
    void end() {
        reader.request_stop();
        toPeer.close();
        if (reader.joinable()) reader.join();
        if (writer.joinable()) writer.join();
    }

    TcpStream stream;
    const Clock& clock;
    BytePipe toPeer;
    std::atomic<bool> ended{false};
    std::jthread reader;
    std::jthread writer;
};

WifiSimulatorServer::WifiSimulatorServer(ProcessorSimulator& simulator, std::uint32_t address,
                                         std::uint16_t udpPort, std::uint16_t tcpPort,
                                         double timeScale)
    : simulator_(simulator),
      address_(address),
      udpPort_(udpPort),
      tcpPort_(tcpPort),
      clock_(timeScale) {}

WifiSimulatorServer::~WifiSimulatorServer() {
    stop();
}

bool WifiSimulatorServer::start() {
    stop();
    auto udp = UdpSocket::open(AF_INET);
    if (!udp || udp->bind(ipv4Address(address_, udpPort_)) != UdpSocket::BindStatus::Bound) {
        return false;
    }
    auto listener = TcpListener::listen(ipv4Address(address_, tcpPort_));
    if (!listener) return false;
    WifiModuleState state = simulator_.wifiState();
    state.ipAddress = address_;
    state.udpPort = udpPort_;
    state.tcpPort = tcpPort_;
    simulator_.setWifiState(state);
    udp_ = std::make_unique<UdpSocket>(std::move(*udp));
    listener_ = std::make_unique<TcpListener>(std::move(*listener));
    udpThread_ = std::jthread([this](std::stop_token stop) { serveUdp(stop); });
    tcpThread_ = std::jthread([this](std::stop_token stop) { serveTcp(stop); });
    return true;
}

void WifiSimulatorServer::stop() {
    udpThread_ = {};  // a jthread asks its thread to stop and joins it
    tcpThread_ = {};
    udp_.reset();
    listener_.reset();
}

void WifiSimulatorServer::serveUdp(std::stop_token stop) {
    std::vector<std::uint8_t> buffer(BUFFER_SIZE);
    while (!stop.stop_requested()) {
        if (udp_->waitReadable(RECEIVE_STEP_MS, clock_, stop) != WaitStatus::Ready) continue;
        NetAddress from;
        auto size = udp_->receiveFrom(buffer, from);
        if (!size) continue;
        ++datagrams_;
        if (udpMuted_.load()) continue;
        std::string_view command(reinterpret_cast<const char*>(buffer.data()), *size);
        if (auto reply = simulator_.answerText(command)) {
            udp_->sendTo(from, std::span(reinterpret_cast<const std::uint8_t*>(reply->data()),
                                         reply->size()));
        }
    }
}

void WifiSimulatorServer::serveTcp(std::stop_token stop) {
    std::unique_ptr<Connection> current;
    auto setLinkedPc = [this](std::uint32_t pc) {
        WifiModuleState state = simulator_.wifiState();
        state.linkedPc = pc;
        simulator_.setWifiState(state);
    };
    auto endCurrent = [&] {
        if (!current) return;
        simulator_.detach();
        current->end();
        current.reset();
        setLinkedPc(0);
    };
    while (!stop.stop_requested()) {
        if (current && current->ended.load()) endCurrent();
        auto accepted = listener_->accept(ACCEPT_STEP_MS, clock_, stop);
        if (!accepted) continue;
        endCurrent();
        ++accepted_;
        current = std::make_unique<Connection>(std::move(accepted->stream), clock_);
        Connection* connection = current.get();
        simulator_.attach(
            [this, connection](std::vector<std::uint8_t> bytes, double delayMs) {
                connection->toPeer.push(std::move(bytes), clock_.toReal(delayMs));
            },
            [connection] { connection->reader.request_stop(); });
        setLinkedPc(ipv4Number(accepted->peer).value_or(0));
        connection->run(simulator_);
    }
    endCurrent();
}

}  // namespace tq370
