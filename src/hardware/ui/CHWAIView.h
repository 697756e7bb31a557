#pragma once
// The page of an analog input module: its AI word range and, per channel,
// the function its kind offers and the input filter. The channel settings
// reach the record only through ApplyToModule.

#include "hardware/ui/CHWModulePage.h"
#include "model/CZUL_Q7_PLC.h"

class QComboBox;

class CHWAIView : public CHWModulePage {
    DECLARE_DYNCREATE(CHWAIView)
public:
    CHWAIView();

    void OnInitialUpdate() override;
    void OnDefaultButton() override;
    void OnCancelButton() override;
    BOOL ApplyToModule() override;
    bool StoresOnApply() const override { return true; }

    CStartFieldControls& InputStart() { return m_input; }
    QComboBox* FunctionList(int channel) const { return m_functions[channel]; }
    QComboBox* FilterList(int channel) const { return m_filters[channel]; }

private:
    void SelectStoredCodes();
    int FunctionOffset() const;

    CStartFieldControls m_input;
    QComboBox* m_functions[MODULE_AI_SLOTS] = {};
    QComboBox* m_filters[MODULE_AI_SLOTS] = {};
};
