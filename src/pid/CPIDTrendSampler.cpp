#include "CPIDTrendSampler.h"

#include <algorithm>

CPIDTrendSampler::CPIDTrendSampler()
    : m_pvPoints(PID_SAMPLE_CAPACITY)
    , m_outPoints(PID_SAMPLE_CAPACITY)
    , m_pvPercent(PID_SAMPLE_CAPACITY)
    , m_outPercent(PID_SAMPLE_CAPACITY)
{
}

void CPIDTrendSampler::Start()
{
    m_yScale = PID_Y_SCALE;
    std::fill(m_pvPoints.begin(), m_pvPoints.end(), PIDSamplePoint {});
    std::fill(m_outPoints.begin(), m_outPoints.end(), PIDSamplePoint {});
    std::fill(m_pvPercent.begin(), m_pvPercent.end(), 0.0f);
    std::fill(m_outPercent.begin(), m_outPercent.end(), 0.0f);
    m_sampleCount = 0;
    m_firstVisible = 0;
}

PIDSampleResult CPIDTrendSampler::TakeSample(const BYTE* image, PIDStatusTexts& status)
{
    if (m_sampleCount >= PID_SAMPLE_LIMIT)
        return PIDSampleResult::Full;
    const int i = m_sampleCount;
    const size_t at = static_cast<size_t>(i);
    const float pv = PIDPercent(PIDImageShort(image, PID_IMAGE_PV), PIDImageShort(image, PID_IMAGE_PV_L), m_pvSpan);
    m_pvPercent[at] = pv;
    m_pvPoints[at] = {i, static_cast<int>(pv)};
    const float out =
        PIDPercent(PIDImageShort(image, PID_IMAGE_XOUTP), PIDImageShort(image, PID_IMAGE_XOUTP_L), m_outSpan);
    m_outPercent[at] = out;
    m_outPoints[at] = {i, static_cast<int>(out)};
    m_sampleCount = i + 1;
    if (m_sampleCount - m_firstVisible >= PID_CHART_WINDOW - PID_CHART_MARGIN)
        m_firstVisible += PID_CHART_SHIFT;
    if (m_sampleCount < 2)
        return PIDSampleResult::Taken;
    status = BuildPIDStatus(image);
    m_pvSpan = status.PVSpan;
    m_outSpan = status.OutSpan;
    return PIDSampleResult::TakenWithStatus;
}
