#pragma once
// PID wizard, ranges and output: the PV range, the analog output range or
// the duty period of a switched output.

#include "CPIDWizard.h"
#include "platform/ui/CWizardPage.h"

constexpr UINT IDC_PID_PV_H = 1308;
constexpr UINT IDC_PID_PV_L = 1309;
constexpr UINT IDC_PID_SP = 1310;
constexpr UINT IDC_PID_XOUTP_H = 1311;
constexpr UINT IDC_PID_XOUTP_L = 1307;
constexpr UINT IDC_PID_DUTY_PERIOD = 6338;
constexpr UINT IDC_PID_ANALOG = 1348;
constexpr UINT IDC_PID_SWITCHED = 1349;
constexpr UINT IDC_PID_STEP3_LOOP = 1347;
constexpr UINT IDC_PID_STEP3_BACK = 1294;
constexpr UINT IDC_PID_STEP3_NEXT = 1292;
constexpr UINT IDC_PID_STEP3_HELP = 1343;

class CPIDWizardStep3Dlg : public CWizardPage {
    Q_OBJECT
public:
    CPIDWizardStep3Dlg(CPIDWizardContext& context, QWidget* parent = nullptr);

    void StoreAndGo(UINT dialogId);
    // A click on an output radio: the output kind is stored at once.
    void OnOutputKind();

private:
    struct Fields {
        int PV_H = 0;
        int PV_L = 0;
        int XOUTP_H = 0;
        int XOUTP_L = 0;
        int DutyPeriod = 0;
    };
    BOOL ReadFields(Fields& fields);
    void ApplyEnableRule();
    int AnalogChecked() const;

    CPIDWizardContext& m_context;
};
