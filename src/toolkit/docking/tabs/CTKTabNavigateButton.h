#pragma once
// One of the three buttons at the end of a tab strip: scroll towards the
// start, scroll towards the end, close.

#include "platform/WinTypes.h"

class CDC;
class CTKTabSet;
class CWnd;

class CTKTabNavigateButton {
public:
    enum Kind { kScrollStart = 0, kScrollEnd = 1, kClose = 2 };
    enum Mode { kHidden = 0, kWhenNeeded = 1, kAlways = 2 };
    static constexpr int kWidth = 14;
    static constexpr int kHeight = 15;
    // Pixels one repeat step scrolls, and the time between steps.
    static constexpr int kScrollStep = 20;
    static constexpr DWORD kRepeatMs = 20;
    // Room the end of the strip keeps free for the buttons when the
    // scroll-towards-end button decides whether more tabs follow.
    static constexpr int kButtonsReserve = 28;

    CTKTabNavigateButton(CTKTabSet* owner, int kind, int mode);
    virtual ~CTKTabNavigateButton() = default;
    CTKTabNavigateButton(const CTKTabNavigateButton&) = delete;
    CTKTabNavigateButton& operator=(const CTKTabNavigateButton&) = delete;

    // Places the button at the end of the header and shrinks the header.
    virtual void Layout(CRect* header);
    virtual void DrawGlyph(CDC* dc, const CRect& rect);
    virtual void OnClick(BOOL repeat);

    // A button always shown takes its room off the given edge.
    void ReserveSpace(int* edge) const;
    void Draw(CDC* dc);
    // Holds the button while the left mouse button is down.
    void Track(CWnd* window, int x, int y);
    void UpdateHover(CWnd* window, int x, int y);

    int GetKind() const { return m_kind; }
    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    CRect GetRect() const { return m_rect; }
    BOOL IsEnabled() const { return m_enabled; }
    void SetEnabled(BOOL enabled) { m_enabled = enabled; }
    BOOL IsPressed() const { return m_pressed; }
    BOOL IsHover() const { return m_hover; }

private:
    BOOL IsHorizontal() const;
    void Place(CRect* header);

    int m_kind;
    int m_mode;
    int m_width = kWidth;
    int m_height = kHeight;
    CTKTabSet* m_owner;
    CRect m_rect;
    BOOL m_enabled = TRUE;
    BOOL m_pressed = FALSE;
    BOOL m_hover = FALSE;
};
