#include "base/clock.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

// A scaled clock must shorten real sleeps while still counting protocol milliseconds, or
// time-scaled tests would see silence limits expire at the wrong moment.
TEST(Clock, ScaledSleepCountsProtocolMilliseconds) {
    Clock clock(0.01);
    auto realStart = std::chrono::steady_clock::now();
    std::int64_t before = clock.nowMs();
    clock.sleepMs(1000);
    auto realMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - realStart)
            .count();
    EXPECT_GE(clock.nowMs() - before, 1000);
    EXPECT_LT(realMs, 500);
}

TEST(Clock, AcquireTimesOutAndSucceeds) {
    Clock clock(0.01);
    std::counting_semaphore<1> sem(0);
    EXPECT_FALSE(clock.acquireFor(sem, 200));
    sem.release();
    EXPECT_TRUE(clock.acquireFor(sem, 200));
}

}  // namespace
}  // namespace tq370
