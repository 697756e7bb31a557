#include "CAutoTuneStep2Dlg.h"

#include "CAutoTuneStep1Dlg.h"
#include "model/CZULAppData.h"
#include "pid/PIDWizardSummary.h"

#include <QLineEdit>
#include <QPushButton>

CAutoTuneStep2Dlg::CAutoTuneStep2Dlg(CPIDWizardContext& context, QWidget* parent)
    : CWizardPage(IDD_AUTOTUNE_STEP2, "", parent)
    , m_context(context)
{
    const CZULAppData& app = m_context.App;
    const CPIDLoopConfig& loop = app.PIDLoops[app.CurrentPIDLoop];
    AddStatic(PIDLoopLine(app.CurrentPIDLoop), 0, 0, 3, IDC_TUNE_STEP2_LOOP);
    AddStatic("PVFIL\xA3\xAC\xBC\xC6\xCB\xE3\xB3\xF5\xCA\xBC\xBC\xCC\xB5\xE7\xCA\xE4\xB3\xF6\xD6\xB5\xCA\xB1\xB6\xD4PV\xB5\xC4\xB2\xC9\xD1\xF9\xC2\xCB\xB2\xA8\xCA\xB1\xBC\xE4\xA3\xA8\xC3\xEB\xA3\xA9\xA1\xA3\xC8\xF4\xC9\xE8\xD6\xC3\xCE\xAA" "0\xA3\xAC\xD4\xF2\xB1\xED\xCA\xBE\xB2\xBB\xC2\xCB\xB2\xA8", 1, 0);
    AddEdit(IDC_TUNE_PVFIL, 1, 1);
    AddStatic("\xC3\xEB", 1, 2);
    AddStatic("STEP\xA3\xAC\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xBC\xCC\xB5\xE7\xCA\xE4\xB3\xF6\xB1\xE4\xBB\xAF\xC1\xBF\xA1\xA3\xC8\xA1\xD6\xB5\xB7\xB6\xCE\xA7" "0.05\xA1\xAB" "0.4, \xC4\xAC\xC8\xCF\xD6\xB5\xCE\xAA" "0.1\xA1\xA3", 2, 0);
    AddEdit(IDC_TUNE_STEP, 2, 1);
    AddStatic("%", 2, 2);
    AddStatic("WDG\xA3\xAC\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xBF\xB4\xC3\xC5\xB9\xB7\xCA\xB1\xBC\xE4\xA3\xA8\xC3\xEB\xA3\xA9\xA1\xA3\xC8\xF4\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xB3\xAC\xB3\xF6\xC1\xCB\xBF\xB4\xC3\xC5\xB9\xB7\xCA\xB1\xBC\xE4\xA3\xACPLC\xBD\xAB\xD6\xD5\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xB5\xC4\xD6\xB4\xD0\xD0\xA1\xA3\xC8\xA1\xD6\xB5\xB7\xB6\xCE\xA7" "60\xA1\xAB" "7200\xA3\xAC\xC4\xAC\xC8\xCF\xD6\xB5\xCE\xAA" "7200", 3, 0);
    AddEdit(IDC_TUNE_WDG, 3, 1);
    AddStatic("\xC3\xEB", 3, 2);
    for (UINT unused : {IDC_TUNE_DEV, IDC_TUNE_HYS}) {
        QLineEdit* edit = AddEdit(unused, 4, 0);
        edit->hide();
        edit->setEnabled(false);
    }

    WriteInt(IDC_TUNE_PVFIL, loop.PVFIL);
    WriteFloat(IDC_TUNE_STEP, loop.STEP);
    WriteFloat(IDC_TUNE_WDG, loop.WDG);

    connect(AddButton(IDC_TUNE_STEP2_BACK, "\xC9\xCF\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_AUTOTUNE_STEP1); });
    connect(AddButton(IDC_TUNE_STEP2_NEXT, "\xCF\xC2\xD2\xBB\xB2\xBD"), &QPushButton::clicked, this,
        [this] { StoreAndGo(IDD_AUTOTUNE_STEP3); });
    AddCloseAndHelp(IDC_TUNE_STEP2_HELP);
}

void CAutoTuneStep2Dlg::StoreAndGo(UINT dialogId)
{
    int filter = 0;
    float step = 0.0f;
    float watchdog = 0.0f;
    if (!ReadUnsigned(IDC_TUNE_PVFIL, filter) || !ReadFloat(IDC_TUNE_STEP, step) || !ReadFloat(IDC_TUNE_WDG, watchdog))
        return;
    CPIDLoopConfig& loop = m_context.App.PIDLoops[m_context.App.CurrentPIDLoop];
    loop.PVFIL = filter;
    loop.STEP = step;
    loop.WDG = watchdog;
    GoTo(dialogId);
}
