#pragma once

#include "link/changed_registers.h"
#include "link/link_host.h"

namespace tq370 {

class MainWindow;
class ProgressWindow;

// The LinkHost of the program: every call from the link's threads becomes work for the
// main window on the user-interface thread. Register reports are gathered and shown in
// batches (WM_SHOW_CHANGED_REGISTERS); the link status, the WiFi choice and message boxes
// are sent as WM_LINK_NOTIFY or a box and block only the calling link thread, until the
// window has handled them or the engine is stopped; the progress window is driven
// without waiting. The user-interface thread never waits for the link.
class GuiLinkHost : public LinkHost {
public:
    GuiLinkHost(MainWindow& window, ProgressWindow& progress);

    // The registers reported and not shown yet; the main window drains them.
    ChangedRegisters& changedRegisters() { return changed_; }

    void registerChanged(int reg) override;
    void linkStatus(LinkStatus status, std::stop_token stop) override;
    void chooseWifiProcessor(int count, std::stop_token stop) override;
    MessageAnswer messageBox(const MessageRequest& request, std::stop_token stop) override;
    void showProgress(ProgressTask task, int range) override;
    void setProgress(int position) override;
    void hideProgress() override;
    void setCaption(const std::string& caption) override;
    // The program has no job requester of its own yet; the engine has already shown the
    // outcome's message boxes, and a requester holds its JobTicket.
    void jobFinished(const JobOutcome&) override {}
    // The table keeps the user's value, which the window shows; the processor is read
    // back in full at the next connection.
    void writeGivenUp(int, std::int32_t) override {}
    // The WiFi settings page follows its text commands itself.
    void textCommandGivenUp(int) override {}
    void readBackFinished(const ReadBackReport&) override {}

private:
    MainWindow& window_;
    ProgressWindow& progress_;
    ChangedRegisters changed_;
};

}  // namespace tq370
