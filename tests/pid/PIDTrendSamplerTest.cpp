#include "pid/CPIDTrendSampler.h"
#include "pid/PIDLoopImage.h"

#include "platform/Gbk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Image {
    BYTE bytes[PID_IMAGE_BYTES] = {};

    Image& Short(int offset, int value)
    {
        bytes[offset] = static_cast<BYTE>(value & 0xFF);
        bytes[offset + 1] = static_cast<BYTE>((value >> 8) & 0xFF);
        return *this;
    }
    Image& Long(int offset, int value)
    {
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<BYTE>((static_cast<unsigned>(value) >> (8 * i)) & 0xFF);
        return *this;
    }
    Image& Real(int offset, float value)
    {
        int bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return Long(offset, bits);
    }
    Image& Byte(int offset, BYTE value)
    {
        bytes[offset] = value;
        return *this;
    }
};

Image Loop(int pv, int out)
{
    Image image;
    image.Short(PID_IMAGE_PV_H, 200).Short(PID_IMAGE_PV_L, 100).Short(PID_IMAGE_XOUTP_H, 32000);
    image.Short(PID_IMAGE_XOUTP_L, 0).Short(PID_IMAGE_PV, pv).Short(PID_IMAGE_XOUTP, out);
    return image;
}

} // namespace

TEST(PIDLoopImage, PercentOfTheRange)
{
    struct Case {
        int value, low, span;
        float expected;
    };
    const Case cases[] = {
        {100, 100, 100, 0.0f},
        {200, 100, 100, 100.0f},
        {150, 100, 100, 50.0f},
        {50, 100, 100, -50.0f},
        {100, 100, 0, 0.0f}, // an empty range never divides by zero
        {7, 3, 0, 0.0f},
        {1, 0, 3, 33.333332f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(PIDPercent(c.value, c.low, c.span), c.expected) << c.value << "/" << c.span;
}

TEST(PIDLoopImage, ReadsLittleEndianFields)
{
    Image image;
    image.Short(PID_IMAGE_PV, -1234).Long(PID_IMAGE_CYCLE, 100000).Real(PID_IMAGE_KP, 2.5f);
    EXPECT_EQ(PIDImageShort(image.bytes, PID_IMAGE_PV), -1234);
    EXPECT_EQ(PIDImageLong(image.bytes, PID_IMAGE_CYCLE), 100000);
    EXPECT_FLOAT_EQ(PIDImageFloat(image.bytes, PID_IMAGE_KP), 2.5f);
}

TEST(PIDLoopImage, StatusTextsOfTheTuneBytes)
{
    struct Case {
        BYTE control;
        BYTE status;
        BYTE result;
        const char* response;
        const char* type;
        const char* deviation;
        const char* hysDev;
        const char* state;
        const char* alarm;
        const char* resultText;
    };
    const Case cases[] = {
        {0x8C, 0x05, 0x83, "动态响应类型：慢速", "PID类型：PID", "滞后值和偏差值处理：自动",
            "AT_HYS：0.125  AT_DEV：0.500", "自整定状态：第2个过渡过程", "自整定报警：无报警",
            "自整定成功：AT_KP = 1.50 AT_TR = 20.00 AT_TD = 3.00"},
        {0x10, 0x30, 0x03, "动态响应类型：快速", "PID类型：PI", "滞后值和偏差值处理：手动",
            "HYS：0.020  DEV：0.080", "自整定状态：自整定未运行",
            "自整定报警：自动计算得到的滞后值（AT_HYS）小于允许的最小值", "自整定结束：自整定看门狗超时"},
        {0x64, 0x87, 0x00, "动态响应类型：中速", "PID类型：PD", "滞后值和偏差值处理：自动",
            "AT_HYS：0.125  AT_DEV：0.500", "自整定状态：自整定过程正常完成",
            "自整定报警：PV的偏差最大值没有超过滞后值的3倍", ""},
        {0xF8, 0x41, 0x07, "动态响应类型：极慢速", "PID类型：P", "滞后值和偏差值处理：自动",
            "AT_HYS：0.125  AT_DEV：0.500", "自整定状态：正在采集基准输出值",
            "自整定报警：在自整定过程开始的2.5个振荡周期内，PV的偏差最大值超过了滞后值8倍",
            "自整定成功：AT_KP = 1.50 AT_TR = 20.00 AT_TD = 3.00"},
        {0x00, 0x20, 0x06, "动态响应类型：快速", "PID类型：PID", "滞后值和偏差值处理：手动",
            "HYS：0.020  DEV：0.080", "自整定状态：自整定未运行", "自整定报警：所用的偏差值小于滞后值的4倍",
            "自整定结束：PV的偏差最大值小于0"},
        {0x00, 0x00, 0x08, "动态响应类型：快速", "PID类型：PID", "滞后值和偏差值处理：手动",
            "HYS：0.020  DEV：0.080", "自整定状态：自整定未运行", "自整定报警：无报警", "自整定结果读取失败"},
    };
    for (const Case& c : cases) {
        Image image = Loop(150, 16000);
        image.Byte(PID_IMAGE_TUNE_CONTROL, c.control).Byte(PID_IMAGE_TUNE_STATUS, c.status);
        image.Byte(PID_IMAGE_TUNE_RESULT, c.result);
        image.Real(PID_IMAGE_HYS, 0.02f).Real(PID_IMAGE_DEV, 0.08f).Real(PID_IMAGE_AT_HYS, 0.125f);
        image.Real(PID_IMAGE_AT_DEV, 0.5f).Real(PID_IMAGE_AT_KP, 1.5f).Real(PID_IMAGE_AT_TR, 20.0f);
        image.Real(PID_IMAGE_AT_TD, 3.0f);
        const PIDStatusTexts texts = BuildPIDStatus(image.bytes);
        EXPECT_EQ(GbkToUtf8(texts.Response), c.response);
        EXPECT_EQ(GbkToUtf8(texts.Type), c.type);
        EXPECT_EQ(GbkToUtf8(texts.Deviation), c.deviation);
        EXPECT_EQ(GbkToUtf8(texts.HysDev), c.hysDev);
        EXPECT_EQ(GbkToUtf8(texts.State), c.state);
        EXPECT_EQ(GbkToUtf8(texts.Alarm), c.alarm);
        EXPECT_EQ(GbkToUtf8(texts.Result), c.resultText);
    }
}

TEST(PIDLoopImage, ParameterLines)
{
    Image image = Loop(150, 16000);
    image.Long(PID_IMAGE_CYCLE, 500).Real(PID_IMAGE_KP, 1.25f).Real(PID_IMAGE_TR, 30.0f).Real(PID_IMAGE_TD, 0.5f);
    image.Real(PID_IMAGE_STEP, 0.1f).Real(PID_IMAGE_STEP_CORRECTION, 0.2f).Byte(PID_IMAGE_PVFIL, 200);
    image.Real(PID_IMAGE_WDG, 7200.0f);
    const PIDStatusTexts texts = BuildPIDStatus(image.bytes);
    EXPECT_EQ(texts.Gains, "KP = 1.25 TR = 30.00 TD = 0.50");
    EXPECT_EQ(texts.PVRange, "PV_H = 200 PV_L = 100 ");
    EXPECT_EQ(texts.OutRange, "XOUTP_H = 32000 XOUTP_L = 0");
    EXPECT_EQ(texts.Cycle, "CYCLE = 500");
    EXPECT_EQ(GbkToUtf8(texts.StepStart), "STEP初值：0.100");
    EXPECT_EQ(GbkToUtf8(texts.StepCorrection), "STEP修正值：0.200");
    EXPECT_EQ(GbkToUtf8(texts.Filter), "PVFIL值：200");
    EXPECT_EQ(GbkToUtf8(texts.Watchdog), "WDG值：7200.000");
    EXPECT_EQ(texts.PVSpan, 100);
    EXPECT_EQ(texts.OutSpan, 32000);
}

TEST(PIDTrendSampler, SpansComeFromTheStatusRefreshOfThePreviousTick)
{
    CPIDTrendSampler sampler;
    sampler.Start();
    PIDStatusTexts status;
    struct Tick {
        int pv, out;
        PIDSampleResult result;
        float pvPercent, outPercent;
    };
    const Tick ticks[] = {
        {150, 16000, PIDSampleResult::Taken, 0.0f, 0.0f},           // no span yet: 0 %
        {150, 16000, PIDSampleResult::TakenWithStatus, 0.0f, 0.0f}, // spans read now
        {150, 16000, PIDSampleResult::TakenWithStatus, 50.0f, 50.0f},
        {100, 0, PIDSampleResult::TakenWithStatus, 0.0f, 0.0f},
        {200, 32000, PIDSampleResult::TakenWithStatus, 100.0f, 100.0f},
        {175, 8001, PIDSampleResult::TakenWithStatus, 75.0f, 25.003125f},
    };
    int i = 0;
    for (const Tick& t : ticks) {
        const Image image = Loop(t.pv, t.out);
        EXPECT_EQ(sampler.TakeSample(image.bytes, status), t.result) << i;
        EXPECT_FLOAT_EQ(sampler.PVPercent(i), t.pvPercent) << i;
        EXPECT_FLOAT_EQ(sampler.XOUTPercent(i), t.outPercent) << i;
        EXPECT_EQ(sampler.PVPoint(i).x, i);
        EXPECT_EQ(sampler.PVPoint(i).y, static_cast<int>(t.pvPercent));
        EXPECT_EQ(sampler.XOUTPoint(i).y, static_cast<int>(t.outPercent));
        ++i;
    }
    EXPECT_EQ(sampler.SampleCount(), i);
}

TEST(PIDTrendSampler, WindowMovesOnAndSamplingStopsAtTheLimit)
{
    CPIDTrendSampler sampler;
    sampler.Start();
    PIDStatusTexts status;
    const Image image = Loop(150, 16000);
    struct Mark {
        int count;
        int firstVisible;
    };
    const Mark marks[] = {{1, 0}, {649, 0}, {650, 100}, {749, 100}, {750, 200}, {14399, 13800}};
    int taken = 0;
    for (const Mark& m : marks) {
        while (taken < m.count) {
            EXPECT_NE(sampler.TakeSample(image.bytes, status), PIDSampleResult::Full);
            ++taken;
        }
        EXPECT_EQ(sampler.SampleCount(), m.count);
        EXPECT_EQ(sampler.FirstVisible(), m.firstVisible) << m.count;
    }
    EXPECT_EQ(sampler.TakeSample(image.bytes, status), PIDSampleResult::Full);
    EXPECT_EQ(sampler.SampleCount(), PID_SAMPLE_LIMIT);

    sampler.Start();
    EXPECT_EQ(sampler.SampleCount(), 0);
    EXPECT_EQ(sampler.FirstVisible(), 0);
    EXPECT_FLOAT_EQ(sampler.PVPercent(5), 0.0f);
    EXPECT_EQ(sampler.PVPoint(5).x, 0);
}
