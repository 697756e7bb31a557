#pragma once
// PID wizard, loop choice: which of the eight loops to configure, with the
// question when its subroutine already exists.

#include "CPIDWizard.h"
#include "platform/ui/CWizardPage.h"

constexpr UINT IDC_PID_LOOP_LIST = 1287;
constexpr UINT IDC_PID_STEP1_NEXT = 1290;
constexpr UINT IDC_PID_STEP1_HELP = 1345;

class CPIDWizardStep1Dlg : public CWizardPage {
    Q_OBJECT
public:
    CPIDWizardStep1Dlg(CPIDWizardContext& context, QWidget* parent = nullptr);

    void OnNext();

private:
    CPIDWizardContext& m_context;
};
