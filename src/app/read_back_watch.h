#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace tq370 {

class MainWindow;
class ProgramLink;

// Waits, on the user-interface thread, for the first read-back to be on screen: the
// engine runs its main loop on a live link, the progress window is gone and every
// reported register is shown. Then calls ready once; at the deadline calls timedOut
// instead.
class ReadBackWatch : public QObject {
public:
    ReadBackWatch(MainWindow& window, ProgramLink& link, std::chrono::milliseconds timeout,
                  std::function<void()> ready, std::function<void()> timedOut);

private:
    void look();

    MainWindow& window_;
    ProgramLink& link_;
    const std::chrono::steady_clock::time_point deadline_;
    std::function<void()> ready_;
    std::function<void()> timedOut_;
    QTimer timer_;
};

}  // namespace tq370
