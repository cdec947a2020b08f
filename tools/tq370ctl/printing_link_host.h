#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "link/link_host.h"

namespace tq370::ctl {

// The LinkHost of the command-line tool: message boxes are printed on standard error and
// answered with OK at once, the progress window becomes a one-line bar on standard error
// when that is a terminal; everything the engine said is kept for the command to judge.
// Any thread.
class PrintingLinkHost : public LinkHost {
public:
    struct Message {
        std::string text;
        std::string caption;
    };

    PrintingLinkHost();

    void registerChanged(int) override {}
    void linkStatus(LinkStatus status, std::stop_token) override;
    void chooseWifiProcessor(int, std::stop_token) override {}
    MessageAnswer messageBox(const MessageRequest& request, std::stop_token) override;
    void showProgress(const std::string& text, int range) override;
    void setProgress(int position) override;
    void hideProgress() override;
    void setCaption(const std::string&) override {}

    // Off: messages are only kept (for a command that words the outcome itself).
    void setEcho(bool echo);

    std::vector<Message> messages() const;
    int connections() const;

private:
    void drawBar();
    void endBar();

    const bool barShown_;
    mutable std::mutex mutex_;  // guards everything below
    std::vector<Message> messages_;
    int connections_ = 0;
    std::string progressText_;
    int progressRange_ = 0;
    int progressPosition_ = 0;
    bool barDrawn_ = false;
    bool echo_ = true;
};

}  // namespace tq370::ctl
