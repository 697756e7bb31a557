// A two-page printout through the print-job interface into a PDF file, and
// the same printout rendered by the print preview.

#include "platform/CPrintInfo.h"
#include "platform/CPrintJob.h"
#include "platform/ui/CQtPrintDevice.h"
#include "platform/ui/CQtPrintPreview.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QPrintPreviewWidget>
#include <QPrinter>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A printout with a header, two rules and a page footer in twips, the way
// the editors lay out their pages.
class CTwoPagePrintout : public IPrintable {
public:
    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        if (!info->DoPreparePrinting())
            return FALSE;
        CDC* printer = info->GetPrinterDC();
        if (printer == nullptr)
            return FALSE;
        resolution = printer->GetDeviceCaps(LOGPIXELSX);
        info->SetMaxPage(2);
        return TRUE;
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        CFont font;
        font.CreateFont(197, FW_NORMAL, FALSE, FALSE, "DejaVu Sans Mono");
        CFont* old = dc->SelectObject(&font);
        dc->SetMapMode(MM_TWIPS);
        TEXTMETRIC metrics;
        dc->GetTextMetrics(&metrics);
        const int h = metrics.tmHeight + metrics.tmExternalLeading;
        const int w = metrics.tmAveCharWidth;
        CRect page = info->m_rectDraw;
        dc->DPtoLP(&page);
        dc->TextOut(7 * w, -3 * h, "MAIN");
        dc->MoveTo(7 * w, -4 * h - 20);
        dc->LineTo(page.Width() - 7 * w, -4 * h - 20);
        char footer[32];
        std::snprintf(footer, sizeof(footer), " %u/%u ", info->m_nCurPage, info->GetMaxPage());
        dc->TextOut(page.Width() / 2, -page.Height() + 3 * h, footer);
        dc->SelectObject(old);
        pages.push_back(info->m_nCurPage);
        rects.push_back(info->m_rectDraw);
        previews.push_back(info->m_bPreview);
    }

    int resolution = 0;
    std::vector<UINT> pages;
    std::vector<CRect> rects;
    std::vector<BOOL> previews;
};

int CountPages(const std::vector<BYTE>& pdf)
{
    const std::string text(pdf.begin(), pdf.end());
    int count = 0;
    for (size_t at = text.find("/Type /Page"); at != std::string::npos; at = text.find("/Type /Page", at + 1)) {
        if (text.compare(at, 12, "/Type /Pages") != 0)
            ++count;
    }
    return count;
}

} // namespace

TEST(PrintPdfTest, TwoPagesReachThePdfFile)
{
    TempFolder folder;
    const std::string path = folder / "printout.pdf";
    std::unique_ptr<QPrinter> printer = CQtPrintDevice::MakePdfPrinter(path);
    CQtPrintDevice device(printer.get(), FALSE);
    CPrintJob job(device);
    CTwoPagePrintout printout;
    ASSERT_TRUE(job.Print(printout, "MAIN"));
    EXPECT_EQ(printout.pages, (std::vector<UINT> {1, 2}));
    EXPECT_EQ(printout.resolution, printer->resolution());
    EXPECT_EQ(printout.rects[0], CRect(0, 0, printer->width(), printer->height()));
    EXPECT_EQ(printout.previews, (std::vector<BOOL> {FALSE, FALSE}));

    const std::vector<BYTE> pdf = ReadFileBytes(path);
    ASSERT_GT(pdf.size(), 100u);
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 5), "%PDF-");
    EXPECT_EQ(CountPages(pdf), 2);
}

TEST(PrintPdfTest, ThePreviewRendersTheSamePages)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewWidget widget(&printer);
    CTwoPagePrintout printout;
    CQtPrintPreview preview(printout, "MAIN");
    QObject::connect(&widget, &QPrintPreviewWidget::paintRequested, &widget,
                     [&](QPrinter* target) { EXPECT_TRUE(preview.Render(target)); });
    widget.updatePreview();
    EXPECT_EQ(widget.pageCount(), 2);
    EXPECT_EQ(printout.pages, (std::vector<UINT> {1, 2}));
    EXPECT_EQ(printout.previews, (std::vector<BOOL> {TRUE, TRUE}));
}

TEST(PrintPdfTest, PageLongLinesAreWrittenAsLinesNotAsPixels)
{
    TempFolder folder;
    const std::string path = folder / "lines.pdf";
    std::unique_ptr<QPrinter> printer = CQtPrintDevice::MakePdfPrinter(path);
    printer->setResolution(1200);
    CQtPrintDevice device(printer.get(), FALSE);
    ASSERT_TRUE(device.StartDoc("lines"));
    CDC* dc = device.StartPage();
    ASSERT_NE(dc, nullptr);
    const CRect page = device.GetPageRect();
    constexpr int kLines = 100;
    CPen dotted(PS_DOT, 1, RGB(0, 0, 0));
    for (int i = 0; i < kLines; ++i) {
        const int x = page.left + (i + 1) * page.Width() / (kLines + 2);
        const int y = page.top + (i + 1) * page.Height() / (kLines + 2);
        // Columns, rows, dotted columns and diagonals, each across the page.
        CPen* old = i % 4 == 2 ? dc->SelectObject(&dotted) : nullptr;
        switch (i % 4) {
        case 0:
        case 2:
            dc->MoveTo(x, page.top);
            dc->LineTo(x, page.bottom);
            break;
        case 1:
            dc->MoveTo(page.left, y);
            dc->LineTo(page.right, y);
            break;
        default:
            dc->MoveTo(x, page.top);
            dc->LineTo(page.right - x, page.bottom);
            break;
        }
        if (old != nullptr)
            dc->SelectObject(old);
    }
    ASSERT_TRUE(device.EndDoc());
    const std::vector<BYTE> pdf = ReadFileBytes(path);
    // A line is a few bytes of path, not thousands of one-pixel squares.
    constexpr size_t kMaxBytes = 200 * 1024;
    EXPECT_GT(pdf.size(), 100u);
    EXPECT_LT(pdf.size(), kMaxBytes);
}
