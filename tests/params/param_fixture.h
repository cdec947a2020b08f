#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "params/channel_links.h"
#include "support/register_array.h"

namespace tq370 {

// A register table with the factory defaults and no pending writes.
class RegisterFixture : public ::testing::Test {
protected:
    void SetUp() override { table->loadDefaults(); }
    void clearPending() { table->clearPending(); }
    std::unique_ptr<test::RegisterArray> table = std::make_unique<test::RegisterArray>();
    ChannelLinks links;
};

// The default speaker positions of CH1..CH12.
inline constexpr int DEFAULT_POSITIONS[CHANNEL_COUNT] = {1, 7, 3, 9, 13, 16, 14, 17, 19, 0, 22, 23};

}  // namespace tq370
