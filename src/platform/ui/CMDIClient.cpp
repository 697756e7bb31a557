#include "CMDIClient.h"

#include "CMDIChildWnd.h"

#include "platform/CSystemMetrics.h"

#include <algorithm>

namespace {

using ChildList = std::vector<QPointer<CMDIChildWnd>>;

ChildList::iterator FindChild(ChildList& list, const CMDIChildWnd* child)
{
    return std::find_if(list.begin(), list.end(), [child](const QPointer<CMDIChildWnd>& p) { return p == child; });
}

// Takes the child out of the list when it is there.
void EraseChild(ChildList& list, const CMDIChildWnd* child)
{
    auto it = FindChild(list, child);
    if (it != list.end())
        list.erase(it);
}

// Moves the child's entry to the front or the back of the list; false when it is not there.
bool MoveChild(ChildList& list, const CMDIChildWnd* child, bool toFront)
{
    auto it = FindChild(list, child);
    if (it == list.end())
        return false;
    QPointer<CMDIChildWnd> moved = *it;
    list.erase(it);
    list.insert(toFront ? list.begin() : list.end(), moved);
    return true;
}

// The children of the list that still exist, in its order.
std::vector<CMDIChildWnd*> LiveChildren(const ChildList& list)
{
    std::vector<CMDIChildWnd*> out;
    for (const QPointer<CMDIChildWnd>& child : list)
        if (child)
            out.push_back(child);
    return out;
}

BOOL IsShown(const CMDIChildWnd* child)
{
    return child && !child->isHidden();
}

// A minimised child keeps a strip as wide as this at the bottom of the client.
constexpr int kIconicWidth = 160;

} // namespace

IMPLEMENT_DYNAMIC(CMDIClient, CWnd)

CMDIClient::CMDIClient()
{
    // The MDI client's class paints the empty workspace in the workspace colour.
    SetClassBackground(CBrush(GetSysColor(COLOR_APPWORKSPACE)));
    using Msg = CMsgEntry<CMDIClient>;
    static const Msg kMessages[] = {
        {WM_MDICREATE, &CMDIClient::OnMDICreate},     {WM_MDIDESTROY, &CMDIClient::OnMDIDestroy},
        {WM_MDIACTIVATE, &CMDIClient::OnMDIActivate}, {WM_MDINEXT, &CMDIClient::OnMDINext},
        {WM_MDIMAXIMIZE, &CMDIClient::OnMDIMaximize}, {WM_MDIRESTORE, &CMDIClient::OnMDIRestore},
        {WM_MDIGETACTIVE, &CMDIClient::OnMDIGetActive}, {WM_MDISETMENU, &CMDIClient::OnMDISetMenu},
    };
    AddMessageTable(kMessages);
}

CMDIClient::~CMDIClient()
{
    // The children still need a whole client while they go.
    ChildList children = m_creationOrder;
    for (const QPointer<CMDIChildWnd>& child : children)
        delete child.data();
}

CMDIChildWnd* CMDIClient::GetActive(BOOL* maximized) const
{
    CMDIChildWnd* active = nullptr;
    for (const QPointer<CMDIChildWnd>& child : m_zOrder) {
        if (child) {
            active = child;
            break;
        }
    }
    if (maximized)
        *maximized = active && active->IsMaximized();
    return active;
}

std::vector<CMDIChildWnd*> CMDIClient::GetChildrenInZOrder() const
{
    return LiveChildren(m_zOrder);
}

std::vector<CMDIChildWnd*> CMDIClient::GetChildrenInCreationOrder() const
{
    return LiveChildren(m_creationOrder);
}

void CMDIClient::CalcWindowRect(CRect* rect, UINT adjust)
{
    if (m_tabClient)
        m_tabClient->CalcWindowRect(rect, adjust);
}

BOOL CMDIClient::Contains(const CMDIChildWnd* child) const
{
    auto& list = const_cast<ChildList&>(m_creationOrder);
    return child && FindChild(list, child) != list.end();
}

LRESULT CMDIClient::OnMDICreate(WPARAM, LPARAM lParam)
{
    auto* child = reinterpret_cast<CMDIChildWnd*>(lParam);
    if (!child || Contains(child))
        return 0;
    Prune();
    UINT id = AFX_IDM_FIRST_MDICHILD + static_cast<UINT>(m_creationOrder.size());
    // The child joins the Z order when it is first activated, or at the
    // bottom when it is created without being shown.
    m_creationOrder.emplace_back(child);
    if (!child->CreateInClient(this, id)) {
        Prune();
        EraseChild(m_creationOrder, child);
        EraseChild(m_zOrder, child);
        return 0;
    }
    if (FindChild(m_zOrder, child) == m_zOrder.end())
        m_zOrder.emplace_back(child);
    return lParam;
}

LRESULT CMDIClient::OnMDIDestroy(WPARAM wParam, LPARAM)
{
    auto* child = reinterpret_cast<CMDIChildWnd*>(wParam);
    if (!Contains(child))
        return 0;
    child->DestroyInClient();
    return 0;
}

LRESULT CMDIClient::OnMDIActivate(WPARAM wParam, LPARAM)
{
    auto* child = reinterpret_cast<CMDIChildWnd*>(wParam);
    if (Contains(child))
        Activate(child);
    return 0;
}

LRESULT CMDIClient::OnMDINext(WPARAM wParam, LPARAM lParam)
{
    Prune();
    CMDIChildWnd* from = wParam ? reinterpret_cast<CMDIChildWnd*>(wParam) : GetActive();
    auto at = FindChild(m_zOrder, from);
    if (!from || at == m_zOrder.end())
        return 0;
    size_t count = m_zOrder.size();
    size_t start = static_cast<size_t>(at - m_zOrder.begin());
    if (lParam == 0) {
        // The next child below this one becomes active; this one goes to the bottom.
        for (size_t step = 1; step < count; ++step) {
            CMDIChildWnd* candidate = m_zOrder[(start + step) % count];
            if (!IsShown(candidate))
                continue;
            Activate(candidate);
            MoveChild(m_zOrder, from, false);
            return 0;
        }
        return 0;
    }
    // The bottom-most child comes to the top.
    for (size_t step = 1; step < count; ++step) {
        CMDIChildWnd* candidate = m_zOrder[(start + count - step) % count];
        if (!IsShown(candidate))
            continue;
        Activate(candidate);
        return 0;
    }
    return 0;
}

LRESULT CMDIClient::OnMDIMaximize(WPARAM wParam, LPARAM)
{
    auto* child = reinterpret_cast<CMDIChildWnd*>(wParam);
    if (Contains(child))
        Maximize(child);
    return 0;
}

LRESULT CMDIClient::OnMDIRestore(WPARAM wParam, LPARAM)
{
    auto* child = reinterpret_cast<CMDIChildWnd*>(wParam);
    if (Contains(child))
        Restore(child);
    return 0;
}

LRESULT CMDIClient::OnMDIGetActive(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(GetActive(reinterpret_cast<BOOL*>(lParam)));
}

LRESULT CMDIClient::OnMDISetMenu(WPARAM, LPARAM)
{
    return 0;
}

void CMDIClient::AnnounceMenuChange()
{
    SendMessage(WM_MDISETMENU);
}

void CMDIClient::Minimize(CMDIChildWnd* child)
{
    if (!Contains(child) || child->IsIconic())
        return;
    CRect area;
    GetClientRect(&area);
    const int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME);
    int slot = 0;
    for (CMDIChildWnd* other : GetChildrenInCreationOrder())
        slot += other->IsIconic() ? 1 : 0;
    const CRect iconRect(slot * kIconicWidth, area.bottom - height, (slot + 1) * kIconicWidth, area.bottom);
    child->SetMinimized(TRUE, iconRect);
    for (CMDIChildWnd* next : GetChildrenInZOrder()) {
        if (next == child || !IsShown(next) || next->IsIconic())
            continue;
        Activate(next);
        MoveChild(m_zOrder, child, false);
        return;
    }
}

void CMDIClient::Unminimize(CMDIChildWnd* child)
{
    if (!Contains(child) || !child->IsIconic())
        return;
    child->SetMinimized(FALSE, CRect());
    Activate(child);
}

void CMDIClient::Activate(CMDIChildWnd* child)
{
    Prune();
    CMDIChildWnd* old = GetActive();
    if (child == old && IsShown(child))
        return;
    BOOL maximized = old && old != child && old->IsMaximized();
    if (!MoveChild(m_zOrder, child, true))
        m_zOrder.insert(m_zOrder.begin(), QPointer<CMDIChildWnd>(child));
    if (maximized) {
        Maximize(child);
        Restore(old);
    }
    if (child->isHidden())
        child->CWnd::ShowWindow(SW_SHOW);
    child->raise();
    if (old && old != child)
        old->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    if (child)
        child->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old == child ? nullptr : old),
                           reinterpret_cast<LPARAM>(child));
    AnnounceMenuChange();
}

void CMDIClient::Maximize(CMDIChildWnd* child)
{
    for (CMDIChildWnd* other : GetChildrenInZOrder())
        if (other != child && other->IsMaximized())
            Restore(other);
    CRect area;
    GetClientRect(&area);
    child->SetMaximized(TRUE, area);
}

void CMDIClient::Restore(CMDIChildWnd* child)
{
    CRect area;
    GetClientRect(&area);
    child->SetMaximized(FALSE, area);
}

void CMDIClient::ChildDestroyed(CMDIChildWnd* child)
{
    BOOL wasActive = GetActive() == child;
    // The children stay maximised when the maximised one goes.
    const BOOL wasMaximized = wasActive && child->IsMaximized();
    EraseChild(m_zOrder, child);
    EraseChild(m_creationOrder, child);
    Renumber();
    if (!wasActive)
        return;
    for (CMDIChildWnd* next : GetChildrenInZOrder()) {
        if (!IsShown(next))
            continue;
        // The old active child is gone: the new one hears of no predecessor.
        MoveChild(m_zOrder, next, true);
        if (wasMaximized)
            Maximize(next);
        next->raise();
        next->SendMessage(WM_MDIACTIVATE, 0, reinterpret_cast<LPARAM>(next));
        break;
    }
    AnnounceMenuChange();
}

void CMDIClient::Renumber()
{
    Prune();
    UINT id = AFX_IDM_FIRST_MDICHILD;
    for (const QPointer<CMDIChildWnd>& child : m_creationOrder)
        child->SetDlgCtrlID(id++);
}

void CMDIClient::Prune()
{
    auto gone = [](const QPointer<CMDIChildWnd>& p) { return p.isNull(); };
    m_zOrder.erase(std::remove_if(m_zOrder.begin(), m_zOrder.end(), gone), m_zOrder.end());
    m_creationOrder.erase(std::remove_if(m_creationOrder.begin(), m_creationOrder.end(), gone), m_creationOrder.end());
}

void CMDIClient::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    for (CMDIChildWnd* child : GetChildrenInZOrder())
        if (child->IsMaximized())
            child->SetMaximized(TRUE, CRect(0, 0, cx, cy));
}
