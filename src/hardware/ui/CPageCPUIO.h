#pragma once
// The "I/O Configuration" page of the CPU property sheet: the window over
// CPageCPUIOModel. Before each operation the controls are read into the
// model, afterwards the model's state is shown.

#include "hardware/CPageCPUIOModel.h"
#include "platform/ui/CPropertyPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

constexpr UINT IDD_CPU_IO_PAGE = 156;

class CPageCPUIO : public CPropertyPage {
    DECLARE_DYNAMIC(CPageCPUIO)
public:
    explicit CPageCPUIO(CZULAppData& app);

    CPageCPUIOModel& Model() { return m_model; }

    BOOL OnInitDialog() override;
    void SetDefaultSettings() override;
    void ReloadSettings() override;
    BOOL OnApply() override { return ApplyIOSettings(); }
    BOOL ApplyIOSettings();
    void OnHelp() override;

private:
    void BuildControls();
    void ReadControls();
    void ShowValues();

    CPageCPUIOModel m_model;
    QLineEdit* m_iStart = nullptr;
    QLineEdit* m_iLength = nullptr;
    QLineEdit* m_qStart = nullptr;
    QLineEdit* m_qLength = nullptr;
    QComboBox* m_filters[CPU_FILTER_GROUPS] = {};
    QCheckBox* m_selectAll = nullptr;
    QCheckBox* m_stop[CPU_STOP_BOXES] = {};
    QLabel* m_rowLabels[CPU_STOP_ROWS] = {};
};
