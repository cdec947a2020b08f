#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

namespace tq370 {

// The link status the engine reports to the main window.
enum class LinkStatus : int {
    Connected = 0,
    Searching = 1,
    SearchingAtStart = 3,
};

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel, Abandoned };

struct MessageRequest {
    std::string text;
    std::string caption;  // empty: the main window's title
    MessageButtons buttons = MessageButtons::Ok;
    std::uint16_t languageId = 0;  // of the language the text is in
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

    // The progress window; forwarded, never block. text may be a printf format taking the
    // percentage as a double.
    virtual void showProgress(const std::string& text, int range) = 0;
    virtual void setProgress(int position) = 0;
    virtual void hideProgress() = 0;

    // The main window's title. Never blocks.
    virtual void setCaption(const std::string& caption) = 0;
};

}  // namespace tq370
