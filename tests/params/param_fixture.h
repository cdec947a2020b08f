#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "link/register_table.h"
#include "params/channel_links.h"

namespace tq370 {

// A register table with the factory defaults and no pending writes.
class RegisterFixture : public ::testing::Test {
  protected:
    void SetUp() override { table->loadDefaults(); }
    void clearPending() {
        for (int r = 0; r < REGISTER_COUNT; ++r) table->dropPendingWrite(r);
    }
    std::unique_ptr<RegisterTable> table = std::make_unique<RegisterTable>();
    ChannelLinks links;
};

// The default speaker positions of CH1..CH12.
inline constexpr int DEFAULT_POSITIONS[CHANNEL_COUNT] = {1, 7, 3, 9, 13, 16, 14, 17, 19, 0, 22, 23};

}  // namespace tq370
