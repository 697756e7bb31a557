#include "CHWDIView.h"

#include "hardware/HardwareTexts.h"
#include "model/ProjectModified.h"
#include "platform/ui/DialogUnits.h"

IMPLEMENT_DYNCREATE(CHWDIView, CHWModulePage)

namespace {

constexpr UINT IDD_HW_DI = 162;
constexpr int kWidth = 300;
constexpr int kHeight = 120;

} // namespace

CHWDIView::CHWDIView()
    : CHWModulePage(IDD_HW_DI, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)), "DIcanshu")
{
}

void CHWDIView::OnInitialUpdate()
{
    CHWModulePage::OnInitialUpdate();
    AddGroup("Address", 10, 8, 200, 40);
    AddLabel("Start:", 18, 25, 24, 10);
    AddStartField(m_input, ModuleArea::I, 44, 23);
    AddButtons(230, 10);
}

void CHWDIView::OnDefaultButton()
{
    if (!Reallocate({ModuleArea::I}, {kNoRoomInI}))
        return;
    ShowStart(m_input);
    RedrawGrid();
    SetProjectModified(TRUE);
}

void CHWDIView::OnCancelButton()
{
    RestoreStart(m_input);
    RedrawGrid();
    SetProjectModified(TRUE);
}
