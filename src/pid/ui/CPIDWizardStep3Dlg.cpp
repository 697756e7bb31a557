#include "CPIDWizardStep3Dlg.h"

#include "model/CZULAppData.h"
#include "pid/PIDWizardSummary.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

CPIDWizardStep3Dlg::CPIDWizardStep3Dlg(CPIDWizardContext& context, QWidget* parent)
    : CWizardPage(IDD_PID_WIZARD_STEP3, "PID\xCF\xF2\xB5\xBC \xB5\xDA\xC8\xFD\xB2\xBD", parent)
    , m_context(context)
{
    const CZULAppData& app = m_context.App;
    const CPIDLoopConfig& loop = app.PIDLoops[app.CurrentPIDLoop];
    int row = 0;
    AddStatic(PIDLoopLine(app.CurrentPIDLoop), row++, 0, 3, IDC_PID_STEP3_LOOP);
    AddStatic("\xB7\xB4\xC0\xA1\xD6\xB5PV", row++, 0);
    AddStatic("PV\xD6\xB5\xC9\xCF\xCF\xDEPV_H\xA3\xA8\xD5\xFB\xCA\xFD\xA3\xA9", row, 0);
    AddEdit(IDC_PID_PV_H, row++, 1);
    AddStatic("PV\xD6\xB5\xB5\xC4\xCF\xC2\xCF\xDEPV_L\xA3\xA8\xD5\xFB\xCA\xFD\xA3\xA9", row, 0);
    AddEdit(IDC_PID_PV_L, row++, 1);
    QLabel* spLabel = AddStatic("SP", row, 0);
    QLineEdit* sp = AddEdit(IDC_PID_SP, row++, 1);
    spLabel->hide();
    sp->hide();
    sp->setEnabled(false);
    AddStatic("\xC0\xFD\xC8\xE7\xA3\xBA\xB7\xB4\xC0\xA1\xD6\xB5PV\xCA\xC7\xCE\xC2\xB6\xC8\xA3\xAC\xC9\xCF\xCF\xDE\xCA\xC7" "100\xA1\xE6\xA3\xAC\xCF\xC2\xCF\xDE\xCA\xC7" "0\xA1\xE6\xA3\xAC\xC4\xC7\xC3\xB4PV_H=100\xA3\xACPV_L=0\xA1\xA3\n\xC9\xE8\xB6\xA8\xD6\xB5SP\xB5\xA5\xCE\xBB\xD3\xEB\xB7\xB4\xC0\xA1\xD6\xB5\xCA\xC7\xD2\xBB\xD6\xC2\xB5\xC4\xA3\xAC\xC9\xCF\xCF\xC2\xCF\xDE\xD2\xB2\xCA\xC7\xD2\xBB\xD6\xC2\xB5\xC4\xA1\xA3",
        row++, 0, 3);
    AddStatic("\xCA\xE4\xB3\xF6\xD6\xB5OUT", row++, 0);
    AddStatic("\xCA\xE4\xB3\xF6\xC0\xE0\xD0\xCD", row, 0);
    QRadioButton* analog = AddRadio(IDC_PID_ANALOG, "\xC4\xA3\xC4\xE2\xC1\xBF", row, 1);
    QRadioButton* switched = AddRadio(IDC_PID_SWITCHED, "\xCA\xFD\xD7\xD6\xC1\xBF", row++, 2);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(analog);
    kinds->addButton(switched);
    AddStatic("\xCA\xE4\xB3\xF6\xC4\xA3\xC4\xE2\xC1\xBF\xC9\xCF\xCF\xDEXOUTP_H(\xD5\xFB\xCA\xFD)", row, 0);
    AddEdit(IDC_PID_XOUTP_H, row++, 1);
    AddStatic("\xCA\xE4\xB3\xF6\xC4\xA3\xC4\xE2\xC1\xBF\xCF\xC2\xCF\xDEXOUTP_L(\xD5\xFB\xCA\xFD)", row, 0);
    AddEdit(IDC_PID_XOUTP_L, row++, 1);
    AddStatic("\xD5\xBC\xBF\xD5\xB1\xC8\xCA\xB1\xBC\xE4(\xD5\xFB\xCA\xFD)  (\xB7\xB6\xCE\xA7" "1~32000)", row, 0);
    AddEdit(IDC_PID_DUTY_PERIOD, row, 1);
    AddStatic("* 0.01\xC3\xEB", row, 2);

    WriteInt(IDC_PID_DUTY_PERIOD, loop.DutyPeriod);
    WriteInt(IDC_PID_XOUTP_H, loop.XOUTP_H);
    WriteInt(IDC_PID_XOUTP_L, loop.XOUTP_L);
    WriteInt(IDC_PID_PV_H, loop.PV_H);
    WriteInt(IDC_PID_PV_L, loop.PV_L);
    (loop.AnalogOutput != 0 ? analog : switched)->setChecked(true);
    ApplyEnableRule();
    connect(analog, &QRadioButton::clicked, this, [this] { OnOutputKind(); });
    connect(switched, &QRadioButton::clicked, this, [this] { OnOutputKind(); });

    connect(AddButton(IDC_PID_STEP3_BACK, "\xC9\xCF\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_PID_WIZARD_STEP2); });
    connect(AddButton(IDC_PID_STEP3_NEXT, "\xCF\xC2\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_PID_WIZARD_STEP4); });
    AddCloseAndHelp(IDC_PID_STEP3_HELP);
}

int CPIDWizardStep3Dlg::AnalogChecked() const
{
    return Control<QRadioButton>(IDC_PID_ANALOG)->isChecked() ? 1 : 0;
}

void CPIDWizardStep3Dlg::ApplyEnableRule()
{
    const bool analog = AnalogChecked() != 0;
    Control<QLineEdit>(IDC_PID_DUTY_PERIOD)->setEnabled(!analog);
    Control<QLineEdit>(IDC_PID_XOUTP_H)->setEnabled(analog);
    Control<QLineEdit>(IDC_PID_XOUTP_L)->setEnabled(analog);
}

BOOL CPIDWizardStep3Dlg::ReadFields(Fields& fields)
{
    return ReadIntRange(IDC_PID_DUTY_PERIOD, PID_DUTY_PERIOD_MIN, PID_DUTY_PERIOD_MAX, fields.DutyPeriod)
        && ReadInt(IDC_PID_XOUTP_H, fields.XOUTP_H) && ReadInt(IDC_PID_XOUTP_L, fields.XOUTP_L)
        && ReadInt(IDC_PID_PV_H, fields.PV_H) && ReadInt(IDC_PID_PV_L, fields.PV_L);
}

void CPIDWizardStep3Dlg::OnOutputKind()
{
    Fields fields;
    if (!ReadFields(fields))
        return;
    m_context.App.PIDLoops[m_context.App.CurrentPIDLoop].AnalogOutput = AnalogChecked();
    ApplyEnableRule();
}

void CPIDWizardStep3Dlg::StoreAndGo(UINT dialogId)
{
    Fields fields;
    if (!ReadFields(fields))
        return;
    CPIDLoopConfig& loop = m_context.App.PIDLoops[m_context.App.CurrentPIDLoop];
    loop.DutyPeriod = fields.DutyPeriod;
    loop.XOUTP_H = fields.XOUTP_H;
    loop.XOUTP_L = fields.XOUTP_L;
    loop.PV_H = fields.PV_H;
    loop.PV_L = fields.PV_L;
    loop.AnalogOutput = AnalogChecked();
    GoTo(dialogId);
}
