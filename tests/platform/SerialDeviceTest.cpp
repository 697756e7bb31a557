#include "platform/CSerialDevice.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// The controlling side of a pseudo-terminal; the device opens the other side.
class PseudoTerminal {
public:
    PseudoTerminal() : m_fd(::posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (m_fd >= 0 && ::grantpt(m_fd) == 0 && ::unlockpt(m_fd) == 0)
            m_path = ::ptsname(m_fd);
    }
    ~PseudoTerminal()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_path; }

private:
    int m_fd;
    std::string m_path;
};

} // namespace

TEST(SerialDeviceTest, ReadsWhatArrivesAndRefusesANegativeCount)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.Path().empty());
    CSerialDevice device;
    ASSERT_EQ(device.Open(pty.Path()), CSerialDevice::OpenOk);

    const BYTE request[] = {0x10, 0x20, 0x30};
    ASSERT_EQ(::write(pty.Fd(), request, sizeof request), ssize_t(sizeof request));
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
