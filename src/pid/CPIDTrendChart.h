#pragma once
// The trend chart of the PID display: percentage axes left (SP and PV) and
// right (output), a dotted grid, the time axis, the set point line, the PV
// and output curves, the legend and a cursor placed by a mouse click, drawn
// with fixed pixel geometry on a device context.

#include "CPIDTrendSampler.h"
#include "platform/CDC.h"

#include <string>
#include <vector>

constexpr int PID_CHART_ORIGIN_X = 45;
constexpr int PID_CHART_BASE_Y = 540;
constexpr int PID_CHART_AXIS_UNITS = 102;
constexpr int PID_CURSOR_BOX_WIDTH = 100;
constexpr int PID_CURSOR_BOX_HEIGHT = 60;

// A tick of the percentage axes: its y and, on every second tick, the label value.
struct PIDChartTick {
    int y = 0;
    BOOL Labelled = FALSE;
    int Value = 0;
};

// What one painting draws from.
struct PIDChartInput {
    const CPIDTrendSampler* Sampler = nullptr;
    int SampleSeconds = 0;
    int SP = 0;            // from the loop's table
    int PV_L = 0;
    CRect Client;          // the view's client rectangle
    int ScrollX = 0;       // horizontal scroll position
    CRect Frame;           // the chart frame, filled white
    const CFont* UiFont = nullptr;
};

class CPIDTrendChart {
public:
    // Back to no cursor.
    void Reset();
    // A left click: the cursor goes there at the next painting. The band to
    // invalidate is returned.
    CRect Click(CPoint point, const PIDChartInput& input);
    void Draw(CDC& dc, const PIDChartInput& input);

    int CursorIndex() const { return m_cursorIndex; }

    // Geometry.
    static int OriginX(const PIDChartInput& input);
    static int BaseY(const PIDChartInput& input);
    static std::vector<PIDChartTick> PercentTicks(int yScale, int baseY);
    static std::vector<int> GridLines(int yScale, int baseY);
    // "h:m:s" of the time axis at m pixels from the origin.
    static std::string TimeLabel(int m, int firstVisible, int sampleSeconds);
    static std::string ClockText(int seconds);
    // The set point as a percentage of the PV range (0 for an empty range).
    static float SetPointPercent(const PIDChartInput& input);
    // The sample the cursor stands on, or -1 when there is no cursor.
    int CursorSample(int sampleCount, int firstVisible) const;

private:
    void DrawAxes(CDC& dc, const PIDChartInput& input, const CFont& smallFont);
    void DrawTimeAxis(CDC& dc, const PIDChartInput& input, const CFont& smallFont);
    void DrawCurves(CDC& dc, const PIDChartInput& input);
    void DrawCursor(CDC& dc, const PIDChartInput& input);

    CPoint m_click;
    BOOL m_clickPending = FALSE;
    int m_cursorIndex = 0;
};
