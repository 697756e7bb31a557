#pragma once
// The page of an analog input/output module with four inputs and of the
// SCR voltage controller: their AI and AQ word ranges only.

#include "hardware/ui/CHWModulePage.h"

class CHWAIOScrView : public CHWModulePage {
    DECLARE_DYNCREATE(CHWAIOScrView)
public:
    CHWAIOScrView();

    void OnInitialUpdate() override;
    void OnDefaultButton() override;
    void OnCancelButton() override;

    CStartFieldControls& InputStart() { return m_input; }
    CStartFieldControls& OutputStart() { return m_output; }

private:
    CStartFieldControls m_input;
    CStartFieldControls m_output;
};
