#include "params/master_volume.h"

#include <gtest/gtest.h>

#include "param_fixture.h"
#include "params/channel_register_map.h"

namespace tq370 {
namespace {

class MasterVolume : public RegisterFixture {};

TEST_F(MasterVolume, WritesOnlyALevelThatChangesTheRegister) {
    struct Case {
        double levelDb;
        bool written;
        int value;
    };
    // From the default 600 (0 dB), in order.
    const Case cases[] = {
        {0, false, 600},  // the focus taken with the value shown: nothing to write
        {-12, true, 588},  {-12, false, 588},  // the slider reporting the value it was just given
        {-60, true, 500},                      // "OFF"
        {-75, false, 500},                     // clamped to "OFF"
    };
    for (const Case& c : cases) {
        clearPending();
        EXPECT_EQ(writeMasterVolume(*table, c.levelDb), c.written) << c.levelDb;
        EXPECT_EQ(table->getRegister(REG_MASTER_VOLUME), c.value) << c.levelDb;
        EXPECT_EQ(table->isWritePending(REG_MASTER_VOLUME), c.written) << c.levelDb;
    }
}

}  // namespace
}  // namespace tq370
