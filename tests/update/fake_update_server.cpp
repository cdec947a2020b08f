#include "fake_update_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "update/update_frame.h"
#include "update/update_messages.h"

namespace tq370::test {

Bytes patternBytes(std::size_t size) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return b;
}

Bytes programBytes(std::size_t size) {
#if defined(__x86_64__)
    constexpr std::uint8_t MACHINE = 62;
#elif defined(__aarch64__)
    constexpr std::uint8_t MACHINE = 183;
#else
    constexpr std::uint8_t MACHINE = 0;
#endif
    Bytes b = patternBytes(size < 20 ? 20 : size);
    // 64-bit, little-endian, version 1, a position-independent executable.
    const std::uint8_t head[20] = {0x7F, 'E', 'L', 'F', 2, 1, 1, 0, 0,       0,
                                   0,    0,   0,   0,   0, 0, 3, 0, MACHINE, 0};
    std::copy(std::begin(head), std::end(head), b.begin());
    return b;
}
namespace {

constexpr int SLICE_MS = 20;
constexpr auto READ_LIMIT = std::chrono::seconds(5);

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

bool readable(int fd, const std::atomic<bool>& stopping) {
    pollfd p{fd, POLLIN, 0};
    return !stopping && poll(&p, 1, SLICE_MS) > 0;
}

// Reads from a stream until a frame with command arrives; empty on end, stop or time-out.
Bytes readFrame(int fd, std::uint8_t command, const std::atomic<bool>& stopping) {
    Bytes received;
    auto until = std::chrono::steady_clock::now() + READ_LIMIT;
    while (!stopping && std::chrono::steady_clock::now() < until) {
        if (!readable(fd, stopping)) continue;
        std::uint8_t chunk[1500];
        ssize_t n = recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        received.insert(received.end(), chunk, chunk + n);
        for (const auto& frame : findUpdateFrames(received)) {
            if (frame.command() == command) return Bytes(frame.bytes.begin(), frame.bytes.end());
        }
    }
    return {};
}

void sendAll(int fd, const Bytes& bytes, std::size_t chunk) {
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        std::size_t n = std::min(chunk, bytes.size() - at);
        if (send(fd, bytes.data() + at, n, MSG_NOSIGNAL) != static_cast<ssize_t>(n)) return;
    }
}

}  // namespace

Bytes headerBlock(std::uint64_t size) {
    Bytes block = buildDownloadHeader(size);
    block.resize(UPDATE_RECEIVE_LIMIT, 0);
    return block;
}

FakeUpdateServer::FakeUpdateServer(const Clock& clock) : clock_(clock) {
    // TCP takes an ephemeral port; UDP must get the same number, which is almost always
    // free, so a few tries suffice.
    for (int attempt = 0; attempt < 20 && port_ == 0; ++attempt) {
        int tcp = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int udp = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in any = loopback(0);
        socklen_t len = sizeof any;
        if (bind(tcp, reinterpret_cast<sockaddr*>(&any), sizeof any) == 0 &&
            getsockname(tcp, reinterpret_cast<sockaddr*>(&any), &len) == 0) {
            sockaddr_in same = loopback(ntohs(any.sin_port));
            if (bind(udp, reinterpret_cast<sockaddr*>(&same), sizeof same) == 0 &&
                listen(tcp, 4) == 0) {
                listenFd_ = tcp;
                udpFd_ = udp;
                port_ = ntohs(any.sin_port);
                break;
            }
        }
        close(tcp);
        close(udp);
    }
    if (port_ == 0) throw std::runtime_error("fake update server: no loopback port");
    udpThread_ = std::thread([this] { serveUdp(); });
    tcpThread_ = std::thread([this] { serveTcp(); });
}

FakeUpdateServer::~FakeUpdateServer() {
    stopping_ = true;
    udpThread_.join();
    tcpThread_.join();
    close(udpFd_);
    close(listenFd_);
}

void FakeUpdateServer::queueAnswer(Bytes datagram) {
    std::lock_guard lock(mutex_);
    answers_.push_back(std::move(datagram));
}

void FakeUpdateServer::answerFromAnotherPort(bool another) {
    std::lock_guard lock(mutex_);
    answerFromAnotherPort_ = another;
}

void FakeUpdateServer::queueDownload(FakeDownload download) {
    std::lock_guard lock(mutex_);
    downloads_.push_back(std::move(download));
}

bool FakeUpdateServer::waitForQueries(std::size_t count, std::chrono::milliseconds realTimeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, realTimeout, [&] { return queries_.size() >= count; });
}

bool FakeUpdateServer::waitForReports(std::size_t count, std::chrono::milliseconds realTimeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, realTimeout, [&] { return reports_.size() >= count; });
}

std::vector<FakeUpdateServer::Query> FakeUpdateServer::queries() const {
    std::lock_guard lock(mutex_);
    return queries_;
}

std::vector<Bytes> FakeUpdateServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<Bytes> FakeUpdateServer::reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

int FakeUpdateServer::connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

void FakeUpdateServer::serveUdp() {
    while (!stopping_) {
        if (!readable(udpFd_, stopping_)) continue;
        std::uint8_t buf[2048];
        sockaddr_storage from{};
        socklen_t len = sizeof from;
        ssize_t n = recvfrom(udpFd_, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
        if (n < 0) continue;
        Bytes answer;
        bool stranger = false;
        {
            std::lock_guard lock(mutex_);
            stranger = answerFromAnotherPort_;
            queries_.push_back({Bytes(buf, buf + n), clock_.nowMs()});
            if (!answers_.empty()) {
                answer = std::move(answers_.front());
                answers_.pop_front();
            }
        }
        changed_.notify_all();
        if (!answer.empty()) {
            int fd = stranger ? socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0) : udpFd_;
            sendto(fd, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
            if (stranger) close(fd);
        }
    }
}

void FakeUpdateServer::serveTcp() {
    while (!stopping_) {
        if (!readable(listenFd_, stopping_)) continue;
        int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::optional<FakeDownload> download;
        {
            std::lock_guard lock(mutex_);
            ++connections_;
            if (!downloads_.empty()) {
                download = std::move(downloads_.front());
                downloads_.pop_front();
            }
        }
        changed_.notify_all();
        if (download) serveConnection(fd, std::move(*download));
        close(fd);
    }
}

void FakeUpdateServer::serveConnection(int fd, FakeDownload download) {
    Bytes request = readFrame(fd, UPDATE_DOWNLOAD_REQUEST, stopping_);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    changed_.notify_all();
    if (request.empty()) return;
    sendAll(fd, download.firstBlock, download.firstBlock.size() + 1);
    if (download.dripMs > 0) {
        for (std::size_t at = 0; at < download.body.size() && !stopping_; ++at) {
            if (send(fd, &download.body[at], 1, MSG_NOSIGNAL) != 1) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(download.dripMs));
        }
    } else {
        sendAll(fd, download.body, 997);
    }
    switch (download.ending) {
        case FakeDownload::Ending::Close:
            return;
        case FakeDownload::Ending::Stall: {
            // Hold the stream open, silent, until the client gives up.
            std::uint8_t sink[256];
            while (!stopping_) {
                if (readable(fd, stopping_) && recv(fd, sink, sizeof sink, 0) <= 0) return;
            }
            return;
        }
        case FakeDownload::Ending::AwaitReport: {
            Bytes report = readFrame(fd, UPDATE_DOWNLOAD_REPORT, stopping_);
            {
                std::lock_guard lock(mutex_);
                reports_.push_back(report);
            }
            changed_.notify_all();
            return;
        }
    }
}

}  // namespace tq370::test
