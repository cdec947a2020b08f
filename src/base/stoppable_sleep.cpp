#include "base/stoppable_sleep.h"

#include <condition_variable>
#include <mutex>

namespace tq370 {

bool sleepUnlessStopped(const Clock& clock, const std::stop_token& stop, double ms) {
    if (stop.stop_requested()) return false;
    // Nobody notifies this condition variable: the wait ends at its time-out or, through
    // the stop token, as soon as stop is requested.
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, stop, clock.toReal(ms), [] { return false; });
    return !stop.stop_requested();
}

}  // namespace tq370
