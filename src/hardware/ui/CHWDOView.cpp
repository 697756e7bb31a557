#include "CHWDOView.h"

#include "hardware/HardwareTexts.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "platform/ui/DialogUnits.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>

IMPLEMENT_DYNCREATE(CHWDOView, CHWModulePage)

namespace {

constexpr UINT IDD_HW_DO = 168;
constexpr int kWidth = 300;
constexpr int kHeight = 150;
constexpr int kBoxesPerRow = 8;
constexpr int kBoxPitch = 16;
constexpr int kBoxLeft = 50;

} // namespace

CHWDOView::CHWDOView() : CHWDOView(IDD_HW_DO, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)))
{
}

CHWDOView::CHWDOView(UINT templateId, QSize formSize) : CHWModulePage(templateId, formSize, "DOcanshu") {}

void CHWDOView::OnInitialUpdate()
{
    CHWModulePage::OnInitialUpdate();
    AddGroup("Address", 10, 8, 200, 34);
    AddLabel("Start:", 18, 22, 24, 10);
    AddStartField(m_output, ModuleArea::Q, 44, 20, true);
    BuildOutputBlock(50);
    LoadStates(HW_STOP_STATE_BOXES);
    AddButtons(230, 10);
}

void CHWDOView::BuildOutputBlock(int top)
{
    AddGroup("Output States while STOP", 10, top, 200, 78);
    m_selectAll = new QCheckBox("Select All", GetForm());
    m_selectAll->setGeometry(DialogRect(18, top + 12, 60, 10));
    m_selectAll->show();
    connect(m_selectAll, &QCheckBox::clicked, this, [this] { OnSelectAll(); });
    for (int column = 0; column < kBoxesPerRow; ++column)
        AddLabel(std::to_string(column).c_str(), kBoxLeft + 2 + column * kBoxPitch, top + 26, 10, 10);
    for (int row = 0; row < 2; ++row) {
        m_rowLabels[row] = new QLabel(GetForm());
        m_rowLabels[row]->setGeometry(DialogRect(18, top + 38 + row * 14, 30, 10));
        m_rowLabels[row]->show();
    }
    const int doCount = m_module ? m_module->doCount : 0;
    for (int k = 0; k < HW_STOP_STATE_BOXES; ++k) {
        auto* box = new QCheckBox(GetForm());
        box->setGeometry(DialogRect(kBoxLeft + (k % kBoxesPerRow) * kBoxPitch, top + 38 + (k / kBoxesPerRow) * 14,
                                    10, 10));
        box->setEnabled(k < doCount);
        box->show();
        connect(box, &QCheckBox::clicked, this, [this] { OnOutputStateClicked(); });
        m_boxes[k] = box;
    }
    ShowRowLabels();
    m_rowLabels[1]->setEnabled(QLength() != 1);
}

void CHWDOView::ShowRowLabels()
{
    const int start = m_module ? m_module->qStart : 0;
    for (int row = 0; row < 2; ++row)
        m_rowLabels[row]->setText(QString("Q%1.x").arg(start + row));
}

void CHWDOView::LoadStates(int count)
{
    for (int k = 0; k < count && m_module; ++k)
        m_boxes[k]->setChecked(m_module->stopStates[k] != 0);
}

void CHWDOView::OnStartWritten(CStartFieldControls& controls, const CStartAddressField::Change&)
{
    if (&controls == &m_output)
        ShowRowLabels();
}

void CHWDOView::OnSelectAll()
{
    if (m_selectAll->isChecked()) {
        for (int k = 0; k < HW_STOP_STATE_BOXES && m_module; ++k) {
            if (k < m_module->doCount)
                m_boxes[k]->setChecked(true);
        }
    }
    SetProjectModified(TRUE);
}

void CHWDOView::OnOutputStateClicked()
{
    m_selectAll->setChecked(false);
    SetProjectModified(TRUE);
}

void CHWDOView::OnDefaultButton()
{
    if (!Reallocate({ModuleArea::Q}, {kNoRoomInQOutputPage}))
        return;
    ShowStart(m_output);
    ShowRowLabels();
    m_selectAll->setChecked(false);
    for (int k = 0; k < HW_STOP_STATE_BOXES && m_module; ++k) {
        if (k < m_module->doCount)
            m_boxes[k]->setChecked(false);
    }
    RedrawGrid();
    SetProjectModified(TRUE);
}

void CHWDOView::OnCancelButton()
{
    RestoreStart(m_output);
    ShowRowLabels();
    LoadStates(HW_STOP_STATE_BOXES);
    RedrawGrid();
    SetProjectModified(TRUE);
}

BOOL CHWDOView::ApplyToModule()
{
    if (!m_module)
        return TRUE;
    SetModuleRange(*m_module, ModuleArea::Q, StartFromField(m_output), QLength());
    const int states = std::min(HW_STOP_STATE_BOXES, CZUL_Q7_PLC::StopStateCount(m_module->doCount));
    for (int k = 0; k < states; ++k)
        m_module->stopStates[k] = m_boxes[k]->isChecked() ? 1 : 0;
    return TRUE;
}
