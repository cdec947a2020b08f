#include "update/update_download.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/tcp_stream.h"
#include "storage/staged_file.h"
#include "update/program_check.h"
#include "update/update_texts.h"

namespace tq370 {
namespace {

constexpr unsigned PROGRAM_MODE = 0755;
constexpr unsigned SCRIPT_MODE = 0755;
constexpr unsigned BATCH_MODE = 0644;

DownloadStatus failure(TcpStream::Status status) {
    return status == TcpStream::Status::Stopped ? DownloadStatus::Stopped : DownloadStatus::Failed;
}

std::optional<StagedFile> stagedText(const std::filesystem::path& path, std::string_view text,
                                     unsigned mode) {
    auto staged = StagedFile::create(path.string(), nullptr, mode);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!staged || !staged->write(std::span(bytes, text.size()))) return std::nullopt;
    return staged;
}

// The file itself, chunk by chunk, with progress, into a staged file.
DownloadStatus receiveFile(TcpStream& stream, std::uint64_t size, StagedFile& file,
                           const UpdateSettings& settings, UpdateHost& host, const Clock& clock,
                           std::stop_token stop) {
    const double deadlineMs = static_cast<double>(clock.nowMs()) + settings.transferAllowanceMs +
                              static_cast<double>(size) * 1000.0 / settings.minimumRateBytesPerS;
    std::array<std::uint8_t, UPDATE_RECEIVE_LIMIT> buffer;
    std::vector<std::uint8_t> head;
    std::uint64_t total = 0;
    while (total < size) {
        const double leftMs = deadlineMs - static_cast<double>(clock.nowMs());
        if (leftMs <= 0) return DownloadStatus::Broken;
        auto received =
            stream.receive(buffer, std::min(settings.receiveWaitMs, leftMs), clock, stop);
        if (received.status != TcpStream::Status::Data || received.size == 0) {
            return received.status == TcpStream::Status::Stopped ? DownloadStatus::Stopped
                                                                 : DownloadStatus::Broken;
        }
        // Bytes past the announced size are not part of the file.
        auto take = static_cast<std::size_t>(std::min<std::uint64_t>(received.size, size - total));
        const std::span<const std::uint8_t> part(buffer.data(), take);
        if (!file.write(part)) return DownloadStatus::Broken;
        if (head.size() < PROGRAM_HEADER_BYTES) {
            const std::size_t more = std::min(PROGRAM_HEADER_BYTES - head.size(), take);
            head.insert(head.end(), part.begin(), part.begin() + static_cast<std::ptrdiff_t>(more));
        }
        total += take;
        host.progressSet(total);
    }
    return isProgramForThisMachine(head) ? DownloadStatus::Complete : DownloadStatus::NotAProgram;
}

}  // namespace

std::optional<std::string> replacementScriptsProblem(const UpdateSettings& settings) {
    if (settings.writeWindowsScript &&
        !buildWindowsReplacementScript(settings.programFileName, settings.programFolder.string())) {
        return settings.programFolder.string() +
               ": a folder whose name holds a double quote or a control character cannot "
               "take the replacement scripts";
    }
    return std::nullopt;
}

DownloadResult downloadUpdate(const UpdateSettings& settings, const NetAddress& server,
                              std::span<const std::uint8_t> token, UpdateHost& host,
                              const Clock& clock, std::stop_token stop) {
    if (replacementScriptsProblem(settings)) return {DownloadStatus::Failed, 0};
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
    if (*size > settings.maxDownloadBytes) return {DownloadStatus::TooLarge, *size};

    auto program = StagedFile::create(settings.downloadPath().string(), nullptr, PROGRAM_MODE);
    if (!program) return {DownloadStatus::Failed, *size};
    host.progressShow(*size, updateText(UpdateText::ProgressFormat, settings.language()));
    host.progressSet(0);
    DownloadResult result{receiveFile(*stream, *size, *program, settings, host, clock, stop),
                          *size};
    if (result.status == DownloadStatus::Complete) {
        host.progressSet(*size);
        // Everything is written before anything is put in place: the program, then its
        // scripts, appear only when all of them are complete.
        const auto sh = buildPosixReplacementScript(settings.executable(), settings.scriptWaits);
        auto shFile = stagedText(settings.scriptPath(), sh, SCRIPT_MODE);
        const auto bat = settings.writeWindowsScript
                             ? buildWindowsReplacementScript(settings.programFileName,
                                                             settings.programFolder.string())
                             : std::nullopt;
        std::optional<StagedFile> batFile =
            shFile && bat
                ? stagedText(settings.programFolder / WINDOWS_SCRIPT_NAME, *bat, BATCH_MODE)
                : std::nullopt;
        const bool staged = shFile && (batFile || !settings.writeWindowsScript);
        if (staged && program->commit() && shFile->commit() && (!batFile || batFile->commit())) {
            // The server only learns of the outcome; a lost report changes nothing here.
            stream->sendAll(buildDownloadReport(*size, settings.programFileName), waitMs, clock,
                            stop);
        } else {
            result.status = DownloadStatus::Failed;
        }
    }
    host.progressHide();
    return result;
}

}  // namespace tq370
