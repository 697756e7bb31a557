#include "toolkit/commandbars/CTKControlDragTracker.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKPopupBar.h"

#include <QApplication>
#include <QCursor>

#include <algorithm>

namespace {

CPoint MessagePoint(const MSG& msg)
{
    if (!msg.hwnd) {
        const QPoint cursor = QCursor::pos();
        return CPoint(cursor.x(), cursor.y());
    }
    CPoint point(static_cast<short>(LOWORD(static_cast<DWORD>(msg.lParam))),
                 static_cast<short>(HIWORD(static_cast<DWORD>(msg.lParam))));
    msg.hwnd->ClientToScreen(&point);
    return point;
}

QCursor DragCursor(UINT id)
{
    QCursor cursor(Qt::ArrowCursor);
    CResourceStore::Instance().LoadCursor(id, &cursor);
    return cursor;
}

} // namespace

CTKControlDragTracker::CTKControlDragTracker(CTKCommandBars* owner) : m_pOwner(owner) {}

CTKControlDragTracker::~CTKControlDragTracker() = default;

void CTKControlDragTracker::AddDropTarget(CTKCommandBar* bar)
{
    m_targets.push_back(bar);
}

void CTKControlDragTracker::RemoveDropTarget(CTKCommandBar* bar)
{
    m_targets.erase(std::remove(m_targets.begin(), m_targets.end(), bar), m_targets.end());
    if (m_pTarget == bar)
        m_pTarget = nullptr;
}

UINT CTKControlDragTracker::GetCursorId() const
{
    if (!m_pTarget)
        return kNoDropCursor;
    return m_bMove && !m_bCopyOnly ? kMoveCursor : kCopyCursor;
}

void CTKControlDragTracker::UpdateCursor() const
{
    if (m_bTracking)
        QApplication::changeOverrideCursor(DragCursor(GetCursorId()));
}

void CTKControlDragTracker::Begin(CTKControl* control, BOOL copyOnly, CPoint start)
{
    m_pControl = control;
    m_bCopyOnly = copyOnly;
    m_bMove = FALSE;
    m_bMoved = FALSE;
    m_pTarget = nullptr;
    m_ptStart = start;
}

void CTKControlDragTracker::MouseStep(CPoint point, BOOL ctrl)
{
    if (!m_pControl)
        return;
    if (!m_bMoved) {
        // The control learns that a drag over its own bar begins.
        if (CTKCommandBar* parent = m_pControl->GetParent()) {
            CPoint client = point;
            parent->ScreenToClient(&client);
            DWORD effect = kTKDropNone;
            m_pControl->OnCustomizeDragOver(m_pControl, client, &effect);
        }
        m_bMoved = TRUE;
    }
    m_bMove = !ctrl;
    FindTarget(point);
}

void CTKControlDragTracker::CtrlKey(BOOL down)
{
    if (down == !m_bMove)
        return;
    m_bMove = !down;
    UpdateCursor();
}

void CTKControlDragTracker::FindTarget(CPoint point)
{
    CTKCommandBar* found = nullptr;
    for (auto it = m_targets.rbegin(); it != m_targets.rend(); ++it) {
        CTKCommandBar* bar = *it;
        if (!bar->IsWindow() || !bar->IsWindowVisible())
            continue;
        CRect window;
        bar->GetWindowRect(&window);
        if (window.PtInRect(point)) {
            found = bar;
            break;
        }
    }
    if (found && found == m_pTarget) {
        CPoint client = point;
        found->ScreenToClient(&client);
        found->OnCustomizeDragOver(m_pControl, client);
    } else if (m_pTarget) {
        LeaveTarget();
    } else if (found && found->IsCustomizable()) {
        // The bar takes the control: it shows where the control would go.
        CPoint client = point;
        found->ScreenToClient(&client);
        m_pTarget = found;
        found->OnCustomizeDragOver(m_pControl, client);
    }
    UpdateCursor();
}

void CTKControlDragTracker::LeaveTarget()
{
    if (!m_pTarget)
        return;
    m_pTarget->OnCustomizeDragLeave();
    m_pTarget = nullptr;
}

int CTKControlDragTracker::Drop(CPoint point)
{
    if (!m_pTarget) {
        const int result = m_bMoved ? kDroppedAway : kNothing;
        m_pControl = nullptr;
        return result;
    }
    CTKCommandBar* target = m_pTarget;
    m_pTarget = nullptr;
    const DWORD effect = m_bMove && !m_bCopyOnly ? kMoved : kCopied;
    CPoint drop = point;
    CPoint start = m_ptStart;
    target->ScreenToClient(&drop);
    target->ScreenToClient(&start);
    const DWORD result = target->OnCustomizeDrop(m_pControl, effect, drop, start);
    m_pControl = nullptr;
    return result == kTKDropOnItself ? kNothing : static_cast<int>(effect);
}

int CTKControlDragTracker::Cancel()
{
    LeaveTarget();
    m_pControl = nullptr;
    return kNothing;
}

void CTKControlDragTracker::ShowCustomizeContextMenu(CWnd* sheet, int x, int y)
{
    const CMenu* menu = CResourceStore::Instance().FindMenu(kContextMenu);
    const CMenu* items = menu ? menu->GetSubMenu(0) : nullptr;
    if (!sheet || !items || !m_pOwner)
        return;
    // The menu is no customised bar: it belongs to no command bars, but
    // looks like theirs.
    CTKPopupBar* popup = CTKPopupBar::NewPopupBar(nullptr);
    popup->SetBarRenderer(m_pOwner->GetBarRenderer());
    popup->SetImageStore(m_pOwner->GetImageStore());
    popup->SetSite(sheet);
    popup->SetOwnerWindow(sheet);
    popup->LoadMenu(items, TRUE);
    CTKCommandBars::TrackPopupBar(popup, 0, x, y, m_pOwner->GetFrame(), nullptr, sheet);
    popup->InternalRelease();
}

int CTKControlDragTracker::Track(CTKControl* control, BOOL copyOnly)
{
    CWnd* window = m_pCustomizeWindow;
    if (!window && m_pOwner)
        window = m_pOwner->GetFrame();
    if (!control || !window || m_bTracking)
        return kNothing;
    const QPoint cursor = QCursor::pos();
    Begin(control, copyOnly, CPoint(cursor.x(), cursor.y()));
    m_bTracking = TRUE;
    QApplication::setOverrideCursor(DragCursor(GetCursorId()));
    BOOL dropped = FALSE;
    CPoint last = m_ptStart;
    CTrackingLoop loop(window);
    loop.SetFilter([this, &loop, &dropped, &last](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL)
                CtrlKey(msg.message == WM_KEYDOWN);
            return msg.wParam != VK_ESCAPE ? TRUE : FALSE;
        case WM_MOUSEMOVE:
            last = MessagePoint(msg);
            MouseStep(last, (msg.wParam & MK_CONTROL) != 0);
            // The button went up where the drag could not see it: drop now.
            if (!(msg.wParam & MK_LBUTTON)) {
                dropped = TRUE;
                loop.End();
            }
            return TRUE;
        case WM_LBUTTONUP:
            last = MessagePoint(msg);
            dropped = TRUE;
            loop.End();
            return TRUE;
        case WM_RBUTTONDOWN:
            loop.End();
            return TRUE;
        default:
            return FALSE;
        }
    });
    loop.Run();
    const int result = dropped ? Drop(last) : Cancel();
    LeaveTarget();
    m_bTracking = FALSE;
    QApplication::restoreOverrideCursor();
    return result;
}
