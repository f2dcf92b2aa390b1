#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/cmcPortTable.h"
#include "support/TestServices.h"

namespace {

namespace fs = std::filesystem;

// A device folder and a sysfs folder of its own, with plain files standing in for devices.
class cmcPortTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/qv-ports-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        dev = root + "/dev";
        sys = root + "/sys";
        fs::create_directories(dev + "/serial/by-id");
        for (const char* name : {"ttyUSB1", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1",
                                 "ttyS12", "ttyUSBx", "tty0"})
            std::ofstream(dev + "/" + name).put('\n');
        fs::create_symlink("../../ttyUSB1", dev + "/serial/by-id/usb-Maker_Cable_B-port0");
        fs::create_symlink("../../ttyACM0", dev + "/serial/by-id/usb-Maker_Cable_A-if00");
        fs::create_symlink("../../ttyUSB7", dev + "/serial/by-id/usb-Gone-port0");
        Type("ttyS0", "4");
        Type("ttyS1", "0");  // no UART behind it
    }
    void TearDown() override { fs::remove_all(root); }
    void Type(const std::string& tty, const char* value)
    {
        fs::create_directories(sys + "/class/tty/" + tty);
        std::ofstream(sys + "/class/tty/" + tty + "/type") << value << "\n";
    }

    std::string root, dev, sys;
};

TEST_F(cmcPortTableTest, DefaultListIsStableAndNamesEachDeviceOnce)
{
    cmcPortTable table(dev, sys);
    const std::vector<std::string> want{
        dev + "/serial/by-id/usb-Maker_Cable_A-if00",
        dev + "/serial/by-id/usb-Maker_Cable_B-port0",
        dev + "/ttyUSB2",
        dev + "/ttyUSB10",
        dev + "/ttyS0",
        dev + "/ttyS12",
    };
    EXPECT_EQ(table.DefaultList(), want);
    EXPECT_EQ(table.DevicePath(1), want[0]);
    EXPECT_EQ(table.DevicePath(6), want[5]);
    EXPECT_EQ(table.DevicePath(7), "");
    EXPECT_EQ(table.DevicePath(0), "");
    EXPECT_EQ(table.DevicePath(257), "");
}

TEST_F(cmcPortTableTest, UserAssignmentsOverrideANumberAndAreStoredPerUser)
{
    cmcPortTable table(dev, sys);
    ASSERT_TRUE(table.SetAssignment(2, "ttyUSB10"));
    ASSERT_TRUE(table.SetAssignment(200, "/dev/pts/9"));
    EXPECT_EQ(table.DevicePath(2), dev + "/ttyUSB10");
    EXPECT_EQ(table.DevicePath(200), "/dev/pts/9");
    EXPECT_EQ(qvtest::Services().settings.ReadString(plat::Root::User,
                                                     "Software\\Tavo\\Quorvex\\Ports", "Port200"),
              "/dev/pts/9");

    const std::vector<cmcPortTable::Entry> entries = table.Entries();
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[1].number, 2);
    EXPECT_TRUE(entries[1].assigned);
    EXPECT_FALSE(entries[2].assigned);
    EXPECT_EQ(entries[6].number, 200);

    ASSERT_TRUE(table.SetAssignment(2, ""));
    EXPECT_EQ(table.DevicePath(2), dev + "/serial/by-id/usb-Maker_Cable_B-port0");
    EXPECT_FALSE(table.SetAssignment(0, "ttyUSB2"));
    EXPECT_FALSE(table.SetAssignment(257, "ttyUSB2"));
}

}  // namespace
