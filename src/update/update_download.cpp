#include "update/update_download.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/tcp_stream.h"
#include "update/update_texts.h"

namespace tq370 {
namespace {

bool writeFile(const std::filesystem::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

void removeFile(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

DownloadStatus failure(TcpStream::Status status) {
    return status == TcpStream::Status::Stopped ? DownloadStatus::Stopped : DownloadStatus::Failed;
}

// Steps after the header: the file itself, chunk by chunk, with progress.
DownloadStatus receiveFile(TcpStream& stream, std::uint64_t size, const UpdateSettings& settings,
                           UpdateHost& host, const Clock& clock, std::stop_token stop) {
    const auto path = settings.downloadPath();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return DownloadStatus::Failed;

    std::array<std::uint8_t, UPDATE_RECEIVE_LIMIT> buffer;
    std::uint64_t total = 0;
    DownloadStatus status = DownloadStatus::Complete;
    while (total < size) {
        auto received = stream.receive(buffer, settings.receiveWaitMs, clock, stop);
        if (received.status != TcpStream::Status::Data || received.size == 0) {
            status = received.status == TcpStream::Status::Stopped ? DownloadStatus::Stopped
                                                                   : DownloadStatus::Broken;
            break;
        }
        // Bytes past the announced size are not part of the file.
        auto take = static_cast<std::size_t>(std::min<std::uint64_t>(received.size, size - total));
        out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(take));
        if (!out) {
            status = DownloadStatus::Broken;
            break;
        }
        total += take;
        host.progressSet(total);
    }
    out.close();
    if (status == DownloadStatus::Complete && !out) status = DownloadStatus::Broken;
    if (status != DownloadStatus::Complete) removeFile(path);
    return status;
}

}  // namespace

bool writeReplacementScripts(const UpdateSettings& settings) {
    const auto sh = buildPosixReplacementScript(settings.executable(), settings.scriptWaits);
    bool ok = writeFile(settings.scriptPath(), sh);
    const auto batPath = settings.programFolder / WINDOWS_SCRIPT_NAME;
    if (ok && settings.writeWindowsScript) {
        auto bat = buildWindowsReplacementScript(settings.programFileName,
                                                 settings.programFolder.string());
        ok = bat && writeFile(batPath, *bat);
    }
    // A half-written script must never be left to run.
    if (!ok) {
        removeFile(settings.scriptPath());
        if (settings.writeWindowsScript) removeFile(batPath);
    }
    return ok;
}

DownloadResult downloadUpdate(const UpdateSettings& settings, const NetAddress& server,
                              std::span<const std::uint8_t> token, UpdateHost& host,
                              const Clock& clock, std::stop_token stop) {
    const double waitMs = settings.receiveWaitMs;
    auto stream = TcpStream::connect(server, waitMs, clock, stop);
    if (!stream) {
        return {stop.stop_requested() ? DownloadStatus::Stopped : DownloadStatus::Failed, 0};
    }
    if (!stream->sendAll(buildDownloadRequest(token), waitMs, clock, stop)) {
        return {stop.stop_requested() ? DownloadStatus::Stopped : DownloadStatus::Failed, 0};
    }

    // The header comes alone in the first receive; whatever follows it there is not file.
    std::array<std::uint8_t, UPDATE_RECEIVE_LIMIT> first;
    auto received = stream->receive(first, waitMs, clock, stop);
    if (received.status != TcpStream::Status::Data) return {failure(received.status), 0};
    auto size = findDownloadHeader(std::span(first.data(), received.size));
    // An empty program would leave nothing to start in place of this one.
    if (!size || *size == 0) return {DownloadStatus::Failed, 0};

    host.progressShow(*size, updateText(UpdateText::ProgressFormat, settings.language()));
    host.progressSet(0);
    DownloadResult result{receiveFile(*stream, *size, settings, host, clock, stop), *size};
    if (result.status == DownloadStatus::Complete) {
        host.progressSet(*size);
        if (writeReplacementScripts(settings)) {
            // The server only learns of the outcome; a lost report changes nothing here.
            stream->sendAll(buildDownloadReport(*size, settings.programFileName), waitMs, clock,
                            stop);
        } else {
            removeFile(settings.downloadPath());
            result.status = DownloadStatus::Failed;
        }
    }
    host.progressHide();
    return result;
}

}  // namespace tq370
