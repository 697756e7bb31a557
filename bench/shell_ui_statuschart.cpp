// Speed of the status chart's refresh after one monitor cycle: a 256-row
// chart over monitored operands of every width and format, some of them
// forced. Each round changes every monitored value as a cycle does, computes
// every row's Current Value text and mark, then repaints the visible cells
// of the grid into an image, as the cycle's refresh does.

#include "model/CStatusInput.h"
#include "model/CZULAppData.h"
#include "model/CZULStatus.h"
#include "model/MonitorItems.h"
#include "platform/ui/CFrameWnd.h"
#include "shell/CStatusChartTable.h"
#include "shell/ui/CStatusTblView.h"

#include <QApplication>
#include <QImage>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kVB14FamilyIndex = 1;
constexpr int kRows = 256;
constexpr int kForcedEvery = 8;
const CRect kFrameRect(0, 0, 1280, 800);

struct RowKind {
    const char* prefix;
    int step;
    const char* format;
};
// Cycled over the rows: words, bytes, bits, double words as integers and as reals.
const RowKind kRowKinds[] = {
    {"%VW", 2, "Signed"}, {"%VB", 1, "Hexadecimal"}, {"%V", 0, "BOOL"},
    {"%VD", 4, "Unsigned"}, {"%VD", 4, "REAL"}, {"%VW", 2, "Binary"},
};
constexpr int kKinds = sizeof(kRowKinds) / sizeof(kRowKinds[0]);

std::string RowAddress(int row)
{
    const RowKind& kind = kRowKinds[row % kKinds];
    const int byte = 200 + 4 * row;
    if (kind.step == 0)
        return std::string(kind.prefix) + std::to_string(byte) + "." + std::to_string(row % 8);
    return std::string(kind.prefix) + std::to_string(byte);
}

class StatusChartRefresh : public benchmark::Fixture {
public:
    void SetUp(benchmark::State&) override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_app->ProjectOpen = 1;
        m_app->Project.CPUFamilyIndex = kVB14FamilyIndex;
        m_app->LoadAreaTable();
        m_frame = new CFrameWnd;
        m_frame->Create(nullptr, kFrameRect, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        m_view = new CStatusTblView;
        m_view->Create(m_frame, kFrameRect, 0, WS_CHILD | WS_VISIBLE);
        m_view->SetRowCount(kRows);
        CStatusChartTable& table = m_view->GetTable();
        for (int row = 0; row < kRows; ++row) {
            table.SaveCellData(CStatusChartTable::COL_ADDRESS, row, RowAddress(row));
            table.SaveCellData(CStatusChartTable::COL_FORMAT, row, kRowKinds[row % kKinds].format);
            AddMonitorAddress(RowAddress(row));
            if (row % kForcedEvery == 0) {
                const CStatusInput& record = *table.GetRecord(row);
                m_app->Project.ForceMap.emplace(record.addressText,
                    std::make_unique<CForceEntry>(record.addressText, record.encodedAddress, record.flags, 0));
            }
        }
        m_app->Monitoring = 1;
        m_cells = m_view->GetGridCtrl().GetTableView()->viewport();
        m_cellsImage = QImage(m_cells->size(), QImage::Format_ARGB32_Premultiplied);
        m_viewImage = QImage(kFrameRect.Width(), kFrameRect.Height(), QImage::Format_ARGB32_Premultiplied);
    }
    void TearDown(benchmark::State&) override
    {
        m_app->Monitoring = 0;
        m_frame->DestroyWindow();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_pAppData = nullptr;
        m_app.reset();
    }

protected:
    // New values for every monitored item, as a cycle writes them.
    void NextCycle(int round)
    {
        for (auto& [key, item] : m_app->Project.Monitor.MonitorTable)
            item->value = (item->value + round * 37 + 11) & 0xFF;
    }

    // A cycle's refresh repaints the cells, not the column titles or the scroll bars.
    void RepaintCells()
    {
        m_view->RefreshMonitorValues();
        m_cells->render(&m_cellsImage);
    }

    std::unique_ptr<CZULAppData> m_app;
    CFrameWnd* m_frame = nullptr;
    CStatusTblView* m_view = nullptr;
    QWidget* m_cells = nullptr;
    QImage m_cellsImage;
    QImage m_viewImage;
};

BENCHMARK_F(StatusChartRefresh, OneMonitorCycle)(benchmark::State& state)
{
    int round = 0;
    std::string text;
    BYTE mark = 0;
    for (auto _ : state) {
        NextCycle(++round);
        int forced = 0;
        for (int row = 0; row < kRows; ++row) {
            m_view->GetCellText(CStatusChartTable::COL_CURRENT, row, text, mark);
            forced += mark;
        }
        benchmark::DoNotOptimize(forced);
        RepaintCells();
    }
}

// The two halves on their own.
BENCHMARK_F(StatusChartRefresh, CurrentValueTexts)(benchmark::State& state)
{
    int round = 0;
    std::string text;
    BYTE mark = 0;
    for (auto _ : state) {
        NextCycle(++round);
        for (int row = 0; row < kRows; ++row)
            m_view->GetCellText(CStatusChartTable::COL_CURRENT, row, text, mark);
        benchmark::DoNotOptimize(text);
    }
}

BENCHMARK_F(StatusChartRefresh, GridRepaint)(benchmark::State& state)
{
    int round = 0;
    for (auto _ : state) {
        NextCycle(++round);
        RepaintCells();
    }
}

// The whole view, column titles and scroll bars included, as when the
// window is uncovered: more than a monitor cycle repaints.
BENCHMARK_F(StatusChartRefresh, WholeViewRepaint)(benchmark::State& state)
{
    int round = 0;
    for (auto _ : state) {
        NextCycle(++round);
        m_view->RefreshMonitorValues();
        m_view->render(&m_viewImage);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Windows and fonts without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
