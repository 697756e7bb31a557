#include "pid/PIDAutoTune.h"
#include "pid/PIDWizardSummary.h"

#include "platform/Gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CPIDLoopConfig Defaults(int loop)
{
    CPIDLoopConfig config;
    config.SetDefaults(loop);
    return config;
}

TuneControlPage Page(int response, int type, BOOL autoDeviation)
{
    TuneControlPage page;
    if (response >= 0)
        page.Response[response] = TRUE;
    if (type >= 0)
        page.Type[type] = TRUE;
    page.AutoDeviation = autoDeviation;
    return page;
}

} // namespace

TEST(PIDAutoTune, DecodeShowsTheRadiosOfTheControlByte)
{
    struct Case {
        BYTE control;
        int response;
        int type;
        BOOL autoDeviation;
    };
    const Case cases[] = {
        {0x8C, TUNE_RESPONSE_SLOW, TUNE_TYPE_PID, TRUE},
        {0x00, TUNE_RESPONSE_FAST, TUNE_TYPE_PID, FALSE},
        {0x50, TUNE_RESPONSE_MEDIUM, TUNE_TYPE_PI, FALSE},
        {0xE4, TUNE_RESPONSE_VERY_SLOW, TUNE_TYPE_PD, TRUE},
        {0x3B, TUNE_RESPONSE_FAST, TUNE_TYPE_P, TRUE},
        {0x7F, TUNE_RESPONSE_MEDIUM, TUNE_TYPE_P, TRUE},
    };
    for (const Case& c : cases) {
        const TuneControlPage page = DecodeTuneControl(c.control);
        for (int i = 0; i < TUNE_CHOICES; ++i) {
            EXPECT_EQ(page.Response[i], i == c.response ? TRUE : FALSE) << int(c.control);
            EXPECT_EQ(page.Type[i], i == c.type ? TRUE : FALSE) << int(c.control);
        }
        EXPECT_EQ(page.AutoDeviation, c.autoDeviation) << int(c.control);
    }
}

TEST(PIDAutoTune, PackBuildsTheControlByteAndKeepsTheReservedBits)
{
    struct Case {
        TuneControlPage page;
        BYTE working;
        BYTE expected;
    };
    TuneControlPage none;
    TuneControlPage several = Page(TUNE_RESPONSE_FAST, TUNE_TYPE_PI, FALSE);
    several.Response[TUNE_RESPONSE_MEDIUM] = TRUE;
    several.Type[TUNE_TYPE_P] = TRUE;
    const Case cases[] = {
        {Page(TUNE_RESPONSE_SLOW, TUNE_TYPE_PID, TRUE), 0x8C, 0x8C},
        {Page(TUNE_RESPONSE_MEDIUM, TUNE_TYPE_PD, FALSE), 0x8C, 0x60},
        {Page(TUNE_RESPONSE_MEDIUM, TUNE_TYPE_PD, FALSE), 0x8D, 0x61},
        {Page(TUNE_RESPONSE_FAST, TUNE_TYPE_P, TRUE), 0x03, 0x3F},
        {Page(TUNE_RESPONSE_VERY_SLOW, TUNE_TYPE_PI, FALSE), 0x00, 0xD0},
        // No choice or several choices in a group: slow and PID.
        {none, 0x02, 0x82},
        {several, 0x00, 0x80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PackAutoTuneControlByte(c.page, c.working), c.expected) << int(c.expected);
}

TEST(PIDAutoTune, PackOfTheDecodedByteGivesItBackWithBothAutoBits)
{
    for (int b = 0; b < 256; ++b) {
        const BYTE control = static_cast<BYTE>(b);
        const BYTE expected = (control & 0x0C) != 0 ? static_cast<BYTE>(control | 0x0C) : control;
        EXPECT_EQ(PackAutoTuneControlByte(DecodeTuneControl(control), control), expected) << b;
    }
}

TEST(PIDAutoTune, TableOfLoopTwo)
{
    CPIDLoopConfig loop = Defaults(2);
    loop.WDG = 7200.9f;
    loop.PVFIL = 5;
    const std::vector<AutoTuneTableRow> rows = BuildAutoTuneTable(loop);
    ASSERT_EQ(rows.size(), 14u);
    struct Expected {
        size_t row;
        const char* label;
        const char* address;
        const char* direction;
        const char* value;
    };
    const Expected expected[] = {
        {0, "配置控制字节", "%VB2740", "输入", "b#2#10001100"},
        {1, "状态过程字节", "%VB2741", "输出", ""},
        {3, "滤波时间", "%VB2743", "输入", "b#5"},
        {4, "用户指定的滞后值(HYS)", "%VR2744", "输入", "0.020000"},
        {5, "用户指定的最大允许偏差值(DEV)", "%VR2748", "输入", "0.080000"},
        {6, "用户指定的输出阶跃值(STEP)", "%VR2752", "输入", "0.100000"},
        {7, "用户指定的自整定看门狗时间（秒）", "%VR2756", "输入", "7200"},
        {13, "自动计算得到的输出阶跃值(STEP)", "%VR2780", "输出", ""},
    };
    for (const Expected& e : expected) {
        const AutoTuneTableRow& row = rows[e.row];
        EXPECT_EQ(GbkToUtf8(row.Label), e.label);
        EXPECT_EQ(row.Address, e.address);
        EXPECT_EQ(GbkToUtf8(row.Direction), e.direction);
        EXPECT_EQ(row.Value, e.value);
    }
}

TEST(PIDAutoTune, BinaryTextOfTheControlByte)
{
    EXPECT_EQ(TuneControlBinaryText(0x8C), "b#2#10001100");
    EXPECT_EQ(TuneControlBinaryText(0x00), "b#2#00000000");
    EXPECT_EQ(TuneControlBinaryText(0xFF), "b#2#11111111");
}

TEST(PIDWizardSummary, AnalogAndSwitchedOutput)
{
    CPIDLoopConfig loop = Defaults(1);
    loop.PV_H = 100;
    loop.PV_L = -20;
    loop.XOUTP_H = 32000;
    loop.XOUTP_L = 6400;
    loop.CYCLE = 500;
    loop.KP = 1.5f;
    loop.TR = 10.0f;
    loop.TD = 0.25f;
    struct Case {
        int analog;
        std::vector<std::pair<int, std::string>> texts;
    };
    const Case cases[] = {
        {1,
            {{1358, "100 %VW2800"}, {1359, "-20 %VW2802"}, {1360, "32000 %VW2804"}, {1361, "6400 %VW2806"},
                {1362, "500 %VD2808"}, {1354, "%VW2812"}, {1355, "%VW2814"}, {1356, "%VR2816"},
                {1363, "%VR2820"}, {1364, "%VW2824"}, {1357, "0.250000 %VR3878"}, {1352, "10.000000 %VR3882"},
                {1351, "1.500000 %VR3886"}, {1353, "自动变量"}, {1365, "配置如图，使用了子程序SBR91"}}},
        {0, {{1360, "107 %VW2804"}, {1361, "0 %VW2806"}}},
    };
    for (const Case& c : cases) {
        loop.AnalogOutput = c.analog;
        const std::vector<PIDSummaryText> summary = BuildPIDSummary(loop, 1);
        ASSERT_EQ(summary.size(), 15u);
        for (const auto& [id, text] : c.texts) {
            bool found = false;
            for (const PIDSummaryText& s : summary) {
                if (s.ControlId != id)
                    continue;
                found = true;
                EXPECT_EQ(GbkToUtf8(s.Text), text) << id;
            }
            EXPECT_TRUE(found) << id;
        }
    }
    EXPECT_EQ(GbkToUtf8(PIDLoopLine(6)), "第 6 路PID");
}
