#include "CCanOpenSheet.h"

#include "hardware/canopen/CanOpenTexts.h"

IMPLEMENT_DYNAMIC(CCanOpenSheet, CPropertySheet)

CCanOpenSheet::CCanOpenSheet(CZULProject& project, CWnd* parentWnd)
    : CPropertySheet(kMessageCaption, parentWnd), m_masterPage(project)
{
    AddPage(&m_masterPage);
}

CCanOpenSheet::~CCanOpenSheet() = default;

BOOL CCanOpenSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    // Every page loads the project's settings now, not when first shown.
    for (int index = GetPageCount() - 1; index >= 0; --index)
        SetActivePage(index);
    return TRUE;
}
