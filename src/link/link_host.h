#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

#include "link/job.h"
#include "link/progress_text.h"
#include "link/read_back_report.h"
#include "link/text_slots.h"

namespace tq370 {

// The link status the engine reports to the main window.
enum class LinkStatus : int {
    Connected = 0,
    Searching = 1,
    SearchingAtStart = 3,
};

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel, Abandoned };

// What a message box is about, so that a host can act on it without reading its text.
enum class MessageTopic {
    Notice,             // anything not listed below
    WrongModel,         // the processor did not identify as the accepted model
    ReadFailed,         // a read-back failed
    ModeLocked,         // the current mode is locked and cannot be read
    JobOutcome,         // how a job ended (the host also receives the JobOutcome)
    WifiConfirmed,      // a group of WiFi settings was taken (see confirmation)
    ChannelBlocked,     // another program holds the USB channel
    NoPermission,       // the processor is there but this user may not open it
    WifiHint,           // a hint about the local network set-up
    ThreadStartFailed,  // the engine thread could not be created
};

struct MessageRequest {
    std::string text;
    std::string caption;  // empty: the main window's title
    MessageButtons buttons = MessageButtons::Ok;
    std::uint16_t languageId = 0;  // of the language the text is in
    MessageTopic topic = MessageTopic::Notice;
    TextConfirmation confirmation = TextConfirmation::None;  // with WifiConfirmed
};

// How the link reaches the user interface. The GUI turns each call into the window
// message the main window handles; tq370ctl prints; tests record. Every call comes from
// a link thread (mostly the engine thread), never from the user-interface thread.
class LinkHost {
public:
    virtual ~LinkHost() = default;

    // Posted: the register changed on the processor side (or a job wants it redisplayed).
    // Never blocks.
    virtual void registerChanged(int reg) = 0;

    // Blocking until the main window has taken the status, or until stop is requested.
    virtual void linkStatus(LinkStatus status, std::stop_token stop) = 0;
    // Blocking: more than one WiFi processor answered; the user picks one (the choice
    // reaches the WiFi transport through its own interface). Returns early on stop.
    virtual void chooseWifiProcessor(int count, std::stop_token stop) = 0;
    // Blocking, modal: returns the button the user chose, or Abandoned when stop was
    // requested before the user answered.
    virtual MessageAnswer messageBox(const MessageRequest& request, std::stop_token stop) = 0;

    // The progress window; forwarded, never block. The window shows the task's text with
    // the percentage position / range (progressLabel).
    virtual void showProgress(ProgressTask task, int range) = 0;
    virtual void setProgress(int position) = 0;
    virtual void hideProgress() = 0;

    // The main window's title. Never blocks.
    virtual void setCaption(const std::string& caption) = 0;

    // Posted, never block: a job ended, once per request, after the message boxes that
    // tell the user (topic JobOutcome).
    virtual void jobFinished(const JobOutcome& outcome) = 0;
    // Posted, never block: the engine stopped writing value to reg without an
    // acknowledgement (after its last unanswered send, or when a reconnect dropped the
    // pending write). Once per given-up write; the engine's own keep-alive is not told.
    virtual void writeGivenUp(int reg, std::int32_t value) = 0;
    // Posted, never blocks: the text command of slot was given up unanswered.
    virtual void textCommandGivenUp(int slot) = 0;
    // Posted, never blocks: a read-back ran to its end (complete or not) or failed.
    virtual void readBackFinished(const ReadBackReport& report) = 0;
};

}  // namespace tq370
