#include "printing_link_host.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace tq370::ctl {
namespace {

constexpr int BAR_WIDTH = 30;

}  // namespace

PrintingLinkHost::PrintingLinkHost() : barShown_(isatty(STDERR_FILENO) == 1) {}

void PrintingLinkHost::linkStatus(LinkStatus status, std::stop_token) {
    std::lock_guard lock(mutex_);
    if (status == LinkStatus::Connected) ++connections_;
}

MessageAnswer PrintingLinkHost::messageBox(const MessageRequest& request, std::stop_token) {
    std::lock_guard lock(mutex_);
    endBar();
    if (echo_ && request.caption.empty()) {
        std::fprintf(stderr, "tq370ctl: %s\n", request.text.c_str());
    } else if (echo_) {
        std::fprintf(stderr, "tq370ctl: %s: %s\n", request.caption.c_str(), request.text.c_str());
    }
    messages_.push_back({request.text, request.caption});
    return MessageAnswer::Ok;
}

void PrintingLinkHost::showProgress(const std::string& text, int range) {
    std::lock_guard lock(mutex_);
    progressText_ = text;
    progressRange_ = range;
    progressPosition_ = 0;
    drawBar();
}

void PrintingLinkHost::setProgress(int position) {
    std::lock_guard lock(mutex_);
    progressPosition_ = position;
    if (progressRange_ > 0) drawBar();
}

void PrintingLinkHost::hideProgress() {
    std::lock_guard lock(mutex_);
    progressRange_ = 0;
    endBar();
}

void PrintingLinkHost::setEcho(bool echo) {
    std::lock_guard lock(mutex_);
    echo_ = echo;
}

std::vector<PrintingLinkHost::Message> PrintingLinkHost::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

int PrintingLinkHost::connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

void PrintingLinkHost::drawBar() {
    if (!barShown_ || progressRange_ <= 0) return;
    const double percent =
        100.0 * std::clamp(progressPosition_, 0, progressRange_) / progressRange_;
    // The engine's progress texts are formats that take the percentage.
    char label[160];
    std::snprintf(label, sizeof label, progressText_.c_str(), percent);
    const int filled = static_cast<int>(percent * BAR_WIDTH / 100.0);
    std::fprintf(stderr, "\r%s [%s%s]", label,
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(BAR_WIDTH - filled), '.').c_str());
    std::fflush(stderr);
    barDrawn_ = true;
}

void PrintingLinkHost::endBar() {
    if (!barDrawn_) return;
    std::fputc('\n', stderr);
    barDrawn_ = false;
}

}  // namespace tq370::ctl
