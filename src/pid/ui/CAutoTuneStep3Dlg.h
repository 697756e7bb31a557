#pragma once
// Auto-tune wizard, table: the loop's auto-tune parameters with their
// addresses, then generate the subroutine with TUNE as an input.

#include "CPIDWizard.h"
#include "platform/ui/CWizardPage.h"

constexpr UINT IDC_TUNE_STEP3_LOOP = 1368;
constexpr UINT IDC_TUNE_TABLE = 1369;
constexpr UINT IDC_TUNE_STEP3_BACK = 1334;
constexpr UINT IDC_TUNE_STEP3_GENERATE = 1335;
constexpr UINT IDC_TUNE_STEP3_HELP = 9;

class CAutoTuneStep3Dlg : public CWizardPage {
    Q_OBJECT
public:
    CAutoTuneStep3Dlg(CPIDWizardContext& context, QWidget* parent = nullptr);

    void OnGenerate();

private:
    CPIDWizardContext& m_context;
};
