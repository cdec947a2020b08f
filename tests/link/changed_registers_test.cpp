#include "link/changed_registers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace tq370 {
namespace {

std::vector<int> drainAll(ChangedRegisters& changed, int batch, int& drains) {
    std::vector<int> shown;
    bool more = true;
    while (more) {
        ++drains;
        more = changed.drain([&](int reg) { shown.push_back(reg); }, batch);
    }
    return shown;
}

TEST(ChangedRegisters, OneDrainIsAskedForUntilItRunsAndEachRegisterIsShownOnce) {
    ChangedRegisters changed;
    EXPECT_TRUE(changed.mark(217));
    EXPECT_FALSE(changed.mark(30));
    EXPECT_FALSE(changed.mark(217));
    EXPECT_FALSE(changed.mark(REGISTER_COUNT));  // out of range: ignored
    EXPECT_FALSE(changed.mark(-1));

    int drains = 0;
    EXPECT_EQ(drainAll(changed, 100, drains), (std::vector<int>{30, 217}));
    EXPECT_EQ(drains, 1);
    // After a drain the next mark asks again.
    EXPECT_TRUE(changed.mark(5));
}

TEST(ChangedRegisters, AReadBackIsShownInBatchesThatResumeWhereTheLastStopped) {
    ChangedRegisters changed;
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) changed.mark(reg);
    int drains = 0;
    const std::vector<int> shown = drainAll(changed, 500, drains);
    ASSERT_EQ(static_cast<int>(shown.size()), REGISTER_COUNT);
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) EXPECT_EQ(shown[reg], reg);
    EXPECT_EQ(drains, 4);
}

// The engine marks while the user interface drains: no mark may be lost, however the two
// interleave, and the drain is asked for whenever a mark is left over.
TEST(ChangedRegisters, NoMarkIsLostWhileADrainRuns) {
    constexpr int ROUNDS = 200;
    ChangedRegisters changed;
    std::atomic<int> drainsAsked{0};
    std::atomic<bool> done{false};
    std::vector<int> timesShown(REGISTER_COUNT, 0);

    std::thread engine([&] {
        for (int round = 0; round < ROUNDS; ++round) {
            for (int reg = round % 7; reg < REGISTER_COUNT; reg += 7) {
                if (changed.mark(reg)) drainsAsked.fetch_add(1);
            }
        }
        done.store(true);
    });
    int drainsRun = 0;
    const auto drainAsked = [&] {
        while (drainsRun < drainsAsked.load()) {
            ++drainsRun;
            if (changed.drain([&](int reg) { ++timesShown[reg]; }, 64)) drainsAsked.fetch_add(1);
        }
    };
    while (!done.load()) drainAsked();
    engine.join();
    drainAsked();

    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        EXPECT_FALSE(changed.marked(reg)) << reg;
        EXPECT_GE(timesShown[reg], 1) << reg;
    }
}

}  // namespace
}  // namespace tq370
