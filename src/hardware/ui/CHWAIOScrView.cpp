#include "CHWAIOScrView.h"

#include "hardware/HardwareTexts.h"
#include "model/ProjectModified.h"
#include "platform/ui/DialogUnits.h"

IMPLEMENT_DYNCREATE(CHWAIOScrView, CHWModulePage)

namespace {

constexpr UINT IDD_HW_AIO_SCR = 300;
constexpr int kWidth = 300;
constexpr int kHeight = 90;

} // namespace

CHWAIOScrView::CHWAIOScrView()
    : CHWModulePage(IDD_HW_AIO_SCR, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)), "SCRcanshu")
{
}

void CHWAIOScrView::OnInitialUpdate()
{
    CHWModulePage::OnInitialUpdate();
    AddLabel("Input Address:", 10, 14, 56, 10);
    AddStartField(m_input, ModuleArea::AI, 70, 12, true);
    AddLabel("Output Address:", 10, 38, 56, 10);
    AddStartField(m_output, ModuleArea::AQ, 70, 36);
    AddButtons(230, 10);
}

// Both ranges move together or neither does.
void CHWAIOScrView::OnDefaultButton()
{
    if (!Reallocate({ModuleArea::AI, ModuleArea::AQ}, {kNoRoomInAI, kNoRoomInAQ}))
        return;
    ShowStart(m_input);
    ShowStart(m_output);
    RedrawGrid();
    SetProjectModified(TRUE);
}

void CHWAIOScrView::OnCancelButton()
{
    RestoreStart(m_input);
    RestoreStart(m_output);
    RedrawGrid();
    SetProjectModified(TRUE);
}
