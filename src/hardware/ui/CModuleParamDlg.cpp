#include "CModuleParamDlg.h"

#include "hardware/HardwareTexts.h"
#include "model/ProjectModified.h"
#include "model/SharedStrings.h"
#include "platform/ui/DialogUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

IMPLEMENT_DYNCREATE(CModuleParamDlg, CHWModulePage)

namespace {

constexpr UINT IDD_MODULE_PARAM = 301;
constexpr int kWidth = 320;
constexpr int kHeight = 190;

} // namespace

CModuleParamDlg::CModuleParamDlg()
    : CHWModulePage(IDD_MODULE_PARAM, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)),
                    "AIOcanshu")
{
}

void CModuleParamDlg::OnInitialUpdate()
{
    CHWModulePage::OnInitialUpdate();
    AddLabel("Output Address:", 10, 104, 56, 10);
    AddStartField(m_output, ModuleArea::AQ, 70, 102);
    AddLabel("Freeze Output while STOP", 60, 120, 120, 10);
    for (int channel = 0; channel < MODULE_AO_SLOTS; ++channel) {
        const int top = 134 + channel * 16;
        AddLabel(("Channel " + std::to_string(channel) + ":").c_str(), 10, top + 2, 40, 10);
        m_aoFunctions[channel] = new QComboBox(GetForm());
        m_aoFunctions[channel]->setGeometry(DialogRect(52, top, 60, 12));
        for (const char* name : kAnalogRanges)
            m_aoFunctions[channel]->addItem(name);
        m_freeze[channel] = new QCheckBox(GetForm());
        m_freeze[channel]->setGeometry(DialogRect(120, top, 12, 12));
        AddLabel("Freeze Value", 136, top + 2, 44, 10);
        m_values[channel] = new QLineEdit(GetForm());
        m_values[channel]->setValidator(
            new QRegularExpressionValidator(QRegularExpression("[-+]?[0-9]*"), m_values[channel]));
        m_values[channel]->setGeometry(DialogRect(182, top, 40, 12));
        m_aoFunctions[channel]->show();
        m_freeze[channel]->show();
        m_values[channel]->show();
        connect(m_aoFunctions[channel], &QComboBox::activated, this, [this, channel] {
            ClampFreezeValue(channel);
            SetProjectModified(TRUE);
        });
        connect(m_freeze[channel], &QCheckBox::clicked, this, [this, channel] { OnFreezeClicked(channel); });
        connect(m_values[channel], &QLineEdit::textEdited, this, [] { SetProjectModified(TRUE); });
        connect(m_values[channel], &QLineEdit::editingFinished, this, [this, channel] { ClampFreezeValue(channel); });
    }
    LoadOutputs();

    AddLabel("Input Address:", 10, 12, 56, 10);
    AddStartField(m_input, ModuleArea::AI, 70, 10);
    AddLabel("Function", 52, 28, 60, 10);
    AddLabel("Filter", 120, 28, 60, 10);
    for (int channel = 0; channel < MODULE_AI_SLOTS; ++channel) {
        const int top = 40 + channel * 15;
        AddLabel(("Channel " + std::to_string(channel) + ":").c_str(), 10, top + 2, 40, 10);
        m_aiFunctions[channel] = new QComboBox(GetForm());
        m_aiFunctions[channel]->setGeometry(DialogRect(52, top, 60, 12));
        m_aiFilters[channel] = new QComboBox(GetForm());
        m_aiFilters[channel]->setGeometry(DialogRect(120, top, 74, 12));
        for (const char* name : kAnalogRanges)
            m_aiFunctions[channel]->addItem(name);
        for (const char* name : kAnalogFilterModes)
            m_aiFilters[channel]->addItem(name);
        const bool enabled = m_module && channel < m_module->aiCount;
        m_aiFunctions[channel]->setEnabled(enabled);
        m_aiFilters[channel]->setEnabled(enabled);
        m_aiFunctions[channel]->show();
        m_aiFilters[channel]->show();
        connect(m_aiFunctions[channel], &QComboBox::activated, this, [] { SetProjectModified(TRUE); });
        connect(m_aiFilters[channel], &QComboBox::activated, this, [] { SetProjectModified(TRUE); });
    }
    LoadInputs();
    AddButtons(250, 10);
}

// A module with one output has no second channel to set.
void CModuleParamDlg::EnableOutputsByCount()
{
    const int count = m_module ? m_module->aoCount : 0;
    for (int channel = 0; channel < MODULE_AO_SLOTS; ++channel) {
        const bool present = channel < count;
        m_aoFunctions[channel]->setEnabled(present);
        m_freeze[channel]->setEnabled(present);
        if (!present) {
            m_values[channel]->setEnabled(false);
            m_values[channel]->setText("0");
        }
    }
}

void CModuleParamDlg::LoadOutputs()
{
    for (int channel = 0; m_module && channel < MODULE_AO_SLOTS; ++channel) {
        m_aoFunctions[channel]->setCurrentIndex(m_module->aoRange[channel]);
        const bool frozen = m_module->aoStopMode[channel] != 0;
        m_freeze[channel]->setChecked(frozen);
        m_values[channel]->setText(QString::number(static_cast<int>(m_module->aoFreezeValue[channel])));
        m_values[channel]->setEnabled(frozen);
    }
    EnableOutputsByCount();
}

void CModuleParamDlg::LoadInputs()
{
    for (int channel = 0; m_module && channel < MODULE_AI_SLOTS; ++channel) {
        m_aiFunctions[channel]->setCurrentIndex(m_module->aiFunction[channel]);
        m_aiFilters[channel]->setCurrentIndex(m_module->aiFilter[channel]);
    }
}

void CModuleParamDlg::OnFreezeClicked(int channel)
{
    const bool ticked = m_freeze[channel]->isChecked();
    const int function = m_aoFunctions[channel]->currentIndex();
    const int value = ticked && function >= 0 && function < AO_FUNCTION_COUNT ? FreezeSpans[function].defaultValue : 0;
    m_values[channel]->setText(QString::number(value));
    m_values[channel]->setEnabled(ticked);
    SetProjectModified(TRUE);
}

void CModuleParamDlg::ClampFreezeValue(int channel)
{
    if (!m_freeze[channel]->isChecked())
        return;
    const int value = FreezeValueFromText(m_values[channel]->text().toStdString());
    m_values[channel]->setText(QString::number(::ClampFreezeValue(m_aoFunctions[channel]->currentIndex(), value)));
}

// AQ then AI, and both or neither.
void CModuleParamDlg::OnDefaultButton()
{
    if (!Reallocate({ModuleArea::AQ, ModuleArea::AI}, {kNoRoomForModule, kNoRoomForModule}))
        return;
    ShowStart(m_output);
    for (int channel = 0; channel < MODULE_AO_SLOTS; ++channel) {
        m_aoFunctions[channel]->setCurrentIndex(0);
        m_freeze[channel]->setChecked(false);
        m_values[channel]->setText("0");
        m_values[channel]->setEnabled(false);
    }
    EnableOutputsByCount();
    ShowStart(m_input);
    for (int channel = 0; channel < MODULE_AI_SLOTS; ++channel) {
        m_aiFunctions[channel]->setCurrentIndex(0);
        m_aiFilters[channel]->setCurrentIndex(0);
    }
    RedrawGrid();
    SetProjectModified(TRUE);
}

void CModuleParamDlg::OnCancelButton()
{
    RestoreStart(m_output);
    LoadOutputs();
    RestoreStart(m_input);
    LoadInputs();
    RedrawGrid();
    SetProjectModified(TRUE);
}

BOOL CModuleParamDlg::ApplyToModule()
{
    if (!m_module)
        return TRUE;
    for (int channel = 0; channel < MODULE_AO_SLOTS; ++channel)
        ClampFreezeValue(channel);
    SetModuleRange(*m_module, ModuleArea::AQ, StartFromField(m_output), m_output.field.Length());
    for (int channel = 0; channel < MODULE_AO_SLOTS; ++channel) {
        m_module->aoRange[channel] = static_cast<BYTE>(m_aoFunctions[channel]->currentIndex());
        m_module->aoStopMode[channel] = m_freeze[channel]->isChecked() ? 1 : 0;
        m_module->aoFreezeValue[channel] =
            static_cast<DWORD>(FreezeValueFromText(m_values[channel]->text().toStdString()));
    }
    SetModuleRange(*m_module, ModuleArea::AI, StartFromField(m_input), m_input.field.Length());
    for (int channel = 0; channel < MODULE_AI_SLOTS; ++channel) {
        m_module->aiFunction[channel] = static_cast<BYTE>(m_aiFunctions[channel]->currentIndex());
        m_module->aiFilter[channel] = static_cast<BYTE>(m_aiFilters[channel]->currentIndex());
    }
    return TRUE;
}

BOOL CModuleParamDlg::PreTranslateMessage(MSG* msg)
{
    return CFormView::PreTranslateMessage(msg);
}
