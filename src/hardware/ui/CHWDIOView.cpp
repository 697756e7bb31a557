#include "CHWDIOView.h"

#include "hardware/HardwareTexts.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "platform/ui/DialogUnits.h"

#include <QCheckBox>

IMPLEMENT_DYNCREATE(CHWDIOView, CHWDOView)

namespace {

constexpr UINT IDD_HW_DIO = 166;
constexpr int kWidth = 300;
constexpr int kHeight = 190;
constexpr int kOneGroup = 8;

} // namespace

CHWDIOView::CHWDIOView() : CHWDOView(IDD_HW_DIO, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)))
{
}

void CHWDIOView::OnInitialUpdate()
{
    CHWModulePage::OnInitialUpdate();
    AddGroup("I Address", 10, 8, 200, 34);
    AddLabel("Start:", 18, 22, 24, 10);
    AddStartField(m_input, ModuleArea::I, 44, 20);
    AddGroup("Q Address", 10, 46, 200, 34);
    AddLabel("Start:", 18, 60, 24, 10);
    AddStartField(m_output, ModuleArea::Q, 44, 58, true);
    BuildOutputBlock(88);
    LoadStates(QLength() == 1 ? kOneGroup : HW_STOP_STATE_BOXES);
    AddButtons(230, 10);
}

// The I range moves only together with the Q range.
void CHWDIOView::OnDefaultButton()
{
    if (!Reallocate({ModuleArea::I, ModuleArea::Q}, {kNoRoomInI, kNoRoomInQ}))
        return;
    ShowStart(m_input);
    ShowStart(m_output);
    ShowRowLabels();
    SelectAllBox()->setChecked(false);
    for (int k = 0; k < HW_STOP_STATE_BOXES; ++k)
        StateBox(k)->setChecked(false);
    RedrawGrid();
    SetProjectModified(TRUE);
}

void CHWDIOView::OnCancelButton()
{
    RestoreStart(m_input);
    CHWDOView::OnCancelButton();
    SelectAllBox()->setChecked(false);
}

BOOL CHWDIOView::ApplyToModule()
{
    if (m_module)
        SetModuleRange(*m_module, ModuleArea::I, StartFromField(m_input), m_input.field.Length());
    return CHWDOView::ApplyToModule();
}
