#include "CPIDWizardStep2Dlg.h"

#include "model/CZULAppData.h"
#include "pid/PIDWizardSummary.h"

#include <QPushButton>

CPIDWizardStep2Dlg::CPIDWizardStep2Dlg(CPIDWizardContext& context, QWidget* parent)
    : CWizardPage(IDD_PID_WIZARD_STEP2, "PID\xCF\xF2\xB5\xBC \xB5\xDA\xB6\xFE\xB2\xBD", parent)
    , m_context(context)
{
    const CZULAppData& app = m_context.App;
    AddStatic(PIDLoopLine(app.CurrentPIDLoop), 0, 0, 3, IDC_PID_STEP2_LOOP);
    AddStatic("\xB1\xC8\xC0\xFD\xCF\xB5\xCA\xFDKP\xA3\xBA\xC8\xF4KP\xB4\xF3\xD3\xDA" "0,\xD4\xF2PID\xCA\xC7\xD5\xFD\xD7\xF7\xD3\xC3\xA3\xBB\xC8\xF4KP\xD0\xA1\xD3\xDA" "0,\xD4\xF2PID\xCA\xC7\xB7\xB4\xD7\xF7\xD3\xC3\xA3\xBB" "0\xB1\xED\xCA\xBE\xCE\xDE\xB1\xC8\xC0\xFD\xD7\xF7\xD3\xC3\xA1\xA3\xCA\xB5\xCA\xFD", 1, 0);
    AddEdit(IDC_PID_KP, 1, 1);
    AddStatic("\xBB\xFD\xB7\xD6\xCA\xB1\xBC\xE4TR\xA3\xBA\xB5\xA5\xCE\xBB\xA3\xA8\xC3\xEB\xA3\xA9\xA3\xAC" "0\xB1\xED\xCA\xBE\xCE\xDE\xBB\xFD\xB7\xD6\xD7\xF7\xD3\xC3\xA1\xA3\xCA\xB5\xCA\xFD", 2, 0);
    AddEdit(IDC_PID_TR, 2, 1);
    AddStatic("\xC3\xEB", 2, 2);
    AddStatic("\xCE\xA2\xB7\xD6\xCA\xB1\xBC\xE4TD\xA3\xBA\xB5\xA5\xCE\xBB\xA3\xA8\xC3\xEB\xA3\xA9\xA3\xAC" "0\xB1\xED\xCA\xBE\xCE\xDE\xCE\xA2\xB7\xD6\xD7\xF7\xD3\xC3\xA1\xA3\xCA\xB5\xCA\xFD", 3, 0);
    AddEdit(IDC_PID_TD, 3, 1);
    AddStatic("\xC3\xEB", 3, 2);
    AddStatic("\xB2\xC9\xD1\xF9\xD6\xDC\xC6\xDA\xA3\xAC\xB5\xA5\xCE\xBB\xA3\xA8\xBA\xC1\xC3\xEB\xA3\xA9\xA3\xAC\xD2\xC0\xBE\xDD\xB2\xC9\xD1\xF9\xD6\xDC\xC6\xDA\xA3\xACPLC\xD1\xAD\xBB\xB7\xB6\xD4PV\xD6\xB5\xBD\xF8\xD0\xD0\xB2\xC9\xD1\xF9\xB2\xA2\xD6\xB4\xD0\xD0PID\xD4\xCB\xCB\xE3\xA1\xA3\xCB\xAB\xD5\xFB\xCA\xFD", 4, 0);
    AddEdit(IDC_PID_CYCLE, 4, 1);
    AddStatic("\xBA\xC1\xC3\xEB", 4, 2);

    const CPIDLoopConfig& loop = app.PIDLoops[app.CurrentPIDLoop];
    WriteInt(IDC_PID_CYCLE, loop.CYCLE);
    WriteFloat(IDC_PID_KP, loop.KP);
    WriteFloat(IDC_PID_TD, loop.TD);
    WriteFloat(IDC_PID_TR, loop.TR);

    connect(AddButton(IDC_PID_STEP2_BACK, "\xC9\xCF\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_PID_WIZARD_STEP1); });
    connect(AddButton(IDC_PID_STEP2_NEXT, "\xCF\xC2\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_PID_WIZARD_STEP3); });
    AddCloseAndHelp(IDC_PID_STEP2_HELP);
}

void CPIDWizardStep2Dlg::StoreAndGo(UINT dialogId)
{
    float kp = 0.0f;
    float tr = 0.0f;
    float td = 0.0f;
    int cycle = 0;
    if (!ReadFloat(IDC_PID_KP, kp) || !ReadFloat(IDC_PID_TR, tr) || !ReadFloat(IDC_PID_TD, td)
        || !ReadInt(IDC_PID_CYCLE, cycle))
        return;
    CPIDLoopConfig& loop = m_context.App.PIDLoops[m_context.App.CurrentPIDLoop];
    loop.KP = kp;
    loop.TR = tr;
    loop.TD = td;
    loop.CYCLE = cycle;
    GoTo(dialogId);
}
