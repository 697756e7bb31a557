#pragma once
// PID wizard, summary: the fixed memory of the loop's PID block, then
// generate the subroutine or continue with the auto-tune settings.

#include "CPIDWizard.h"
#include "platform/ui/CWizardPage.h"

constexpr UINT IDC_PID_STEP4_LOOP = 1350;
constexpr UINT IDC_PID_STEP4_PICTURE = 321;
constexpr UINT IDC_PID_STEP4_BACK = 1297;
constexpr UINT IDC_PID_STEP4_AUTOTUNE = 1295;
constexpr UINT IDC_PID_STEP4_GENERATE = 1296;
constexpr UINT IDC_PID_STEP4_HELP = 1342;

class CPIDWizardStep4Dlg : public CWizardPage {
    Q_OBJECT
public:
    CPIDWizardStep4Dlg(CPIDWizardContext& context, QWidget* parent = nullptr);

    void OnGenerate();

private:
    CPIDWizardContext& m_context;
};
