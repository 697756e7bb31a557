#include "CPropertyPage.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CWnd)

CPropertyPage::CPropertyPage(UINT templateId, const std::string& caption)
    : m_templateId(templateId), m_caption(caption)
{
    SetClassBackground(CBrush(GetSysColor(COLOR_BTNFACE)));
}

CPropertyPage::~CPropertyPage()
{
    if (m_sheet)
        m_sheet->ForgetPage(this);
}

BOOL CPropertyPage::OnInitDialog()
{
    return TRUE;
}

void CPropertyPage::SetModified(BOOL changed)
{
    if (changed && m_sheet)
        m_sheet->OnPageModified();
}

BOOL CPropertyPage::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1)
        OnHelp();
    return CWnd::PreTranslateMessage(msg);
}
