// Cost of the window layer's message dispatch: a private message sent
// through a message table, a mouse move from the Qt event to its handler
// (hit test and pre-translation included), and an idle update pass over a
// frame-sized tree of windows.

#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>


namespace {

constexpr UINT kPrivateMessage = 0x0401;
// A frame of the workbench's size: 19 windows with 18 children each.
constexpr int kBranches = 19;

class CCountingWnd : public CWnd {
public:
    CCountingWnd()
    {
        static const CMsgEntry<CCountingWnd> kMessages[] = {
            {kPrivateMessage, &CCountingWnd::OnPrivate},
        };
        AddMessageTable(kMessages);
    }
    LRESULT OnPrivate(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(++count + wParam); }
    long count = 0;

protected:
    void OnMouseMove(UINT, CPoint point) override { count += point.x; }
    void OnIdleUpdateCmdUI(BOOL) override { ++count; }
};

void BM_SendPrivateMessage(benchmark::State& state)
{
    CCountingWnd wnd;
    wnd.Create(nullptr, CRect(0, 0, 100, 100), 0, WS_OVERLAPPED);
    for (auto _ : state)
        benchmark::DoNotOptimize(wnd.SendMessage(kPrivateMessage, 1, 0));
}
BENCHMARK(BM_SendPrivateMessage);

void BM_MouseMove(benchmark::State& state)
{
    CWnd top;
    top.Create(nullptr, CRect(0, 0, 400, 300), 0, WS_OVERLAPPED);
    CCountingWnd view;
    if (state.range(0))
        view.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    view.Create(&top, CRect(0, 0, 300, 200), 1, WS_CHILD | WS_VISIBLE);
    const QPoint p(50, 40);
    QMouseEvent move(QEvent::MouseMove, p, view.mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    for (auto _ : state)
        QApplication::sendEvent(&view, &move);
    benchmark::DoNotOptimize(view.count);
}
BENCHMARK(BM_MouseMove)->Arg(0)->Arg(1);

void BM_IdleUpdatePass(benchmark::State& state)
{
    CCountingWnd frame;
    frame.Create(nullptr, CRect(0, 0, 800, 600), 0, WS_OVERLAPPED);
    // The windows belong to the frame, as children do.
    int windows = 0;
    for (int i = 0; i < kBranches; ++i) {
        auto* branch = new CCountingWnd;
        branch->Create(&frame, CRect(0, 0, 40, 40), static_cast<UINT>(i + 1), WS_CHILD | WS_VISIBLE);
        ++windows;
        for (int j = 0; j + 1 < kBranches; ++j, ++windows)
            (new CCountingWnd)->Create(branch, CRect(0, 0, 10, 10), static_cast<UINT>(j + 1), WS_CHILD | WS_VISIBLE);
    }
    for (auto _ : state)
        frame.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE);
    state.SetItemsProcessed(state.iterations() * windows);
}
BENCHMARK(BM_IdleUpdatePass);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
