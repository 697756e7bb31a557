#include "CPIDTrendChart.h"

#include "platform/ByteString.h"

using ByteString::Format;

namespace {

constexpr COLORREF CHART_WHITE = RGB(255, 255, 255);
constexpr COLORREF CHART_BLACK = RGB(0, 0, 0);
constexpr COLORREF GRID_COLOR = RGB(210, 210, 210);
constexpr COLORREF SP_COLOR = RGB(0, 0, 255);
constexpr COLORREF PV_COLOR = RGB(255, 0, 0);
constexpr COLORREF OUT_COLOR = RGB(0, 255, 0);

constexpr int PERCENT = 100;
constexpr int TICK_UNITS = 10;
constexpr int STEP_WRAP = 256;
constexpr int ARROW = 5;
constexpr int TICK_LENGTH = 3;
constexpr int TITLE_LEFT = 5;
constexpr int TITLE_ABOVE = 15;
constexpr int LEFT_LABEL_X = 22;
constexpr int RIGHT_LABEL_X = 8;
constexpr int LABEL_ABOVE = 5;
constexpr int GRID_INSET = 6;
constexpr int TIME_STEP = 50;
constexpr int TIME_LABEL_LEFT = 10;
constexpr int TIME_LABEL_BELOW = 10;
constexpr int SKIPPED_SAMPLES = 2;
constexpr int LEGEND_X = 100;
constexpr int CURSOR_BOX_TOP = 30;
constexpr int CURSOR_BOX_LEFT = 20;
constexpr int CURSOR_TEXT_X = 5;
constexpr int CURSOR_LINE = 14;
constexpr int CURSOR_FIRST_TEXT = 5;
constexpr int CURSOR_KEY_Y = 24;
constexpr int CURSOR_KEY_LENGTH = 10;
constexpr int CLICK_BAND_WIDTH = 300;
constexpr int CLICK_BAND_UNITS = 172;
constexpr int CLICK_BAND_BELOW = 20;
constexpr int SECONDS_PER_HOUR = 3600;
constexpr int SECONDS_PER_MINUTE = 60;
constexpr int SMALL_FONT_TENTHS = 8;
constexpr int TENTHS = 10;

int Step(int yScale) { return (TICK_UNITS * yScale) % STEP_WRAP; }

int TickY(int v, int yScale, int baseY)
{
    const int t = v / TICK_UNITS;
    return baseY - (t / yScale) * Step(yScale);
}

void Line(CDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

// Text on a white background, the former background colour put back after.
void Text(CDC& dc, int x, int y, const std::string& text)
{
    const COLORREF old = dc.SetBkColor(CHART_WHITE);
    dc.TextOut(x, y, text);
    dc.SetBkColor(old);
}

void Arrow(CDC& dc, int x, int top)
{
    Line(dc, x, top, x - ARROW, top + ARROW);
    Line(dc, x, top, x + ARROW, top + ARROW);
}

void Curve(CDC& dc, const PIDChartInput& input, BOOL output)
{
    const CPIDTrendSampler& sampler = *input.Sampler;
    const int x0 = CPIDTrendChart::OriginX(input);
    const int y0 = CPIDTrendChart::BaseY(input);
    std::vector<CPoint> points;
    for (int i = sampler.FirstVisible() + SKIPPED_SAMPLES; i < sampler.SampleCount(); ++i) {
        const PIDSamplePoint& p = output ? sampler.XOUTPoint(i) : sampler.PVPoint(i);
        points.emplace_back(x0 + p.x - sampler.FirstVisible(), y0 - p.y * sampler.YScale());
    }
    if (points.size() >= 2)
        dc.Polyline(points.data(), static_cast<int>(points.size()));
}

} // namespace

void CPIDTrendChart::Reset()
{
    m_click = CPoint();
    m_clickPending = FALSE;
    m_cursorIndex = 0;
}

int CPIDTrendChart::OriginX(const PIDChartInput& input)
{
    return PID_CHART_ORIGIN_X - input.ScrollX + input.Client.left;
}

int CPIDTrendChart::BaseY(const PIDChartInput& input)
{
    return PID_CHART_BASE_Y + input.Client.top;
}

std::vector<PIDChartTick> CPIDTrendChart::PercentTicks(int yScale, int baseY)
{
    std::vector<PIDChartTick> ticks;
    const int step = Step(yScale);
    const int ymax = PERCENT * yScale;
    if (step <= 0 || yScale <= 0)
        return ticks;
    for (int v = 0; v <= ymax; v += step) {
        PIDChartTick tick;
        tick.y = TickY(v, yScale, baseY);
        tick.Labelled = ((v / TICK_UNITS) * yScale) % 2 == 0 ? TRUE : FALSE;
        tick.Value = v / yScale;
        ticks.push_back(tick);
    }
    return ticks;
}

std::vector<int> CPIDTrendChart::GridLines(int yScale, int baseY)
{
    std::vector<int> lines;
    const int step = Step(yScale);
    if (step <= 0 || yScale <= 0)
        return lines;
    for (int v = TICK_UNITS; v <= PERCENT * yScale; v += step)
        lines.push_back(TickY(v, yScale, baseY));
    return lines;
}

std::string CPIDTrendChart::ClockText(int seconds)
{
    return Format("%d:%d:%d", seconds / SECONDS_PER_HOUR, (seconds / SECONDS_PER_MINUTE) % SECONDS_PER_MINUTE,
        seconds % SECONDS_PER_MINUTE);
}

std::string CPIDTrendChart::TimeLabel(int m, int firstVisible, int sampleSeconds)
{
    return ClockText((m + firstVisible) * sampleSeconds);
}

float CPIDTrendChart::SetPointPercent(const PIDChartInput& input)
{
    return PIDPercent(input.SP, input.PV_L, input.Sampler->PVSpan());
}

CRect CPIDTrendChart::Click(CPoint point, const PIDChartInput& input)
{
    m_click = point;
    m_clickPending = TRUE;
    const int x0 = OriginX(input);
    const int y0 = BaseY(input);
    return CRect(input.Client.left, y0 - CLICK_BAND_UNITS * input.Sampler->YScale(), x0 + point.x + CLICK_BAND_WIDTH,
        y0 + CLICK_BAND_BELOW);
}

int CPIDTrendChart::CursorSample(int sampleCount, int firstVisible) const
{
    if (m_cursorIndex == 0 && m_click.y == 0)
        return -1;
    const int k = firstVisible + m_cursorIndex;
    if (m_cursorIndex < 0 || k >= sampleCount)
        return -1;
    return k;
}

void CPIDTrendChart::Draw(CDC& dc, const PIDChartInput& input)
{
    dc.FillSolidRect(input.Frame, CHART_WHITE);
    LOGFONT record = input.UiFont->GetRecord();
    record.lfHeight = record.lfHeight * SMALL_FONT_TENTHS / TENTHS;
    record.lfWidth = 0;
    CFont smallFont;
    smallFont.CreateFontIndirect(&record);
    CFont* oldFont = dc.SelectObject(const_cast<CFont*>(input.UiFont));
    CPen black(PS_SOLID, 1, CHART_BLACK);
    CPen* oldPen = dc.SelectObject(&black);
    DrawAxes(dc, input, smallFont);
    DrawTimeAxis(dc, input, smallFont);
    dc.SelectObject(const_cast<CFont*>(input.UiFont));
    if (input.Sampler->SampleCount() >= 2)
        DrawCurves(dc, input);
    DrawCursor(dc, input);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void CPIDTrendChart::DrawAxes(CDC& dc, const PIDChartInput& input, const CFont& smallFont)
{
    const int s = input.Sampler->YScale();
    const int x0 = OriginX(input);
    const int y0 = BaseY(input);
    const int top = y0 - PID_CHART_AXIS_UNITS * s;
    const int xr = x0 + PID_CHART_WINDOW;
    const int ymax = PERCENT * s;
    const std::vector<PIDChartTick> ticks = PercentTicks(s, y0);

    Line(dc, x0, top, x0, y0);
    Arrow(dc, x0, top);
    Text(dc, x0 - TITLE_LEFT, top - TITLE_ABOVE, "SP\xD3\xEBPV");
    Line(dc, xr, top, xr, y0);
    Arrow(dc, xr, top);
    Text(dc, xr - TITLE_LEFT, top - TITLE_ABOVE, "XOUT");

    dc.SelectObject(const_cast<CFont*>(&smallFont));
    for (const PIDChartTick& tick : ticks) {
        Line(dc, x0 - TICK_LENGTH, tick.y, x0, tick.y);
        Line(dc, xr + TICK_LENGTH, tick.y, xr, tick.y);
        if (!tick.Labelled)
            continue;
        const BOOL last = tick.Value * s >= ymax ? TRUE : FALSE;
        Text(dc, x0 - LEFT_LABEL_X, tick.y - LABEL_ABOVE, Format(last ? "%d" : " %d", tick.Value));
        Text(dc, xr + RIGHT_LABEL_X, tick.y - LABEL_ABOVE, Format("%d", tick.Value));
    }

    CPen grid(PS_DOT, 1, GRID_COLOR);
    CPen* black = dc.SelectObject(&grid);
    for (int y : GridLines(s, y0))
        Line(dc, x0 + GRID_INSET, y, xr - GRID_INSET, y);
    dc.SelectObject(black);
    Line(dc, x0, y0, xr, y0);
}

void CPIDTrendChart::DrawTimeAxis(CDC& dc, const PIDChartInput& input, const CFont& smallFont)
{
    const int x0 = OriginX(input);
    const int y0 = BaseY(input);
    dc.SelectObject(const_cast<CFont*>(&smallFont));
    for (int m = 0; m <= PID_CHART_WINDOW; m += TIME_STEP) {
        Line(dc, x0 + m, y0, x0 + m, y0 + TICK_LENGTH);
        Text(dc, x0 + m - TIME_LABEL_LEFT, y0 + TIME_LABEL_BELOW,
            TimeLabel(m, input.Sampler->FirstVisible(), input.SampleSeconds));
    }
}

void CPIDTrendChart::DrawCurves(CDC& dc, const PIDChartInput& input)
{
    const CPIDTrendSampler& sampler = *input.Sampler;
    const int s = sampler.YScale();
    const int x0 = OriginX(input);
    const int y0 = BaseY(input);
    const int top = y0 - PID_CHART_AXIS_UNITS * s;
    const float sp = SetPointPercent(input);
    const int last = sampler.SampleCount() - 1;

    CPen spPen(PS_SOLID, 1, SP_COLOR);
    CPen* old = dc.SelectObject(&spPen);
    const int spY = y0 - static_cast<int>(sp) * s;
    Line(dc, x0, spY, x0 + sampler.SampleCount() - sampler.FirstVisible(), spY);
    CPen pvPen(PS_SOLID, 1, PV_COLOR);
    dc.SelectObject(&pvPen);
    Curve(dc, input, FALSE);
    CPen outPen(PS_SOLID, 1, OUT_COLOR);
    dc.SelectObject(&outPen);
    Curve(dc, input, TRUE);
    dc.SelectObject(old);

    Text(dc, x0 + LEGEND_X, top - TITLE_ABOVE,
        Format("\xD7\xEE\xD0\xC2\xB5\xC4 SP: %.1f PV: %.1f XOUT: %.1f ", static_cast<double>(sp),
            static_cast<double>(sampler.PVPercent(last)), static_cast<double>(sampler.XOUTPercent(last))));
}

void CPIDTrendChart::DrawCursor(CDC& dc, const PIDChartInput& input)
{
    const CPIDTrendSampler& sampler = *input.Sampler;
    if (m_clickPending) {
        m_cursorIndex = m_click.x + 2 * input.ScrollX - PID_CHART_ORIGIN_X;
        m_clickPending = FALSE;
    }
    const int k = CursorSample(sampler.SampleCount(), sampler.FirstVisible());
    if (k < 0)
        return;
    const int x0 = OriginX(input);
    const int y0 = BaseY(input);
    const int top = y0 - PID_CHART_AXIS_UNITS * sampler.YScale();
    const int cx = x0 + sampler.PVPoint(k).x - sampler.FirstVisible();
    const int yb = top + CURSOR_BOX_TOP;
    const int x1 = cx + CURSOR_BOX_LEFT;

    CPen dashed(PS_DASH, 1, CHART_BLACK);
    CPen* old = dc.SelectObject(&dashed);
    Line(dc, cx, yb, cx, y0);
    Line(dc, cx, yb, x1, yb);
    const CPoint box[] = {{x1, yb}, {x1, yb + PID_CURSOR_BOX_HEIGHT},
        {x1 + PID_CURSOR_BOX_WIDTH, yb + PID_CURSOR_BOX_HEIGHT}, {x1 + PID_CURSOR_BOX_WIDTH, yb}, {x1, yb}};
    dc.Polyline(box, static_cast<int>(std::size(box)));

    const int tx = x1 + CURSOR_TEXT_X;
    Text(dc, tx, yb + CURSOR_FIRST_TEXT, "\xCA\xB1\xBC\xE4 " + ClockText(sampler.PVPoint(k).x * input.SampleSeconds));
    Text(dc, tx, yb + CURSOR_FIRST_TEXT + CURSOR_LINE,
        Format("    SP\xD6\xB5 %.1f", static_cast<double>(SetPointPercent(input))));
    Text(dc, tx, yb + CURSOR_FIRST_TEXT + 2 * CURSOR_LINE,
        Format("    PV\xD6\xB5 %.1f", static_cast<double>(sampler.PVPercent(k))));
    Text(dc, tx, yb + CURSOR_FIRST_TEXT + 3 * CURSOR_LINE,
        Format("    XOUT\xD6\xB5 %.1f", static_cast<double>(sampler.XOUTPercent(k))));

    const COLORREF keys[] = {SP_COLOR, PV_COLOR, OUT_COLOR};
    for (int i = 0; i < static_cast<int>(std::size(keys)); ++i) {
        CPen key(PS_SOLID, 1, keys[i]);
        dc.SelectObject(&key);
        const int y = yb + CURSOR_KEY_Y + i * CURSOR_LINE;
        Line(dc, tx, y, tx + CURSOR_KEY_LENGTH, y);
    }
    dc.SelectObject(old);
}
