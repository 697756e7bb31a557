#include "toolkit/docking/CTKDockingPaneSplitBar.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "toolkit/commandbars/draw/CTKSplitterTracker.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"

namespace {

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

} // namespace

CTKDockingPaneSplitBar::CTKDockingPaneSplitBar(CTKDockingPaneSplitGroup* group, CTKDockingPaneNode* before,
                                               CTKDockingPaneNode* after)
    : m_group(group), m_before(before), m_after(after)
{
    if (!IsLocked()) {
        const int cursor = group->IsHorizontal() ? CTKUIMetrics::kCursorSplitter : CTKUIMetrics::kCursor9971;
        setCursor(GetUIMetrics()->cursors[cursor]);
    }
    Create(group->GetFrame(), CRect(), 0, kBarStyle);
}

CTKDockingPaneSplitBar::~CTKDockingPaneSplitBar()
{
    if (IsWindow())
        DestroyWindow();
}

BOOL CTKDockingPaneSplitBar::IsLocked() const
{
    CTKDockingPaneHost* host = m_group->GetLayout() ? m_group->GetLayout()->GetHost() : nullptr;
    return host && host->lockSplitters;
}

void CTKDockingPaneSplitBar::Place(const CRect& rect)
{
    SetWindowPos(wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
    Invalidate(FALSE);
}

void CTKDockingPaneSplitBar::ApplySplit(const CRect& bar, const CRect& limits)
{
    const BOOL horizontal = m_group->IsHorizontal();
    const int length = horizontal ? limits.Width() : limits.Height();
    if (length <= 0)
        return;
    const int offset = horizontal ? bar.left - limits.left : bar.top - limits.top;
    int& before = horizontal ? m_before->dockingCX : m_before->dockingCY;
    int& after = horizontal ? m_after->dockingCX : m_after->dockingCY;
    const int total = before + after;
    before = static_cast<int>(static_cast<double>(offset + 2) / length * total);
    after = total - before;
}

void CTKDockingPaneSplitBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CTKDockingPaneHost* host = m_group->GetLayout() ? m_group->GetLayout()->GetHost() : nullptr;
    const COLORREF color = host && host->GetRenderer() ? host->GetRenderer()->LookupColor(kFill)
                                                       : GetSysColor(COLOR_3DFACE);
    dc.FillSolidRect(rect, color);
}

BOOL CTKDockingPaneSplitBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKDockingPaneSplitBar::OnLButtonDown(UINT, CPoint point)
{
    if (IsLocked())
        return;
    CRect bar;
    GetWindowRect(&bar);
    CRect limits;
    limits.UnionRect(m_before->GetScreenRect(), m_after->GetScreenRect());
    ClientToScreen(&point);
    CTKSplitterTracker tracker;
    if (!tracker.Track(this, limits, &bar, point, m_group->IsHorizontal()))
        return;
    ApplySplit(bar, limits);
    CTKDockingPaneNode::DelayFrameLayout(m_group->GetFrame());
}
