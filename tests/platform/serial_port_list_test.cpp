#include "platform/serial_port_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace tq370 {
namespace {

namespace fs = std::filesystem;

// A /sys/class/tty look-alike: one folder per line, with a "device" link where a device
// backs it and, for serial-core lines, the UART "type".
class FakeSysfsTty : public ::testing::Test {
protected:
    void line(const std::string& name, bool device, std::optional<int> type = std::nullopt) {
        fs::create_directories(root() / name);
        if (device) fs::create_directory_symlink(folder.path(), root() / name / "device");
        if (type) test::writeText((root() / name / "type").string(), std::to_string(*type) + "\n");
    }
    fs::path root() const { return fs::path(folder.path()) / "tty"; }

    test::TempFolder folder;
};

TEST_F(FakeSysfsTty, ListsLinkPortsByKindThenNumber) {
    line("ttyUSB10", true);
    line("ttyS0", true, 4);  // a real 16550A
    line("ttyS1", true, 0);  // a legacy line with no UART behind it
    line("ttyS2", false);    // no device at all
    line("ttyS3", true);     // a device without a type attribute
    line("rfcomm0", false);
    line("ttyACM0", true);
    line("ttyUSB1", true);
    line("ttyUSB0", true);
    line("tty0", false);
    line("console", false);
    line("ptmx", false);
    line("ttyUSB", true);    // no number
    line("ttyUSBx1", true);  // not a number
    line("ttyAMA0", true);   // a kind the link does not try

    EXPECT_EQ(
        listSerialPorts({}, root(), "/dev"),
        (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB10", "/dev/ttyACM0",
                                  "/dev/rfcomm0", "/dev/ttyS0", "/dev/ttyS3"}));
}

TEST_F(FakeSysfsTty, ExplicitPortsComeFirstAndNothingTwice) {
    line("ttyUSB0", true);
    line("ttyACM0", true);
    const std::vector<std::string> given = {"/dev/pts/4", "/dev/ttyACM0", "/dev/pts/4", ""};
    EXPECT_EQ(listSerialPorts(given, root(), "/dev"),
              (std::vector<std::string>{"/dev/pts/4", "/dev/ttyACM0", "/dev/ttyUSB0"}));
}

TEST_F(FakeSysfsTty, DevRootNamesThePaths) {
    line("ttyUSB0", true);
    EXPECT_EQ(listSerialPorts({}, root(), "/some/dev"),
              (std::vector<std::string>{"/some/dev/ttyUSB0"}));
}

TEST_F(FakeSysfsTty, MissingTreeLeavesTheExplicitPorts) {
    const std::vector<std::string> given = {"/dev/pts/9"};
    EXPECT_EQ(listSerialPorts(given, root() / "absent", "/dev"), given);
    EXPECT_TRUE(listSerialPorts({}, root() / "absent", "/dev").empty());
}

}  // namespace
}  // namespace tq370
