#include "link/stoppable_sleep.h"

#include <condition_variable>
#include <mutex>

namespace tq370 {

void sleepUnlessStopped(const Clock& clock, const std::stop_token& stop, double ms) {
    if (stop.stop_requested()) return;
    // Nobody notifies this condition variable: the wait ends at its time-out or, through
    // the stop token, as soon as stop is requested.
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, stop, clock.toReal(ms), [] { return false; });
}

}  // namespace tq370
