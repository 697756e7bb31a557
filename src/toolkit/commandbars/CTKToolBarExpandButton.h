#pragma once
// The button at the end of a docked toolbar that holds the buttons that did
// not fit. It draws the renderer's expand mark, with the chevrons when
// buttons are hidden.

#include "toolkit/commandbars/CTKControlButton.h"

constexpr UINT kTKExpandButtonId = 9400;

class CTKToolBarExpandButton : public CTKControlButton {
public:
    CTKToolBarExpandButton();

    void SetRect(const CRect& rect) override;
    void Draw(CDC* dc) override;
    BOOL HasHiddenControls() const { return m_bHiddenControls; }

private:
    BOOL m_bHiddenControls = FALSE;
};
