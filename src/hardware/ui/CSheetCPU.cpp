#include "CSheetCPU.h"

#include "hardware/CKeepModifiedFlag.h"

IMPLEMENT_DYNAMIC(CSheetCPU, CPropertySheet)

namespace {
// The sheet is a child window; its caption is never seen.
constexpr const char* kSheetCaption = "OrvelBuilder";
} // namespace

CSheetCPU::CSheetCPU(CZULAppData& app, CWnd* parentWnd)
    : CPropertySheet(kSheetCaption, parentWnd), m_app(app), m_ioPage(app), m_comPage(app), m_retainPage(app)
{
    AddPage(&m_ioPage);
    AddPage(&m_comPage);
    AddPage(&m_retainPage);
}

CSheetCPU::~CSheetCPU() = default;

void CSheetCPU::SetModule(CZUL_Q7_PLC* module)
{
    m_module = module;
    m_ioPage.Model().Context().SetModule(module);
    m_comPage.Model().Context().SetModule(module);
    m_retainPage.Model().Context().SetModule(module);
}

BOOL CSheetCPU::OnInitDialog()
{
    // Communication and retentive pages load first; I/O ends in front.
    CKeepModifiedFlag keep;
    return SetActivePage(&m_comPage) && SetActivePage(&m_retainPage) && SetActivePage(&m_ioPage);
}

BOOL CSheetCPU::AddCanOpenPage()
{
    const CRuntimeClass* pageClass = CRuntimeClass::FromName(CANOPEN_CONFIG_PAGE_CLASS);
    if (!pageClass || !pageClass->m_pfnCreateObject)
        return FALSE;
    CObject* created = pageClass->CreateObject();
    auto* page = dynamic_cast<CPropertyPage*>(created);
    if (!page) {
        delete created;
        return FALSE;
    }
    m_canOpenPage.reset(page);
    AddPage(page);
    return TRUE;
}

BOOL CSheetCPU::ApplyPages()
{
    CPropertyPage* pages[] = {&m_ioPage, &m_comPage, &m_retainPage, m_canOpenPage.get()};
    for (CPropertyPage* page : pages) {
        if (page && !page->OnApply()) {
            SetActivePage(page);
            return FALSE;
        }
    }
    return TRUE;
}
