#include <gtest/gtest.h>

#include <filesystem>

#include "link/link_context.h"
#include "platform/lock_file.h"
#include "sim/fake_hid_device.h"
#include "transport_fixture.h"
#include "transports/hid_transport.h"

namespace tq370::test {
namespace {

const std::string BLOCKED = "HID_VID_4084_PID_4357 Channel is Blocked!";

// The engine over HidTransport and a fake device joined to the simulator; the channel lock
// lives in the test's own folder.
class HidLink : public TransportFixture {
protected:
    void SetUp() override {
        TransportFixture::SetUp();
        std::filesystem::create_directories(lockFolder());
    }

    std::string lockFolder() const { return folder.path() + "locks/"; }

    void startHid() {
        startWith([this](LinkContext& context) {
            auto made = std::make_unique<FakeHidDevice>(*sim, context.clock);
            made->setPermitted(permitted);
            device = made.get();
            return std::make_unique<HidTransport>(context, std::move(made), lockFolder());
        });
    }

    bool permitted = true;            // of the device the next start makes
    FakeHidDevice* device = nullptr;  // owned by the transport while the engine runs
};

TEST_F(HidLink, ConnectsReadsBackAndCarriesAnEdit) {
    scrambleSimulator(3);
    startHid();
    ASSERT_TRUE(waitRunning());
    ASSERT_TRUE(mirrorEqualsSimulator(tableValues(), *sim));
    link->registers.setRegister(1000, 4321);
    ASSERT_TRUE(sim->waitForWrite(1000, 4321, 5000));
    ASSERT_TRUE(waitUntil([&] { return !link->registers.isWritePending(1000); }, 5000));
    EXPECT_EQ(statusCount(LinkStatus::Connected), 1);
}

TEST_F(HidLink, AFrameSplitOverReportsArrivesWhole) {
    startHid();
    ASSERT_TRUE(waitRunning());
    // Twenty-four edits make one write frame of 101 bytes: two reports.
    for (int reg = 500; reg < 524; ++reg) link->registers.setRegister(reg, reg + 7);
    ASSERT_TRUE(waitUntil(
        [&] {
            for (int reg = 500; reg < 524; ++reg) {
                if (link->registers.isWritePending(reg)) return false;
            }
            return true;
        },
        5000));
    for (int reg = 500; reg < 524; ++reg) EXPECT_EQ(sim->registerValue(reg), reg + 7);
    EXPECT_GE(device->mostReportsPerFrame(), 2);
}

TEST_F(HidLink, RemovingTheDeviceEndsTheReaderAndTheEngineReconnects) {
    startHid();
    ASSERT_TRUE(waitRunning());
    device->unplug();
    ASSERT_TRUE(waitUntil([&] { return !link->linkUp.load(); }, 2000));
    ASSERT_TRUE(waitUntil([&] { return statusCount(LinkStatus::Searching) >= 2; }, 5000));
    waitMs(1000);  // searching while the device is away
    EXPECT_FALSE(engine->isConnected());
    const int opensWhileAway = device->opens();
    device->plugIn();
    ASSERT_TRUE(waitUntil([&] { return statusCount(LinkStatus::Connected) == 2; }, 20'000));
    ASSERT_TRUE(waitRunning());
    EXPECT_EQ(device->opens(), opensWhileAway + 1);
    link->registers.setRegister(1000, 77);
    EXPECT_TRUE(sim->waitForWrite(1000, 77, 5000));
}

// The open device is probed again rather than reopened under its running reader.
TEST_F(HidLink, ADeviceThatDoesNotAnswerYetIsProbedAgainOnTheSameOpen) {
    sim->goSilent(3000);
    startHid();
    ASSERT_TRUE(waitRunning(30'000));
    EXPECT_EQ(device->opens(), 1);
    EXPECT_EQ(device->openHandles(), 1);
}

TEST_F(HidLink, ADeviceThisUserMayNotOpenIsToldOnceNotSearchedSilently) {
    permitted = false;
    startHid();
    ASSERT_TRUE(waitUntil([&] { return !host->messages().empty(); }, 5000));
    waitMs(1000);
    auto messages = host->messages();
    ASSERT_EQ(messages.size(), 1u) << "said once, not at every retry";
    EXPECT_NE(messages[0].find("may not open"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("udev"), std::string::npos) << messages[0];
    EXPECT_EQ(statusCount(LinkStatus::Connected), 0);
    device->setPermitted(true);
    EXPECT_TRUE(waitRunning());
}

TEST_F(HidLink, ASecondHolderOfTheChannelIsToldItIsBlockedAndConnectsWhenReleased) {
    auto other = LockFile::tryLock(lockFolder(), usbChannelLockName(0x4084, 0x4357));
    ASSERT_EQ(other.status, LockFile::Status::Acquired);
    startHid();
    ASSERT_TRUE(waitUntil([&] { return host->messages().size() >= 2; }, 10'000));
    for (const std::string& text : host->messages()) EXPECT_EQ(text, BLOCKED);
    EXPECT_EQ(device->opens(), 0);
    EXPECT_EQ(statusCount(LinkStatus::Connected), 0);
    other.lock.reset();
    ASSERT_TRUE(waitRunning());
    EXPECT_EQ(statusCount(LinkStatus::Connected), 1);
    // Held from now on against others.
    EXPECT_EQ(LockFile::tryLock(lockFolder(), usbChannelLockName(0x4084, 0x4357)).status,
              LockFile::Status::HeldElsewhere);
}

}  // namespace
}  // namespace tq370::test
