#include "AppDataFixture.h"
#include "model/CMemAreaInfo.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ProjectContainerTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        std::memcpy(g_LiveAreaTable, g_MemAreasDefault, sizeof g_LiveAreaTable); // I and Q 8 bytes, AI and AQ 32
    }

    CZUL_Q7_PLC* AddModule(BYTE hardwareCode)
    {
        auto* module = new CZUL_Q7_PLC;
        module->InitFromCatalog(*FindCatalogRowByCode(hardwareCode));
        Project().Modules.emplace_back(module);
        return module;
    }
    CZULProject& Project() { return m_app->Project; }
};

constexpr BYTE kCpuVB14 = 2;     // 14 DI, 10 DO
constexpr BYTE kDI8 = 6;
constexpr BYTE kDI16 = 8;
constexpr BYTE kDO16 = 10;
constexpr BYTE kAI4 = 18;
constexpr BYTE kAI2AO2 = 41;

} // namespace

TEST_F(ProjectContainerTest, InputBytesAreGivenFirstFit)
{
    CZUL_Q7_PLC* cpu = AddModule(kCpuVB14);
    CZUL_Q7_PLC* di8 = AddModule(kDI8);
    CZUL_Q7_PLC* di16 = AddModule(kDI16);
    EXPECT_EQ(Project().AllocInputBytes(cpu), 1);
    EXPECT_EQ(Project().AllocInputBytes(di8), 1);
    EXPECT_EQ(Project().AllocInputBytes(di16), 1);
    EXPECT_EQ(cpu->iStart, 0);
    EXPECT_EQ(cpu->iEnd, 1);
    EXPECT_EQ(di8->iStart, 2);
    EXPECT_EQ(di8->iEnd, 2);
    EXPECT_EQ(di16->iStart, 3);
    EXPECT_EQ(di16->iEnd, 4);

    // A gap left by a removed module is filled first.
    CZUL_Q7_PLC* again = AddModule(kDI8);
    Project().Modules.erase(Project().Modules.begin() + 1);
    EXPECT_EQ(Project().AllocInputBytes(again), 1);
    EXPECT_EQ(again->iStart, 2);

    // A slot emptied in the hardware window holds no record and takes no room.
    Project().Modules[1].reset();
    CZUL_Q7_PLC* refill = AddModule(kDI16);
    EXPECT_EQ(Project().AllocInputBytes(refill), 1);
    EXPECT_EQ(refill->iStart, 3);

    // A module without inputs has no place in the I area.
    CZUL_Q7_PLC* outputs = AddModule(kDO16);
    outputs->iStart = 9;
    EXPECT_EQ(Project().AllocInputBytes(outputs), 0);
    EXPECT_EQ(outputs->iStart, 9);
}

TEST_F(ProjectContainerTest, NoRoomLeavesTheModuleUnchanged)
{
    EXPECT_EQ(Project().AllocInputBytes(AddModule(kCpuVB14)), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Project().AllocInputBytes(AddModule(kDI16)), 1);
    // Bytes 0..1 CPU, 2..7 three modules of two bytes: no byte is left.
    CZUL_Q7_PLC* extra = AddModule(kDI8);
    extra->iStart = 40;
    extra->iEnd = 41;
    EXPECT_EQ(Project().AllocInputBytes(extra), 0);
    EXPECT_EQ(extra->iStart, 40);
    EXPECT_EQ(extra->iEnd, 41);
}

TEST_F(ProjectContainerTest, OutputAndAnalogAreas)
{
    CZUL_Q7_PLC* cpu = AddModule(kCpuVB14);
    cpu->qStart = 5;
    EXPECT_EQ(Project().AllocOutputBytes(cpu), 1);
    EXPECT_EQ(cpu->qStart, 0);
    EXPECT_EQ(cpu->qEnd, 1);
    EXPECT_EQ(Project().AllocAnalogInputWords(cpu), 0);

    CZUL_Q7_PLC* ai4 = AddModule(kAI4);
    EXPECT_EQ(Project().AllocAnalogInputWords(ai4), 1);
    EXPECT_EQ(ai4->aiStart, 0);
    EXPECT_EQ(ai4->aiEnd, 7);
    EXPECT_EQ(Project().AllocAnalogOutputWords(ai4), 0);

    CZUL_Q7_PLC* mixed = AddModule(kAI2AO2);
    EXPECT_EQ(Project().AllocAnalogInputWords(mixed), 1);
    EXPECT_EQ(mixed->aiStart, 8);
    EXPECT_EQ(mixed->aiEnd, 11);
    EXPECT_EQ(Project().AllocAnalogOutputWords(mixed), 1);
    EXPECT_EQ(mixed->aoStart, 0);
    EXPECT_EQ(mixed->aoEnd, 3);
}

TEST_F(ProjectContainerTest, CanOpenDefaults)
{
    CZULProject& project = Project();
    project.CanOpenSlaves[5].Name = "drive";
    project.CanOpenSlaves[5].RPDO[0].Rows[3].ODName = "x";
    project.CanOpenAllTime = 100;
    project.ResetCanOpenConfig();
    const CCanOpenSlave& slave = project.CanOpenSlaves[5];
    EXPECT_EQ(slave.Node, 6);
    EXPECT_EQ(slave.Name, "");
    EXPECT_EQ(slave.RPDO[0].Rows[3].ODName, "");
    const int rx[8] = {0x206, 0x306, 0x406, 0x506, 0, 0, 0, 0};
    const int tx[8] = {0x186, 0x286, 0x386, 0x486, 0, 0, 0, 0};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(slave.RPDO[k].COB_ID, rx[k]) << k;
        EXPECT_EQ(slave.TPDO[k].COB_ID, tx[k]) << k;
        EXPECT_EQ(slave.RPDO[k].CommType, 255);
        EXPECT_EQ(slave.TPDO[k].EventTime, 10);
        EXPECT_EQ(slave.RPDO[k].ForbiddenTime, 1000);
    }
    EXPECT_EQ(slave.RPDO[7].Rows[63].Sub, -1);
    EXPECT_EQ(slave.TPDO[7].Rows[63].Sub, 0);
    EXPECT_EQ(slave.BootProg, 0xFFFF);
    EXPECT_EQ(slave.HeartOverTime, 600);
    EXPECT_EQ(project.CanOpenSlaves[125].Node, 126);
    EXPECT_EQ(project.CanOpenAllTime, 1000);
    EXPECT_EQ(project.CanOpenMasterAddr, 127);
    EXPECT_EQ(project.AllSalveStates, 1030);
}

TEST_F(ProjectContainerTest, ModbusMasterDefaults)
{
    CZULProject& project = Project();
    project.SetModbusInt(1, MODBUS_TIMEOUT_OFFSET, 55);
    project.ResetModbusMasterConfig();
    for (int port = 0; port < MODBUS_MASTER_PORTS; ++port) {
        EXPECT_EQ(project.GetModbusInt(port, MODBUS_TIMEOUT_OFFSET), 1000);
        EXPECT_EQ(project.GetModbusInt(port, MODBUS_SWITCH_OFFSET), -1);
        EXPECT_EQ(project.ModbusMaster[port][MODBUS_ENABLE_OFFSET], 0);
        const int last = 30 * MODBUS_SLAVE_RECORD_BYTES;
        EXPECT_EQ(project.GetModbusInt(port, last), 0);
        EXPECT_EQ(project.GetModbusInt(port, last + 8 + 8 * 4), 64);      // pair 5
        EXPECT_EQ(project.GetModbusInt(port, last + 12 + 8 * 5), 2063);   // pair 6
        EXPECT_EQ(project.GetModbusInt(port, last + 88), 1000);
        EXPECT_EQ(project.GetModbusInt(port, last + 92), 31);
    }
    EXPECT_EQ(project.ModbusRetries, 3);
}

TEST_F(ProjectContainerTest, ClearProjectEmptiesEverythingOnce)
{
    CZULProject& project = Project();
    project.ProjectName = "p";
    project.MainPresent = 1;
    project.MainNode.name = "MAIN";
    auto* symbol = new CZULSymbol;
    symbol->name = "Level";
    symbol->address = "%VW0";
    project.AddSymbol(symbol);
    auto* func = new CZULFunc;
    func->name = "Pump";
    func->number = 1;
    project.POUs.AddSubroutineInterface(func);
    AddModule(kCpuVB14);
    project.ForceImageSize = FORCE_IMAGE_CELLS;
    project.AllocateForceBuffers();
    project.LocalBitUsage.assign(128, 1);
    project.CanOpenSlaves[0].Name = "kept";

    for (int round = 0; round < 2; ++round) {
        project.ClearProject();
        EXPECT_EQ(project.ProjectName, "");
        EXPECT_EQ(project.MainPresent, 0);
        EXPECT_EQ(project.MainNode.kind, -1);
        EXPECT_EQ(project.MainNode.name, "");
        EXPECT_TRUE(project.SymbolLookup.empty());
        EXPECT_TRUE(project.SymbolsUpper.empty());
        EXPECT_TRUE(project.OrderedSymbols.empty());
        EXPECT_TRUE(project.POUs.SubroutineInterfaces.empty());
        EXPECT_TRUE(project.POUs.SubroutineInterfacesByNumber.empty());
        EXPECT_TRUE(project.Modules.empty());
        EXPECT_TRUE(project.ForceValues.empty());
        EXPECT_EQ(project.ForceImageSize, 0);
        EXPECT_TRUE(project.LocalBitUsage.empty());
        EXPECT_EQ(project.CanOpenSlaves[0].Name, "kept");
        EXPECT_EQ(m_app->SymbolicAddressing, 0);
    }
}

TEST_F(ProjectContainerTest, RegistriesShareTheirRecords)
{
    CZULProject& project = Project();
    auto* first = new CZULFunc;
    first->name = "Pump";
    first->number = 1;
    project.POUs.AddSubroutineInterface(first);
    auto* second = new CZULFunc;
    second->name = "Pump";
    second->number = 2;
    project.POUs.AddSubroutineInterface(second); // replaces the first everywhere
    EXPECT_EQ(project.POUs.SubroutineInterfaces.size(), 1u);
    EXPECT_EQ(project.POUs.SubroutineInterfacesUpper.at("PUMP"), second);
    EXPECT_EQ(project.POUs.SubroutineInterfacesByNumber.count(1), 0u);
    EXPECT_EQ(project.POUs.SubroutineInterfacesByNumber.at(2), second);

    auto* symbol = new CZULSymbol;
    symbol->name = "Level";
    symbol->address = "%VW0";
    project.AddSymbol(symbol);
    EXPECT_EQ(project.SymbolLookup.size(), 2u);
    EXPECT_EQ(project.SymbolLookup.at("%VW0"), symbol);
    EXPECT_EQ(project.SymbolsUpper.at("LEVEL"), symbol);
    EXPECT_EQ(symbol->orderIndex, 0);
}

TEST_F(ProjectContainerTest, VariableListsCoverEveryPou)
{
    CZULProject& project = Project();
    project.POUVarLists[7].varCount = 3;
    project.POUVarLists[7].vars.resize(3);
    project.ResetPOUVariableLists();
    EXPECT_EQ(project.POUVarLists[0].kind, 1);
    EXPECT_EQ(project.POUVarLists[1].kind, 2);
    EXPECT_EQ(project.POUVarLists[2].kind, 3);
    EXPECT_EQ(project.POUVarLists[2].number, 0);
    EXPECT_EQ(project.POUVarLists[100].number, 98);
    EXPECT_EQ(project.POUVarLists[101].kind, 4);
    EXPECT_EQ(project.POUVarLists[101].number, 0);
    EXPECT_EQ(project.POUVarLists[164].number, 63);
    EXPECT_EQ(project.POUVarLists[7].varCount, 0);
    EXPECT_TRUE(project.POUVarLists[7].vars.empty());
    for (const auto& block : project.ImageBlocks)
        EXPECT_EQ(block.size(), 6u);
    EXPECT_EQ(project.ImageBlock9.size(), 6u);
}
