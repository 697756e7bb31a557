#pragma once
// A scroll-bar window over QScrollBar. Its parent hears of every move as
// WM_HSCROLL (or WM_VSCROLL) with the scroll code in the low word of wParam,
// the thumb position in the high word and the bar as lParam; the bar itself
// only shows what SetScrollInfo gave it, as the owner decides the position.
//
// Windows built on a Qt scroll area (the list view's table) have their own
// bars inside: GetWindowScrollInfo and ShowWindowScrollBar reach those.

#include "platform/ui/CWnd.h"

class QScrollBar;

constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;

constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_VSCROLL = 0x00200000;

// Scroll-bar style: a vertical bar (else horizontal).
constexpr DWORD SBS_VERT = 0x0001;

// Which bar of a window.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_BOTH = 3;

// Scroll codes of WM_HSCROLL and WM_VSCROLL.
constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINELEFT = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_LINERIGHT = 1;
constexpr UINT SB_PAGEUP = 2;
constexpr UINT SB_PAGELEFT = 2;
constexpr UINT SB_PAGEDOWN = 3;
constexpr UINT SB_PAGERIGHT = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_TOP = 6;
constexpr UINT SB_LEFT = 6;
constexpr UINT SB_BOTTOM = 7;
constexpr UINT SB_RIGHT = 7;
constexpr UINT SB_ENDSCROLL = 8;

// SCROLLINFO fields.
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// EnableScrollBar arrows.
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    explicit CScrollBar(QWidget* parent = nullptr);

    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    // Sets the fields fMask names; the position is kept in the range
    // nMin..nMax - nPage + 1.
    BOOL SetScrollInfo(const SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
    int GetScrollPos() const;
    int SetScrollPos(int position, BOOL redraw = TRUE);
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);

    QScrollBar* Bar() const { return m_bar; }
    // Makes this the own bar of its parent window: its notices carry lParam 0.
    void SetWindowBar() { m_windowBar = TRUE; }

    // The bar (SB_HORZ, SB_VERT) of a window built on a Qt scroll area;
    // FALSE when the window has none.
    static BOOL GetWindowScrollInfo(CWnd* wnd, int bar, SCROLLINFO* info);
    static BOOL ShowWindowScrollBar(CWnd* wnd, int bar, BOOL show);
    static QScrollBar* FindWindowBar(CWnd* wnd, int bar);
    // Fills info from a Qt bar, whose maximum is the last position.
    static void ReadBar(const QScrollBar* bar, SCROLLINFO* info);

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    void OnAction(int action);
    void Notify(UINT code, int position);

    QScrollBar* m_bar = nullptr;   // child, owned by Qt
    int m_max = 0;                 // nMax as given, which the Qt bar does not keep
    UINT m_page = 0;
    BOOL m_windowBar = FALSE;
};
