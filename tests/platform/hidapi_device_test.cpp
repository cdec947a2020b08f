#include "platform/hidapi_device.h"

#include <gtest/gtest.h>

namespace tq370 {
namespace {

// Identifiers no real device uses, so the test behaves the same with a processor plugged in.
constexpr std::uint16_t ABSENT_VENDOR = 0xFFFE;
constexpr std::uint16_t ABSENT_PRODUCT = 0xFFFD;

TEST(HidapiDevice, AbsentDeviceIsNotFoundAndNothingWorks) {
    HidapiDevice device;
    EXPECT_EQ(device.open(ABSENT_VENDOR, ABSENT_PRODUCT), HidDevice::OpenResult::NotFound);
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(device.path().empty());
    HidReport report{};
    EXPECT_FALSE(device.write(report));
    HidReportData data{};
    EXPECT_EQ(device.read(data, std::chrono::milliseconds(10)), HidDevice::ReadResult::Gone);
    device.close();  // harmless when closed
}

}  // namespace
}  // namespace tq370
