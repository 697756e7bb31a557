#pragma once
// The first page of the CANopen sheet, "主站及全局配置": the window over
// CMasterAndGlobalModel. "保存" applies at once; the CANopen configuration
// page applies it when the hardware check asks.

#include "hardware/canopen/CMasterAndGlobalModel.h"
#include "platform/ui/CPropertyPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

constexpr UINT IDD_CANOPEN_MASTER_PAGE = 4036;
constexpr UINT IDC_CANOPEN_BAUD = 4308;
constexpr UINT IDC_CANOPEN_SDO_TIMEOUT = 4309;
constexpr UINT IDC_CANOPEN_MASTER_ADDRESS = 4311;
constexpr UINT IDC_CANOPEN_NET_STATUS = 4312;
constexpr UINT IDC_CANOPEN_MASTER_STATUS = 4313;
constexpr UINT IDC_CANOPEN_SLAVES_STATUS = 4314;
constexpr UINT IDC_CANOPEN_CONFIGURE_AT_START = 4321;
constexpr UINT IDC_CANOPEN_MASTER_SAVE = 1;
constexpr UINT IDC_CANOPEN_MASTER_HELP = 4006;

class CMasterAndGlobal : public CPropertyPage {
    DECLARE_DYNAMIC(CMasterAndGlobal)
public:
    explicit CMasterAndGlobal(CZULProject& project);

    CMasterAndGlobalModel& Model() { return m_model; }

    BOOL OnInitDialog() override;
    BOOL ApplyMasterSettings();
    void OnHelp() override;

private:
    void BringToFront();
    void BuildControls();
    void ReadControls();
    void ShowValues();

    CMasterAndGlobalModel m_model;
    QComboBox* m_baud = nullptr;
    QLineEdit* m_overTime = nullptr;
    QLineEdit* m_masterAddress = nullptr;
    QLineEdit* m_netStates = nullptr;
    QLineEdit* m_masterStates = nullptr;
    QLineEdit* m_allSlaveStates = nullptr;
    QCheckBox* m_configureAtStart = nullptr;
};
