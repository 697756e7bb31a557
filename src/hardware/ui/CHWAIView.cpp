#include "CHWAIView.h"

#include "hardware/HardwareTexts.h"
#include "model/ProjectModified.h"
#include "model/SharedStrings.h"
#include "platform/ui/DialogUnits.h"

#include <QComboBox>

IMPLEMENT_DYNCREATE(CHWAIView, CHWModulePage)

namespace {

constexpr UINT IDD_HW_AI = 169;
constexpr int kWidth = 300;
constexpr int kHeight = 150;

} // namespace

CHWAIView::CHWAIView()
    : CHWModulePage(IDD_HW_AI, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)), "AIcanshu")
{
}

int CHWAIView::FunctionOffset() const
{
    const CAiFunctionChoice* choice = m_module ? AiFunctionChoiceOf(m_module->kindMask) : nullptr;
    return choice ? choice->offset : 0;
}

void CHWAIView::OnInitialUpdate()
{
    CHWModulePage::OnInitialUpdate();
    AddLabel("Address:", 10, 12, 32, 10);
    AddStartField(m_input, ModuleArea::AI, 44, 10, true);
    AddLabel("Function", 60, 32, 60, 10);
    AddLabel("Filter", 140, 32, 60, 10);
    const CAiFunctionChoice* choice = m_module ? AiFunctionChoiceOf(m_module->kindMask) : nullptr;
    const int count = m_module ? m_module->aiCount : 0;
    for (int channel = 0; channel < MODULE_AI_SLOTS; ++channel) {
        const int top = 44 + channel * 18;
        AddLabel(("Channel " + std::to_string(channel) + ":").c_str(), 10, top + 2, 46, 10);
        m_functions[channel] = new QComboBox(GetForm());
        m_functions[channel]->setGeometry(DialogRect(60, top, 74, 12));
        m_filters[channel] = new QComboBox(GetForm());
        m_filters[channel]->setGeometry(DialogRect(140, top, 74, 12));
        const bool enabled = channel < count;
        m_functions[channel]->setEnabled(enabled && choice && !choice->locked);
        m_filters[channel]->setEnabled(enabled);
        if (enabled && choice) {
            for (const std::string& name : choice->names)
                m_functions[channel]->addItem(QString::fromStdString(name));
            for (const char* name : kAnalogFilterModes)
                m_filters[channel]->addItem(name);
        }
        m_functions[channel]->show();
        m_filters[channel]->show();
    }
    SelectStoredCodes();
    for (int channel = 0; channel < MODULE_AI_SLOTS; ++channel) {
        connect(m_functions[channel], &QComboBox::activated, this, [] { SetProjectModified(TRUE); });
        connect(m_filters[channel], &QComboBox::activated, this, [] { SetProjectModified(TRUE); });
    }
    AddButtons(230, 10);
}

void CHWAIView::SelectStoredCodes()
{
    const int count = m_module ? m_module->aiCount : 0;
    for (int channel = 0; channel < count && channel < MODULE_AI_SLOTS; ++channel) {
        m_functions[channel]->setCurrentIndex(m_module->aiFunction[channel] - FunctionOffset());
        m_filters[channel]->setCurrentIndex(m_module->aiFilter[channel]);
    }
}

void CHWAIView::OnDefaultButton()
{
    if (!Reallocate({ModuleArea::AI}, {kNoRoomInAI}))
        return;
    ShowStart(m_input);
    RedrawGrid();
    const int count = m_module->aiCount;
    for (int channel = 0; channel < count && channel < MODULE_AI_SLOTS; ++channel) {
        m_functions[channel]->setCurrentIndex(0);
        m_filters[channel]->setCurrentIndex(0);
    }
    SetProjectModified(TRUE);
}

void CHWAIView::OnCancelButton()
{
    RestoreStart(m_input);
    SelectStoredCodes();
    RedrawGrid();
    SetProjectModified(TRUE);
}

BOOL CHWAIView::ApplyToModule()
{
    if (!m_module)
        return TRUE;
    SetModuleRange(*m_module, ModuleArea::AI, StartFromField(m_input), m_input.field.Length());
    for (int channel = 0; channel < m_module->aiCount && channel < MODULE_AI_SLOTS; ++channel) {
        m_module->aiFunction[channel] = static_cast<BYTE>(m_functions[channel]->currentIndex() + FunctionOffset());
        m_module->aiFilter[channel] = static_cast<BYTE>(m_filters[channel]->currentIndex());
    }
    return TRUE;
}
