#include "LinkTestSupport.h"

#include "plclink/CPlcCommPort.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class PlcCommPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsValid());
        port.PortName = pty.SlavePath();
        port.BaudRate = 115200;
    }

    // Reads the reply once all its bytes wait on the line, as the settle
    // time of an exchange lets them.
    int Receive(int bytes)
    {
        EXPECT_TRUE(pty.WaitArrived(bytes)) << bytes << " bytes";
        return port.ReceiveFrame();
    }

    CRawPty pty;
    CPlcCommPort port;
};

} // namespace

TEST(PlcCommPortNames, PortNamesMapToDevices)
{
    const struct {
        const char* portName;
        const char* device;
    } cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM9", "/dev/ttyS8"},
        {"COM10", "/dev/ttyS9"},
        {"COM256", "/dev/ttyS255"},
        {"COM257", "/dev/COM257"},
        {"COM0", "/dev/COM0"},
        {"ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/serial/by-id/usb-PLC-if00", "/dev/serial/by-id/usb-PLC-if00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPlcCommPort::DeviceName(c.portName), c.device) << c.portName;
}

TEST_F(PlcCommPortTest, OpenTakesTheInterByteTimeOutAndTheRateFromTheSettings)
{
    const struct {
        int baudRate;
        int interval;
    } cases[] = {{1200, 240}, {2400, 120}, {4800, 50}, {9600, 20}, {19200, 10}, {38400, 10}, {187500, 10}};
    for (const auto& c : cases) {
        port.BaudRate = c.baudRate;
        ASSERT_TRUE(port.Open()) << c.baudRate;
        EXPECT_EQ(port.ReadIntervalTimeout, c.interval) << c.baudRate;
        EXPECT_EQ(port.DeviceBaudRate(), c.baudRate) << "the driver runs at the rate asked for";
        EXPECT_TRUE(port.Close());
    }
    EXPECT_FALSE(port.Close()) << "closing a closed port fails";
}

TEST_F(PlcCommPortTest, SendFrameAppendsTheChecksumLowOrderByteFirst)
{
    ASSERT_TRUE(port.Open());
    port.TxBuffer[0] = 0x01;
    port.TxBuffer[1] = 'E';
    port.TxBuffer[2] = 0x00;
    ASSERT_TRUE(port.SendFrame(3));
    EXPECT_EQ(pty.Read(), (std::vector<BYTE>{0x01, 'E', 0x00, 0x12, 0x90}));
    EXPECT_EQ(CPlcCommPort::Crc16(port.TxBuffer, 5), 0);
}

TEST_F(PlcCommPortTest, FrameOperationsOnAClosedPortFail)
{
    EXPECT_FALSE(port.SendFrame(3));
    EXPECT_FALSE(port.WaitForData(EV_RXCHAR, 10));
    EXPECT_EQ(port.ReceiveFrame(), PLC_NOT_OPEN);
    EXPECT_FALSE(port.Configure());
}

TEST_F(PlcCommPortTest, ReceiveFrameChecksTheReply)
{
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.ReceiveFrame(), PLC_CHECKSUM) << "nothing queued";

    std::vector<BYTE> good = WithCrc({0x01, 'A', 0x02, 0x00, 0x01});
    pty.Write(good);
    EXPECT_EQ(Receive(7), PLC_OK);
    EXPECT_EQ(port.ReceivedLength(), 7);
    EXPECT_EQ(std::vector<BYTE>(port.RxBuffer, port.RxBuffer + 7), good);

    good.back() ^= 1;
    pty.Write(good);
    EXPECT_EQ(Receive(7), PLC_CHECKSUM);

    pty.Write(std::vector<BYTE>(223, 0x11));
    EXPECT_EQ(Receive(223), PLC_OVERRUN);
}

TEST_F(PlcCommPortTest, ASlowReplyIsReadToItsEnd)
{
    port.BaudRate = 4800;  // 50 ms between two bytes of one reply
    ASSERT_TRUE(port.Open());
    std::vector<BYTE> reply = WithCrc({0x01, 'C', 0x07, 0x00, 0x26, 0x12, 0x10, 0x13, 0x05, 0x00});
    pty.Write(std::vector<BYTE>(reply.begin(), reply.begin() + 5));
    ASSERT_TRUE(port.WaitForData(EV_RXCHAR, 1000));
    // The rest follows as soon as the port has taken the first part off
    // the line, while it waits for the next byte.
    std::thread rest([&] {
        EXPECT_TRUE(pty.WaitTaken());
        pty.Write(std::vector<BYTE>(reply.begin() + 5, reply.end()));
    });
    int result = port.ReceiveFrame();
    rest.join();
    EXPECT_EQ(result, PLC_OK);
    EXPECT_EQ(port.ReceivedLength(), static_cast<int>(reply.size()));
}

TEST_F(PlcCommPortTest, AReplyThatStopsHalfWayIsAChecksumError)
{
    ASSERT_TRUE(port.Open());
    std::vector<BYTE> reply = WithCrc({0x01, 'C', 0x07, 0x00, 0x26, 0x12, 0x10, 0x13, 0x05, 0x00});
    pty.Write(std::vector<BYTE>(reply.begin(), reply.begin() + 6));
    EXPECT_EQ(Receive(6), PLC_CHECKSUM);
    EXPECT_EQ(port.ReceivedLength(), 6);
}

TEST_F(PlcCommPortTest, OpenFailuresTellTheUserWhy)
{
    CScopedUi ui;
    CScopedGlobalPort global("/dev/orvel-no-such-port");
    EXPECT_EQ(OpenPlcPort(), PLC_OPEN_FAILED);

    ASSERT_TRUE(port.Open());
    g_PlcCommPort.PortName = pty.SlavePath();
    EXPECT_EQ(OpenPlcPort(), PLC_OPEN_FAILED) << "another program holds the port";

    g_PlcCommPort.PortName = "/dev/null";
    EXPECT_EQ(OpenPlcPort(), PLC_OPEN_FAILED) << "not a serial line";

    std::vector<RecordedMessage> messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, "The specified port does not exist.");
    EXPECT_EQ(messages[1].text, "The specified port is busy now.");
    EXPECT_EQ(messages[2].text,
              "Unable to initialize the port. \r\nCheck the port, communication parameters, or retry after restarting computer.");
    for (const RecordedMessage& message : messages) {
        EXPECT_EQ(message.caption, "Error");
        EXPECT_EQ(message.type, MB_OK | MB_ICONERROR);
    }
}

TEST_F(PlcCommPortTest, APortWhoseSetUpFailsIsClosedAgain)
{
    port.ParityIndex = 7;
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    CPlcCommPort other;
    other.PortName = pty.SlavePath();
    EXPECT_TRUE(other.Open()) << "the failed port must not keep the line";
}

TEST_F(PlcCommPortTest, OpenRawKeepsTheLineAndConfigureAppliesIt)
{
    port.BaudRate = 2400;
    ASSERT_TRUE(port.Open());
    port.Close();
    port.BaudRate = 187500;
    ASSERT_TRUE(port.OpenRaw());
    EXPECT_EQ(port.DeviceBaudRate(), 2400);
    ASSERT_TRUE(port.Configure());
    EXPECT_EQ(port.DeviceBaudRate(), 187500);
}

TEST_F(PlcCommPortTest, CopySettingsTakesTheSettingsButNotTheLine)
{
    port.Station = 7;
    port.BaudRate = 19200;
    port.ParityIndex = 2;
    port.FlowMode = 5;
    ASSERT_TRUE(port.Open());
    CPlcCommPort copy;
    copy.CopySettings(port);
    EXPECT_EQ(copy.Station, 7);
    EXPECT_EQ(copy.PortName, pty.SlavePath());
    EXPECT_EQ(copy.BaudRate, 19200);
    EXPECT_EQ(copy.ParityIndex, 2);
    EXPECT_EQ(copy.FlowMode, 5);
    EXPECT_FALSE(copy.IsOpen());
    port.CopySettings(port);
    EXPECT_TRUE(port.IsOpen());
}
