#include "base/clock.h"

#include <thread>

namespace tq370 {

Clock::Clock(double timeScale)
    : scale_(timeScale > 0 ? timeScale : 1.0), start_(std::chrono::steady_clock::now()) {}

std::int64_t Clock::nowMs() const {
    auto real = std::chrono::steady_clock::now() - start_;
    double ms = std::chrono::duration<double, std::milli>(real).count() / scale_;
    return static_cast<std::int64_t>(ms);
}

std::chrono::nanoseconds Clock::toReal(double ms) const {
    if (ms <= 0) return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(static_cast<std::int64_t>(ms * scale_ * 1e6));
}

void Clock::sleepMs(double ms) const {
    std::this_thread::sleep_for(toReal(ms));
}

}  // namespace tq370
