// Speed of painting: a screen of fixed-pitch editor text into a back buffer,
// single text pieces, icons, a full-window paint through the window's back
// buffer, and page-long lines on a 1200-dpi PDF page.

#include "platform/CMemDC.h"
#include "platform/Gbk.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CQtPrintDevice.h"
#include "platform/ui/CWnd.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPrinter>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1200;
constexpr int kLines = 60;
constexpr int kColumns = 160;
constexpr int kFontHeight = -16;
constexpr int kPdfResolution = 1200;
constexpr int kPdfLines = 100;

// Editor-like lines: IL text with comments, every fifth with Chinese.
std::vector<std::string> EditorLines()
{
    std::vector<std::string> lines;
    const std::string chinese = Utf8ToGbk("启动电机");
    for (int i = 0; i < kLines; ++i) {
        std::string line = "LD     I0." + std::to_string(i % 8) + "    (* ";
        if (i % 5 == 0)
            line += chinese + " ";
        while (line.size() < static_cast<size_t>(kColumns) - 3)
            line += "motor start interlock ";
        line.resize(static_cast<size_t>(kColumns) - 3);
        lines.push_back(line + " *)");
    }
    return lines;
}

void PaintText(CDC* dc, const std::vector<std::string>& lines)
{
    CFont font;
    font.CreateFont(kFontHeight, FW_NORMAL, FALSE, FALSE, "DejaVu Sans Mono");
    CFont* old = dc->SelectObject(&font);
    TEXTMETRIC metrics;
    dc->GetTextMetrics(&metrics);
    dc->SetBkMode(OPAQUE);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        dc->SetBkColor(i % 7 == 3 ? RGB(0, 0, 128) : RGB(255, 255, 255));
        dc->SetTextColor(i % 7 == 3 ? RGB(255, 255, 255) : RGB(0, 0, 0));
        dc->TextOut(2, i * metrics.tmHeight, lines[static_cast<size_t>(i)]);
    }
    dc->SelectObject(old);
}

void BM_FixedPitchScreenIntoBackBuffer(benchmark::State& state)
{
    CQtImageDC buffer(kScreenWidth, kScreenHeight);
    const std::vector<std::string> lines = EditorLines();
    for (auto _ : state) {
        PaintText(&buffer, lines);
        benchmark::DoNotOptimize(buffer.GetImage().constBits());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_FixedPitchScreenIntoBackBuffer)->Unit(benchmark::kMillisecond);

// One syntax-coloured token: the cost of a TextOut call of its own.
void BM_TextOutPiece(benchmark::State& state)
{
    CQtImageDC buffer(kScreenWidth, kScreenHeight);
    CFont font;
    font.CreateFont(kFontHeight, FW_NORMAL, FALSE, FALSE, state.range(0) ? "DejaVu Sans" : "DejaVu Sans Mono");
    buffer.SelectObject(&font);
    buffer.SetBkMode(TRANSPARENT);
    int row = 0;
    for (auto _ : state) {
        buffer.TextOut(10, row, "MOVW  VW100");
        row = (row + 1) % kScreenHeight;
    }
}
BENCHMARK(BM_TextOutPiece)->ArgName("proportional")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A toolbar's worth of 16 x 16 alpha icons.
void BM_DrawIcons(benchmark::State& state)
{
    constexpr int kIconSize = 16;
    constexpr int kIcons = 40;
    CQtImageDC buffer(kIcons * kIconSize, kIconSize);
    CIconImage icon(kIconSize, kIconSize, CIconImage::ArgbFromColor(RGB(0, 128, 255), 200));
    icon.SetAlpha(TRUE);
    for (auto _ : state) {
        for (int i = 0; i < kIcons; ++i)
            buffer.DrawIcon(i * kIconSize, 0, icon);
    }
    state.SetItemsProcessed(state.iterations() * kIcons);
}
BENCHMARK(BM_DrawIcons)->Unit(benchmark::kMicrosecond);

class CEditorWnd : public CWnd {
public:
    std::vector<std::string> lines = EditorLines();

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        CMemDC memory(&dc, &client, RGB(255, 255, 255));
        PaintText(memory.GetDC(), lines);
    }
};

void BM_WindowPaintThroughBackBuffer(benchmark::State& state)
{
    CEditorWnd wnd;
    wnd.Create(nullptr, CRect(0, 0, kScreenWidth, kScreenHeight), 0, WS_OVERLAPPED | WS_VISIBLE);
    QApplication::processEvents();
    for (auto _ : state)
        wnd.repaint();
}
BENCHMARK(BM_WindowPaintThroughBackBuffer)->Unit(benchmark::kMillisecond);

void BM_PdfPageOfLongLines(benchmark::State& state)
{
    const std::string path = QDir::tempPath().toStdString() + "/orvel_bench_lines.pdf";
    for (auto _ : state) {
        std::unique_ptr<QPrinter> printer = CQtPrintDevice::MakePdfPrinter(path);
        printer->setResolution(kPdfResolution);
        CQtPrintDevice device(printer.get(), FALSE);
        device.StartDoc("lines");
        CDC* dc = device.StartPage();
        const CRect page = device.GetPageRect();
        for (int i = 0; i < kPdfLines; ++i) {
            const int x = page.left + (i + 1) * page.Width() / (kPdfLines + 2);
            const int y = page.top + (i + 1) * page.Height() / (kPdfLines + 2);
            if (i % 2 == 0) {
                dc->MoveTo(x, page.top);
                dc->LineTo(x, page.bottom);
            } else {
                dc->MoveTo(page.left, y);
                dc->LineTo(page.right, y);
            }
        }
        device.EndDoc();
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_PdfPageOfLongLines)->Unit(benchmark::kMillisecond);

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
