#pragma once
// Auto-tune wizard, limits: the PV filter time, the output step and the
// watchdog time of the auto-tune run.

#include "CPIDWizard.h"
#include "platform/ui/CWizardPage.h"

constexpr UINT IDC_TUNE_PVFIL = 1323;
constexpr UINT IDC_TUNE_STEP = 1326;
constexpr UINT IDC_TUNE_WDG = 1327;
constexpr UINT IDC_TUNE_STEP2_LOOP = 1367;
constexpr UINT IDC_TUNE_STEP2_BACK = 1301;
constexpr UINT IDC_TUNE_STEP2_NEXT = 1302;
constexpr UINT IDC_TUNE_STEP2_HELP = 1340;

class CAutoTuneStep2Dlg : public CWizardPage {
    Q_OBJECT
public:
    CAutoTuneStep2Dlg(CPIDWizardContext& context, QWidget* parent = nullptr);

    void StoreAndGo(UINT dialogId);

private:
    CPIDWizardContext& m_context;
};
