#include "transports/wifi_transport.h"

#include <string_view>

#include "base/stoppable_sleep.h"
#include "link/frame.h"
#include "link/link_host.h"
#include "link/reply_wait.h"
#include "link/text_confirmations.h"
#include "link/text_reply.h"
#include "platform/executable_path.h"
#include "platform/net_address.h"
#include "platform/own_address.h"
#include "platform/udp_socket.h"
#include "text/format_text.h"
#include "text/language.h"
#include "text/program_texts.h"

namespace tq370 {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

constexpr int START_PAUSE_MS = 50;
constexpr int POLL_STEP_MS = 20;
constexpr int CHOICE_PAUSE_MS = 100;
constexpr int RETRY_PAUSE_MS = 100;
constexpr int CONNECTED_PAUSE_MS = 100;
constexpr int TCP_CONNECT_LIMIT_MS = 2000;
constexpr int TCP_SEND_LIMIT_MS = 1000;
constexpr int TCP_RECEIVE_STEP_MS = 100;
constexpr std::size_t TCP_RECEIVE_SIZE = 1500;
constexpr int PROBE_CONNECT_ATTEMPTS = 3;

constexpr int BROADCAST_RECEIVE_MS = 100;
constexpr int SWEEP_STEP_MS = 2;
constexpr int SWEEP_RECEIVE_MS = 200;
constexpr int IDLE_STEP_MS = 10;
constexpr int LINK_QUERY_PAUSE_MS = 50;
constexpr int SERVICE_RECEIVE_MS = 200;
constexpr int SERVICE_PAUSE_MS = 1;
constexpr std::size_t DATAGRAM_SIZE = 1500;
// How long discovery may find nothing before the firewall hint is given.
constexpr int FIREWALL_HINT_AFTER_MS = 10000;
constexpr int UDP_RETRY_MS = 2000;

std::uint32_t ownAddressOf(const WifiEndpoints& endpoints) {
    if (endpoints.ownAddress != 0) return endpoints.ownAddress;
    return ownIpv4Address().value_or(0);
}

}  // namespace

WifiTransport::WifiTransport(LinkContext& link, WifiEndpoints endpoints)
    : link_(link),
      endpoints_(endpoints),
      ownAddress_(ownAddressOf(endpoints)),
      parser_(link, discovered_.offerHook()) {}

WifiTransport::~WifiTransport() {
    close();
}

bool WifiTransport::connect(LinkHost& host, std::stop_token stop) {
    engineStop_ = stop;
    host_.store(&host);
    processorAddress_.store(endpoints_.processorAddress, RELAXED);
    linkAddress_.store(LINK_ADDRESS_UNKNOWN, RELAXED);
    discovered_.clear();
    stopDiscovery();
    {
        std::lock_guard lock(tcpMutex_);
        stopTcpReader();
        stream_.reset();
    }
    sleepUnlessStopped(link_.clock, stop, START_PAUSE_MS);
    if (!startDiscovery(stop)) return false;

    while (!stop.stop_requested()) {
        if (!waitForFreeProcessor(host, stop)) return false;
        host.linkStatus(LinkStatus::Searching, stop);
        sleepUnlessStopped(link_.clock, stop, START_PAUSE_MS);
        if (discovered_.size() > 1) {
            host.chooseWifiProcessor(static_cast<int>(discovered_.size()), stop);
            discovered_.clear();
            sleepUnlessStopped(link_.clock, stop, CHOICE_PAUSE_MS);
        }
        link_.linkUp.store(false, RELAXED);
        while (!stop.stop_requested() && processorAddress_.load(RELAXED) != 0) {
            if (!tcpConnect()) {
                sleepUnlessStopped(link_.clock, stop, RETRY_PAUSE_MS);
                continue;
            }
            if (probeRegisterZero(link_, *this, WIFI_CONNECT_PROBE_WAIT_MS) ==
                ProbeResult::Answered) {
                return announceConnected(link_, host, stop, CONNECTED_PAUSE_MS);
            }
            // Connected but silent: drop it, and discovery finds it again.
            host.linkStatus(LinkStatus::Searching, stop);
            processorAddress_.store(endpoints_.processorAddress, RELAXED);
            linkAddress_.store(LINK_ADDRESS_UNKNOWN, RELAXED);
            break;
        }
    }
    return false;
}

bool WifiTransport::startDiscovery(const std::stop_token& stop) {
    stopDiscovery();
    std::lock_guard lock(discoveryMutex_);
    if (stop.stop_requested()) return false;
    udpFailed_.store(false, RELAXED);
    discoveryStartMs_.store(link_.clock.nowMs(), RELAXED);
    discovery_ = std::jthread([this](std::stop_token own) { discovery(own); });
    return true;
}

bool WifiTransport::waitForFreeProcessor(LinkHost& host, const std::stop_token& stop) {
    sleepUnlessStopped(link_.clock, stop, START_PAUSE_MS);
    while (!stop.stop_requested() && !mayConnectTcp(processorAddress_.load(RELAXED),
                                                    linkAddress_.load(RELAXED), ownAddress_)) {
        tellOnce(host, stop);
        // A text channel that could not be opened is tried again now and then.
        if (udpFailed_.load(RELAXED) &&
            link_.clock.nowMs() - discoveryStartMs_.load(RELAXED) >= UDP_RETRY_MS &&
            !startDiscovery(stop)) {
            return false;
        }
        sleepUnlessStopped(link_.clock, stop, POLL_STEP_MS);
    }
    return !stop.stop_requested();
}

// The hints about the local system, each given once in the transport's life.
void WifiTransport::tellOnce(LinkHost& host, const std::stop_token& stop) {
    auto hint = [&](std::string text) {
        host.messageBox({std::move(text),
                         {},
                         MessageButtons::Ok,
                         languageId(TEXT_WIFI_FIREWALL.language),
                         MessageTopic::WifiHint},
                        stop);
    };
    const unsigned wanted = endpoints_.localUdpPort;
    const unsigned bound = boundPort_.load(RELAXED);
    if (udpFailed_.load(RELAXED) && !udpHintGiven_) {
        udpHintGiven_ = true;
        hint(formatText(TEXT_WIFI_PORT_IN_USE.text, wanted));
    }
    if (portRefused_.load(RELAXED) && !portHintGiven_) {
        portHintGiven_ = true;
        const std::string program = executablePath().value_or("tq370").string();
        hint(formatText(TEXT_WIFI_PORT_PRIVILEGED.text, wanted, bound, wanted, program.c_str()));
    }
    if (!firewallHintGiven_ && discovered_.size() == 0 && processorAddress_.load(RELAXED) == 0 &&
        link_.clock.nowMs() - discoveryStartMs_.load(RELAXED) >= FIREWALL_HINT_AFTER_MS) {
        firewallHintGiven_ = true;
        hint(formatText(TEXT_WIFI_FIREWALL.text, bound));
    }
}

void WifiTransport::chooseProcessor(std::uint32_t address) {
    if (address != 0) processorAddress_.store(address, RELAXED);
}

std::optional<WifiTransport::OtherPcLink> WifiTransport::linkedToOtherPc() const {
    const std::uint32_t linked = linkAddress_.load(RELAXED);
    const std::uint32_t processor = processorAddress_.load(RELAXED);
    if (processor == 0 || linkStateOf(linked, ownAddress_) != LinkState::OtherPc) {
        return std::nullopt;
    }
    return OtherPcLink{processor, linked};
}

bool WifiTransport::isConnected() const {
    return tcpReaderRunning_.load(std::memory_order_acquire) && !tcpBroken_.load(RELAXED);
}

bool WifiTransport::tcpConnect() {
    std::lock_guard lock(tcpMutex_);
    stopTcpReader();
    stream_.reset();
    std::uint32_t address = processorAddress_.load(RELAXED);
    if (address == 0) return false;
    stream_ = TcpStream::connect(ipv4Address(address, endpoints_.tcpPort), TCP_CONNECT_LIMIT_MS,
                                 link_.clock, engineStop_);
    if (!stream_) return false;
    tcpBroken_.store(false, RELAXED);
    connectedAtMs_.store(link_.clock.nowMs(), RELAXED);
    tcpReaderRunning_.store(true, std::memory_order_release);
    TcpStream* stream = &*stream_;
    tcpReader_ = std::jthread([this, stream](std::stop_token own) { tcpReader(own, stream); });
    return true;
}

void WifiTransport::stopTcpReader() {
    if (tcpReader_.joinable()) {
        tcpReader_.request_stop();
        tcpReader_.join();
    }
    tcpReaderRunning_.store(false, std::memory_order_release);
}

void WifiTransport::tcpReader(std::stop_token stop, TcpStream* stream) {
    std::vector<std::uint8_t> buffer(TCP_RECEIVE_SIZE);
    while (!stop.stop_requested() && !tcpBroken_.load(RELAXED)) {
        TcpStream::Received got = stream->receive(buffer, TCP_RECEIVE_STEP_MS, link_.clock, stop);
        if (got.status == TcpStream::Status::TimedOut) continue;
        if (got.status != TcpStream::Status::Data) break;
        parser_.input(std::span(buffer.data(), got.size));
    }
    tcpReaderRunning_.store(false, std::memory_order_release);
}

bool WifiTransport::sendBytes(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(tcpMutex_);
    if (!stream_ || tcpBroken_.load(RELAXED)) return false;
    if (stream_->sendAll(bytes, TCP_SEND_LIMIT_MS, link_.clock, engineStop_)) return true;
    // The reader sees this and ends; the next connect or probe opens a new stream.
    tcpBroken_.store(true, RELAXED);
    return false;
}

void WifiTransport::send(std::span<const std::uint8_t> frame) {
    sendBytes(frame);
}

void WifiTransport::reconnectProbe() {
    // The engine calls this on the first frame after any long quiet, also the first after
    // a connect that waited for the processor; a connection that new is not the quiet one.
    bool connected = isConnected() && link_.clock.nowMs() - connectedAtMs_.load(RELAXED) <
                                          traits().timings.silenceMs;
    for (int attempt = 0; attempt < PROBE_CONNECT_ATTEMPTS && !connected; ++attempt) {
        connected = tcpConnect();
    }
    if (connected) probeQuietLink(link_, *this, QUIET_PROBE_ATTEMPTS, QUIET_PROBE_WAIT_MS);
}

void WifiTransport::close() {
    stopDiscovery();
    {
        std::lock_guard lock(tcpMutex_);
        stopTcpReader();
        stream_.reset();
    }
    // A waiting sender wakes at once instead of at its time-out.
    link_.releaseIfAwaited();
}

void WifiTransport::stopDiscovery() {
    std::lock_guard lock(discoveryMutex_);
    if (discovery_.joinable()) {
        discovery_.request_stop();
        discovery_.join();
    }
}

void WifiTransport::discovery(std::stop_token stop) {
    UdpSocket::Bound bound =
        UdpSocket::openBound(ipv4Address(endpoints_.localAddress, endpoints_.localUdpPort), true);
    if (!bound.socket) {
        udpFailed_.store(true, RELAXED);
        return;
    }
    UdpSocket& udp = *bound.socket;
    boundPort_.store(udp.localPort().value_or(0), RELAXED);
    portRefused_.store(bound.portRefused, RELAXED);

    const std::uint32_t sweepBase = endpoints_.sweepBase != 0 ? endpoints_.sweepBase : ownAddress_;
    const std::vector<std::uint8_t> query = discoveryQueryDatagram();
    int cursor = 0;
    while (!stop.stop_requested()) {
        if (processorAddress_.load(RELAXED) == 0) {
            udp.sendTo(ipv4Address(endpoints_.broadcastTarget, endpoints_.udpPort), query);
            receiveText(udp, BROADCAST_RECEIVE_MS, stop);
            if (sweepBase != 0) {
                for (std::uint32_t address : subnetSweepAddresses(sweepBase)) {
                    if (stop.stop_requested()) return;
                    udp.sendTo(ipv4Address(address, endpoints_.udpPort), query);
                    sleepUnlessStopped(link_.clock, stop, SWEEP_STEP_MS);
                }
            }
            linkAddress_.store(LINK_ADDRESS_UNKNOWN, RELAXED);
            receiveText(udp, SWEEP_RECEIVE_MS, stop);
            receiveText(udp, SWEEP_RECEIVE_MS, stop);
        }
        // The service loop, until the processor is dropped.
        while (!stop.stop_requested()) {
            const std::uint32_t processor = processorAddress_.load(RELAXED);
            if (processor == 0) {
                sleepUnlessStopped(link_.clock, stop, IDLE_STEP_MS);
                break;
            }
            const NetAddress to = ipv4Address(processor, endpoints_.udpPort);
            cursor = nextPendingTextSlot(link_, cursor);
            if (cursor < TEXT_SLOT_COUNT) {
                // Repeated on every pass until answered: WiFi has no retry limit.
                udp.sendTo(to, textCommandDatagram(
                                   link_.textSlots[static_cast<std::size_t>(cursor)].text()));
            }
            if (linkQueryNeeded(linkAddress_.load(RELAXED), ownAddress_)) {
                sleepUnlessStopped(link_.clock, stop, LINK_QUERY_PAUSE_MS);
                const std::string_view query = textSlotPrefix(TEXT_SLOT_GET_LINK_IP);
                link_.textSlots[TEXT_SLOT_GET_LINK_IP].setText(std::string(query));
                udp.sendTo(to, textCommandDatagram(query));
            }
            receiveText(udp, SERVICE_RECEIVE_MS, stop);
            sleepUnlessStopped(link_.clock, stop, SERVICE_PAUSE_MS);
            showConfirmations(stop);
        }
    }
}

void WifiTransport::receiveText(UdpSocket& udp, double ms, const std::stop_token& stop) {
    std::vector<std::uint8_t> datagram(DATAGRAM_SIZE);
    // Every datagram already waiting is taken, not just one, so that a sweep's many replies
    // cannot queue up behind each other.
    double waitMs = ms;
    while (udp.waitReadable(waitMs, link_.clock, stop) == WaitStatus::Ready) {
        auto size = udp.receive(datagram);
        if (!size) break;
        std::string_view text(reinterpret_cast<const char*>(datagram.data()), *size);
        if (!text.empty()) interpretTextReply(link_, text, discovered_.offerHook());
        waitMs = 0;
    }
    TextSlot& ip = link_.textSlots[TEXT_SLOT_GET_IP];
    if (ip.answered.load(std::memory_order_acquire) > 0) {
        ip.answered.store(0, RELAXED);
        // The first processor found stays chosen; the user picks another if there are several.
        std::uint32_t address = static_cast<std::uint32_t>(ip.value.load(RELAXED));
        std::uint32_t none = 0;
        if (address != 0) processorAddress_.compare_exchange_strong(none, address);
    }
    TextSlot& linkIp = link_.textSlots[TEXT_SLOT_GET_LINK_IP];
    if (linkIp.answered.load(std::memory_order_acquire) > 0) {
        linkIp.answered.store(0, RELAXED);
        linkAddress_.store(static_cast<std::uint32_t>(linkIp.value.load(RELAXED)), RELAXED);
    }
}

void WifiTransport::showConfirmations(const std::stop_token& stop) {
    LinkHost* host = host_.load();
    if (!host) return;
    for (TextConfirmation confirmation : takeTextConfirmations(link_)) {
        MessageRequest request{std::string(textConfirmationText(confirmation)),
                               std::string(CAPTION_WIFI),
                               MessageButtons::Ok,
                               languageId(currentLanguage()),
                               MessageTopic::WifiConfirmed,
                               confirmation};
        host->messageBox(request, stop);
    }
}

}  // namespace tq370
