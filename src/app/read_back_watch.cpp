#include "app/read_back_watch.h"

#include "app/main_window.h"
#include "app/program_link.h"

namespace tq370 {
namespace {

constexpr int LOOK_EVERY_MS = 20;

}  // namespace

ReadBackWatch::ReadBackWatch(MainWindow& window, ProgramLink& link,
                             std::chrono::milliseconds timeout, std::function<void()> ready,
                             std::function<void()> timedOut)
    : window_(window),
      link_(link),
      deadline_(std::chrono::steady_clock::now() + timeout),
      ready_(std::move(ready)),
      timedOut_(std::move(timedOut)) {
    connect(&timer_, &QTimer::timeout, this, [this] { look(); });
    timer_.start(LOOK_EVERY_MS);
}

void ReadBackWatch::look() {
    if (link_.running() && !window_.engineProgress().isVisible() &&
        !window_.linkHost().changedRegisters().pending()) {
        timer_.stop();
        ready_();
    } else if (std::chrono::steady_clock::now() > deadline_) {
        timer_.stop();
        timedOut_();
    }
}

}  // namespace tq370
