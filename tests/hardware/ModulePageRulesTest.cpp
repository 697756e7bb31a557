#include "HardwareGridFixture.h"
#include "hardware/CModulePageRules.h"
#include "model/CpuProfile.h"

#include <climits>

namespace {

class ModulePageRulesTest : public HardwareGridFixture {};

struct BoundsCase {
    BYTE cpu;
    ModuleArea area;
    int length;
    int maximum;
    int step;
};

TEST_F(ModulePageRulesTest, StartBoundsKeepTheRangeInsideTheAreaAndAnalogStartsStepByTwo)
{
    const BoundsCase cases[] = {
        {CODE_VB16, ModuleArea::I, 2, 30, 1},  {CODE_VB16, ModuleArea::Q, 1, 31, 1},
        {CODE_VB16, ModuleArea::AI, 8, 56, 2}, {CODE_VB14, ModuleArea::AQ, 4, 28, 2},
        {CODE_VB14, ModuleArea::I, 1, 7, 1},
    };
    for (const BoundsCase& c : cases) {
        Project().CPUFamilyIndex = CpuFamilyIndexFromHardwareCode(c.cpu);
        m_app->LoadAreaTable();
        const CStartBounds bounds = StartBoundsOf(c.area, c.length);
        EXPECT_EQ(0, bounds.minimum);
        EXPECT_EQ(c.maximum, bounds.maximum) << static_cast<int>(c.area);
        EXPECT_EQ(c.step, bounds.step);
    }
}

TEST_F(ModulePageRulesTest, RangeLengthsCountStartedBytesAndTwoBytesPerAnalogChannel)
{
    Build(CODE_VB16, {CODE_DIO16, CODE_AIO3});
    EXPECT_EQ(3, ModuleRangeLength(*Slot(0), ModuleArea::I)); // 24 inputs
    EXPECT_EQ(2, ModuleRangeLength(*Slot(0), ModuleArea::Q)); // 16 outputs
    EXPECT_EQ(1, ModuleRangeLength(*Slot(1), ModuleArea::I));
    EXPECT_EQ(4, ModuleRangeLength(*Slot(2), ModuleArea::AI));
    EXPECT_EQ(2, ModuleRangeLength(*Slot(2), ModuleArea::AQ));
}

struct TypedCase {
    const char* text;
    int value;
    bool cut;
};

TEST_F(ModulePageRulesTest, TypedStartsWriteThroughWithEmptyAsZeroAndClampAtTheBound)
{
    Build(CODE_VB16, {CODE_DI16, CODE_AI4});
    const TypedCase cases[] = {
        {"5", 5, false}, {"", 0, false}, {"30", 30, false}, {"31", 30, true}, {"99999999999999999999", 30, true},
    };
    CStartAddressField field(Slot(1), ModuleArea::I);
    EXPECT_FALSE(field.OnTextChanged("7").written) << "the page's own fill is passed over";
    EXPECT_EQ(3, Slot(1)->iStart);
    for (const TypedCase& c : cases) {
        m_doc.SetModifiedFlag(FALSE);
        const CStartAddressField::Change change = field.OnTextChanged(c.text);
        EXPECT_TRUE(change.written);
        EXPECT_EQ(c.value, change.value) << c.text;
        EXPECT_EQ(c.cut, change.cut) << c.text;
        EXPECT_EQ(c.value, Slot(1)->iStart);
        EXPECT_EQ(c.value + 1, Slot(1)->iEnd);
        EXPECT_TRUE(m_doc.IsModified());
    }
    field.RestoreStart();
    EXPECT_EQ(3, Slot(1)->iStart);
    EXPECT_EQ(4, Slot(1)->iEnd);

    CStartAddressField analog(Slot(2), ModuleArea::AI);
    analog.OnTextChanged("0");
    EXPECT_EQ(56, analog.OnTextChanged("60").value);
    EXPECT_EQ(63, Slot(2)->aiEnd);
}

TEST_F(ModulePageRulesTest, FreezeValuesAreBroughtIntoTheSpanOfTheOutputFunction)
{
    struct Case {
        int function;
        int value;
        int expected;
    };
    const Case cases[] = {
        {3, -10000, -10000}, {0, -10000, 4000}, {2, 20000, 5000}, {0, 25000, 20000},
        {1, 12000, 12000},   {2, 999, 1000},    {1, -1, 0},       {7, 12345, 12345},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ClampFreezeValue(c.function, c.value)) << c.function << " " << c.value;
    const int defaults[] = {4000, 0, 1000, -10000};
    for (int function = 0; function < AO_FUNCTION_COUNT; ++function)
        EXPECT_EQ(defaults[function], FreezeSpans[function].defaultValue);
}

TEST_F(ModulePageRulesTest, FreezeFieldTextsReadAsWholeNumbers)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"abc", 0}, {"-10000", -10000}, {"25000", 25000}, {"+5", 5}, {"99999999999999999999", INT_MAX},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(value, FreezeValueFromText(text)) << text;
}

TEST_F(ModulePageRulesTest, AnalogInputKindsOfferTheirOwnFunctionsWithTheirCodeOffsets)
{
    const CAiFunctionChoice* thermo = AiFunctionChoiceOf(MODULE_KIND_AI_THERMOCOUPLE);
    ASSERT_NE(nullptr, thermo);
    EXPECT_EQ("type K ext. comp.", thermo->names[9 - thermo->offset]);
    EXPECT_EQ(8, thermo->offset + 1);
    const CAiFunctionChoice* ntc = AiFunctionChoiceOf(MODULE_KIND_AI_NTC);
    ASSERT_NE(nullptr, ntc);
    EXPECT_TRUE(ntc->locked);
    EXPECT_EQ(std::vector<std::string>{"mfd502-3470"}, ntc->names);
    EXPECT_EQ(4, ntc->offset);
    EXPECT_EQ(5, AiFunctionChoiceOf(MODULE_KIND_AI_RTD)->offset);
    EXPECT_EQ(0, AiFunctionChoiceOf(MODULE_KIND_AIO_2)->offset);
    EXPECT_EQ(nullptr, AiFunctionChoiceOf(MODULE_KIND_AO));
}

TEST_F(ModulePageRulesTest, DefaultMovesBothRangesOrNeither)
{
    Build(CODE_VB14, {CODE_AIO3, CODE_AI4});
    CZUL_Q7_PLC& aio = *Slot(1);
    aio.aoStart = 10;
    aio.aoEnd = 11;
    aio.aiStart = 20;
    aio.aiEnd = 23;
    EXPECT_EQ(-1, ReallocateModuleRanges(Project(), aio, {ModuleArea::AQ, ModuleArea::AI}));
    EXPECT_EQ(0, aio.aoStart);
    EXPECT_EQ(0, aio.aiStart) << "its own range counts as free";

    // The other module takes the whole AI area: the AQ range fits, the AI range does not.
    Slot(2)->aiStart = 0;
    Slot(2)->aiEnd = 31;
    aio.aoStart = 10;
    aio.aoEnd = 11;
    aio.aiStart = 20;
    aio.aiEnd = 23;
    EXPECT_EQ(1, ReallocateModuleRanges(Project(), aio, {ModuleArea::AQ, ModuleArea::AI}));
    EXPECT_EQ(10, aio.aoStart) << "no half-moved record";
    EXPECT_EQ(11, aio.aoEnd);
    EXPECT_EQ(20, aio.aiStart);
    EXPECT_EQ(23, aio.aiEnd);
}

} // namespace
