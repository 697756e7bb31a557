#include "pid/CPIDTrendChart.h"

#include "platform/CRecordingDC.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

PIDChartInput Input(const CPIDTrendSampler& sampler, int scrollX = 0)
{
    PIDChartInput input;
    input.Sampler = &sampler;
    input.SampleSeconds = 3;
    input.Client = CRect(0, 0, 800, 600);
    input.ScrollX = scrollX;
    return input;
}

void Fill(CPIDTrendSampler& sampler, int count)
{
    BYTE image[PID_IMAGE_BYTES] = {};
    PIDStatusTexts status;
    sampler.Start();
    for (int i = 0; i < count; ++i)
        sampler.TakeSample(image, status);
}

} // namespace

TEST(PIDTrendChart, PercentTicksEveryTenLabelsEveryTwenty)
{
    const std::vector<PIDChartTick> ticks = CPIDTrendChart::PercentTicks(3, 540);
    ASSERT_EQ(ticks.size(), 11u);
    for (size_t k = 0; k < ticks.size(); ++k) {
        EXPECT_EQ(ticks[k].y, 540 - 30 * static_cast<int>(k));
        EXPECT_EQ(ticks[k].Value, 10 * static_cast<int>(k));
        EXPECT_EQ(ticks[k].Labelled, k % 2 == 0 ? TRUE : FALSE) << k;
    }
    const std::vector<int> grid = CPIDTrendChart::GridLines(3, 540);
    ASSERT_EQ(grid.size(), 10u);
    EXPECT_EQ(grid.front(), 540);
    EXPECT_EQ(grid.back(), 270);
    EXPECT_TRUE(CPIDTrendChart::PercentTicks(0, 540).empty());
}

TEST(PIDTrendChart, TimeLabels)
{
    struct Case {
        int m, firstVisible, seconds;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 3, "0:0:0"},
        {50, 0, 3, "0:2:30"},
        {700, 1200, 3, "1:35:0"},
        {0, 100, 3, "0:5:0"},
        {600, 13800, 600, "2400:0:0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CPIDTrendChart::TimeLabel(c.m, c.firstVisible, c.seconds), c.text);
}

TEST(PIDTrendChart, CursorFollowsTheClick)
{
    CPIDTrendSampler sampler;
    Fill(sampler, 650); // the window has moved on to sample 100
    struct Case {
        CPoint click;
        int scrollX;
        int expectedSample; // -1: no cursor
    };
    const Case cases[] = {
        {{45, 540}, 0, 100},   // on the origin: the window's first sample
        {{45, 0}, 0, -1},      // index 0 and y 0: no cursor
        {{46, 0}, 0, 101},
        {{95, 300}, 0, 150},
        {{45, 300}, 10, 120},  // scrolled: the click counts the scroll twice
        {{44, 300}, 0, -1},    // left of the origin
        {{595, 300}, 0, -1},   // not sampled yet
        {{594, 300}, 0, 649},
    };
    for (const Case& c : cases) {
        CPIDTrendChart chart;
        PIDChartInput input = Input(sampler, c.scrollX);
        CRecordingDC dc;
        CFont font;
        font.CreateFont(-12, 400, FALSE, FALSE, "Sans");
        input.UiFont = &font;
        chart.Click(c.click, input);
        chart.Draw(dc, input);
        EXPECT_EQ(chart.CursorSample(sampler.SampleCount(), sampler.FirstVisible()), c.expectedSample)
            << c.click.x << "," << c.click.y;
    }
}

TEST(PIDTrendChart, ClickBandCoversTheCursorBox)
{
    CPIDTrendSampler sampler;
    Fill(sampler, 10);
    CPIDTrendChart chart;
    const CRect band = chart.Click(CPoint(100, 300), Input(sampler));
    EXPECT_EQ(band, CRect(0, 540 - 172 * 3, 45 + 100 + 300, 560));
}
