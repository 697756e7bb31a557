#pragma once
// A caption button of a tabbed container (close or pin): its rectangle,
// its pressed and hot state and the glyph it shows.

#include "platform/WinTypes.h"

class CDC;
class CTKDockingPaneTabbedContainer;

class CTKDockingPaneCaptionButton {
public:
    static constexpr UINT kPressed = 0x1000;
    static constexpr UINT kHot = 0x4000;
    static constexpr UINT kCloseGlyph = 4;
    static constexpr UINT kPinGlyph = 2;

    CTKDockingPaneCaptionButton(UINT glyph, CTKDockingPaneTabbedContainer* owner) : m_state(glyph), m_owner(owner) {}

    // The frame of a pressed or hot button and its glyph (pin lying when lying).
    void DrawCaptionButton(CDC* dc, COLORREF glyphColor, BOOL lying) const;
    // Holds the mouse until the left button is released: TRUE when released on the button.
    BOOL TrackCaptionButton(CPoint point);
    // A new rectangle also updates the owner's tooltip.
    void SetButtonRect(const CRect& rect);
    // Hot while the point is on the button.
    void UpdateHotState(CPoint point);

    CRect GetRect() const { return m_rect; }
    BOOL IsPressed() const { return (m_state & kPressed) != 0; }
    BOOL IsHot() const { return (m_state & kHot) != 0; }
    BOOL IsClose() const { return (m_state & kCloseGlyph) != 0; }
    void ClearHot() { m_state &= ~kHot; }

    // The two glyphs with a one-pixel pen, centred as the caption draws them.
    static void DrawCloseGlyph(CDC* dc, const CRect& rect, COLORREF color);
    static void DrawPinGlyph(CDC* dc, CPoint centre, COLORREF color, BOOL lying);

private:
    void SetPressed(BOOL pressed);

    CRect m_rect;
    UINT m_state;
    CTKDockingPaneTabbedContainer* m_owner;
};
