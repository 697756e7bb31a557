#pragma once
// The page of an analog output module: its AQ word range and, per channel,
// the output function and whether the output holds a freeze value while
// the PLC is in STOP. The freeze value is kept inside the function's span
// when the function changes and when the settings are stored, never while
// the user types.

#include "hardware/ui/CHWModulePage.h"
#include "model/CZUL_Q7_PLC.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CHWAOView : public CHWModulePage {
    DECLARE_DYNCREATE(CHWAOView)
public:
    CHWAOView();

    void OnInitialUpdate() override;
    void OnDefaultButton() override;
    void OnCancelButton() override;
    BOOL ApplyToModule() override;
    bool StoresOnApply() const override { return true; }

    void OnFreezeClicked(int channel);
    void OnFunctionChanged(int channel);
    void ClampFreezeValue(int channel);

    CStartFieldControls& OutputStart() { return m_output; }
    QComboBox* FunctionList(int channel) const { return m_functions[channel]; }
    QCheckBox* FreezeBox(int channel) const { return m_freeze[channel]; }
    QLineEdit* FreezeValue(int channel) const { return m_values[channel]; }

private:
    void LoadChannels();

    CStartFieldControls m_output;
    QComboBox* m_functions[MODULE_AO_SLOTS] = {};
    QCheckBox* m_freeze[MODULE_AO_SLOTS] = {};
    QLineEdit* m_values[MODULE_AO_SLOTS] = {};
};
