// The print job: preparing, page loop, drawing rectangle, ending from a page,
// cancelling and device failures, on a recording print device.

#include "platform/CPrintInfo.h"
#include "platform/CPrintJob.h"
#include "platform/CRecordingDC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CRecordingPrintDevice : public IPrintDevice {
public:
    BOOL ChoosePrinter(CPrintInfo*) override
    {
        log.push_back("dialog");
        return answerDialog;
    }
    CDC* GetAttributeDC() override { return &dc; }
    BOOL StartDoc(const std::string& title) override
    {
        log.push_back("start " + title);
        return TRUE;
    }
    CDC* StartPage() override
    {
        log.push_back("page");
        return pagesLeft-- > 0 ? &dc : nullptr;
    }
    BOOL EndPage() override
    {
        log.push_back("end page");
        return TRUE;
    }
    BOOL EndDoc() override
    {
        log.push_back("end doc");
        return TRUE;
    }
    void AbortDoc() override { log.push_back("abort"); }
    CRect GetPageRect() const override { return CRect(0, 0, 4800, 6600); }
    BOOL IsPreview() const override { return FALSE; }

    CRecordingDC dc {CSize(4800, 6600), 600};
    BOOL answerDialog = TRUE;
    int pagesLeft = 100;
    std::vector<std::string> log;
};

class CCountingPrintout : public IPrintable {
public:
    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        if (!info->DoPreparePrinting())
            return FALSE;
        preparedDC = info->GetPrinterDC();
        if (maxPage >= 0)
            info->SetMaxPage(static_cast<UINT>(maxPage));
        return TRUE;
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        pages.push_back(info->m_nCurPage);
        rects.push_back(info->m_rectDraw);
        EXPECT_EQ(dc->GetMapMode(), MM_TEXT);
        EXPECT_TRUE(dc->IsPrinting());
        dc->SetMapMode(MM_TWIPS);
        if (info->m_nCurPage == endAtPage)
            dc->EndDoc();
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ended = TRUE; }

    int maxPage = 2;
    UINT endAtPage = 0;
    CDC* preparedDC = nullptr;
    std::vector<UINT> pages;
    std::vector<CRect> rects;
    BOOL ended = FALSE;
};

} // namespace

TEST(CPrintJobTest, EveryPageIsPrintedIntoThePageRectangle)
{
    CRecordingPrintDevice device;
    CCountingPrintout printout;
    printout.maxPage = 3;
    CPrintJob job(device);
    EXPECT_TRUE(job.Print(printout, "MAIN"));
    EXPECT_EQ(printout.pages, (std::vector<UINT> {1, 2, 3}));
    EXPECT_EQ(printout.rects.back(), CRect(0, 0, 4800, 6600));
    EXPECT_EQ(printout.preparedDC, &device.dc);
    EXPECT_TRUE(printout.ended);
    EXPECT_EQ(job.PagesPrinted(), 3);
    const std::vector<std::string> expected = {"dialog", "start MAIN", "page", "end page", "page", "end page",
                                               "page", "end page", "end doc"};
    EXPECT_EQ(device.log, expected);
}

TEST(CPrintJobTest, ACancelledDialogPrintsNothing)
{
    CRecordingPrintDevice device;
    device.answerDialog = FALSE;
    CCountingPrintout printout;
    CPrintJob job(device);
    EXPECT_FALSE(job.Print(printout, "MAIN"));
    EXPECT_TRUE(printout.pages.empty());
    EXPECT_FALSE(printout.ended);
    EXPECT_EQ(device.log, (std::vector<std::string> {"dialog"}));
}

TEST(CPrintJobTest, NoPagesOrAnEndFromAPageStopTheJob)
{
    CRecordingPrintDevice device;
    CCountingPrintout empty;
    empty.maxPage = 0;
    CPrintJob job(device);
    EXPECT_TRUE(job.Print(empty, "LD"));
    EXPECT_TRUE(empty.pages.empty());
    EXPECT_TRUE(empty.ended);

    CRecordingPrintDevice second;
    CCountingPrintout ending;
    ending.maxPage = 5;
    ending.endAtPage = 2;
    CPrintJob stopped(second);
    EXPECT_TRUE(stopped.Print(ending, "LD"));
    EXPECT_EQ(ending.pages, (std::vector<UINT> {1, 2}));
    EXPECT_EQ(second.log.back(), "end doc");
}

TEST(CPrintJobTest, APageTheDeviceCannotStartAbortsTheDocument)
{
    CRecordingPrintDevice device;
    device.pagesLeft = 1;
    CCountingPrintout printout;
    printout.maxPage = 3;
    CPrintJob job(device);
    EXPECT_FALSE(job.Print(printout, "MAIN"));
    EXPECT_EQ(printout.pages, (std::vector<UINT> {1}));
    EXPECT_TRUE(printout.ended);
    EXPECT_EQ(device.log.back(), "abort");
}

TEST(CPrintJobTest, PageRangesAndUncountedPrintouts)
{
    CPrintInfo info;
    EXPECT_FALSE(info.DoPreparePrinting());
    EXPECT_EQ(info.GetPrinterDC(), nullptr);
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 1u);
    info.SetMaxPage(7);
    EXPECT_EQ(info.GetToPage(), 7u);
    info.SetPageRange(2, 3);
    EXPECT_EQ(info.GetFromPage(), 2u);
    EXPECT_EQ(info.GetToPage(), 3u);

    CRecordingPrintDevice device;
    CCountingPrintout uncounted;
    uncounted.maxPage = -1;
    CPrintJob job(device);
    EXPECT_TRUE(job.Print(uncounted, "X"));
    EXPECT_EQ(uncounted.pages, (std::vector<UINT> {1}));
}
