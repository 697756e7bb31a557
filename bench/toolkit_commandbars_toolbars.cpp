// Speed of the program's menu bar and four toolbars in a frame: the frame's
// layout of its top dock bar rows and the paint of every bar into an image DC.

#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKDockBar.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKMDIFrameWnd.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct ProgramBar {
    const char* title;
    UINT id;
};
const ProgramBar kProgramBars[] = {{"Standard", 123}, {"Project", 284}, {"LD", 286}, {"Debug", 288}};
const CRect kFrameRect(0, 0, 1000, 600);
constexpr UINT kMainMenuId = 123;

// The program's toolbars docked in one top row of a frame.
class ToolbarFrame {
public:
    ToolbarFrame()
    {
        m_frame.m_bAutoDelete = FALSE;
        m_frame.Create(nullptr, kFrameRect, 0, WS_OVERLAPPEDWINDOW);
        auto* bars = new CTKCommandBars;
        m_frame.SetCommandBars(bars);
        bars->SetFrame(&m_frame);
        bars->CreateDockBars();
        bars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
        m_bars.push_back(bars->CreateMenuBar("Menu Bar", kMainMenuId));
        CTKToolBar* previous = nullptr;
        for (const ProgramBar& program : kProgramBars) {
            CTKToolBar* bar = bars->AddToolBar(program.title, kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
            bar->LoadToolBar(program.id);
            if (previous) {
                m_frame.RecalcLayout();
                CRect rect;
                previous->GetWindowRect(&rect);
                rect.OffsetRect(rect.Width(), 0);
                bars->DockBar(bar, &rect, previous->GetDockBar());
            }
            previous = bar;
            m_bars.push_back(bar);
        }
        m_frame.RecalcLayout();
    }
    ~ToolbarFrame() { m_frame.DestroyWindow(); }

    void Resize(int width) { m_frame.MoveWindow(CRect(0, 0, width, kFrameRect.Height())); }
    CTKMDIFrameWnd& Frame() { return m_frame; }
    const std::vector<CTKCommandBar*>& Bars() const { return m_bars; }

private:
    CTKMDIFrameWnd m_frame;
    std::vector<CTKCommandBar*> m_bars;
};

void BM_LayoutAndPaintBars(benchmark::State& state)
{
    ToolbarFrame frame;
    frame.Resize(static_cast<int>(state.range(0)));
    CQtImageDC dc(kFrameRect.Width(), 64);
    for (auto _ : state) {
        frame.Frame().RecalcLayout(FALSE);
        for (CTKCommandBar* bar : frame.Bars())
            bar->DrawCommandBar(&dc);
    }
}
// Wide: every button fits; narrow: the bars compress behind their expand buttons.
BENCHMARK(BM_LayoutAndPaintBars)->Arg(1000)->Arg(600)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // Windows and fonts without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    std::string error;
    if (!RegisterToolkitCommandBarsClasses(&error))
        return 1;
    CTKBarRenderer::SelectTheme(kTKThemeClassic);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
