#include <gtest/gtest.h>

#include <unistd.h>

#include <random>

#include "link/frame.h"
#include "platform/net_address.h"
#include "platform/udp_socket.h"
#include "sim/wifi_simulator_server.h"
#include "transport_fixture.h"
#include "transports/wifi_transport.h"

namespace tq370::test {
namespace {

using Kind = RecordingLinkHost::Kind;

// Everything stays on loopback: the PC is 127.0.0.1, simulated processors sit on other
// 127.0.0.x addresses, and the "broadcast" and the sweep go to loopback addresses too.
constexpr std::uint32_t OWN = 0x7F000001;        // 127.0.0.1
constexpr std::uint32_t FIRST = 0x7F000002;      // 127.0.0.2
constexpr std::uint32_t SECOND = 0x7F000003;     // 127.0.0.3
constexpr std::uint32_t OTHER_PC = 0x7F000009;   // 127.0.0.9
constexpr std::uint32_t NOBODY = 0x7F0001C8;     // 127.0.1.200
constexpr std::uint32_t EMPTY_NET = 0x7F000101;  // 127.0.1.1: its /24 has no processor

// A host whose user picks a processor when asked.
class ChoosingHost : public RecordingLinkHost {
public:
    void chooseWifiProcessor(int count, std::stop_token stop) override {
        RecordingLinkHost::chooseWifiProcessor(count, stop);
        if (choose) choose();
    }
    std::function<void()> choose;
};

class WifiLink : public TransportFixture {
protected:
    void SetUp() override {
        TransportFixture::SetUp();
        host = std::make_unique<ChoosingHost>();
    }
    void TearDown() override {
        TransportFixture::TearDown();
        servers.clear();
    }

    // Simulators at the given addresses, all on one pair of free ports.
    void serve(const std::vector<std::pair<ProcessorSimulator*, std::uint32_t>>& at) {
        std::mt19937 random(static_cast<unsigned>(getpid()) ^ std::random_device{}());
        for (int attempt = 0; attempt < 50; ++attempt) {
            servers.clear();
            udpPort = static_cast<std::uint16_t>(20000 + random() % 40000);
            tcpPort = static_cast<std::uint16_t>(udpPort + 1);
            bool all = true;
            for (auto [simulator, address] : at) {
                servers.push_back(std::make_unique<WifiSimulatorServer>(*simulator, address,
                                                                        udpPort, tcpPort, scale));
                all = all && servers.back()->start();
            }
            if (all) return;
        }
        FAIL() << "no free ports";
    }

    WifiEndpoints endpoints(std::uint32_t broadcastTarget, std::uint32_t sweepBase) const {
        WifiEndpoints e;
        e.ownAddress = OWN;
        e.broadcastTarget = broadcastTarget;
        e.sweepBase = sweepBase;
        e.localAddress = OWN;
        e.localUdpPort = 0;
        e.udpPort = udpPort;
        e.tcpPort = tcpPort;
        return e;
    }

    void startWifi(WifiEndpoints e) {
        startWith([this, e](LinkContext& context) {
            auto made = std::make_unique<WifiTransport>(context, e);
            transport = made.get();
            return made;
        });
    }

    ChoosingHost& choosingHost() { return static_cast<ChoosingHost&>(*host); }

    std::uint16_t udpPort = 0;
    std::uint16_t tcpPort = 0;
    // Before the servers, which serve them and so must go first.
    std::unique_ptr<ProcessorSimulator> second =
        std::make_unique<ProcessorSimulator>(SimulatorOptions{SIMULATED_MODEL, scale, 2});
    std::vector<std::unique_ptr<WifiSimulatorServer>> servers;
    WifiTransport* transport = nullptr;  // owned by the engine while it runs
};

struct FindCase {
    const char* name;
    std::uint32_t broadcastTarget;
    std::uint32_t sweepBase;
};

TEST_F(WifiLink, DiscoveryFindsTheProcessorConnectsReadsBackAndCarriesAnEdit) {
    const FindCase cases[] = {
        {"by the broadcast", FIRST, EMPTY_NET},
        {"by the sweep", NOBODY, OWN},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim = std::make_unique<ProcessorSimulator>(SimulatorOptions{SIMULATED_MODEL, scale, 1});
        scrambleSimulator(5);
        serve({{sim.get(), FIRST}});
        startWifi(endpoints(c.broadcastTarget, c.sweepBase));
        ASSERT_TRUE(waitRunning());
        ASSERT_TRUE(mirrorEqualsSimulator(tableValues(), *sim));
        link->registers.setRegister(1000, 2468);
        ASSERT_TRUE(sim->waitForWrite(1000, 2468, 5000));
        ASSERT_TRUE(waitUntil([&] { return !link->registers.isWritePending(1000); }, 5000));
        EXPECT_EQ(sim->wifiState().linkedPc, OWN);
        EXPECT_EQ(host->count(Kind::ChooseWifi, 1), 0);
        EXPECT_EQ(engine->stopEngine(), StopResult::Stopped);
        engine.reset();
        servers.clear();
        host = std::make_unique<ChoosingHost>();
    }
}

TEST_F(WifiLink, TwoProcessorsAreOfferedAndTheChosenOneIsConnected) {
    serve({{sim.get(), FIRST}, {second.get(), SECOND}});
    choosingHost().choose = [this] {
        auto found = transport->discoveredProcessors();
        EXPECT_EQ(found.size(), 2u);
        transport->chooseProcessor(SECOND);
    };
    startWifi(endpoints(NOBODY, OWN));
    ASSERT_TRUE(waitRunning());
    EXPECT_EQ(host->count(Kind::ChooseWifi, 2), 1);
    EXPECT_EQ(servers[0]->connectionsAccepted(), 0);
    EXPECT_GE(servers[1]->connectionsAccepted(), 1);
    link->registers.setRegister(1000, 1357);
    EXPECT_TRUE(second->waitForWrite(1000, 1357, 5000));
    EXPECT_EQ(sim->writesReceived(1000), 0);
}

TEST_F(WifiLink, AProcessorLinkedToAnotherPcIsWaitedForUntilItIsFree) {
    WifiModuleState state = sim->wifiState();
    state.linkedPc = OTHER_PC;
    sim->setWifiState(state);
    serve({{sim.get(), FIRST}});
    startWifi(endpoints(FIRST, EMPTY_NET));
    waitMs(3000);
    EXPECT_EQ(servers[0]->connectionsAccepted(), 0);
    const int asked = servers[0]->datagramsReceived();
    waitMs(1000);
    EXPECT_GT(servers[0]->datagramsReceived(), asked) << "keeps asking which PC it serves";
    state = sim->wifiState();
    state.linkedPc = 0;
    sim->setWifiState(state);
    ASSERT_TRUE(waitRunning());
    EXPECT_EQ(servers[0]->connectionsAccepted(), 1);
}

TEST_F(WifiLink, AQuietLinkIsReopenedByTheReconnectProbe) {
    serve({{sim.get(), FIRST}});
    startWifi(endpoints(FIRST, EMPTY_NET));
    ASSERT_TRUE(waitRunning());
    ASSERT_EQ(servers[0]->connectionsAccepted(), 1);
    sim->goSilent(4000);
    ASSERT_TRUE(waitUntil([&] { return servers[0]->connectionsAccepted() >= 2; }, 20'000));
    link->registers.setRegister(1000, 999);
    ASSERT_TRUE(sim->waitForWrite(1000, 999, 20'000));
    EXPECT_TRUE(waitUntil([&] { return !link->registers.isWritePending(1000); }, 20'000));
    EXPECT_TRUE(link->linkUp.load());
}

TEST_F(WifiLink, TextCommandsTravelAsDatagramsAndAreConfirmed) {
    serve({{sim.get(), FIRST}});
    startWifi(endpoints(FIRST, EMPTY_NET));
    ASSERT_TRUE(waitRunning());
    link->textSlots[10].setText("Set_WiFiMode:2");
    link->textSlots[10].pending.store(1);
    ASSERT_TRUE(host->waitForMessage("WiFiMode:OK", realMs(10'000)));
    EXPECT_EQ(sim->wifiState().wifiMode, 2);
    EXPECT_EQ(sim->framesReceived(CMD_TEXT), 0) << "not as frames on WiFi";
    EXPECT_EQ(host->messages(), std::vector<std::string>{"WiFiMode:OK"});
}

TEST_F(WifiLink, DiscoveryThatFindsNothingSaysOnceAFirewallMayDropTheReplies) {
    serve({{sim.get(), FIRST}});
    servers[0]->setUdpMuted(true);
    startWifi(endpoints(FIRST, EMPTY_NET));
    ASSERT_TRUE(waitUntil([&] { return !host->messages().empty(); }, 30'000));
    waitMs(5000);
    auto messages = host->messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("firewall"), std::string::npos) << messages[0];
    servers[0]->setUdpMuted(false);
    EXPECT_TRUE(waitRunning());
}

TEST_F(WifiLink, ATextChannelPortInUseIsToldAndTriedAgain) {
    serve({{sim.get(), FIRST}});
    auto holder = UdpSocket::open(AF_INET);
    ASSERT_TRUE(holder);
    ASSERT_EQ(holder->bind(ipv4Address(OWN, 0)), UdpSocket::BindStatus::Bound);
    WifiEndpoints e = endpoints(FIRST, EMPTY_NET);
    e.localUdpPort = *holder->localPort();
    startWifi(e);
    ASSERT_TRUE(waitUntil([&] { return !host->messages().empty(); }, 10'000));
    waitMs(3000);
    auto messages = host->messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("in use"), std::string::npos) << messages[0];
    EXPECT_EQ(servers[0]->datagramsReceived(), 0);
    holder.reset();
    EXPECT_TRUE(waitRunning());
}

}  // namespace
}  // namespace tq370::test
