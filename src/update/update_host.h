#pragma once

#include <cstdint>
#include <string_view>

namespace tq370 {

// What the update thread needs from the user interface. The GUI shows a message box and
// the progress window, tq370ctl prints, tests record. Called from the update thread.
class UpdateHost {
public:
    virtual ~UpdateHost() = default;

    // Asks the user and blocks until the answer; true for OK (yes), false otherwise.
    virtual bool askQuestion(std::string_view caption, std::string_view text) = 0;
    // Tells the user something that needs no answer; blocks until it was seen.
    virtual void tellUser(std::string_view caption, std::string_view text) = 0;

    // The progress window: total counts as 100 %, format is a printf format taking the
    // percentage (a double). None of these may block on the user interface.
    virtual void progressShow(std::uint64_t total, std::string_view format) = 0;
    virtual void progressSet(std::uint64_t value) = 0;
    virtual void progressHide() = 0;
};

}  // namespace tq370
