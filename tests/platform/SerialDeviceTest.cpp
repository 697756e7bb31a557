#include "platform/CSerialDevice.h"
#include "support/CPseudoTerminal.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

TEST(SerialDeviceTest, ReadsWhatArrivesAndRefusesANegativeCount)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CSerialDevice device;
    ASSERT_EQ(device.Open(pty.SlavePath()), CSerialDevice::OpenOk);

    const BYTE request[] = {0x10, 0x20, 0x30};
    ASSERT_EQ(::write(pty.MasterFd(), request, sizeof request), ssize_t(sizeof request));
    ASSERT_TRUE(device.WaitReadable(1000));

    // A negative count is no buffer size: nothing is read, nothing is lost.
    BYTE guard[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(device.Read(guard, -1), -1);
    EXPECT_EQ(guard[0], 0xAA);

    BYTE reply[8] = {};
    EXPECT_EQ(device.Read(reply, sizeof reply), 3);
    EXPECT_EQ(reply[2], 0x30);
    EXPECT_TRUE(device.Close());
    EXPECT_EQ(device.Read(reply, sizeof reply), -1);
}

// The tests' device guard: a terminal that the test support did not make,
// here one made behind its back in place of the machine's serial port, is
// not opened, and the test that tried fails; the support's own terminals open.
TEST(SerialDeviceTest, TestsOpenOnlyTheTerminalsTheyMade)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    char name[PATH_MAX] = {};
    ASSERT_TRUE(grantpt(master) == 0 && unlockpt(master) == 0 && ptsname_r(master, name, sizeof name) == 0);
    CSerialDevice device;
    CSerialDevice::OpenResult result = CSerialDevice::OpenOk;
    EXPECT_NONFATAL_FAILURE(result = device.Open(name), "which is no pseudo-terminal that the test made");
    EXPECT_EQ(result, CSerialDevice::OpenNotPermitted);
    EXPECT_FALSE(device.IsOpen());
    ::close(master);

    CPseudoTerminal made;
    ASSERT_TRUE(made.Open());
    EXPECT_EQ(device.Open(made.SlavePath()), CSerialDevice::OpenOk);
    EXPECT_EQ(device.Open("/dev/null"), CSerialDevice::OpenFailed) << "opened, but no serial line";
}
