#pragma once
// The "Communication Ports" page of the CPU property sheet: the window over
// CPageCPUComModel. Before each operation the controls are read into the
// model, afterwards the model's state is shown.

#include "hardware/CPageCPUComModel.h"
#include "platform/ui/CPropertyPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

constexpr UINT IDD_CPU_COM_PAGE = 154;

class CPageCPUCom : public CPropertyPage {
    DECLARE_DYNAMIC(CPageCPUCom)
public:
    explicit CPageCPUCom(CZULAppData& app);

    CPageCPUComModel& Model() { return m_model; }

    BOOL OnInitDialog() override;
    void SetDefaultSettings() override;
    void ReloadSettings() override;
    BOOL OnApply() override { return ApplyPortSettings(); }
    BOOL ApplyPortSettings();
    void OnHelp() override;

private:
    void BuildControls();
    void ReadControls();
    void ShowValues();

    CPageCPUComModel m_model;
    QComboBox* m_lists[CPU_PORT_COUNT][PORT_LIST_COUNT] = {};
    QCheckBox* m_master = nullptr;
    QLineEdit* m_timeout = nullptr;
    QLineEdit* m_retries = nullptr;
};
