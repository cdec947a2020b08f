#pragma once

#include <chrono>
#include <cstdint>
#include <semaphore>

namespace tq370 {

// Every sleep and reply wait of the link goes through one Clock. Durations are given in
// protocol milliseconds; the time scale stretches them into real time (1.0 in the
// programs, smaller in tests so that connect sequences take tenths of a second).
// nowMs() counts protocol milliseconds too, so tick comparisons such as "1500 ms of
// silence" mean the same at every scale. Thread-safe: the scale is fixed at construction.
class Clock {
public:
    explicit Clock(double timeScale = 1.0);

    double timeScale() const { return scale_; }

    // Protocol milliseconds since this clock was made; never decreases.
    std::int64_t nowMs() const;

    void sleepMs(double ms) const;

    // Waits up to ms protocol milliseconds for the semaphore; true when it was acquired.
    template <std::ptrdiff_t N>
    bool acquireFor(std::counting_semaphore<N>& semaphore, double ms) const {
        return semaphore.try_acquire_for(toReal(ms));
    }

    std::chrono::nanoseconds toReal(double ms) const;

private:
    double scale_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tq370
