#include "CAutoTuneStep1Dlg.h"

#include "model/CZULAppData.h"
#include "pid/PIDWizardSummary.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char* const RESPONSE_TEXTS[TUNE_CHOICES] = {"\xBF\xEC\xCB\xD9\xCF\xEC\xD3\xA6", "\xD6\xD0\xCB\xD9\xCF\xEC\xD3\xA6", "\xC2\xFD\xCB\xD9\xCF\xEC\xD3\xA6", "\xBC\xAB\xC2\xFD\xCB\xD9\xCF\xEC\xD3\xA6"};
const char* const TYPE_TEXTS[TUNE_CHOICES] = {"PID", "PI", "PD", "P"};

} // namespace

CAutoTuneStep1Dlg::CAutoTuneStep1Dlg(CPIDWizardContext& context, QWidget* parent)
    : CWizardPage(IDD_AUTOTUNE_STEP1, "\xD7\xD4\xD5\xFB\xB6\xA8\xCF\xF2\xB5\xBC \xB5\xDA\xD2\xBB\xB2\xBD", parent)
    , m_context(context)
    , m_control(context.App.PIDLoops[context.App.CurrentPIDLoop].TuneControl)
{
    const CZULAppData& app = m_context.App;
    const CPIDLoopConfig& loop = app.PIDLoops[app.CurrentPIDLoop];
    int row = 0;
    AddStatic(PIDLoopLine(app.CurrentPIDLoop), row++, 0, 4, IDC_TUNE_STEP1_LOOP);
    AddStatic("\xC0\xE0\xD0\xCD\xD1\xA1\xD4\xF1", row++, 0);
    AddStatic("PID\xB5\xC4\xCF\xEC\xD3\xA6\xB5\xC4\xC0\xE0\xD0\xCD", row++, 0, 4);
    auto* responses = new QButtonGroup(this);
    for (int i = 0; i < TUNE_CHOICES; ++i)
        responses->addButton(AddRadio(IDC_TUNE_FAST + static_cast<UINT>(i), RESPONSE_TEXTS[i], row, i));
    ++row;
    AddStatic("PID\xB5\xC4\xC0\xE0\xD0\xCD", row++, 0, 4);
    auto* types = new QButtonGroup(this);
    for (int i = 0; i < TUNE_CHOICES; ++i)
        types->addButton(AddRadio(IDC_TUNE_PID + static_cast<UINT>(i), TYPE_TEXTS[i], row, i));
    ++row;
    AddStatic("\xC6\xAB\xB2\xEE\xD6\xB5\xD3\xEB\xD6\xCD\xBA\xF3\xD6\xB5", row++, 0);
    QCheckBox* automatic = AddCheck(IDC_TUNE_AUTO, "\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xC6\xAB\xB2\xEE\xD6\xB5\xD3\xEB\xD6\xCD\xBA\xF3\xD6\xB5", row++, 0, 4);
    AddStatic("DEV\xA3\xAC\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xC6\xAB\xB2\xEE\xD6\xB5\xA1\xA3\xC8\xA1\xD6\xB5\xB7\xB6\xCE\xA7" "0.025~0.25\xA3\xAC\xC4\xAC\xC8\xCF\xD6\xB5\xCE\xAA" "0.08\xA1\xA3", row, 0, 2);
    AddEdit(IDC_TUNE_DEV, row, 2);
    AddStatic("%", row++, 3);
    AddStatic("HYS\xA3\xAC\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xD6\xCD\xBA\xF3\xD6\xB5\xA1\xA3\xC8\xA1\xD6\xB5\xB7\xB6\xCE\xA7" "0.005~0.1\xA3\xAC\xC4\xAC\xC8\xCF\xD6\xB5\xCE\xAA" "0.02\xA1\xA3", row, 0, 2);
    AddEdit(IDC_TUNE_HYS, row, 2);
    AddStatic("%", row, 3);

    const TuneControlPage page = DecodeTuneControl(m_control);
    for (int i = 0; i < TUNE_CHOICES; ++i) {
        Control<QRadioButton>(IDC_TUNE_FAST + static_cast<UINT>(i))->setChecked(page.Response[i] != 0);
        Control<QRadioButton>(IDC_TUNE_PID + static_cast<UINT>(i))->setChecked(page.Type[i] != 0);
    }
    automatic->setChecked(page.AutoDeviation != 0);
    WriteFloat(IDC_TUNE_DEV, loop.DEV);
    WriteFloat(IDC_TUNE_HYS, loop.HYS);
    ApplyEnableRule();
    connect(automatic, &QCheckBox::clicked, this, [this] { ApplyEnableRule(); });

    connect(AddButton(IDC_TUNE_STEP1_BACK, "\xC9\xCF\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_PID_WIZARD_STEP4); });
    connect(AddButton(IDC_TUNE_STEP1_NEXT, "\xCF\xC2\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_AUTOTUNE_STEP2); });
    AddCloseAndHelp(IDC_TUNE_STEP1_HELP);
}

TuneControlPage CAutoTuneStep1Dlg::ReadChoices() const
{
    TuneControlPage page;
    for (int i = 0; i < TUNE_CHOICES; ++i) {
        page.Response[i] = Control<QRadioButton>(IDC_TUNE_FAST + static_cast<UINT>(i))->isChecked() ? TRUE : FALSE;
        page.Type[i] = Control<QRadioButton>(IDC_TUNE_PID + static_cast<UINT>(i))->isChecked() ? TRUE : FALSE;
    }
    page.AutoDeviation = Control<QCheckBox>(IDC_TUNE_AUTO)->isChecked() ? TRUE : FALSE;
    return page;
}

void CAutoTuneStep1Dlg::ApplyEnableRule()
{
    const bool automatic = Control<QCheckBox>(IDC_TUNE_AUTO)->isChecked();
    Control<QLineEdit>(IDC_TUNE_DEV)->setEnabled(!automatic);
    Control<QLineEdit>(IDC_TUNE_HYS)->setEnabled(!automatic);
}

void CAutoTuneStep1Dlg::StoreAndGo(UINT dialogId)
{
    float dev = 0.0f;
    float hys = 0.0f;
    if (!ReadFloat(IDC_TUNE_DEV, dev) || !ReadFloat(IDC_TUNE_HYS, hys))
        return;
    CPIDLoopConfig& loop = m_context.App.PIDLoops[m_context.App.CurrentPIDLoop];
    loop.TuneControl = PackAutoTuneControlByte(ReadChoices(), m_control);
    loop.DEV = dev;
    loop.HYS = hys;
    GoTo(dialogId);
}
