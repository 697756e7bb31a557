#include "CpuPagesFixture.h"
#include "hardware/CPageCPUComModel.h"

#include <gmock/gmock.h>

#include <set>

namespace {

class CpuComPageTest : public CpuPagesFixture {
protected:
    CPageCPUComModel& Open(CZUL_Q7_PLC& module)
    {
        m_page = std::make_unique<CPageCPUComModel>(*m_app);
        m_page->Context().SetModule(&module);
        m_page->OnInitDialog();
        return *m_page;
    }
    int Switch() const { return m_app->Project.GetModbusInt(1, MODBUS_SWITCH_OFFSET); }
    BYTE Enable() const { return m_app->Project.ModbusMaster[1][MODBUS_ENABLE_OFFSET]; }

    std::unique_ptr<CPageCPUComModel> m_page;
};

TEST(CpuComPageLists, ListsAndBaudCodesFollowTheStoredCodes)
{
    EXPECT_EQ(31u, CPageCPUComModel::ListItems(PORT_LIST_ADDRESS).size());
    EXPECT_EQ("31", CPageCPUComModel::ListItems(PORT_LIST_ADDRESS).back());
    EXPECT_THAT(CPageCPUComModel::ListItems(PORT_LIST_BAUD),
                ::testing::ElementsAre("1200", "2400", "4800", "9600", "19200", "38400"));
    EXPECT_THAT(CPageCPUComModel::ListItems(PORT_LIST_PARITY), ::testing::ElementsAre("None", "Odd", "Even"));
    EXPECT_THAT(CPageCPUComModel::ListItems(PORT_LIST_DATA_BITS), ::testing::ElementsAre("", "8"));
    EXPECT_THAT(CPageCPUComModel::ListItems(PORT_LIST_STOP_BITS), ::testing::ElementsAre("1"));

    struct Case {
        int code;
        int item;
    };
    const Case cases[] = {{5, 0}, {0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.item, CPageCPUComModel::BaudItemOfCode(c.code)) << c.code;
        EXPECT_EQ(c.code, CPageCPUComModel::BaudCodeOfItem(c.item)) << c.item;
    }
    EXPECT_EQ(NO_SELECTION, CPageCPUComModel::BaudItemOfCode(6));
}

TEST(CpuComPageLists, Port1ExistsOnlyOnTheLargerCpus)
{
    const std::set<int> withPort1 = {4, 5, 36, 37, 40, 43, 44, 45, 46, 47, 48, 49, 51};
    for (int code = 0; code <= 60; ++code)
        EXPECT_EQ(withPort1.count(code) == 1, CPageCPUComModel::HasPort1(static_cast<BYTE>(code))) << code;
}

TEST_F(CpuComPageTest, LoadingShowsTheRecordAndLeavesTheModifiedFlag)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    cpu.ports[0] = {7, 5, 2, 1, 0};
    cpu.ports[1] = {31, 4, 1, 1, 0};
    Project().SetModbusInt(1, MODBUS_TIMEOUT_OFFSET, 250);
    Project().ModbusRetries = 7;
    for (bool marked : {false, true}) {
        m_doc.SetModifiedFlag(marked);
        CPageCPUComModel& page = Open(cpu);
        EXPECT_EQ(marked, Modified());
        EXPECT_THAT(page.selection[0], ::testing::ElementsAre(6, 0, 2, 1, 0));
        EXPECT_THAT(page.selection[1], ::testing::ElementsAre(30, 5, 1, 1, 0));
        EXPECT_TRUE(page.port1Enabled);
        EXPECT_EQ("250", page.timeoutText);
        EXPECT_EQ("7", page.retriesText);
    }
}

TEST_F(CpuComPageTest, OutOfRangeStoredMasterValuesShowTheirDefaults)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    Project().SetModbusInt(1, MODBUS_TIMEOUT_OFFSET, 70000);
    Project().ModbusRetries = 11;
    CPageCPUComModel& page = Open(cpu);
    EXPECT_EQ("1000", page.timeoutText);
    EXPECT_EQ("3", page.retriesText);
}

TEST_F(CpuComPageTest, ApplyStoresBothPortsAndTheMasterValues)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VC14);
    CPageCPUComModel& page = Open(cpu);
    page.selection[0][PORT_LIST_ADDRESS] = 4;
    page.selection[0][PORT_LIST_BAUD] = 5;
    page.selection[0][PORT_LIST_PARITY] = 2;
    page.selection[1][PORT_LIST_BAUD] = 0;
    page.timeoutText = "65535";
    page.retriesText = "10";
    ASSERT_TRUE(page.ApplyPortSettings());
    EXPECT_EQ(5, cpu.ports[0].address);
    EXPECT_EQ(4, cpu.ports[0].baud);
    EXPECT_EQ(2, cpu.ports[0].parity);
    EXPECT_EQ(1, cpu.ports[0].dataBits);
    EXPECT_EQ(5, cpu.ports[1].baud);
    EXPECT_EQ(65535, Project().GetModbusInt(1, MODBUS_TIMEOUT_OFFSET));
    EXPECT_EQ(10, Project().ModbusRetries);
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(CpuComPageTest, NumbersOutsideTheirRangesAreStoredAsDefaults)
{
    struct Case {
        const char* timeout;
        const char* retries;
        int storedTimeout;
        int storedRetries;
        size_t messages;
    };
    const Case cases[] = {
        {"0", "11", 1000, 3, 2}, {"65536", "abc", 1000, 3, 2}, {"1", "0", 1, 0, 0}, {"", "4", 1000, 4, 1}};
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    for (const Case& c : cases) {
        m_ui.box.Clear();
        CPageCPUComModel& page = Open(cpu);
        page.timeoutText = c.timeout;
        page.retriesText = c.retries;
        EXPECT_TRUE(page.ApplyPortSettings());
        EXPECT_EQ(c.storedTimeout, Project().GetModbusInt(1, MODBUS_TIMEOUT_OFFSET)) << c.timeout;
        EXPECT_EQ(c.storedRetries, Project().ModbusRetries) << c.retries;
        EXPECT_EQ(c.messages, m_ui.box.Messages().size()) << c.timeout;
    }
}

TEST_F(CpuComPageTest, AListWithoutSelectionFailsTheApplyWithItsMessage)
{
    struct Case {
        int port;
        CpuPortList list;
        const char* text;
    };
    const Case cases[] = {
        {0, PORT_LIST_ADDRESS, "An unknown error with the Address of Port0. "},
        {0, PORT_LIST_BAUD, "An unknown error with the Baudrate of Port0. "},
        {0, PORT_LIST_DATA_BITS, "An unknown error with the DataBits of Port0. "},
        {0, PORT_LIST_PARITY, "An unknown error with the Parity of Port0. "},
        {0, PORT_LIST_STOP_BITS, "An unknown error with the StopBits of Port0. "},
        {1, PORT_LIST_ADDRESS, "An unknown error with the Address of Port1. "},
        {1, PORT_LIST_BAUD, "An unknown error with the Baudrate of Port1. "},
        {1, PORT_LIST_PARITY, "An unknown error with the Parity of Port1. "},
        {1, PORT_LIST_STOP_BITS, "An unknown error with the StopBits of Port1. "},
    };
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    for (const Case& c : cases) {
        m_ui.box.Clear();
        cpu.ports[0] = {};
        cpu.ports[1] = {};
        CPageCPUComModel& page = Open(cpu);
        page.selection[0][PORT_LIST_BAUD] = 4;
        page.selection[c.port][c.list] = NO_SELECTION;
        EXPECT_FALSE(page.ApplyPortSettings()) << c.text;
        ASSERT_EQ(1u, m_ui.box.Messages().size());
        EXPECT_EQ("Error", m_ui.box.Messages()[0].caption);
        EXPECT_EQ(c.text, m_ui.box.Messages()[0].text);
        EXPECT_EQ(MB_ICONERROR, m_ui.box.Messages()[0].type & MB_ICONMASK);
        // What came before the failing item stays stored.
        const bool baudStored = c.port == 1 || (c.list != PORT_LIST_ADDRESS && c.list != PORT_LIST_BAUD);
        EXPECT_EQ(baudStored ? 3 : 2, cpu.ports[0].baud) << c.text;
    }
}

TEST_F(CpuComPageTest, SmallCpuHasNoPort1AndStoresOnlyPort0)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB12);
    cpu.ports[1] = {9, 9, 9, 9, 9};
    CPageCPUComModel& page = Open(cpu);
    EXPECT_FALSE(page.port1Enabled);
    EXPECT_FALSE(page.port1AddressEnabled);
    page.selection[0][PORT_LIST_ADDRESS] = 2;
    ASSERT_TRUE(page.ApplyPortSettings());
    EXPECT_EQ(3, cpu.ports[0].address);
    EXPECT_EQ(9, cpu.ports[1].address);
    EXPECT_EQ(9, cpu.ports[1].baud);
}

TEST_F(CpuComPageTest, DataBitsStayAtEightAndParityCountsAnotherChoice)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    CPageCPUComModel& page = Open(cpu);
    page.selection[1][PORT_LIST_DATA_BITS] = 0;
    page.OnDataBitsChanged(1);
    EXPECT_EQ(DATA_BITS_EIGHT_ITEM, page.selection[1][PORT_LIST_DATA_BITS]);
    EXPECT_TRUE(Modified());

    page.selection[0][PORT_LIST_DATA_BITS] = 0;
    page.selection[0][PORT_LIST_PARITY] = 1;
    ASSERT_TRUE(page.ApplyPortSettings());
    EXPECT_EQ(0, cpu.ports[0].dataBits);
    EXPECT_EQ(2, cpu.ports[0].parity);
}

TEST_F(CpuComPageTest, ModbusMasterSwitchChangesTheProjectAtOnceAndMarksIt)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VC16);
    CPageCPUComModel& page = Open(cpu);
    EXPECT_EQ(-1, Switch());
    EXPECT_FALSE(page.masterFieldsEnabled);
    EXPECT_TRUE(page.port1AddressEnabled);
    EXPECT_FALSE(Modified());

    page.master = true;
    page.OnModbusMasterClicked();
    EXPECT_EQ(1, Switch());
    EXPECT_EQ(1, Enable());
    EXPECT_FALSE(page.port1AddressEnabled);
    EXPECT_TRUE(page.masterFieldsEnabled);
    EXPECT_TRUE(Modified());

    ClearModified();
    page.master = false;
    page.OnModbusMasterClicked();
    EXPECT_EQ(-1, Switch());
    EXPECT_EQ(0, Enable());
    EXPECT_TRUE(page.port1AddressEnabled);
    EXPECT_FALSE(page.masterFieldsEnabled);
    EXPECT_TRUE(Modified());
}

TEST_F(CpuComPageTest, StoredMasterEnableSetsTheMarkerOnLoading)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB14EX);
    Project().ModbusMaster[1][MODBUS_ENABLE_OFFSET] = 1;
    Project().SetModbusInt(1, MODBUS_SWITCH_OFFSET, -1);
    CPageCPUComModel& page = Open(cpu);
    EXPECT_TRUE(page.master);
    EXPECT_EQ(1, Switch());
    EXPECT_FALSE(page.port1AddressEnabled);
    EXPECT_TRUE(page.masterFieldsEnabled);
    EXPECT_FALSE(Modified());
}

TEST_F(CpuComPageTest, DefaultKeepsTheMasterAndCancelRestoresTheRecord)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    cpu.ports[0] = {4, 0, 1, 1, 0};
    CPageCPUComModel& page = Open(cpu);
    page.master = true;
    page.OnModbusMasterClicked();
    page.timeoutText = "17";

    page.SetDefaultSettings();
    EXPECT_THAT(page.selection[0], ::testing::ElementsAre(0, 3, 0, 1, 0));
    EXPECT_THAT(page.selection[1], ::testing::ElementsAre(0, 3, 0, 1, 0));
    EXPECT_EQ("1000", page.timeoutText);
    EXPECT_EQ("3", page.retriesText);
    EXPECT_TRUE(page.master);
    EXPECT_EQ(1, Switch());

    page.ReloadSettings();
    EXPECT_THAT(page.selection[0], ::testing::ElementsAre(3, 1, 1, 1, 0));
}

TEST_F(CpuComPageTest, ARecordThatIsNotTheCpuShowsDefaultsAndStoresNothing)
{
    AddModule(CPU_CODE_VB16);
    CZUL_Q7_PLC& other = AddModule(CPU_CODE_VB16);
    other.ports[0] = {9, 0, 2, 1, 0};
    CPageCPUComModel& page = Open(other);
    EXPECT_THAT(page.selection[0], ::testing::ElementsAre(0, 3, 0, 1, 0));
    EXPECT_FALSE(Modified());
    page.selection[0][PORT_LIST_ADDRESS] = 20;
    EXPECT_TRUE(page.ApplyPortSettings());
    EXPECT_EQ(9, other.ports[0].address);
}

} // namespace
