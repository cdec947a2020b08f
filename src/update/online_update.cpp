#include "update/online_update.h"

#include <array>
#include <optional>

#include "base/stoppable_sleep.h"
#include "platform/net_address.h"
#include "platform/udp_socket.h"
#include "update/update_download.h"
#include "update/update_texts.h"

namespace tq370 {

bool endsChecking(CheckResult result) {
    switch (result) {
        case CheckResult::ChecksEnded:
        case CheckResult::Declined:
        case CheckResult::AnnouncedOnly:
        case CheckResult::Downloaded:
        case CheckResult::Replacing:
        case CheckResult::Stopped:
            return true;
        default:
            return false;
    }
}

OnlineUpdate::OnlineUpdate(UpdateSettings settings, UpdateHost& host, const Clock& clock)
    : settings_(std::move(settings)), host_(host), clock_(clock) {}

CheckReport OnlineUpdate::checkOnce(std::stop_token stop) {
    auto address = resolveHost(settings_.server.host, settings_.server.udpPort);
    if (!address) return {CheckResult::Unresolved};
    auto socket = UdpSocket::open(address->family());
    if (!socket) return {CheckResult::NoAnswer};
    if (!socket->sendTo(*address,
                        buildUpdateQuery(settings_.programVersion, settings_.machineId))) {
        return {CheckResult::NoAnswer};
    }
    // Only the server and port that were asked may answer; anything else is ignored.
    std::array<std::uint8_t, UPDATE_RECEIVE_LIMIT> buffer;
    std::optional<std::size_t> size;
    const std::int64_t deadlineMs =
        clock_.nowMs() + static_cast<std::int64_t>(settings_.answerWaitMs);
    for (;;) {
        const double leftMs = static_cast<double>(deadlineMs - clock_.nowMs());
        if (leftMs <= 0) return {CheckResult::NoAnswer};
        switch (socket->waitReadable(leftMs, clock_, stop)) {
            case WaitStatus::Ready:
                break;
            case WaitStatus::Stopped:
                return {CheckResult::Stopped};
            default:
                return {CheckResult::NoAnswer};
        }
        NetAddress from;
        size = socket->receiveFrom(buffer, from);
        if (size && *size > 0 && sameEndpoint(from, *address)) break;
    }

    const NetAddress tcpAddress = address->withPort(settings_.server.tcpPort);
    CheckReport report{CheckResult::NoAnswer};
    for (const auto& frame : findUpdateFrames(std::span(buffer.data(), *size))) {
        auto answer = parseUpdateAnswer(frame);
        if (!answer) continue;
        if (answer->identifier == settings_.machineId) return {CheckResult::ChecksEnded};
        if (!answer->newerVersion) {
            if (report.result == CheckResult::NoAnswer) report.result = CheckResult::UpToDate;
            continue;
        }
        const auto language = settings_.language();
        if (settings_.installedCopy) {
            host_.tellUser(updateText(UpdateText::QuestionCaption, language),
                           updateText(UpdateText::NewerByPackage, language));
            return {CheckResult::AnnouncedOnly};
        }
        if (replacementScriptsProblem(settings_)) return {CheckResult::FolderRefused};
        if (!host_.askQuestion(updateText(UpdateText::QuestionCaption, language),
                               updateText(UpdateText::QuestionText, language))) {
            return {CheckResult::Declined};
        }
        auto download = downloadUpdate(settings_, tcpAddress, answer->token, host_, clock_, stop);
        switch (download.status) {
            case DownloadStatus::Stopped:
                return {CheckResult::Stopped};
            case DownloadStatus::Broken:
                return {CheckResult::DownloadBroken, download.size};
            case DownloadStatus::TooLarge:
                return {CheckResult::DownloadTooLarge, download.size};
            case DownloadStatus::NotAProgram:
                return {CheckResult::NotAProgram, download.size};
            case DownloadStatus::Failed:
                report.result = CheckResult::DownloadFailed;
                continue;
            case DownloadStatus::Complete:
                break;
        }
        if (!settings_.startReplacement) return {CheckResult::Downloaded, download.size};
        if (settings_.startReplacement(settings_.scriptPath())) {
            return {CheckResult::Replacing, download.size};
        }
        report.result = CheckResult::DownloadFailed;
    }
    return report;
}

CheckReport OnlineUpdate::run(std::stop_token stop) {
    if (!sleepUnlessStopped(clock_, stop, settings_.startDelayMs)) return {CheckResult::Stopped};
    for (;;) {
        if (!sleepUnlessStopped(clock_, stop, settings_.checkIntervalMs)) {
            return {CheckResult::Stopped};
        }
        CheckReport report = checkOnce(stop);
        if (endsChecking(report.result)) return report;
        if (report.result == CheckResult::Unresolved &&
            !sleepUnlessStopped(clock_, stop, settings_.resolveRetryMs)) {
            return {CheckResult::Stopped};
        }
    }
}

}  // namespace tq370
