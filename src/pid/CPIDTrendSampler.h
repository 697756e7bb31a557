#pragma once
// The samples of the PID trend display: PV and output of one loop as
// percentages of their ranges, one per tick, with the chart window that
// moves on by 100 samples when it fills.

#include "PIDLoopImage.h"
#include "platform/WinTypes.h"

#include <vector>

constexpr int PID_SAMPLE_CAPACITY = 14400;
constexpr int PID_SAMPLE_LIMIT = PID_SAMPLE_CAPACITY - 1;
constexpr int PID_CHART_WINDOW = 700;
constexpr int PID_CHART_MARGIN = 50;
constexpr int PID_CHART_SHIFT = 100;
constexpr int PID_Y_SCALE = 3;

struct PIDSamplePoint {
    int x = 0; // sample index
    int y = 0; // percentage truncated toward zero
};

enum class PIDSampleResult { Full, Taken, TakenWithStatus };

class CPIDTrendSampler {
public:
    CPIDTrendSampler();

    // A new start: all samples cleared, the window at sample 0.
    void Start();
    // One tick from a copy of the loop's table. The percentages use the spans
    // of the last status refresh; from the second sample on the status is
    // refreshed into status (and the spans with it).
    PIDSampleResult TakeSample(const BYTE* image, PIDStatusTexts& status);

    int SampleCount() const { return m_sampleCount; }
    int FirstVisible() const { return m_firstVisible; }
    int YScale() const { return m_yScale; }
    int PVSpan() const { return m_pvSpan; }
    int OutSpan() const { return m_outSpan; }
    const PIDSamplePoint& PVPoint(int i) const { return m_pvPoints[static_cast<size_t>(i)]; }
    const PIDSamplePoint& XOUTPoint(int i) const { return m_outPoints[static_cast<size_t>(i)]; }
    float PVPercent(int i) const { return m_pvPercent[static_cast<size_t>(i)]; }
    float XOUTPercent(int i) const { return m_outPercent[static_cast<size_t>(i)]; }

private:
    int m_sampleCount = 0;
    int m_firstVisible = 0;
    int m_yScale = PID_Y_SCALE;
    int m_pvSpan = 0;
    int m_outSpan = 0;
    std::vector<PIDSamplePoint> m_pvPoints;
    std::vector<PIDSamplePoint> m_outPoints;
    std::vector<float> m_pvPercent;
    std::vector<float> m_outPercent;
};
