#pragma once

#include <stop_token>

#include "base/clock.h"

namespace tq370 {

// Sleeps ms protocol milliseconds of clock, or less when stop is requested meanwhile.
// Any thread.
void sleepUnlessStopped(const Clock& clock, const std::stop_token& stop, double ms);

}  // namespace tq370
