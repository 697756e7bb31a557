#include "toolkit/docking/CTKDockingPaneCaptionButton.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

namespace {

void Segment(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

} // namespace

void CTKDockingPaneCaptionButton::DrawCloseGlyph(CDC* dc, const CRect& rect, COLORREF color)
{
    CTKDCPenGuard pen(dc, color);
    Segment(dc, rect.left + 3, rect.top + 4, rect.left + 10, rect.top + 11);
    Segment(dc, rect.left + 3, rect.top + 10, rect.left + 10, rect.top + 3);
}

void CTKDockingPaneCaptionButton::DrawPinGlyph(CDC* dc, CPoint c, COLORREF color, BOOL lying)
{
    CTKDCPenGuard pen(dc, color);
    if (lying) {
        Segment(dc, c.x - 4, c.y, c.x - 1, c.y);
        Segment(dc, c.x - 1, c.y - 3, c.x - 1, c.y + 4);
        const CPoint body[] = {{c.x - 1, c.y + 2}, {c.x + 3, c.y + 2}, {c.x + 3, c.y - 2}, {c.x - 1, c.y - 2}};
        dc->Polyline(body, 4);
        Segment(dc, c.x - 1, c.y + 1, c.x + 3, c.y + 1);
        return;
    }
    Segment(dc, c.x - 3, c.y + 1, c.x + 4, c.y + 1);
    Segment(dc, c.x, c.y + 1, c.x, c.y + 5);
    const CPoint body[] = {{c.x - 2, c.y + 1}, {c.x - 2, c.y - 4}, {c.x + 2, c.y - 4}, {c.x + 2, c.y + 1}};
    dc->Polyline(body, 4);
    Segment(dc, c.x + 1, c.y + 1, c.x + 1, c.y - 4);
}

void CTKDockingPaneCaptionButton::DrawCaptionButton(CDC* dc, COLORREF glyphColor, BOOL lying) const
{
    if (m_rect.IsRectEmpty())
        return;
    CRect rect = m_rect;
    if (IsPressed()) {
        dc->Draw3dRect(rect, GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_3DHIGHLIGHT));
        rect.OffsetRect(1, 1);
    } else if (IsHot()) {
        dc->Draw3dRect(rect, GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_BTNTEXT));
    }
    if (IsClose())
        DrawCloseGlyph(dc, rect, glyphColor);
    else
        DrawPinGlyph(dc, rect.CenterPoint(), glyphColor, lying);
}

void CTKDockingPaneCaptionButton::SetPressed(BOOL pressed)
{
    if (IsPressed() == (pressed != FALSE))
        return;
    if (pressed)
        m_state |= kPressed;
    else
        m_state &= ~kPressed;
    m_owner->Invalidate(FALSE);
}

BOOL CTKDockingPaneCaptionButton::TrackCaptionButton(CPoint point)
{
    if (CWnd::GetCapture())
        return FALSE;
    CTrackingLoop loop(m_owner);
    CPoint last = point;
    BOOL released = FALSE;
    SetPressed(m_rect.PtInRect(point));
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_MOUSEMOVE:
            last = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            SetPressed(m_rect.PtInRect(last));
            return TRUE;
        case WM_LBUTTONUP:
            released = IsPressed();
            loop.End();
            return TRUE;
        case WM_RBUTTONDOWN:
            loop.End();
            return TRUE;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                loop.End();
            return TRUE;
        default:
            return FALSE;
        }
    });
    loop.Run();
    // Only the button's own release counts; Escape, a lost capture or quitting do not.
    SetPressed(FALSE);
    UpdateHotState(last);
    m_owner->Invalidate(FALSE);
    return released;
}

void CTKDockingPaneCaptionButton::SetButtonRect(const CRect& rect)
{
    if (rect == m_rect)
        return;
    m_rect = rect;
    m_owner->UpdateButtonTip(this);
}

void CTKDockingPaneCaptionButton::UpdateHotState(CPoint point)
{
    const BOOL inside = m_rect.PtInRect(point);
    if (IsHot() && !inside) {
        m_state &= ~kHot;
        m_owner->Invalidate(FALSE);
        return;
    }
    if (!IsHot() && inside) {
        m_state |= kHot;
        m_owner->Invalidate(FALSE);
    }
}
