#include "CPrintJob.h"

#include "CDC.h"
#include "CPrintInfo.h"

BOOL CPrintJob::Print(IPrintable& printable, const std::string& title)
{
    m_pagesPrinted = 0;
    CPrintInfo info;
    info.m_pJob = this;
    info.m_bPreview = m_device.IsPreview();
    if (!printable.OnPreparePrinting(&info))
        return FALSE;
    if (!m_device.StartDoc(title))
        return FALSE;
    CDC* dc = m_device.GetAttributeDC();
    if (dc)
        dc->SetPrinting(TRUE);
    printable.OnBeginPrinting(dc, &info);
    BOOL failed = FALSE;
    for (UINT page = info.GetFromPage(); page <= info.GetToPage() && info.m_bContinuePrinting; ++page) {
        CDC* pageDC = m_device.StartPage();
        if (pageDC == nullptr) {
            failed = TRUE;
            break;
        }
        dc = pageDC;
        dc->ResetState();
        dc->SetPrinting(TRUE);
        info.m_nCurPage = page;
        info.m_rectDraw = m_device.GetPageRect();
        printable.OnPrint(dc, &info);
        ++m_pagesPrinted;
        if (dc->IsDocEnded())
            break;
        if (!m_device.EndPage()) {
            failed = TRUE;
            break;
        }
    }
    printable.OnEndPrinting(dc, &info);
    if (failed) {
        m_device.AbortDoc();
        return FALSE;
    }
    return m_device.EndDoc();
}
