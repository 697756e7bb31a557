#include "CPrintInfo.h"

#include "CPrintJob.h"

BOOL CPrintInfo::DoPreparePrinting()
{
    if (m_pJob == nullptr)
        return FALSE;
    return m_pJob->Device().ChoosePrinter(this);
}

CDC* CPrintInfo::GetPrinterDC() const
{
    return m_pJob ? m_pJob->Device().GetAttributeDC() : nullptr;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_fromPage != 0 ? m_fromPage : m_minPage;
}

UINT CPrintInfo::GetToPage() const
{
    if (m_toPage != 0)
        return m_toPage;
    // A printout that did not count its pages prints its first one.
    return m_maxPage == kUnknownPage ? GetFromPage() : m_maxPage;
}
