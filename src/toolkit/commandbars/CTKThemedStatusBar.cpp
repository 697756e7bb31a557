#include "toolkit/commandbars/CTKThemedStatusBar.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/WinMessages.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"

namespace {

// Smallest height of the drawing area, in pixels.
constexpr int kMinDrawingHeight = 20;
// A fixed last pane is its width and this many edges wide.
constexpr int kPaneEdges = 3;

} // namespace

CTKThemedStatusBar::CTKThemedStatusBar()
{
    CTKBarRenderer::RefreshFonts();
}

CTKThemedStatusBar::~CTKThemedStatusBar() = default;

BOOL CTKThemedStatusBar::SetIndicatorsWithFont(const UINT* ids, int count)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&CTKBarRenderer::m_fontStatus), FALSE);
    if (!SetIndicators(ids, count))
        return FALSE;
    SendMessage(SB_SETMINHEIGHT, kMinDrawingHeight);
    return TRUE;
}

CTKBarRenderer* CTKThemedStatusBar::GetRenderer() const
{
    return m_pCommandBars ? m_pCommandBars->GetBarRenderer() : CTKBarRenderer::GetCurrent();
}

CRect CTKThemedStatusBar::GetPaneDrawRect(int index) const
{
    CRect rect = GetItemRect(index);
    if (index != GetCount() - 1)
        return rect;
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    GetPaneInfo(index, id, style, width);
    if (!(style & SBPS_STRETCH))
        rect.right = rect.left + width + kPaneEdges * GetSystemMetrics(SM_CXEDGE);
    else if (GetStyle() & SBARS_SIZEGRIP)
        rect.right -= GetSystemMetrics(SM_CXSMICON) + GetSystemMetrics(SM_CXEDGE);
    return rect;
}

BOOL CTKThemedStatusBar::IsGripperShown() const
{
    const CWnd* parent = GetParent();
    if (!parent || !(GetStyle() & SBARS_SIZEGRIP))
        return FALSE;
    return (parent->GetStyle() & WS_THICKFRAME) && !parent->isMaximized();
}

void CTKThemedStatusBar::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CTKOffscreenDC offscreen(&paint, client);
    CDC* dc = offscreen.GetDC();
    CTKBarRenderer* renderer = GetRenderer();
    if (!renderer)
        return;
    renderer->FillStatusBar(dc, this);
    dc->SelectObject(&CTKBarRenderer::m_fontStatus);
    for (int i = 0; i < GetCount(); ++i) {
        CRect rect = GetPaneDrawRect(i);
        renderer->DrawStatusBarPane(dc, &rect, GetPaneStyle(i), GetShownText(i));
    }
    if (IsGripperShown())
        renderer->DrawStatusBarGripper(dc, client.left, client.top, client.right, client.bottom);
}

BOOL CTKThemedStatusBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKThemedStatusBar::OnSize(UINT type, int cx, int cy)
{
    CStatusBar::OnSize(type, cx, cy);
    InvalidateRect(nullptr, FALSE);
}
