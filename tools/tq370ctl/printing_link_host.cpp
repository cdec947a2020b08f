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
    {
        std::lock_guard lock(mutex_);
        if (status == LinkStatus::Connected) ++connections_;
    }
    reported();
}

MessageAnswer PrintingLinkHost::messageBox(const MessageRequest& request, std::stop_token) {
    {
        std::lock_guard lock(mutex_);
        endBar();
        if (echo_ && request.topic != MessageTopic::JobOutcome) {
            if (request.caption.empty()) {
                std::fprintf(stderr, "tq370ctl: %s\n", request.text.c_str());
            } else {
                std::fprintf(stderr, "tq370ctl: %s: %s\n", request.caption.c_str(),
                             request.text.c_str());
            }
        }
        messages_.push_back(request);
    }
    reported();
    return MessageAnswer::Ok;
}

void PrintingLinkHost::showProgress(ProgressTask task, int range) {
    std::lock_guard lock(mutex_);
    progressTask_ = task;
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

void PrintingLinkHost::writeGivenUp(int reg, std::int32_t) {
    {
        std::lock_guard lock(mutex_);
        givenUp_.insert(reg);
    }
    reported();
}

void PrintingLinkHost::textCommandGivenUp(int slot) {
    {
        std::lock_guard lock(mutex_);
        textGivenUp_.insert(slot);
    }
    reported();
}

void PrintingLinkHost::setEcho(bool echo) {
    std::lock_guard lock(mutex_);
    echo_ = echo;
}

void PrintingLinkHost::setOnReport(std::function<void()> onReport) {
    std::lock_guard lock(mutex_);
    onReport_ = std::move(onReport);
}

bool PrintingLinkHost::shown(MessageTopic topic) const {
    std::lock_guard lock(mutex_);
    return std::any_of(messages_.begin(), messages_.end(),
                       [topic](const MessageRequest& m) { return m.topic == topic; });
}

bool PrintingLinkHost::confirmed(TextConfirmation confirmation) const {
    std::lock_guard lock(mutex_);
    return std::any_of(messages_.begin(), messages_.end(), [confirmation](const MessageRequest& m) {
        return m.topic == MessageTopic::WifiConfirmed && m.confirmation == confirmation;
    });
}

std::set<int> PrintingLinkHost::givenUpRegisters() const {
    std::lock_guard lock(mutex_);
    return givenUp_;
}

bool PrintingLinkHost::textGivenUp(int slot) const {
    std::lock_guard lock(mutex_);
    return textGivenUp_.count(slot) > 0;
}

int PrintingLinkHost::connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

void PrintingLinkHost::reported() {
    std::function<void()> onReport;
    {
        std::lock_guard lock(mutex_);
        onReport = onReport_;
    }
    if (onReport) onReport();
}

void PrintingLinkHost::drawBar() {
    if (!barShown_ || progressRange_ <= 0) return;
    const double percent =
        100.0 * std::clamp(progressPosition_, 0, progressRange_) / progressRange_;
    const std::string label = progressLabel(progressTask_, percent, Language::English);
    const int filled = static_cast<int>(percent * BAR_WIDTH / 100.0);
    std::fprintf(stderr, "\r%s [%s%s]", label.c_str(),
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
