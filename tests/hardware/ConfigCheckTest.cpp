#include "HardwareGridFixture.h"
#include "hardware/CHardwareConfigCheck.h"
#include "hardware/HardwareTexts.h"
#include "model/CpuProfile.h"

#include <functional>

namespace {

constexpr BYTE CODE_DO16 = 10;

class ConfigCheckTest : public HardwareGridFixture {
protected:
    // Appends a record as a project file would bring it, without placement.
    CZUL_Q7_PLC& Append(BYTE code)
    {
        auto record = std::make_unique<CZUL_Q7_PLC>();
        record->InitFromCatalog(*FindCatalogRowByCode(code));
        Project().Modules.push_back(std::move(record));
        return *Project().Modules.back();
    }
};

TEST_F(ConfigCheckTest, AnEmptyConfigurationPassesEveryCheck)
{
    EXPECT_TRUE(CheckNoEmptySlot(Project()).passed);
    EXPECT_TRUE(CheckChannelCounts(Project()).passed);
    EXPECT_TRUE(CheckModuleAddresses(Project()).passed);
}

TEST_F(ConfigCheckTest, AnEmptySlotInTheMiddleMakesTheConfigurationInconsistent)
{
    Build(CODE_VB16, {CODE_DI8, CODE_DO8, CODE_DI8});
    Remove(2, 2);
    ASSERT_EQ(4, Slots());
    const CHardwareCheckResult result = CheckNoEmptySlot(Project());
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(kHardwareInconsistent, result.message);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), result.icon);
}

struct AddressCase {
    const char* name;
    std::vector<BYTE> modules;
    std::function<void(CZULProject&)> spoil;
    const char* message; // null: passes
    int row;
    int column;
};

class ModuleAddressTest : public ConfigCheckTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(ModuleAddressTest, ReportsTheFirstFaultyModuleWithItsRowAndCell)
{
    const AddressCase& c = GetParam();
    Build(CODE_VB16, c.modules);
    ASSERT_TRUE(CheckModuleAddresses(Project()).passed);
    c.spoil(Project());
    const CHardwareCheckResult result = CheckModuleAddresses(Project());
    if (!c.message) {
        EXPECT_TRUE(result.passed) << result.message;
        return;
    }
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(c.message, result.message);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), result.icon);
    EXPECT_EQ(c.row, result.row);
    EXPECT_EQ(c.column, result.column);
}

CZUL_Q7_PLC& At(CZULProject& project, size_t slot)
{
    return *project.Modules[slot];
}

const AddressCase kAddressCases[] = {
    {"SharedIByteAtTheLaterModule", {CODE_DI8, CODE_DO8, CODE_DI8},
     [](CZULProject& p) { At(p, 3).iStart = At(p, 3).iEnd = At(p, 1).iStart; },
     "I Address of Module 4 has been assigned.", 4, 1},
    {"SharedQByte", {CODE_DO8, CODE_DO8},
     [](CZULProject& p) { At(p, 2).qStart = At(p, 2).qEnd = At(p, 0).qEnd; },
     "Q Address of Module 3 has been assigned.", 3, 2},
    {"IBeyondTheArea", {CODE_DI8}, [](CZULProject& p) { At(p, 1).iStart = At(p, 1).iEnd = 32; },
     "I Address of Module 2 is out of range.", 2, 1},
    {"QBeyondTheArea", {CODE_DO8}, [](CZULProject& p) { At(p, 1).qEnd = 40; },
     "Q Address of Module 2 is out of range.", 2, 2},
    {"OddAIStartInsideTheArea", {CODE_AI4},
     [](CZULProject& p) {
         At(p, 1).aiStart = 3;
         At(p, 1).aiEnd = 10;
     },
     "AI address of module \"2\" must be even.", 2, 1},
    {"AIBeyondTheArea", {CODE_AI4},
     [](CZULProject& p) {
         At(p, 1).aiStart = 60;
         At(p, 1).aiEnd = 67;
     },
     "AI Address of Module 2 is out of range.", 2, 1},
    {"SharedAIWord", {CODE_AI4, CODE_THERMO}, [](CZULProject& p) { At(p, 2).aiStart = 6; },
     "AI Address of Module 3 has been assigned.", 3, 1},
    {"OddAQStart", {CODE_AO2},
     [](CZULProject& p) {
         At(p, 1).aoStart = 1;
         At(p, 1).aoEnd = 4;
     },
     "AQ address of module \"2\" must be even.", 2, 2},
    {"SharedAQWordWithoutBlankBeforeTheNumber", {CODE_AO2, CODE_AIO3},
     [](CZULProject& p) {
         At(p, 2).aoStart = 2;
         At(p, 2).aoEnd = 3;
     },
     "AQ Address of Module3 has been assigned.", 3, 2},
    {"StartAboveEndOccupiesNothing", {CODE_DI8, CODE_DI8},
     [](CZULProject& p) {
         At(p, 2).iStart = At(p, 1).iStart + 1;
         At(p, 2).iEnd = At(p, 1).iStart;
     },
     nullptr, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Faults, ModuleAddressTest, ::testing::ValuesIn(kAddressCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigCheckTest, AnalogRecordsOnAFamilyWithoutAnalogAreasAreNotExamined)
{
    InsertAt(0, CODE_VB12);
    CZUL_Q7_PLC& ai = Append(CODE_AI4);
    ai.aiStart = 3;
    ai.aiEnd = 200;
    EXPECT_TRUE(CheckModuleAddresses(Project()).passed);
}

struct CountCase {
    const char* name;
    BYTE cpu;
    std::vector<BYTE> modules;
    const char* message;
};

class ChannelCountTest : public ConfigCheckTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(ChannelCountTest, ReportsTheFirstTotalAboveTheCpuLimit)
{
    const CountCase& c = GetParam();
    InsertAt(0, c.cpu);
    for (BYTE code : c.modules)
        Append(code);
    const CHardwareCheckResult result = CheckChannelCounts(Project());
    if (!c.message) {
        EXPECT_TRUE(result.passed) << result.message;
        return;
    }
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(c.message, result.message);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), result.icon);
    EXPECT_EQ(0, result.row);
}

const CountCase kCountCases[] = {
    {"CpuOutputsCountTowardsTheDOTotal", CODE_VB14, {CODE_DO16, CODE_DO16, CODE_DO16, CODE_DO16},
     "The number of DO channel is out of range.\r\nThe current CPU permits 64 DO channels at most."},
    {"DIComesBeforeDO", CODE_VB14, {CODE_DIO16, CODE_DIO16, CODE_DIO16, CODE_DIO16, CODE_DIO16, CODE_DIO16, CODE_DIO16},
     "The number of DI channel is out of range.\r\nThe current CPU permits 64 DI channels at most."},
    {"AnalogInputsOnACpuWithoutThem", CODE_VB12, {CODE_AI4},
     "The number of AI channel is out of range.\r\nThe current CPU permits 0 AI channels at most."},
    {"AnalogOutputsOfInputOutputModules", CODE_VB14,
     {CODE_AIO3, CODE_AIO3, CODE_AIO3, CODE_AIO3, CODE_AIO3, CODE_AIO3, CODE_AIO3, CODE_AIO3, CODE_AO2,
      CODE_AO2, CODE_AO2, CODE_AO2, CODE_AO2},
     "The number of AO channel is out of range.\r\nThe current CPU permits 16 AO channels at most."},
    {"TotalsAtTheLimitPass", CODE_VB14, {CODE_DI16, CODE_DI16, CODE_DO8}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Totals, ChannelCountTest, ::testing::ValuesIn(kCountCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
