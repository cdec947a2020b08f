#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "base/clock.h"

namespace tq370::test {

using Bytes = std::vector<std::uint8_t>;

// What one TCP connection of the fake server does after the download request.
struct FakeDownload {
    enum class Ending { AwaitReport, Close, Stall };
    // Sent in one piece first (normally the header padded to one full receive).
    Bytes firstBlock;
    // Then these bytes, in chunks.
    Bytes body;
    // Close: end the stream after the body; Stall: send nothing more and keep the stream
    // open until the client leaves; AwaitReport: read the client's report.
    Ending ending = Ending::AwaitReport;
    // Above 0: the body goes one byte at a time, this many real milliseconds apart.
    int dripMs = 0;
};

// size bytes that start like an executable of this machine (the ELF identification and
// header fields a loader checks first), then a pattern. At least 20 bytes.
Bytes programBytes(std::size_t size);
// size bytes of a pattern that is no program at all.
Bytes patternBytes(std::size_t size);

// The download header padded to a full receive, as a server sends it so that no file
// byte shares the header's receive.
Bytes headerBlock(std::uint64_t size);

// An update server on 127.0.0.1: UDP and TCP on one port chosen by the system. Each
// query gets the next queued answer (none when the queue is empty); each TCP connection
// gets the next queued download (or is closed at once). Everything received is recorded
// with the clock's protocol time.
class FakeUpdateServer {
public:
    struct Query {
        Bytes bytes;
        std::int64_t atMs = 0;
    };

    explicit FakeUpdateServer(const Clock& clock);
    ~FakeUpdateServer();

    std::uint16_t port() const { return port_; }
    void queueAnswer(Bytes datagram);
    // Answers then come from another port of the same host, as a stranger would send them.
    void answerFromAnotherPort(bool another);
    void queueDownload(FakeDownload download);

    // Wait until at least count queries (reports) arrived; false after realTimeout.
    bool waitForQueries(std::size_t count, std::chrono::milliseconds realTimeout);
    bool waitForReports(std::size_t count, std::chrono::milliseconds realTimeout);

    std::vector<Query> queries() const;
    std::vector<Bytes> requests() const;
    std::vector<Bytes> reports() const;
    int connections() const;

private:
    void serveUdp();
    void serveTcp();
    void serveConnection(int fd, FakeDownload download);

    const Clock& clock_;
    int udpFd_ = -1;
    int listenFd_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable changed_;
    std::deque<Bytes> answers_;
    std::deque<FakeDownload> downloads_;
    std::vector<Query> queries_;
    std::vector<Bytes> requests_;
    std::vector<Bytes> reports_;
    int connections_ = 0;
    bool answerFromAnotherPort_ = false;

    std::thread udpThread_;
    std::thread tcpThread_;
};

}  // namespace tq370::test
