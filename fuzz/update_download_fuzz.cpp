// The update download against a server on the loopback address that answers with the
// fuzzer's bytes: a download header (built or raw), the file, and then the end of the
// stream. Whatever arrives, either the download is complete and the program file holds
// exactly the announced number of bytes the server sent, beside its script, or the
// folder is left empty; progress never runs backwards or past the total.
#include <arpa/inet.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "base/clock.h"
#include "platform/net_address.h"
#include "update/replacement_script.h"
#include "update/update_download.h"
#include "update/update_messages.h"

namespace {

using namespace tq370;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint64_t MAX_DOWNLOAD = 64 * 1024;

struct Server {
    int fd = -1;
    std::uint16_t port = 0;
};

const Server& server() {
    static const Server s = [] {
        Server made;
        made.fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (made.fd < 0 || bind(made.fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(made.fd, 4) != 0 ||
            getsockname(made.fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            std::abort();
        }
        made.port = ntohs(address.sin_port);
        return made;
    }();
    return s;
}

std::filesystem::path scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/tq370-download-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return std::filesystem::path(pattern);
    }();
    return folder;
}

void sendAll(int fd, const Bytes& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

// One connection: the request is read, the header goes out alone, then the rest.
void serveOnce(const Bytes& header, const Bytes& rest) {
    const int fd = accept4(server().fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    std::uint8_t request[1500];
    (void)recv(fd, request, sizeof request, 0);
    sendAll(fd, header);
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    sendAll(fd, rest);
    close(fd);
}

class CheckingHost : public UpdateHost {
public:
    bool askQuestion(std::string_view, std::string_view) override { return true; }
    void tellUser(std::string_view, std::string_view) override {}
    void progressShow(std::uint64_t total, std::string_view) override {
        total_ = total;
        last_ = 0;
    }
    void progressSet(std::uint64_t value) override {
        if (value < last_ || value > total_) std::abort();
        last_ = value;
    }
    void progressHide() override {}

private:
    std::uint64_t total_ = 0;
    std::uint64_t last_ = 0;
};

Bytes thisProgramsHead() {
    std::ifstream self("/proc/self/exe", std::ios::binary);
    Bytes head(64);
    self.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    return head;
}

Bytes fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool builtHeader = input.ConsumeBool();
    const bool programHead = input.ConsumeBool();
    Bytes header;
    if (builtHeader) {
        header =
            buildDownloadHeader(input.ConsumeIntegralInRange<std::uint64_t>(0, 2 * MAX_DOWNLOAD));
    } else {
        header = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 40));
    }
    Bytes rest = programHead ? thisProgramsHead() : Bytes{};
    const Bytes tail = input.ConsumeRemainingBytes<std::uint8_t>();
    rest.insert(rest.end(), tail.begin(), tail.end());

    const std::filesystem::path folder = scratchFolder();
    UpdateSettings settings;
    settings.programFolder = folder;
    settings.programFileName = "tq370";
    settings.receiveWaitMs = 2000;
    settings.maxDownloadBytes = MAX_DOWNLOAD;

    std::thread serving(serveOnce, header, rest);
    CheckingHost host;
    const Clock clock;
    const NetAddress address = ipv4Address(0x7F000001, server().port);
    const DownloadResult result = downloadUpdate(settings, address, {}, host, clock, {});
    serving.join();

    std::vector<std::filesystem::path> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        left.push_back(entry.path());
    if (result.status == DownloadStatus::Complete) {
        const Bytes program = fileBytes(settings.downloadPath());
        if (program.size() != result.size || left.size() != 2 ||
            !std::filesystem::exists(settings.scriptPath())) {
            std::abort();
        }
        // The file is the announced count of bytes the server sent after the header.
        if (std::search(rest.begin(), rest.end(), program.begin(), program.end()) == rest.end()) {
            std::abort();
        }
    } else if (!left.empty()) {
        std::abort();  // a failed download leaves nothing behind
    }
    if (result.status == DownloadStatus::TooLarge && result.size <= MAX_DOWNLOAD) std::abort();
    for (const auto& path : left) std::filesystem::remove(path);
    return 0;
}
