#pragma once
// The button at the end of a docked toolbar that holds the buttons that did
// not fit. It draws the renderer's expand mark, with the chevrons when
// buttons are hidden, and opens a popup with those buttons and, when asked
// for, the Add or Remove Buttons menu.

#include "toolkit/commandbars/CTKControlPopup.h"

constexpr UINT kTKExpandButtonId = 9400;
// The caption of the Add or Remove Buttons item.
constexpr UINT kTKAddRemoveButtonsString = 9300;
// The width of an expand popup that holds no Add or Remove Buttons item.
constexpr int kTKExpandPopupWidth = 150;

class CTKToolBarExpandButton : public CTKControlPopup {
public:
    CTKToolBarExpandButton();

    void SetRect(const CRect& rect) override;
    void Draw(CDC* dc) override;
    BOOL SetPopuped(BOOL popuped) override;
    BOOL HasHiddenControls() const { return m_bHiddenControls; }

private:
    BOOL m_bHiddenControls = FALSE;
};
