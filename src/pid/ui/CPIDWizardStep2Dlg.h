#pragma once
// PID wizard, controller parameters: gain, integral and derivative time and
// the sample period of the current loop.

#include "CPIDWizard.h"
#include "platform/ui/CWizardPage.h"

constexpr UINT IDC_PID_KP = 1303;
constexpr UINT IDC_PID_TR = 1304;
constexpr UINT IDC_PID_TD = 1305;
constexpr UINT IDC_PID_CYCLE = 1306;
constexpr UINT IDC_PID_STEP2_LOOP = 1346;
constexpr UINT IDC_PID_STEP2_BACK = 1296;
constexpr UINT IDC_PID_STEP2_NEXT = 1291;
constexpr UINT IDC_PID_STEP2_HELP = 1344;

class CPIDWizardStep2Dlg : public CWizardPage {
    Q_OBJECT
public:
    CPIDWizardStep2Dlg(CPIDWizardContext& context, QWidget* parent = nullptr);

    // Stores the fields and moves to the page; stays after a field error.
    void StoreAndGo(UINT dialogId);

private:
    CPIDWizardContext& m_context;
};
