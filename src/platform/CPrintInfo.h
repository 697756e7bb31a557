#pragma once
// What a printout knows about its print job: the pages to print, the page
// being printed, its drawing rectangle in device units, and whether the job
// is a preview.

#include "WinTypes.h"

class CDC;
class CPrintJob;

class CPrintInfo {
public:
    // The maximum page of a printout that has not said how many pages it has.
    static constexpr UINT kUnknownPage = 0xFFFF;

    // Runs the print dialog of the job's printer; FALSE when it is cancelled
    // or there is no job. Afterwards GetPrinterDC measures on that printer.
    BOOL DoPreparePrinting();
    // The measuring device context of the chosen printer (nullptr before).
    CDC* GetPrinterDC() const;

    void SetMinPage(UINT page) { m_minPage = page; }
    void SetMaxPage(UINT page) { m_maxPage = page; }
    UINT GetMinPage() const { return m_minPage; }
    UINT GetMaxPage() const { return m_maxPage; }
    // The range chosen in the print dialog, else all pages.
    void SetPageRange(UINT from, UINT to) { m_fromPage = from; m_toPage = to; }
    UINT GetFromPage() const;
    UINT GetToPage() const;

    UINT m_nCurPage = 1;
    CRect m_rectDraw;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    CPrintJob* m_pJob = nullptr;

private:
    UINT m_minPage = 1;
    UINT m_maxPage = kUnknownPage;
    UINT m_fromPage = 0;
    UINT m_toPage = 0;
};
