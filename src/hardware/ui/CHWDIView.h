#pragma once
// The page of a digital input module: its I address block alone; every
// change reaches the record at once.

#include "hardware/ui/CHWModulePage.h"

class CHWDIView : public CHWModulePage {
    DECLARE_DYNCREATE(CHWDIView)
public:
    CHWDIView();

    void OnInitialUpdate() override;
    void OnDefaultButton() override;
    void OnCancelButton() override;

    CStartFieldControls& InputStart() { return m_input; }

private:
    CStartFieldControls m_input;
};
