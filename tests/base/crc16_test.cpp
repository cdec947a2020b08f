#include "base/crc16.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tq370 {
namespace {

std::uint16_t crcOf(std::vector<std::uint8_t> bytes) {
    return crc16(bytes);
}

TEST(Crc16, KnownValues) {
    std::string_view check = "123456789";
    EXPECT_EQ(crc16(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0x4B37);
    // Read request for register 0: 80 05 06 00 00, CRC 13 C5 sent high byte first.
    EXPECT_EQ(crcOf({0x80, 0x05, 0x06, 0x00, 0x00}), 0x13C5);
    // Empty write frame 80 03 03 D9 30.
    EXPECT_EQ(crcOf({0x80, 0x03, 0x03}), 0xD930);
    EXPECT_EQ(crcOf({}), 0xFFFF);
}

}  // namespace
}  // namespace tq370
