#include "CLineGate.h"
#include "CPlcSimulator.h"
#include "LinkTestSupport.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/CStationSearch.h"
#include "plclink/SerialPortList.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace {

class CRecordingSearchObserver : public IStationSearchObserver {
public:
    void OnSearchStatus(const std::string& text) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        statuses.push_back(text);
        m_done.notify_all();
    }
    void OnSearchControlsEnabled(BOOL enable) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        enables.push_back(enable);
    }
    void OnSearchFinished(int result) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        finished = result;
        portOpenAtFinish = g_PlcCommPort.IsOpen();
        m_done.notify_all();
    }
    // The search has reported what it tries.
    bool WaitStatus(int ms)
    {
        std::unique_lock<std::mutex> hold(m_lock);
        return m_done.wait_for(hold, std::chrono::milliseconds(ms), [this] { return !statuses.empty(); });
    }
    bool WaitFinished(int ms)
    {
        std::unique_lock<std::mutex> hold(m_lock);
        return m_done.wait_for(hold, std::chrono::milliseconds(ms), [this] { return finished != 0; });
    }

    std::vector<std::string> statuses;
    std::vector<BOOL> enables;
    int finished = 0;
    bool portOpenAtFinish = true;

private:
    std::mutex m_lock;
    std::condition_variable m_done;
};

} // namespace

class StationSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Start());
        port = std::make_unique<CScopedGlobalPort>(sim.SlavePath(), 4800);
        g_PlcCommPort.Station = 5;
        g_PlcCommPort.ParityIndex = 1;
    }

    void TearDown() override
    {
        port.reset();
    }

    CPlcSimulator sim;
    std::unique_ptr<CScopedGlobalPort> port;
    // The search sends dozens of probes that no PLC answers, each costing its time-out.
    CScopedTimeouts timeouts {300, 50};
    CRecordingSearchObserver observer;
};

TEST_F(StationSearchTest, FindsThePlcAtItsStationBaudRateAndParity)
{
    sim.SetStation(2);
    CLineGate gate(sim.SlavePath(), 9600, 2);
    ASSERT_TRUE(gate.Start());
    CStationSearch search(observer);
    ASSERT_TRUE(search.Start(gate.SlavePath()));
    ASSERT_TRUE(observer.WaitFinished(10000));
    search.Join();
    EXPECT_EQ(observer.finished, 1);
    EXPECT_FALSE(observer.portOpenAtFinish);
    EXPECT_EQ(observer.statuses, (std::vector<std::string>{"Searching...", "Searching completed successfully."}));
    EXPECT_EQ(observer.enables, (std::vector<BOOL>{FALSE, TRUE}));
    EXPECT_EQ(g_PlcCommPort.Station, 2);
    EXPECT_EQ(g_PlcCommPort.BaudRate, 9600);
    EXPECT_EQ(g_PlcCommPort.ParityIndex, 2);
    EXPECT_EQ(g_PlcCommPort.PortName, gate.SlavePath());
    // Only station 1 and station 2 at 9600 baud, even parity, reached the PLC.
    std::vector<std::vector<BYTE>> requests = sim.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0][0], 1);
    EXPECT_EQ(requests[1][0], 2);
    EXPECT_EQ(requests[1][1], '@');
}

TEST_F(StationSearchTest, AStoppedSearchPutsTheFormerSettingsBack)
{
    CLineGate gate(sim.SlavePath(), 1200, 2);  // never reached before the stop
    ASSERT_TRUE(gate.Start());
    CStationSearch search(observer);
    ASSERT_TRUE(search.Start(gate.SlavePath()));
    EXPECT_TRUE(search.IsRunning());
    ASSERT_TRUE(observer.WaitStatus(2000));
    search.RequestStop();
    ASSERT_TRUE(observer.WaitFinished(2000));
    search.Join();
    EXPECT_EQ(observer.finished, -1);
    EXPECT_EQ(observer.statuses.back(), "Stopped");
    EXPECT_FALSE(search.IsRunning());
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
    EXPECT_EQ(g_PlcCommPort.Station, 5);
    EXPECT_EQ(g_PlcCommPort.BaudRate, 4800);
    EXPECT_EQ(g_PlcCommPort.ParityIndex, 1);
    EXPECT_TRUE(sim.Requests().empty());
}

TEST_F(StationSearchTest, APortThatDoesNotOpenEndsAtOnceAndDestructionJoinsTheWorker)
{
    {
        CStationSearch search(observer);
        EXPECT_FALSE(search.Start("/dev/orvel-no-such-port"));
        EXPECT_EQ(observer.statuses, std::vector<std::string>{"Failed to initialize the port."});
        EXPECT_FALSE(g_PlcCommPort.IsOpen());

        CLineGate gate(sim.SlavePath(), 1200, 2);
        ASSERT_TRUE(gate.Start());
        ASSERT_TRUE(search.Start(gate.SlavePath()));
    }
    // The search's end stopped and joined its worker.
    EXPECT_EQ(observer.finished, -1);
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
    EXPECT_EQ(g_PlcCommPort.Station, 5);
}

TEST(SerialPortListTest, ListsStableNamesFirstThenTheDeviceGroupsInOrder)
{
    TempFolder dev;
    std::filesystem::create_directories(dev / "serial/by-id");
    for (const char* name : {"ttyUSB1", "ttyS1", "ttyACM0", "ttyS0", "ttyUSB0", "tty0", "null", "serial/by-id/usb-Q7-if00"})
        std::ofstream(dev / name).put('\0');
    EXPECT_EQ(ListSerialPorts(dev.Path()),
              (std::vector<std::string>{dev / "serial/by-id/usb-Q7-if00", dev / "ttyS0", dev / "ttyS1", dev / "ttyUSB0",
                                        dev / "ttyUSB1", dev / "ttyACM0"}));
    TempFolder empty;
    EXPECT_TRUE(ListSerialPorts(empty.Path()).empty());
}

TEST(SerialPortListTest, ExtraPortsFollowTheMachinesPortsWhileTheyExist)
{
    TempFolder dev;
    std::ofstream(dev / "ttyS0").put('\0');
    TempFolder pts;
    for (const char* name : {"3", "7"})
        std::ofstream(pts / name).put('\0');
    const std::string three = pts / "3";
    const std::string seven = pts / "7";
    const std::string serial = dev / "ttyS0";
    const struct {
        std::string extra;
        std::vector<std::string> listed;
    } cases[] = {
        {"", {serial}},
        {seven + ":" + three, {serial, seven, three}},
        // Relative, missing and repeated paths are left out.
        {"pts/3:" + (pts / "9") + "::" + three + ":" + three, {serial, three}},
        {serial + ":" + seven, {serial, seven}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListSerialPorts(dev.Path(), c.extra.c_str()), c.listed) << c.extra;

    ASSERT_EQ(::setenv(kExtraPortsVariable, seven.c_str(), 1), 0);
    const std::vector<std::string> machine = ListSerialPorts();
    ::unsetenv(kExtraPortsVariable);
    ASSERT_FALSE(machine.empty());
    EXPECT_EQ(machine.back(), seven);
}
