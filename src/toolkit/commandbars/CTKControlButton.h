#pragma once
// The plain command button: on a toolbar a press tracks the mouse and
// executes on release over the button; in a menu the release executes.

#include "toolkit/commandbars/CTKControl.h"

class CTKControlButton : public CTKControl {
    DECLARE_SERIAL(CTKControlButton)
public:
    CTKControlButton();

    void Copy(const CTKControl* source, BOOL recursive) override;
    // The control's stored form, then the style.
    void Serialize(CArchive& ar) override;
    void OnClick(BOOL keyboard, CPoint point) override;
    void OnLButtonUp(CPoint point) override;
};
