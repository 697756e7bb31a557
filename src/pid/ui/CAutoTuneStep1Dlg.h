#pragma once
// Auto-tune wizard, kinds: response type, PID type and whether deviation
// and hysteresis are computed by the PLC or given here.

#include "CPIDWizard.h"
#include "pid/PIDAutoTune.h"
#include "platform/ui/CWizardPage.h"

constexpr UINT IDC_TUNE_FAST = 1312;   // 1312..1315 response types
constexpr UINT IDC_TUNE_PID = 1316;    // 1316..1319 PID types
constexpr UINT IDC_TUNE_AUTO = 1322;
constexpr UINT IDC_TUNE_DEV = 1320;
constexpr UINT IDC_TUNE_HYS = 1321;
constexpr UINT IDC_TUNE_STEP1_LOOP = 1366;
constexpr UINT IDC_TUNE_STEP1_BACK = 1298;
constexpr UINT IDC_TUNE_STEP1_NEXT = 1299;
constexpr UINT IDC_TUNE_STEP1_HELP = 1341;

class CAutoTuneStep1Dlg : public CWizardPage {
    Q_OBJECT
public:
    CAutoTuneStep1Dlg(CPIDWizardContext& context, QWidget* parent = nullptr);

    void StoreAndGo(UINT dialogId);
    void ApplyEnableRule();

private:
    TuneControlPage ReadChoices() const;

    CPIDWizardContext& m_context;
    BYTE m_control; // working copy of the control byte
};
