#pragma once
// The settings of an analog input/output module with two inputs: the AI
// and AQ word ranges, each input's function and filter, and each output's
// function and freeze value while STOP. It sits inside its page,
// CAioUsePic; the outputs a module lacks stay disabled.

#include "hardware/ui/CHWModulePage.h"
#include "model/CZUL_Q7_PLC.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CModuleParamDlg : public CHWModulePage {
    DECLARE_DYNCREATE(CModuleParamDlg)
public:
    CModuleParamDlg();

    void OnInitialUpdate() override;
    void OnDefaultButton() override;
    void OnCancelButton() override;
    BOOL ApplyToModule() override;
    bool StoresOnApply() const override { return true; }

    void OnFreezeClicked(int channel);
    void ClampFreezeValue(int channel);

    // F1 gets the ordinary handling; only the Help button opens the topic.
    BOOL PreTranslateMessage(MSG* msg) override;

    CStartFieldControls& InputStart() { return m_input; }
    CStartFieldControls& OutputStart() { return m_output; }
    QComboBox* InputFunction(int channel) const { return m_aiFunctions[channel]; }
    QComboBox* InputFilter(int channel) const { return m_aiFilters[channel]; }
    QComboBox* OutputFunction(int channel) const { return m_aoFunctions[channel]; }
    QCheckBox* FreezeBox(int channel) const { return m_freeze[channel]; }
    QLineEdit* FreezeValue(int channel) const { return m_values[channel]; }

private:
    void EnableOutputsByCount();
    void LoadOutputs();
    void LoadInputs();

    CStartFieldControls m_input;
    CStartFieldControls m_output;
    QComboBox* m_aiFunctions[MODULE_AI_SLOTS] = {};
    QComboBox* m_aiFilters[MODULE_AI_SLOTS] = {};
    QComboBox* m_aoFunctions[MODULE_AO_SLOTS] = {};
    QCheckBox* m_freeze[MODULE_AO_SLOTS] = {};
    QLineEdit* m_values[MODULE_AO_SLOTS] = {};
};
