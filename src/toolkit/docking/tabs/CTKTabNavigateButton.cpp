#include "toolkit/docking/tabs/CTKTabNavigateButton.h"

#include "platform/CDC.h"
#include "platform/Tick.h"
#include "platform/ui/CTrackingLoop.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/draw/CTKDCBrushGuard.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/docking/tabs/CTKTabLook.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

#include <QTimer>

#include <algorithm>

namespace {

constexpr int kGlyphPoints = 3;

CPoint PointOf(const MSG& msg)
{
    return CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
}

} // namespace

CTKTabNavigateButton::CTKTabNavigateButton(CTKTabSet* owner, int kind, int mode)
    : m_kind(kind), m_mode(mode), m_owner(owner)
{
}

BOOL CTKTabNavigateButton::IsHorizontal() const
{
    const int position = m_owner->GetPosition();
    return position == CTKTabRenderer::kTop || position == CTKTabRenderer::kBottom;
}

void CTKTabNavigateButton::Layout(CRect* header)
{
    if (header == nullptr)
        return;
    const BOOL horizontal = IsHorizontal();
    const int available = horizontal ? header->Width() : header->Height();
    const int offset = m_owner->GetScrollOffset();
    const int total = m_owner->GetTotalTabLength();
    if (m_kind == kScrollStart)
        m_enabled = offset < 0;
    else if (m_kind == kScrollEnd)
        m_enabled = total + offset > available - kButtonsReserve;

    m_rect.SetRectEmpty();
    if (m_mode == kHidden)
        return;
    if (m_mode == kWhenNeeded) {
        const CTKTabRenderer* renderer = m_owner->GetRenderer();
        if (renderer == nullptr || renderer->GetLayoutMode() == CTKTabRenderer::kLayoutShrink)
            return;
        const int marginLeft = renderer->GetLook()->GetTabAreaMargins().left;
        if (total + offset - marginLeft - 1 <= available && offset >= 0)
            return;
    }
    Place(header);
}

void CTKTabNavigateButton::Place(CRect* header)
{
    if (IsHorizontal()) {
        const int middle = (header->top + header->bottom) / 2;
        m_rect.SetRect(header->right - m_width, middle + m_height / 2 - m_height, header->right,
                       middle + m_height / 2);
        header->right -= m_width;
        return;
    }
    const int middle = (header->left + header->right) / 2;
    m_rect.SetRect(middle - m_width / 2, header->bottom - m_height, middle - m_width / 2 + m_width, header->bottom);
    header->bottom -= m_height;
}

void CTKTabNavigateButton::ReserveSpace(int* edge) const
{
    if (edge == nullptr || m_mode != kAlways)
        return;
    *edge -= IsHorizontal() ? m_width : m_height;
}

void CTKTabNavigateButton::Draw(CDC* dc)
{
    if (dc == nullptr || m_rect.IsRectEmpty())
        return;
    CRect rect = m_rect;
    CTKTabRenderer* renderer = m_owner->GetRenderer();
    if (renderer)
        renderer->DrawNavigateButtonFrame(dc, this, &rect);
    CTKDCPenGuard pen(dc, dc->GetTextColor());
    if (m_enabled) {
        CTKDCBrushGuard brush(dc, dc->GetTextColor());
        DrawGlyph(dc, rect);
        return;
    }
    CTKDCSelectGuard brush(dc, CDC::GetStockObject(NULL_BRUSH));
    DrawGlyph(dc, rect);
}

void CTKTabNavigateButton::DrawGlyph(CDC* dc, const CRect& rect)
{
    const int cx = rect.CenterPoint().x;
    const int cy = rect.CenterPoint().y;
    const BOOL horizontal = IsHorizontal();
    if (m_kind == kScrollStart) {
        const CPoint h[kGlyphPoints] = {{cx + 2, cy - 5}, {cx - 2, cy - 1}, {cx + 2, cy + 3}};
        const CPoint v[kGlyphPoints] = {{cx - 5, cy + 2}, {cx - 1, cy - 2}, {cx + 3, cy + 2}};
        dc->Polygon(horizontal ? h : v, kGlyphPoints);
        return;
    }
    if (m_kind == kScrollEnd) {
        const CPoint h[kGlyphPoints] = {{cx - 2, cy - 5}, {cx + 2, cy - 1}, {cx - 2, cy + 3}};
        const CPoint v[kGlyphPoints] = {{cx - 5, cy - 2}, {cx - 1, cy + 2}, {cx + 3, cy - 2}};
        dc->Polygon(horizontal ? h : v, kGlyphPoints);
        return;
    }
    const CRect& r = rect;
    dc->MoveTo(r.left + 3, r.top + 3);
    dc->LineTo(r.right - 4, r.bottom - 5);
    dc->MoveTo(r.left + 4, r.top + 3);
    dc->LineTo(r.right - 3, r.bottom - 5);
    dc->MoveTo(r.left + 3, r.bottom - 6);
    dc->LineTo(r.right - 4, r.top + 2);
    dc->MoveTo(r.left + 4, r.bottom - 6);
    dc->LineTo(r.right - 3, r.top + 2);
}

void CTKTabNavigateButton::OnClick(BOOL repeat)
{
    if (m_kind == kClose) {
        if (!repeat)
            m_owner->OnNavigateButtonClick(kClose);
        return;
    }
    if (!repeat)
        return;
    const int step = m_kind == kScrollStart ? kScrollStep : -kScrollStep;
    m_owner->SetScrollOffset(m_owner->GetScrollOffset() + step);
}

void CTKTabNavigateButton::Track(CWnd* window, int x, int y)
{
    if (window == nullptr || CWnd::GetCapture() != nullptr || !m_enabled)
        return;
    CPoint point(x, y);
    BOOL releasedOver = FALSE;
    DWORD lastStep = GetTickCount();

    auto setPressed = [&]() {
        const BOOL pressed = m_rect.PtInRect(point) ? TRUE : FALSE;
        if (pressed == m_pressed)
            return;
        m_pressed = pressed;
        m_owner->Redraw();
    };
    setPressed();

    CTrackingLoop loop(window);
    // The loop sleeps until the next message or the next repeat step is due.
    QTimer repeat;
    repeat.setSingleShot(true);
    repeat.setTimerType(Qt::PreciseTimer);
    auto schedule = [&]() {
        const DWORD elapsed = GetTickCount() - lastStep;
        const DWORD wait = elapsed > kRepeatMs ? 1 : kRepeatMs + 1 - elapsed;
        repeat.start(static_cast<int>(wait));
    };
    QObject::connect(&repeat, &QTimer::timeout, [&]() {
        if (m_enabled && GetTickCount() - lastStep > kRepeatMs) {
            lastStep = GetTickCount();
            OnClick(TRUE);
            setPressed();
        }
        schedule();
    });
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_LBUTTONUP:
            point = PointOf(msg);
            releasedOver = m_rect.PtInRect(point) ? TRUE : FALSE;
            loop.End();
            return TRUE;
        case WM_RBUTTONDOWN:
            loop.End();
            return TRUE;
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? FALSE : TRUE;
        case WM_KEYUP:
        case WM_CHAR:
            return TRUE;
        case WM_MOUSEMOVE:
            point = PointOf(msg);
            setPressed();
            return TRUE;
        default:
            return FALSE;
        }
    });
    schedule();
    loop.Run();
    repeat.stop();

    m_pressed = FALSE;
    UpdateHover(window, point.x, point.y);
    m_owner->Redraw();
    if (releasedOver)
        OnClick(FALSE);
}

void CTKTabNavigateButton::UpdateHover(CWnd*, int x, int y)
{
    const BOOL inside = m_rect.PtInRect(CPoint(x, y)) ? TRUE : FALSE;
    if (m_hover) {
        if (inside)
            return;
        m_hover = FALSE;
        m_owner->Redraw();
        return;
    }
    if (inside && m_enabled) {
        m_hover = TRUE;
        m_owner->Redraw();
    }
}
