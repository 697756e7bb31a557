#pragma once
// The page of a digital input/output module: an I address block beside the
// output page's Q block and output states.

#include "hardware/ui/CHWDOView.h"

class CHWDIOView : public CHWDOView {
    DECLARE_DYNCREATE(CHWDIOView)
public:
    CHWDIOView();

    void OnInitialUpdate() override;
    void OnDefaultButton() override;
    void OnCancelButton() override;
    BOOL ApplyToModule() override;

    CStartFieldControls& InputStart() { return m_input; }

private:
    CStartFieldControls m_input;
};
