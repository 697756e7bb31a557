#include "toolkit/docking/CTKDockingPaneDragTracker.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CTrackingLoop.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKBarDragTracker.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneMiniWnd.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <QPointer>

#include <cstdlib>

namespace {

enum Side { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3 };

QRect ToQRect(const CRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

// A frame of the outline thickness inside rect.
QRegion FrameRegion(const CRect& rect)
{
    CRect inner = rect;
    inner.DeflateRect(CTKDockingPaneDragTracker::kOutlineThickness, CTKDockingPaneDragTracker::kOutlineThickness);
    QRegion frame(ToQRect(rect));
    if (!inner.IsRectEmpty())
        frame -= QRegion(ToQRect(inner));
    return frame;
}

} // namespace

CTKDockingPaneDragTracker::CTKDockingPaneDragTracker(CTKDockingPaneHost* host) : m_host(host) {}

BOOL CTKDockingPaneDragTracker::ChooseSide(const CRect& rect, int x, int y, BOOL inside, int* side, CRect* preview)
{
    if (inside && !rect.PtInRect(CPoint(x, y)))
        return FALSE;
    const int sign = inside ? 1 : -1;
    struct Edge {
        int distance;
        int side;
        CRect half;
    };
    const int midY = (rect.top + rect.bottom) / 2;
    const int midX = (rect.left + rect.right) / 2;
    const Edge edges[] = {
        {y - rect.top, kTop, CRect(rect.left, rect.top, rect.right, midY)},
        {rect.bottom - y, kBottom, CRect(rect.left, midY, rect.right, rect.bottom)},
        {x - rect.left, kLeft, CRect(rect.left, rect.top, midX, rect.bottom)},
        {rect.right - x, kRight, CRect(midX, rect.top, rect.right, rect.bottom)},
    };
    int best = kEdgeBand;
    const Edge* chosen = nullptr;
    for (const Edge& edge : edges) {
        if (std::abs(edge.distance) < best && edge.distance * sign >= 0) {
            best = std::abs(edge.distance);
            chosen = &edge;
        }
    }
    if (!chosen)
        return FALSE;
    *side = chosen->side;
    *preview = chosen->half;
    return TRUE;
}

QRegion CTKDockingPaneDragTracker::Outline(const CRect& rect, BOOL tab, BOOL erase)
{
    if (erase || rect.IsRectEmpty())
        return QRegion();
    if (!tab)
        return FrameRegion(rect);
    const int width = rect.Width();
    const CRect body(rect.left, rect.top, rect.right, rect.bottom - std::min(kTabHeight, rect.Height() / 2));
    const CRect tabPart(rect.left + kTabInset, body.bottom - kOutlineThickness,
                        rect.left + (width - kTabInset > kTabWidth ? kTabInset + kTabWidth : width), rect.bottom);
    CRect seam;
    seam.IntersectRect(body, tabPart);
    seam.DeflateRect(kOutlineThickness, 0);
    return (FrameRegion(body) | FrameRegion(tabPart)) ^ FrameRegion(seam);
}

std::vector<CTKDockingPaneItem*> CTKDockingPaneDragTracker::DraggedPanes() const
{
    std::vector<CTKDockingPaneItem*> panes;
    if (!m_dragged)
        return panes;
    std::vector<CTKDockingPaneNode*> nodes;
    if (m_dragged->GetType() == CTKDockingPaneNode::kPane)
        nodes.push_back(m_dragged);
    else
        m_dragged->FindNodes(CTKDockingPaneNode::kPane, &nodes);
    for (CTKDockingPaneNode* node : nodes)
        panes.push_back(static_cast<CTKDockingPaneItem*>(node));
    return panes;
}

BOOL CTKDockingPaneDragTracker::RefusedForAny(int action, CTKDockingPaneNode* target, int extra) const
{
    for (CTKDockingPaneItem* pane : DraggedPanes()) {
        if (m_host->NotifyAction(action, pane, target, extra))
            return TRUE;
    }
    return FALSE;
}

void CTKDockingPaneDragTracker::Prepare(CTKDockingPaneNode* node, int x, int y)
{
    m_lastX = m_pressX = x;
    m_lastY = m_pressY = y;
    m_started = FALSE;
    m_dragged = node;
    m_target = nullptr;
    m_attach = FALSE;
    m_canFloat = TRUE;
    m_floatRect = node->GetScreenRect();
    if (node->GetType() == CTKDockingPaneNode::kPane && node->GetParentNode())
        m_floatRect = node->GetParentNode()->GetScreenRect();
    if (auto* frame = dynamic_cast<CTKDockingPaneMiniWnd*>(node->GetParentNode()); frame && frame->IsWindow())
        frame->GetWindowRect(&m_floatRect);
    MoveRectToIncludePoint(&m_floatRect, x, y);
    for (CTKDockingPaneItem* pane : DraggedPanes()) {
        if (m_host->NotifyAction(CTKDockingPaneHost::kActionFloating, pane, nullptr))
            m_canFloat = FALSE;
        if (pane->GetOptions() & CTKDockingPaneItem::kNoFloat)
            m_canFloat = FALSE;
    }
}

CWnd* CTKDockingPaneDragTracker::DragWindow() const
{
    if (auto* frame = dynamic_cast<CTKDockingPaneMiniWnd*>(m_dragged->GetParentNode()))
        return frame;
    if (auto* container = dynamic_cast<CTKDockingPaneTabbedContainer*>(m_dragged); container && container->IsWindow())
        return container;
    if (auto* pane = dynamic_cast<CTKDockingPaneItem*>(m_dragged); pane && pane->GetContainer())
        return pane->GetContainer();
    return m_dragged->GetFrame();
}

void CTKDockingPaneDragTracker::Track(CTKDockingPaneNode* node, int x, int y)
{
    if (!node || !m_host)
        return;
    Prepare(node, x, y);
    BeginDrag();
    CWnd* window = DragWindow();
    CWnd* capture = CWnd::GetCapture();
    BOOL dropped = FALSE;
    if (window && (!capture || capture == window)) {
        QPointer<CWnd> alive(window);
        CTrackingLoop loop(window);
        BOOL ctrl = FALSE;
        loop.SetFilter([&](const MSG& msg) -> BOOL {
            switch (msg.message) {
            case WM_LBUTTONUP:
                dropped = TRUE;
                loop.End();
                return TRUE;
            case WM_MOUSEMOVE: {
                CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
                if (alive)
                    alive->ClientToScreen(&point);
                ctrl = (msg.wParam & MK_CONTROL) != 0;
                if (!m_started && std::abs(point.x - m_pressX) <= kStartThreshold &&
                    std::abs(point.y - m_pressY) <= kStartThreshold)
                    return TRUE;
                m_started = TRUE;
                Move(point.x, point.y, ctrl);
                return TRUE;
            }
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.wParam == VK_CONTROL) {
                    ctrl = msg.message == WM_KEYDOWN;
                    m_started = TRUE;
                    Move(m_lastX, m_lastY, ctrl);
                }
                return msg.wParam != VK_ESCAPE;
            default:
                return FALSE;
            }
        });
        loop.Run();
    }
    EndDrag();
    if (dropped && m_started)
        Drop();
}

void CTKDockingPaneDragTracker::Drop()
{
    const std::vector<CTKDockingPaneItem*> panes = DraggedPanes();
    int action = -1;
    if (m_attach && m_target) {
        m_host->PlacePane(m_dragged, m_target);
        action = CTKDockingPaneHost::kActionAttached;
    } else if (m_target) {
        m_host->MoveNode(m_dragged, m_side, m_target);
        action = CTKDockingPaneHost::kActionDocked;
    } else if (m_canFloat) {
        auto* frame = dynamic_cast<CTKDockingPaneMiniWnd*>(m_dragged->GetParentNode());
        if (m_dragged->GetType() == CTKDockingPaneNode::kSplitGroup && frame)
            frame->MoveWindow(m_floatRect, TRUE);
        else
            m_host->FloatNode(m_dragged, m_floatRect);
        action = CTKDockingPaneHost::kActionFloated;
    }
    if (action < 0)
        return;
    m_host->UpdateHolders();
    for (CTKDockingPaneItem* pane : panes)
        m_host->NotifyAction(action, pane, nullptr);
}

void CTKDockingPaneDragTracker::Move(int x, int y, BOOL ctrl)
{
    CRect candidate = m_floatRect;
    candidate.OffsetRect(x - m_lastX, y - m_lastY);
    CRect meet;
    if (meet.IntersectRect(candidate, CSystemMetrics::Instance().GetWorkArea()))
        m_floatRect = candidate;
    m_target = nullptr;
    m_attach = FALSE;
    if (!ctrl)
        FindTarget(x, y);
    m_lastX = x;
    m_lastY = y;
    Draw(FALSE);
}

void CTKDockingPaneDragTracker::FindTarget(int x, int y)
{
    CTKDockingPaneLayout* layout = m_host->GetLayout();
    if (!layout || !m_dragged)
        return;
    for (const CTKDockingPaneLayout::PaneEntry& entry : layout->GetEntries()) {
        CTKDockingPaneTabbedContainer* container = entry.pane->GetContainer();
        if (!container || !dynamic_cast<CTKDockingPaneSplitGroup*>(container->GetParentNode()) ||
            !container->IsWindow() || !container->isVisible() || m_dragged->ContainsNode(container))
            continue;
        m_targetRect = container->GetScreenRect();
        if (container->IsTitleHit(m_targetRect, x, y) &&
            !RefusedForAny(CTKDockingPaneHost::kActionAttaching, container, 0)) {
            m_target = container;
            m_attach = TRUE;
            return;
        }
        if (TestSides(m_targetRect, x, y, container, TRUE))
            return;
    }
    if (CTKDockingPaneNode* client = layout->GetClient()) {
        m_targetRect = client->GetScreenRect();
        if (TestSides(m_targetRect, x, y, client, TRUE))
            return;
    }
    if (CTKDockingPaneSplitGroup* top = layout->GetTopGroup()) {
        m_targetRect = top->GetScreenRect();
        TestSides(m_targetRect, x, y, top, FALSE);
    }
}

BOOL CTKDockingPaneDragTracker::TestSides(const CRect& rect, int x, int y, CTKDockingPaneNode* node, BOOL inside)
{
    int side = 0;
    CRect preview;
    if (!ChooseSide(rect, x, y, inside, &side, &preview))
        return FALSE;
    if (RefusedForAny(CTKDockingPaneHost::kActionDocking, node, side))
        return FALSE;
    m_side = side;
    m_targetRect = preview;
    m_target = node;
    return TRUE;
}

void CTKDockingPaneDragTracker::Draw(BOOL erase)
{
    CRect rect = m_target ? m_targetRect : m_floatRect;
    if (!m_canFloat && !m_target)
        rect.SetRectEmpty();
    const QRegion region = Outline(rect, m_attach, erase);
    std::vector<CRect> rects;
    for (const QRect& part : region)
        rects.emplace_back(part.left(), part.top(), part.right() + 1, part.bottom() + 1);
    m_outline.DrawRegion(rects);
    m_drawnRect = erase ? CRect() : rect;
    m_drawnTab = m_attach;
}

void CTKDockingPaneDragTracker::BeginDrag()
{
    m_drawnRect.SetRectEmpty();
    m_outline.Hide();
}

void CTKDockingPaneDragTracker::EndDrag()
{
    Draw(TRUE);
    m_outline.Hide();
}
