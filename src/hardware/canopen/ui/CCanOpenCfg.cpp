#include "CCanOpenCfg.h"

#include "CCanOpenSheet.h"
#include "CanOpenUiTexts.h"
#include "hardware/ui/CSheetCPU.h"
#include "model/CZULAppData.h"
#include "platform/CPathProvider.h"
#include "platform/ui/DialogUnits.h"

#include <QTabWidget>

IMPLEMENT_DYNCREATE(CCanOpenCfg, CPropertyPage)

CCanOpenCfg::CCanOpenCfg() : CPropertyPage(IDD_CANOPEN_CONFIG_PAGE, kCanOpenCfgCaption) {}

// The sheet goes before the page's window takes its children down.
CCanOpenCfg::~CCanOpenCfg() = default;

BOOL CCanOpenCfg::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    auto* cpuSheet = dynamic_cast<CSheetCPU*>(GetSheet());
    if (!cpuSheet)
        return TRUE;
    auto* frame = new CWnd;
    const QRect place = DialogRect(7, 13, 516, 297);
    frame->Create(this, CRect(place.left(), place.top(), place.right() + 1, place.bottom() + 1),
                  IDC_CANOPEN_CONFIG_FRAME, WS_CHILD | WS_VISIBLE);
    m_sheet = std::make_unique<CCanOpenSheet>(cpuSheet->GetAppData(), CPathProvider::UserCanOpenFolder(), frame);
    if (!m_sheet->Create(frame, WS_CHILD | WS_VISIBLE)) {
        m_sheet.reset();
        return TRUE;
    }
    m_sheet->setGeometry(0, 0, frame->width(), frame->height());
    m_created = true;
    return TRUE;
}

void CCanOpenCfg::GrowTabControl(int dx, int dy)
{
    QTabWidget* tabs = GetSheet() ? GetSheet()->GetTabControl() : nullptr;
    if (!tabs)
        return;
    // The page lies in the tab control and follows its size.
    tabs->resize(tabs->width() + dx, tabs->height() + dy);
    tabs->update();
}

void CCanOpenCfg::OnSetActive()
{
    GrowTabControl(CANOPEN_PAGE_EXTRA_WIDTH, CANOPEN_PAGE_EXTRA_HEIGHT);
}

void CCanOpenCfg::OnKillActive()
{
    SetFocus();
    GrowTabControl(-CANOPEN_PAGE_EXTRA_WIDTH, -CANOPEN_PAGE_EXTRA_HEIGHT);
    SetFocus();
}

BOOL CCanOpenCfg::ApplyCanOpenConfig()
{
    if (!m_created)
        return TRUE;
    CPropertyPage* failing = nullptr;
    if (!m_sheet->MapPage().StoreCurrentSlave())
        failing = &m_sheet->MapPage();
    else if (!m_sheet->NetworkPage().SaveToProject())
        failing = &m_sheet->NetworkPage();
    else if (!m_sheet->MasterPage().ApplyMasterSettings())
        failing = &m_sheet->MasterPage();
    if (!failing)
        return TRUE;
    if (CPropertyPage* active = m_sheet->GetActivePage())
        active->SetFocus();
    m_sheet->SetActivePage(failing);
    return FALSE;
}
