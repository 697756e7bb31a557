#pragma once
// The "Retentive Ranges" page of the CPU property sheet: the window over
// CPageCPURetainModel. Before each operation the controls are read into the
// model, afterwards the model's state is shown.

#include "hardware/CPageCPURetainModel.h"
#include "platform/ui/CPropertyPage.h"

class QComboBox;
class QSpinBox;

constexpr UINT IDD_CPU_RETAIN_PAGE = 158;

class CPageCPURetain : public CPropertyPage {
    DECLARE_DYNAMIC(CPageCPURetain)
public:
    explicit CPageCPURetain(CZULAppData& app);

    CPageCPURetainModel& Model() { return m_model; }

    BOOL OnInitDialog() override;
    void SetDefaultSettings() override;
    void ReloadSettings() override;
    BOOL OnApply() override { return ApplyRetentiveRanges(); }
    BOOL ApplyRetentiveRanges();
    void OnHelp() override;

private:
    void BuildControls();
    void ReadControls();
    void ShowValues();

    CPageCPURetainModel m_model;
    QComboBox* m_areas[CPU_RETAIN_RANGES] = {};
    QSpinBox* m_starts[CPU_RETAIN_RANGES] = {};
    QSpinBox* m_lengths[CPU_RETAIN_RANGES] = {};
};
