#pragma once

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "link/link_host.h"

namespace tq370::ctl {

// The LinkHost of the command-line tool: message boxes are printed on standard error and
// answered with OK at once (except those telling a job's outcome, which the command words
// itself from the JobOutcome), the progress window becomes a one-line bar on standard error
// when that is a terminal; what the engine reported is kept for the command to judge by
// its kind, never by its wording. Any thread.
class PrintingLinkHost : public LinkHost {
public:
    PrintingLinkHost();

    void registerChanged(int) override {}
    void linkStatus(LinkStatus status, std::stop_token) override;
    void chooseWifiProcessor(int, std::stop_token) override {}
    MessageAnswer messageBox(const MessageRequest& request, std::stop_token) override;
    void showProgress(ProgressTask task, int range) override;
    void setProgress(int position) override;
    void hideProgress() override;
    void setCaption(const std::string&) override {}
    void jobFinished(const JobOutcome&) override {}
    void writeGivenUp(int reg, std::int32_t value) override;
    void textCommandGivenUp(int slot) override;
    void readBackFinished(const ReadBackReport&) override {}

    // Off: nothing is printed (for a command that words every outcome itself).
    void setEcho(bool echo);
    // Called after each report above, on the reporting thread.
    void setOnReport(std::function<void()> onReport);

    bool shown(MessageTopic topic) const;
    bool confirmed(TextConfirmation confirmation) const;
    // The registers given up so far and the slots whose text command was given up.
    std::set<int> givenUpRegisters() const;
    bool textGivenUp(int slot) const;
    int connections() const;

private:
    void reported();
    void drawBar();
    void endBar();

    const bool barShown_;
    mutable std::mutex mutex_;  // guards everything below
    std::vector<MessageRequest> messages_;
    std::set<int> givenUp_;
    std::set<int> textGivenUp_;
    int connections_ = 0;
    ProgressTask progressTask_ = ProgressTask::ReadDeviceData;
    int progressRange_ = 0;
    int progressPosition_ = 0;
    bool barDrawn_ = false;
    bool echo_ = true;
    std::function<void()> onReport_;
};

}  // namespace tq370::ctl
