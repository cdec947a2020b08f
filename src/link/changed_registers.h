#pragma once

#include <array>
#include <atomic>

#include "link/register_table.h"

namespace tq370 {

// Registers the processor changed that the user interface has yet to show, gathered so
// that a read-back's 1901 reports cost the user-interface thread a few batches instead of
// 1901 events. A register marked several times before it is shown is shown once, with the
// value the table holds by then.
class ChangedRegisters {
public:
    // Any thread. True when the caller must arrange one drain: nothing was waiting for a
    // drain before this mark. Out-of-range registers are ignored (false).
    bool mark(int reg);

    // One thread (the user interface): calls show(reg) for up to maxCount marked registers,
    // each unmarked before it is shown, lowest number first from where the last batch
    // stopped. True when the caller must arrange another drain for the rest.
    template <typename Show>
    bool drain(Show&& show, int maxCount);

    bool marked(int reg) const;
    // Whether marks wait for a drain that has not started yet. Any thread.
    bool pending() const { return drainWanted_.load(); }

private:
    // Set from the first mark until a drain starts. A mark that finds it clear asks for a
    // drain; the drain clears it before it looks at the flags, so a register marked while
    // it runs is either seen by it or asks for the next one. Every access is sequentially
    // consistent: the argument needs the flag and the wish in one order for all threads.
    std::atomic<bool> drainWanted_{false};
    std::array<std::atomic<bool>, REGISTER_COUNT> marked_{};
    int cursor_ = 0;  // the draining thread's only
};

template <typename Show>
bool ChangedRegisters::drain(Show&& show, int maxCount) {
    drainWanted_.store(false);
    int shown = 0;
    for (int looked = 0; looked < REGISTER_COUNT; ++looked) {
        const int reg = cursor_;
        cursor_ = (cursor_ + 1) % REGISTER_COUNT;
        if (!marked_[static_cast<std::size_t>(reg)].exchange(false)) {
            continue;
        }
        show(reg);
        if (++shown >= maxCount) {
            // Stopped early: whoever sets the wish first arranges the next batch.
            return !drainWanted_.exchange(true);
        }
    }
    return false;
}

}  // namespace tq370
