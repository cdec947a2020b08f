#pragma once

#include <QPointer>

#include <memory>
#include <stop_token>
#include <thread>

#include "base/clock.h"
#include "update/update_host.h"

namespace tq370 {

class DataFolders;
class MainWindow;
class ProgressWindow;

// The online update's thread, started when the configuration names an update server: its
// question box is owned by the main window, its download shows in a progress window of
// its own. Stopping waits for the thread, whose every wait ends on the stop request.
class UpdateCheck : private UpdateHost {
public:
    UpdateCheck(MainWindow& window, ProgressWindow& progress);
    ~UpdateCheck() override;

    // Reads the server setting ("m_Update_Server" in "Configuration"); true when a server
    // is named and the thread runs.
    bool start(const DataFolders& folders);
    void stop();

private:
    // The update thread's view of the user interface.
    bool askQuestion(std::string_view caption, std::string_view text) override;
    void tellUser(std::string_view caption, std::string_view text) override;
    void progressShow(std::uint64_t total, std::string_view format) override;
    void progressSet(std::uint64_t value) override;
    void progressHide() override;

    MainWindow& window_;
    ProgressWindow& progress_;
    const Clock clock_;
    std::uint64_t total_ = 1;  // update thread only
    std::stop_token stop_;     // update thread only: the thread's own stop
    std::jthread thread_;
};

}  // namespace tq370
