// A second start hands its files to the running program through the instance mailbox.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/InstanceLock.h"
#include "platform/InstanceMailbox.h"

namespace {

TEST(InstanceMailbox, ASecondStartHandsItsFilesToTheFirst)
{
    const std::string dir = testing::TempDir() + "mailbox-" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    const std::string name = "Test Mailbox Mutex";
    EXPECT_EQ(plat::InstanceMailbox::SocketPath(name), dir + "/Test_Mailbox_Mutex.sock");

    // Nobody listens yet: the sender learns it and can start a window of its own.
    EXPECT_FALSE(plat::InstanceMailbox::Send(name, {"/a.qcl"}));

    plat::InstanceMailbox box;
    ASSERT_TRUE(box.Listen(name));
    EXPECT_TRUE(box.Receive().empty());
    EXPECT_TRUE(plat::InstanceMailbox::Send(name, {"/home/ann/radio 1.qcl", "/b.qcl"}));
    EXPECT_TRUE(plat::InstanceMailbox::Send(name, {"/c.qcl"}));
    const auto got = box.Receive();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], (std::vector<std::string>{"/home/ann/radio 1.qcl", "/b.qcl"}));
    EXPECT_EQ(got[1], (std::vector<std::string>{"/c.qcl"}));

    // A socket left behind by an instance that ended is taken over by the next one.
    box.Close();
    EXPECT_FALSE(std::filesystem::exists(plat::InstanceMailbox::SocketPath(name)));
    plat::InstanceMailbox stale;
    ASSERT_TRUE(stale.Listen(name));
    plat::InstanceMailbox next;
    ASSERT_TRUE(next.Listen(name));
    EXPECT_TRUE(plat::InstanceMailbox::Send(name, {"/d.qcl"}));
    EXPECT_EQ(next.Receive().size(), 1u);
    next.Close();
    std::filesystem::remove_all(dir);
    unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
