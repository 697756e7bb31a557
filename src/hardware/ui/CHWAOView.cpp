#include "CHWAOView.h"

#include "hardware/HardwareTexts.h"
#include "model/ProjectModified.h"
#include "model/SharedStrings.h"
#include "platform/ui/DialogUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

IMPLEMENT_DYNCREATE(CHWAOView, CHWModulePage)

namespace {

constexpr UINT IDD_HW_AO = 164;
constexpr int kWidth = 360;
constexpr int kHeight = 130;
constexpr int kFreezeValueChars = 6;

} // namespace

CHWAOView::CHWAOView()
    : CHWModulePage(IDD_HW_AO, QSize(DialogUnitsToPixelsX(kWidth), DialogUnitsToPixelsY(kHeight)), "AOcanshu")
{
}

void CHWAOView::OnInitialUpdate()
{
    CHWModulePage::OnInitialUpdate();
    AddGroup("Address", 10, 8, 200, 34);
    AddLabel("Start:", 18, 22, 24, 10);
    AddStartField(m_output, ModuleArea::AQ, 44, 20);
    AddGroup("Channels", 10, 48, 278, 60);
    AddLabel("Function", 62, 58, 50, 10);
    AddLabel("Freeze Output while STOP", 124, 58, 106, 10);
    AddLabel("Freeze Value", 234, 58, 50, 10);
    for (int channel = 0; channel < MODULE_AO_SLOTS; ++channel) {
        const int top = 76 + channel * 16;
        AddLabel(("Channel " + std::to_string(channel) + ":").c_str(), 14, top + 2, 48, 10);
        m_functions[channel] = new QComboBox(GetForm());
        m_functions[channel]->setGeometry(DialogRect(62, top, 56, 12));
        m_freeze[channel] = new QCheckBox(GetForm());
        m_freeze[channel]->setGeometry(DialogRect(160, top, 12, 12));
        m_values[channel] = new QLineEdit(GetForm());
        m_values[channel]->setMaxLength(kFreezeValueChars);
        m_values[channel]->setValidator(
            new QRegularExpressionValidator(QRegularExpression("[-+]?[0-9]*"), m_values[channel]));
        m_values[channel]->setGeometry(DialogRect(234, top, 44, 12));
        const bool enabled = m_module && channel < m_module->aoCount;
        m_functions[channel]->setEnabled(enabled);
        m_freeze[channel]->setEnabled(enabled);
        m_values[channel]->setEnabled(false);
        m_functions[channel]->show();
        m_freeze[channel]->show();
        m_values[channel]->show();
        connect(m_functions[channel], &QComboBox::activated, this, [this, channel] { OnFunctionChanged(channel); });
        connect(m_freeze[channel], &QCheckBox::clicked, this, [this, channel] { OnFreezeClicked(channel); });
        connect(m_values[channel], &QLineEdit::textEdited, this, [] { SetProjectModified(TRUE); });
    }
    LoadChannels();
    AddButtons(300, 10);
}

void CHWAOView::LoadChannels()
{
    for (int channel = 0; m_module && channel < m_module->aoCount && channel < MODULE_AO_SLOTS; ++channel) {
        m_functions[channel]->clear();
        for (const char* name : kAnalogRanges)
            m_functions[channel]->addItem(name);
        m_functions[channel]->setCurrentIndex(m_module->aoRange[channel]);
        const bool frozen = m_module->aoStopMode[channel] != 0;
        m_freeze[channel]->setChecked(frozen);
        m_values[channel]->setText(frozen ? QString::number(static_cast<int>(m_module->aoFreezeValue[channel]))
                                          : QString());
        m_values[channel]->setEnabled(frozen);
    }
}

void CHWAOView::OnFreezeClicked(int channel)
{
    const bool ticked = m_freeze[channel]->isChecked();
    const int function = m_functions[channel]->currentIndex();
    m_values[channel]->setText(ticked && function >= 0 && function < AO_FUNCTION_COUNT
                                   ? QString::number(FreezeSpans[function].defaultValue)
                                   : QString());
    m_values[channel]->setEnabled(ticked);
    SetProjectModified(TRUE);
}

void CHWAOView::OnFunctionChanged(int channel)
{
    ClampFreezeValue(channel);
    SetProjectModified(TRUE);
}

void CHWAOView::ClampFreezeValue(int channel)
{
    if (!m_freeze[channel]->isChecked())
        return;
    const int value = FreezeValueFromText(m_values[channel]->text().toStdString());
    const int clamped = ::ClampFreezeValue(m_functions[channel]->currentIndex(), value);
    if (clamped != value || m_values[channel]->text().isEmpty())
        m_values[channel]->setText(QString::number(clamped));
}

void CHWAOView::OnDefaultButton()
{
    if (!Reallocate({ModuleArea::AQ}, {kNoRoomInAQ}))
        return;
    ShowStart(m_output);
    for (int channel = 0; channel < m_module->aoCount && channel < MODULE_AO_SLOTS; ++channel) {
        m_functions[channel]->setCurrentIndex(0);
        m_freeze[channel]->setChecked(false);
        m_values[channel]->clear();
        m_values[channel]->setEnabled(false);
    }
    RedrawGrid();
    SetProjectModified(TRUE);
}

void CHWAOView::OnCancelButton()
{
    RestoreStart(m_output);
    LoadChannels();
    RedrawGrid();
    SetProjectModified(TRUE);
}

BOOL CHWAOView::ApplyToModule()
{
    if (!m_module)
        return TRUE;
    for (int channel = 0; channel < m_module->aoCount && channel < MODULE_AO_SLOTS; ++channel)
        ClampFreezeValue(channel);
    SetModuleRange(*m_module, ModuleArea::AQ, StartFromField(m_output), m_output.field.Length());
    for (int channel = 0; channel < m_module->aoCount && channel < MODULE_AO_SLOTS; ++channel) {
        m_module->aoRange[channel] = static_cast<BYTE>(m_functions[channel]->currentIndex());
        m_module->aoStopMode[channel] = m_freeze[channel]->isChecked() ? 1 : 0;
        m_module->aoFreezeValue[channel] =
            static_cast<DWORD>(FreezeValueFromText(m_values[channel]->text().toStdString()));
    }
    return TRUE;
}
