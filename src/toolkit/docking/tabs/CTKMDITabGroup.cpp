#include "toolkit/docking/tabs/CTKMDITabGroup.h"

#include "platform/CDC.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIClient.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/docking/tabs/CTKTabClientWnd.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabWorkspace.h"

namespace {

constexpr int kIconSize = 16;

CPoint PointOf(const MSG& msg)
{
    return CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
}

} // namespace

CTKMDITabGroup::CTKMDITabGroup() = default;

CTKMDITabGroup::~CTKMDITabGroup()
{
    // The workspace may be handling the very message that removed its last
    // tab: its window goes now, the object after that message.
    if (CTKTabWorkspace* workspace = m_workspace) {
        workspace->DestroyWindow();
        workspace->InternalRelease();
    }
}

CWnd* CTKMDITabGroup::GetDrawWindow() const
{
    if (m_workspace)
        return m_workspace;
    return m_client ? m_client->GetMDIClient() : nullptr;
}

CWnd* CTKMDITabGroup::ChildOf(const CTKTabItem* tab) const
{
    CWnd* window = tab ? tab->GetHandle() : nullptr;
    return m_client && m_client->IsLiveChild(window) ? window : nullptr;
}

void CTKMDITabGroup::OnLayoutChanged()
{
    if (m_client == nullptr)
        return;
    if (m_client->IsDeferring()) {
        m_client->SetLayoutPending(TRUE);
        return;
    }
    m_client->SetLayoutPending(FALSE);
    m_client->RecalcFrame();
}

// The child's own answer first, then its class's small icon, its small
// icon, its class's big icon and its big icon; the first one there wins.
const CIconImage* CTKMDITabGroup::GetTabIcon(const CTKTabItem* tab) const
{
    if (CWnd* child = ChildOf(tab)) {
        if (LRESULT icon = child->SendMessage(kTKMsgTabIcon))
            return reinterpret_cast<const CIconImage*>(icon);
        const auto* frame = dynamic_cast<const CMDIChildWnd*>(child);
        for (BOOL big : {FALSE, TRUE}) {
            if (frame != nullptr && !frame->GetClassIcon(big).IsEmpty())
                return &frame->GetClassIcon(big);
            if (LRESULT icon = child->SendMessage(WM_GETICON, big ? ICON_BIG : ICON_SMALL))
                return reinterpret_cast<const CIconImage*>(icon);
        }
    }
    return m_client ? m_client->GetDefaultIcon() : nullptr;
}

COLORREF CTKMDITabGroup::GetTabColor(const CTKTabItem* tab) const
{
    // A child's own colour is stored in the tab before the palette maps it.
    if (m_client != nullptr)
        m_client->GetChildColor(const_cast<CTKTabItem*>(tab));
    return CTKTabSet::GetTabColor(tab);
}

std::string CTKMDITabGroup::GetTabTooltip(const CTKTabItem* tab) const
{
    if (!tab->GetTooltip().empty())
        return tab->GetTooltip();
    auto* child = dynamic_cast<CMDIChildWnd*>(ChildOf(tab));
    if (child == nullptr)
        return GetTabCaption(tab);
    const LRESULT answer = child->SendMessage(kTKMsgTabTooltip, reinterpret_cast<WPARAM>(tab));
    std::string text = answer ? reinterpret_cast<const char*>(answer) : "";
    if (text.empty()) {
        if (CDocument* document = child->GetActiveDocument())
            text = document->GetPathName();
    }
    return text.empty() ? GetTabCaption(tab) : text;
}

void CTKMDITabGroup::SetSelectedTab(CTKTabItem* tab)
{
    if (tab != GetSelectedTab())
        m_activeWindow = tab ? tab->GetHandle() : nullptr;
    CTKTabSet::SetSelectedTab(tab);
}

CTKTabRenderer* CTKMDITabGroup::GetRenderer() const
{
    return m_client ? m_client->GetRenderer() : nullptr;
}

void CTKMDITabGroup::Redraw()
{
    if (m_client == nullptr || m_client->IsDeferring())
        return;
    if (CWnd* window = GetDrawWindow())
        window->Invalidate(FALSE);
}

BOOL CTKMDITabGroup::IsReorderAllowed() const
{
    return m_client ? m_client->IsReorderAllowed() : CTKTabSet::IsReorderAllowed();
}

void CTKMDITabGroup::SetReorderAllowed(BOOL allowed)
{
    if (m_client)
        m_client->SetReorderAllowed(allowed);
}

BOOL CTKMDITabGroup::IsFrameVisible() const
{
    const CTKTabRenderer* renderer = GetRenderer();
    return renderer && renderer->IsStaticFrame() && m_client && !m_client->IsGroupsMode();
}

BOOL CTKMDITabGroup::DrawTabIcon(CDC* dc, int x, int y, CTKTabItem* tab, BOOL draw)
{
    const CTKTabRenderer* renderer = GetRenderer();
    if (renderer == nullptr || !renderer->IsShowIcons())
        return FALSE;
    if (!draw)
        return TRUE;
    if (const CIconImage* icon = GetTabIcon(tab))
        dc->DrawIcon(x, y, *icon, kIconSize, kIconSize);
    return TRUE;
}

void CTKMDITabGroup::OnTabClick(CTKTabItem* tab)
{
    CWnd* child = ChildOf(tab);
    if (child == nullptr || m_client == nullptr)
        return;
    m_client->GetMDIClient()->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child));
}

void CTKMDITabGroup::OnNavigateButtonClick(int kind)
{
    if (kind != CTKTabNavigateButton::kClose)
        return;
    if (CWnd* child = ChildOf(GetSelectedTab()))
        child->SendMessage(WM_CLOSE);
}

BOOL CTKMDITabGroup::IsInputLocked() const
{
    return !CTKPopupTracker::Get().GetTrackedBars().empty();
}

void CTKMDITabGroup::TrackTabDrag(CWnd* window, int x, int y, CTKTabItem* tab)
{
    if (window == nullptr || tab == nullptr || m_client == nullptr)
        return;
    if (m_client->GetGroupCount() == 1 && GetTabCount() == 1)
        return;
    SetSelectedDirect(tab);
    m_client->SetDeferring(TRUE);
    m_client->SetCurrentGroup(this);
    m_client->SetDeferring(FALSE);
    CTKTabRenderer* renderer = GetRenderer();
    if (renderer != nullptr && renderer->IsHotTracking())
        SetHotTab(tab);
    OnLayoutChanged();

    // The places stay where they were when the drag began.
    std::vector<CRect> places;
    for (int i = 0; i < GetTabCount(); ++i)
        places.push_back(GetTab(i)->GetRect());

    CPoint last(x, y);
    BOOL outside = FALSE;
    BOOL released = FALSE;
    CTrackingLoop loop(window);
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_LBUTTONUP:
            released = TRUE;
            last = PointOf(msg);
            loop.End();
            return TRUE;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            loop.End();
            return TRUE;
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? FALSE : TRUE;
        case WM_KEYUP:
        case WM_CHAR:
            return TRUE;
        case WM_MOUSEMOVE:
            last = PointOf(msg);
            DragMoved(window, last, tab, places, &outside);
            return TRUE;
        default:
            return FALSE;
        }
    });
    loop.Run();

    OnMouseMove(window, last.x, last.y);
    OnTabClick(tab);
    CTKMDITabGroup* home = this;
    if (outside) {
        m_client->EndDragFeedback();
        m_client->ShowCursor(IDC_ARROW);
        const int kind = m_client->GetDropKind();
        if (released && kind == CTKTabClientWnd::kDropMenu)
            m_client->ShowDropMenu(last);
        else if (released && kind >= CTKTabClientWnd::kDropMove)
            m_client->MoveTab(tab, m_client->GetDropGroup(), kind);
        home = static_cast<CTKMDITabGroup*>(tab->GetTabSet());
    }
    if (home != nullptr)
        home->EnsureVisible(tab);
}

void CTKMDITabGroup::DragMoved(CWnd* window, CPoint point, CTKTabItem* tab, const std::vector<CRect>& places,
                               BOOL* outside)
{
    const CRect header = GetHeaderRect();
    if (header.IsRectEmpty() || header.PtInRect(point)) {
        if (*outside) {
            m_client->EndDragFeedback();
            m_client->ShowCursor(IDC_ARROW);
            *outside = FALSE;
        }
        const int current = tab->GetIndex();
        for (int i = 0; i < static_cast<int>(places.size()) && i < GetTabCount(); ++i) {
            if (i == current || !places[static_cast<size_t>(i)].PtInRect(point))
                continue;
            SwapTabs(current, i);
            RefreshIndexes();
            break;
        }
        return;
    }
    if (!m_client->IsGroupsMode())
        return;
    if (!*outside) {
        m_client->BeginDragFeedback();
        *outside = TRUE;
    }
    // The drop is judged in the MDI client's coordinates, where the groups are drawn.
    CPoint inClient = point;
    if (window != m_client->GetMDIClient()) {
        window->ClientToScreen(&inClient);
        m_client->GetMDIClient()->ScreenToClient(&inClient);
    }
    m_client->UpdateDropTarget(inClient.x, inClient.y, tab);
}
