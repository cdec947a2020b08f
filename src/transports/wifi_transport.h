#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "link/frame_parser.h"
#include "link/link_context.h"
#include "link/transport.h"
#include "platform/tcp_stream.h"
#include "transports/discovered_processors.h"
#include "transports/wifi_discovery_rules.h"

namespace tq370 {

class LinkHost;
class UdpSocket;

// Where WiFi looks for processors and which ports it uses. Addresses are 32-bit numbers,
// the first dotted field most significant.
struct WifiEndpoints {
    std::uint32_t ownAddress = 0;  // this PC as the processor sees it; 0: detect
    std::uint32_t broadcastTarget = WIFI_BROADCAST_ADDRESS;
    std::uint32_t sweepBase = 0;     // its /24 is swept; 0: the own address
    std::uint32_t localAddress = 0;  // the UDP socket's local address; 0: any
    std::uint16_t localUdpPort = WIFI_DEFAULT_PORT;
    std::uint16_t udpPort = WIFI_DEFAULT_PORT;  // the processor's text channel
    std::uint16_t tcpPort = WIFI_DEFAULT_PORT;  // the processor's frame channel
    std::uint32_t processorAddress = 0;         // a known processor: no discovery; 0: discover
};

// The processor's WiFi module: a discovery thread owns the UDP text channel (finding
// processors, asking which PC each is linked to, and carrying the text commands), and a
// TCP connection carries the frames, read by a reader thread. A quiet link is reopened by
// the reconnect probe.
class WifiTransport final : public Transport {
public:
    WifiTransport(LinkContext& link, WifiEndpoints endpoints = {});
    ~WifiTransport() override;
    WifiTransport(const WifiTransport&) = delete;
    WifiTransport& operator=(const WifiTransport&) = delete;

    TransportKind kind() const override { return TransportKind::WiFi; }
    bool connect(LinkHost& host, std::stop_token stop) override;
    void close() override;
    void send(std::span<const std::uint8_t> frame) override;
    bool isConnected() const override;
    void reconnectProbe() override;

    // The processors discovered so far, for the choice among several. Any thread.
    std::vector<std::uint32_t> discoveredProcessors() const { return discovered_.addresses(); }
    // The user's choice among them; the TCP link goes there. Any thread.
    void chooseProcessor(std::uint32_t address);

    std::uint32_t ownAddress() const { return ownAddress_; }

    // The processor found last and the PC it says it is linked to, while that is another
    // PC than this one. Any thread.
    struct OtherPcLink {
        std::uint32_t processor;
        std::uint32_t linkedPc;
    };
    std::optional<OtherPcLink> linkedToOtherPc() const;

private:
    bool waitForFreeProcessor(LinkHost& host, const std::stop_token& stop);
    void tellOnce(LinkHost& host, const std::stop_token& stop);
    bool tcpConnect();
    void stopTcpReader();
    void tcpReader(std::stop_token stop, TcpStream* stream);
    bool sendBytes(std::span<const std::uint8_t> bytes);
    bool startDiscovery(const std::stop_token& stop);
    void stopDiscovery();
    void discovery(std::stop_token stop);
    void receiveText(UdpSocket& udp, double ms, const std::stop_token& stop);
    void showConfirmations(const std::stop_token& stop);

    LinkContext& link_;
    const WifiEndpoints endpoints_;
    const std::uint32_t ownAddress_;
    // Before the parser, which is made with its offer hook.
    DiscoveredProcessors discovered_;
    FrameParser parser_;

    std::atomic<std::uint32_t> processorAddress_{0};
    std::atomic<std::uint32_t> linkAddress_{LINK_ADDRESS_UNKNOWN};
    std::atomic<std::int64_t> discoveryStartMs_{0};
    std::atomic<bool> portRefused_{false};
    std::atomic<std::uint16_t> boundPort_{0};
    std::atomic<bool> udpFailed_{false};
    bool udpHintGiven_ = false;       // engine thread only
    bool portHintGiven_ = false;      // engine thread only
    bool firewallHintGiven_ = false;  // engine thread only

    // The host and stop of the running connect, for the discovery thread's messages.
    std::atomic<LinkHost*> host_{nullptr};
    std::stop_token engineStop_;  // engine thread only

    std::mutex discoveryMutex_;  // guards discovery_ (engine thread and close)
    std::jthread discovery_;

    mutable std::mutex tcpMutex_;  // guards stream_ and tcpReader_
    std::optional<TcpStream> stream_;
    std::jthread tcpReader_;
    std::atomic<bool> tcpReaderRunning_{false};
    std::atomic<bool> tcpBroken_{false};          // a send failed: the stream is closed for sending
    std::atomic<std::int64_t> connectedAtMs_{0};  // clock.nowMs() of the last TCP connect
};

}  // namespace tq370
