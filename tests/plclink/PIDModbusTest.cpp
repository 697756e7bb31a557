#include "CModbusPlc.h"
#include "LinkTestSupport.h"

#include "plclink/CPlcCommPort.h"
#include "plclink/PIDModbus.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

constexpr int kFirstRegister = CModbusPlc::kFirstRegister;
constexpr int kRegisterCount = CModbusPlc::kRegisterCount;  // loops 7 to 1; loop 0 (1550) lies outside

std::vector<BYTE> LoopImage(const CPIDMonitorBlock& block)
{
    BYTE image[100];
    ReadPIDRegisterImage(block, image);
    return std::vector<BYTE>(image, image + 100);
}

std::vector<BYTE> SentFrame(int n)
{
    return std::vector<BYTE>(g_PlcCommPort.TxBuffer, g_PlcCommPort.TxBuffer + n);
}

bool WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 300; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class PIDModbusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = std::make_unique<CScopedGlobalPort>(plc.Device());
        for (int r = 0; r < kRegisterCount; ++r)
            plc.SetRegister(kFirstRegister + r, static_cast<WORD>(0x1000 + r));
    }

    CModbusPlc plc;
    CScopedTimeouts timeouts;
    CScopedUi ui;
    std::unique_ptr<CScopedGlobalPort> port;
    CPIDMonitorBlock block;
};

} // namespace

TEST_F(PIDModbusTest, FunctionThreeReadsTheFiftyRegistersOfTheLoop)
{
    ASSERT_TRUE(g_PlcCommPort.Open());
    block.MonitorLoop = 3;
    block.FunctionCode = 3;
    ASSERT_EQ(PIDModbusRequest(block), PLC_OK);
    EXPECT_EQ(SentFrame(8), (std::vector<BYTE>{0x01, 0x03, 0x05, 0x78, 0x00, 0x32, 0x44, 0xCA}));
    std::vector<BYTE> expected;
    for (int r = 0; r < 50; ++r) {
        WORD value = static_cast<WORD>(0x1000 + (1400 - kFirstRegister) + r);
        expected.push_back(LOBYTE(value));
        expected.push_back(HIBYTE(value));
    }
    EXPECT_EQ(LoopImage(block), expected);

    block.MonitorLoop = 7;
    ASSERT_EQ(PIDModbusRequest(block), PLC_OK);
    EXPECT_EQ(block.LoopData[0], 0x00);
    EXPECT_EQ(block.LoopData[1], 0x10) << "loop 7 starts at register 1200";
}

TEST_F(PIDModbusTest, FunctionFiveWritesTheCoilOfTheKind)
{
    ASSERT_TRUE(g_PlcCommPort.Open());
    const struct {
        BYTE kind;
        int coil;
        BYTE value;
        std::vector<BYTE> request;
    } cases[] = {
        {1, 562, 1, {0x01, 0x05, 0x02, 0x32, 0xFF, 0x00}},
        {2, 562, 0, {0x01, 0x05, 0x02, 0x32, 0x00, 0x00}},
        {3, 570, 1, {0x01, 0x05, 0x02, 0x3A, 0xFF, 0x00}},
        {4, 570, 0, {0x01, 0x05, 0x02, 0x3A, 0x00, 0x00}},
    };
    block.MonitorLoop = 2;
    block.FunctionCode = 5;
    for (const auto& c : cases) {
        plc.SetCoil(c.coil, c.value ? 0 : 1);
        block.Command = c.kind;
        ASSERT_EQ(PIDModbusRequest(block), PLC_OK) << int(c.kind);
        EXPECT_EQ(SentFrame(6), c.request) << int(c.kind);
        EXPECT_EQ(plc.Coil(c.coil), c.value) << int(c.kind);
    }
}

TEST_F(PIDModbusTest, AnExceptionReplyLeavesTheImageAlone)
{
    ASSERT_TRUE(g_PlcCommPort.Open());
    std::memset(block.LoopData, 0xAB, sizeof(block.LoopData));
    block.MonitorLoop = 0;  // registers 1550.. do not exist: exception 0x83
    block.FunctionCode = 3;
    EXPECT_EQ(PIDModbusRequest(block), PLC_WRONG_REPLY);
    EXPECT_EQ(LoopImage(block), std::vector<BYTE>(100, 0xAB));
}

TEST_F(PIDModbusTest, ALoopAboveSevenIsRefusedWithoutOpeningThePort)
{
    block.MonitorLoop = 8;
    block.FunctionCode = 3;
    EXPECT_EQ(PIDModbusRequest(block), PID_LOOP_OUT_OF_RANGE);
    std::atomic<bool> stop {false};
    EXPECT_EQ(PIDModbusThreadProc(block, stop), static_cast<UINT>(PID_LOOP_OUT_OF_RANGE));
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
    EXPECT_TRUE(ui.box.Messages().empty());
}

TEST_F(PIDModbusTest, TheWorkerServesRequestsUntilItIsStopped)
{
    block.MonitorLoop = 5;
    block.LastResult = -1;
    CPIDModbusWorker worker;
    worker.Start(block);
    std::atomic_ref<BYTE>(block.RequestFlag).store(1);
    ASSERT_TRUE(WaitFor([&] { return std::atomic_ref<int>(block.LastResult).load() == PLC_OK; }));
    EXPECT_EQ(block.FunctionCode, 3);
    EXPECT_EQ(LoopImage(block)[1], 0x10);
    EXPECT_EQ(LoopImage(block)[0], static_cast<BYTE>(1300 - kFirstRegister));

    block.LastResult = -1;
    block.Command = 3;
    std::atomic_ref<BYTE>(block.CommandPending).store(1);
    std::atomic_ref<BYTE>(block.RequestFlag).store(1);
    ASSERT_TRUE(WaitFor([&] { return std::atomic_ref<int>(block.LastResult).load() == PLC_OK; }));
    EXPECT_EQ(block.FunctionCode, 5);
    EXPECT_EQ(block.CommandPending, 0);
    EXPECT_EQ(plc.Coil(573), 1);

    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(worker.ExitCode(), 0u);
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
}

TEST_F(PIDModbusTest, TheWorkerEndsWhenThePortCannotBeOpened)
{
    g_PlcCommPort.PortName = "/dev/orvel-no-such-port";
    CPIDModbusWorker worker;
    worker.Start(block);
    worker.Stop();
    EXPECT_EQ(worker.ExitCode(), static_cast<UINT>(PID_PORT_NOT_OPENED));
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"The specified port does not exist."});
}

// A reply whose byte count or length does not match 50 registers is wrong,
// however good its checksum.
TEST(PIDModbusReplyTest, RegisterRepliesOfTheWrongSizeAreRefused)
{
    CRawPty pty;
    CScopedTimeouts timeouts;
    CScopedGlobalPort port(pty.SlavePath());
    ASSERT_TRUE(g_PlcCommPort.Open());
    CPIDMonitorBlock block;
    block.FunctionCode = 3;
    std::memset(block.LoopData, 0x5C, sizeof(block.LoopData));
    std::vector<BYTE> fewer = {0x01, 0x03, 98};
    fewer.resize(3 + 98, 0x77);
    std::vector<BYTE> lying = {0x01, 0x03, 100};
    lying.resize(3 + 60, 0x77);
    for (const std::vector<BYTE>& reply : {fewer, lying}) {
        std::thread answer([&] {
            pty.Read();
            pty.Write(WithCrc(reply));
        });
        EXPECT_EQ(PIDModbusRequest(block), PLC_WRONG_REPLY);
        answer.join();
        EXPECT_EQ(LoopImage(block), std::vector<BYTE>(100, 0x5C));
    }
}
