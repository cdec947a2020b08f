#pragma once

#include <stop_token>

#include "base/clock.h"

namespace tq370 {

// Sleeps ms protocol milliseconds of clock, or less when stop is requested meanwhile; true
// when the whole time passed without a stop. Any thread.
bool sleepUnlessStopped(const Clock& clock, const std::stop_token& stop, double ms);

}  // namespace tq370
