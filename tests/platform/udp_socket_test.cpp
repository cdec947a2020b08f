#include "platform/udp_socket.h"

#include <netinet/in.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/net_address.h"

namespace tq370 {
namespace {

constexpr std::uint32_t LOOPBACK = 0x7F000001;  // 127.0.0.1

UdpSocket boundSocket(std::uint16_t port = 0) {
    std::optional<UdpSocket> socket = UdpSocket::open(AF_INET);
    EXPECT_TRUE(socket);
    EXPECT_EQ(socket->bind(ipv4Address(LOOPBACK, port)), UdpSocket::BindStatus::Bound);
    return std::move(*socket);
}

TEST(UdpSocket, BoundSocketsExchangeDatagramsOnLoopback) {
    Clock clock;
    UdpSocket receiver = boundSocket();
    UdpSocket sender = boundSocket();
    std::optional<std::uint16_t> port = receiver.localPort();
    ASSERT_TRUE(port);
    EXPECT_NE(*port, 0);

    const std::string text = "Get_IP:";
    ASSERT_TRUE(sender.sendTo(ipv4Address(LOOPBACK, *port),
                              {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
    ASSERT_EQ(receiver.waitReadable(1000, clock, {}), WaitStatus::Ready);
    std::array<std::uint8_t, 64> buffer{};
    std::optional<std::size_t> size = receiver.receive(buffer);
    ASSERT_TRUE(size);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + static_cast<long>(*size)), text);
}

TEST(UdpSocket, TakenPortIsInUse) {
    UdpSocket first = boundSocket();
    std::optional<UdpSocket> second = UdpSocket::open(AF_INET);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->bind(ipv4Address(LOOPBACK, *first.localPort())),
              UdpSocket::BindStatus::InUse);
}

TEST(UdpSocket, UnboundHasNoPortAndBroadcastCanBeAllowed) {
    std::optional<UdpSocket> socket = UdpSocket::open(AF_INET);
    ASSERT_TRUE(socket);
    EXPECT_FALSE(socket->localPort());
    EXPECT_TRUE(socket->enableBroadcast());
}

TEST(UdpSocket, OpenBoundTakesTheFreePortAskedFor) {
    UdpSocket probe = boundSocket();
    const std::uint16_t port = *probe.localPort();
    {
        UdpSocket::Bound taken = UdpSocket::openBound(ipv4Address(LOOPBACK, port), true);
        EXPECT_EQ(taken.status, UdpSocket::BindStatus::InUse);
        EXPECT_FALSE(taken.socket);
    }
    UdpSocket::Bound bound = UdpSocket::openBound(ipv4Address(LOOPBACK, 0), true);
    ASSERT_TRUE(bound.socket);
    EXPECT_EQ(bound.status, UdpSocket::BindStatus::Bound);
    EXPECT_FALSE(bound.portRefused);
}

// 0 when a privileged port is refused and another one is bound instead.
int privilegedPortFallsBack() {
    UdpSocket::Bound bound = UdpSocket::openBound(ipv4Address(LOOPBACK, 1010), true);
    if (!bound.socket) return 1;
    if (bound.status != UdpSocket::BindStatus::PermissionDenied || !bound.portRefused) return 2;
    std::optional<std::uint16_t> port = bound.socket->localPort();
    return port && *port != 1010 ? 0 : 3;
}

TEST(UdpSocket, RefusedPrivilegedPortFallsBackToAnotherPort) {
    int unprivilegedStart = 1024;
    std::ifstream("/proc/sys/net/ipv4/ip_unprivileged_port_start") >> unprivilegedStart;
    if (unprivilegedStart <= 1010) GTEST_SKIP() << "this system lets everyone bind port 1010";
    if (geteuid() != 0) {
        EXPECT_EQ(privilegedPortFallsBack(), 0);
        return;
    }
    // As root, ask from a child that has become an ordinary user.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(10);
        _exit(privilegedPortFallsBack());
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(NetAddress, Ipv4NumbersAndTexts) {
    struct Case {
        std::uint32_t number;
        const char* text;
    };
    const Case cases[] = {
        {0x7F000002, "127.0.0.2"},
        {0xC0A80102, "192.168.1.2"},
        {0x00000000, "0.0.0.0"},
        {0xFFFFFFFF, "255.255.255.255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ipv4Text(c.number), c.text);
        EXPECT_EQ(parseIpv4(c.text), c.number);
        NetAddress address = ipv4Address(c.number, 1010);
        EXPECT_EQ(ipv4Number(address), c.number);
        EXPECT_EQ(address.text(), std::string(c.text) + ":1010");
    }
    for (const char* bad : {"", "127.0.0", "127.0.0.256", "localhost", "1.2.3.4.5", " 1.2.3.4"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseIpv4(bad));
    }
    std::optional<NetAddress> v6 = resolveHost("::1", 1010);
    ASSERT_TRUE(v6);
    EXPECT_FALSE(ipv4Number(*v6));
}

}  // namespace
}  // namespace tq370
