// Speed of the docking layout: a frame with the program's four panes (three
// tabbed on the left, the output below) lays them out again on a resize.

#include "platform/ui/CMDIFrameWnd.h"
#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct ProgramPane {
    UINT id;
    CRect rect;
    int direction;
};
const ProgramPane kPanes[] = {
    {32690, CRect(0, 0, 230, 140), CTKDockingPaneHost::kDockLeft},
    {32692, CRect(0, 0, 80, 120), CTKDockingPaneHost::kDockBottom},
    {32554, CRect(0, 0, 140, 100), CTKDockingPaneHost::kDockLeft},
    {32845, CRect(0, 0, 160, 200), CTKDockingPaneHost::kDockLeft},
};
const CRect kFrameRect(0, 0, 1000, 700);
constexpr int kStyleGradient = 5;

class PaneFrame {
public:
    PaneFrame()
    {
        m_frame.m_bAutoDelete = FALSE;
        m_frame.Create(nullptr, kFrameRect, 0, WS_OVERLAPPEDWINDOW);
        m_host.AttachToFrame(&m_frame);
        m_host.SetStyle(kStyleGradient);
        for (const ProgramPane& pane : kPanes)
            m_host.NewPane(pane.id, pane.rect, pane.direction, nullptr)->SetOptions(1 | 4);
        m_host.PlacePane(m_host.FindPane(32554), m_host.FindPane(32690));
        m_host.PlacePane(m_host.FindPane(32845), m_host.FindPane(32554));
        m_host.OpenPane(m_host.FindPane(32690));
        m_frame.RecalcLayout();
    }
    ~PaneFrame() { m_frame.DestroyWindow(); }

    CMDIFrameWnd& Frame() { return m_frame; }

private:
    CMDIFrameWnd m_frame;
    CTKDockingPaneHost m_host;
};

void BM_RelayoutPanesOnResize(benchmark::State& state)
{
    PaneFrame panes;
    int step = 0;
    for (auto _ : state) {
        // Each pass is a new frame size, as while the user drags the frame's edge.
        const int width = kFrameRect.Width() - (step++ % 2) * 100;
        panes.Frame().MoveWindow(CRect(0, 0, width, kFrameRect.Height()));
    }
}
BENCHMARK(BM_RelayoutPanesOnResize)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // Windows and fonts without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    std::string error;
    if (!RegisterToolkitCommandBarsClasses(&error))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
