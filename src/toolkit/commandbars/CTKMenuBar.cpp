#include "toolkit/commandbars/CTKMenuBar.h"

#include "platform/CArchive.h"
#include "platform/ui/CMDIClient.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKWindowHookMap.h"

IMPLEMENT_SERIAL(CTKMenuBar, CTKToolBar, 0x80000006)

namespace {

constexpr WPARAM kSystemCommandMask = 0xFFF0;

} // namespace

CTKMenuBar::CTKMenuBar()
{
    m_nBarType = kTKBarMenu;
}

CTKMenuBar::~CTKMenuBar()
{
    CTKWindowHookMap::Get().RemoveHookFromAll(this);
}

namespace {

// The first stored schema that carries the parked control sets.
constexpr int kSchemaParkedSets = 5;
// The smallest parked set: its menu id and an empty collection.
constexpr size_t kMinParkedSet = 16;

} // namespace

void CTKMenuBar::Serialize(CArchive& ar)
{
    CTKToolBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nDefaultMenuId;
        ar.WriteCount(0);
        return;
    }
    const int schema = static_cast<int>(ar.GetObjectSchema());
    ar >> m_nDefaultMenuId;
    m_nCurrentMenuId = m_nDefaultMenuId;
    if (schema < kSchemaParkedSets)
        return;
    const DWORD sets = ar.ReadCount(kMinParkedSet);
    for (DWORD i = 0; i < sets && ar.IsOK(); ++i) {
        UINT menuId = 0;
        ar >> menuId;
        auto* parked = new CTKControls;
        parked->Serialize(ar, schema);
        parked->InternalRelease();
    }
}

BOOL CTKMenuBar::FillFromMenu(UINT menuId)
{
    CMenu menu;
    if (!menu.LoadMenu(menuId) || menu.GetMenuItemCount() == 0)
        return FALSE;
    return LoadMenu(&menu, TRUE);
}

BOOL CTKMenuBar::LoadMenuBar(UINT menuId)
{
    if (menuId != 0) {
        if (!FillFromMenu(menuId))
            return FALSE;
        m_nDefaultMenuId = menuId;
        m_nCurrentMenuId = menuId;
    }
    CWnd* site = GetCommandBars() ? GetCommandBars()->GetFrame() : nullptr;
    auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(site);
    m_bMDIFrame = mdiFrame != nullptr;
    if (site)
        CTKWindowHookMap::Get().AddHook(site, this);
    if (mdiFrame)
        CTKWindowHookMap::Get().AddHook(mdiFrame->GetMDIClient(), this);
    return TRUE;
}

BOOL CTKMenuBar::SwitchMenu(UINT menuId)
{
    if (menuId == 0 || m_nCurrentMenuId == 0 || menuId == m_nCurrentMenuId)
        return FALSE;
    if (!FillFromMenu(menuId))
        return FALSE;
    m_nCurrentMenuId = menuId;
    OnRecalcLayout();
    return TRUE;
}

void CTKMenuBar::RefreshMenu()
{
    if (CTKCommandBars* bars = GetCommandBars())
        SwitchMenu(bars->GetActiveMenuId());
}

void CTKMenuBar::EnterKeyboardTracking()
{
    SetTrackingMode(1, FALSE, TRUE);
    SetSelected(m_pControls->GetNextIndex(-1, 1, TRUE, TRUE), TRUE);
}

int CTKMenuBar::OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result)
{
    if (!window || !IsVisible())
        return CTKToolBar::OnHookMessage(window, message, wParam, lParam, result);
    switch (message) {
    case WM_SYSCOMMAND:
        if ((*wParam & kSystemCommandMask) != SC_KEYMENU || *lParam != 0 || CTKPopupTracker::Get().GetModalDepth() > 0)
            break;
        if (GetTrackingMode() != 0)
            SetTrackingMode(0, FALSE, FALSE);
        else
            EnterKeyboardTracking();
        *result = 0;
        return kTKHookHandled;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        PostMessage(WM_TIMER, kTKMenuBarRefreshTimer);
        break;
    default:
        break;
    }
    return CTKToolBar::OnHookMessage(window, message, wParam, lParam, result);
}

void CTKMenuBar::OnTimer(UINT_PTR id)
{
    if (id == kTKMenuBarRefreshTimer)
        RefreshMenu();
    CTKToolBar::OnTimer(id);
}
