#pragma once
// One line of a toolbar's Add or Remove Buttons list: a check box for one
// button of the bar, checked while the user has not hidden the button;
// choosing it shows or hides the button and leaves the list open. The
// list's last line, Reset, puts the bar's buttons back as first loaded.

#include "toolkit/commandbars/CTKControlButton.h"

class CTKToolBar;

// The caption of the list's last line.
constexpr UINT kTKResetButtonsString = 9395;

class CTKAddRemoveButtonItem : public CTKControlButton {
public:
    // The line of one button of a bar; the button is kept alive with the line.
    explicit CTKAddRemoveButtonItem(CTKControl* target);
    // The Reset line of a bar.
    explicit CTKAddRemoveButtonItem(CTKToolBar* resetBar);
    ~CTKAddRemoveButtonItem() override;

    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void Execute() override;

    CTKControl* GetTarget() const { return m_pTarget; }
    BOOL IsResetItem() const { return m_pResetBar != nullptr; }

private:
    CTKControl* m_pTarget = nullptr;
    CTKToolBar* m_pResetBar = nullptr;
};
