#include "platform/CSerialDevice.h"
#include "support/CPseudoTerminal.h"

#include <gtest/gtest.h>

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
