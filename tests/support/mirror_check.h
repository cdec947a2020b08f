#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "params/register_numbers.h"
#include "sim/processor_simulator.h"

namespace tq370::test {

// Whether the host's values (from the register table, or from a preset read back) equal
// what the simulated processor holds: every register but the mode command, in which the
// mode-name fetch after a read-back leaves the number of the last name it asked for. Names
// the first register that differs.
inline ::testing::AssertionResult mirrorEqualsSimulator(
    const std::function<std::int32_t(int)>& hostValue, const ProcessorSimulator& sim) {
    const ProcessorSimulator::RegisterValues expected = sim.registers();
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
        if (reg == REG_MODE_COMMAND) continue;
        const std::int32_t want = expected[static_cast<std::size_t>(reg)];
        if (hostValue(reg) != want) {
            return ::testing::AssertionFailure() << "register " << reg << " holds "
                                                 << hostValue(reg) << ", the simulator " << want;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tq370::test
