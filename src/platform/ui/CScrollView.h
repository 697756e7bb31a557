#pragma once
// A view whose drawing surface may be larger than its client area: it keeps
// the total size with its page and line steps and the scroll position of
// both bars, scrolls on WM_HSCROLL / WM_VSCROLL and the mouse wheel, and
// repaints when the position changes. Its bars show while the total size
// exceeds the client area and follow the position.

#include "platform/GdiTypes.h"
#include "platform/ui/CScrollBar.h"
#include "platform/ui/CView.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView() = default;

    // A zero page or line step takes the default: a tenth of the total for
    // the page, a tenth of the page for the line.
    void SetScrollSizes(int mapMode, CSize total, CSize page = CSize(), CSize line = CSize());
    CSize GetTotalSize() const { return m_total; }
    int GetMapMode() const { return m_mapMode; }
    CPoint GetScrollPosition() const { return m_position; }
    void ScrollToPosition(CPoint position);
    int GetScrollPos(int bar) const { return bar == SB_VERT ? m_position.y : m_position.x; }
    // The position is kept inside the range; TRUE repaints.
    int SetScrollPos(int bar, int position, BOOL redraw = TRUE);
    // The thumb's position while it is dragged, else the bar's.
    int GetTrackPos(int bar) const { return bar == SB_VERT ? m_track.y : m_track.x; }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnSize(UINT type, int cx, int cy) override;
    virtual void OnScroll(int bar, UINT code, int position);

private:
    int MaxPosition(int bar) const;
    // Shows the bars the total size needs and gives them range, page and position.
    void UpdateBars();
    void SyncBar(int bar);

    int m_mapMode = MM_TEXT;
    CSize m_total;
    CSize m_page;
    CSize m_line;
    CPoint m_position;
    CPoint m_track;
};
