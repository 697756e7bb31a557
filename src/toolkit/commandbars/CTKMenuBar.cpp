#include "toolkit/commandbars/CTKMenuBar.h"

#include "platform/CArchive.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIClient.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKMenuBarMDIButton.h"
#include "toolkit/commandbars/CTKMenuBarSysMenuControl.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKWindowHookMap.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <algorithm>
#include <iterator>

IMPLEMENT_SERIAL(CTKMenuBar, CTKToolBar, 0x80000006)

namespace {

// The first stored schema that carries the parked control sets.
constexpr int kSchemaParkedSets = 5;
// The smallest parked set: its menu id and an empty collection.
constexpr size_t kMinParkedSet = 16;

// The pictures of four system commands, 16 by 16 each, in this order.
constexpr UINT kSystemCommandPictures = 9407;
constexpr int kSystemCommandPictureSide = 16;
const UINT kSystemCommandsPictured[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};

// The symbol-font glyphs of the MDI buttons.
constexpr char kMinimizeGlyph[] = "0";
constexpr char kRestoreGlyph[] = "2";
constexpr char kCloseGlyph[] = "r";

} // namespace

CTKMenuBar::CTKMenuBar()
{
    m_nBarType = kTKBarMenu;
}

CTKMenuBar::~CTKMenuBar()
{
    CTKWindowHookMap::Get().RemoveHookFromAll(this);
    ReleaseParked();
}

void CTKMenuBar::ReleaseParked()
{
    for (auto& [menuId, controls] : m_parked)
        controls->InternalRelease();
    m_parked.clear();
}

void CTKMenuBar::Park(UINT menuId, CTKControls* controls)
{
    auto it = m_parked.find(menuId);
    if (it != m_parked.end()) {
        it->second->InternalRelease();
        it->second = controls;
        return;
    }
    m_parked.emplace(menuId, controls);
}

CTKControls* CTKMenuBar::GetParkedControls(UINT menuId) const
{
    auto it = m_parked.find(menuId);
    return it == m_parked.end() ? nullptr : it->second;
}

void CTKMenuBar::Serialize(CArchive& ar)
{
    CTKToolBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nDefaultMenuId;
        ar.WriteCount(static_cast<DWORD>(m_parked.size()));
        for (const auto& [menuId, controls] : m_parked) {
            ar << menuId;
            controls->Serialize(ar, static_cast<int>(kTKArchiveSchema));
        }
        return;
    }
    const int schema = static_cast<int>(ar.GetObjectSchema());
    ar >> m_nDefaultMenuId;
    m_nCurrentMenuId = m_nDefaultMenuId;
    if (schema < kSchemaParkedSets)
        return;
    ReleaseParked();
    const DWORD sets = ar.ReadCount(kMinParkedSet);
    for (DWORD i = 0; i < sets && ar.IsOK(); ++i) {
        UINT menuId = 0;
        ar >> menuId;
        auto* parked = new CTKControls;
        parked->SetParent(this);
        parked->Serialize(ar, schema);
        if (!ar.IsOK() || menuId == 0) {
            parked->InternalRelease();
            continue;
        }
        Park(menuId, parked);
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
    if (CTKCommandImages* images = GetImageStore())
        images->SetIcons(kSystemCommandPictures, kSystemCommandsPictured,
                         static_cast<int>(std::size(kSystemCommandsPictured)), kSystemCommandPictureSide,
                         kSystemCommandPictureSide, CTKCommandImages::kNormal);
    return TRUE;
}

BOOL CTKMenuBar::SwitchMenu(UINT menuId)
{
    if (menuId == 0 || m_nCurrentMenuId == 0 || menuId == m_nCurrentMenuId)
        return FALSE;
    CMenu menu;
    if (!menu.LoadMenu(menuId) || menu.GetMenuItemCount() == 0)
        return FALSE;
    CTKCommandBars* bars = GetCommandBars();
    if (bars && bars->IsCustomizeAvailable()) {
        // The MDI controls belong to the bar, not to a document type's menu.
        RemoveMDIControls();
        Park(m_nCurrentMenuId, m_pControls);
        auto parked = m_parked.find(menuId);
        if (parked != m_parked.end()) {
            m_pControls = parked->second;
            m_parked.erase(parked);
        } else {
            m_pControls = new CTKControls;
            m_pControls->SetParent(this);
            LoadMenu(&menu, TRUE);
            m_pControls->CreateReferenceCopy();
        }
        m_pControls->SetParent(this);
        m_pControls->RefreshIndexes();
    } else {
        LoadMenu(&menu, TRUE);
    }
    m_nCurrentMenuId = menuId;
    m_nSelected = -1;
    m_nPopuped = -1;
    RefreshMDIButtons();
    OnRecalcLayout();
    return TRUE;
}

void CTKMenuBar::RefreshMenu()
{
    if (CTKCommandBars* bars = GetCommandBars())
        SwitchMenu(bars->GetActiveMenuId());
}

CMDIChildWnd* CTKMenuBar::GetActiveMDIChild(BOOL* maximized) const
{
    if (maximized)
        *maximized = FALSE;
    CTKCommandBars* bars = GetCommandBars();
    auto* mdiFrame = m_bMDIFrame && bars ? dynamic_cast<CMDIFrameWnd*>(bars->GetFrame()) : nullptr;
    if (!mdiFrame)
        return nullptr;
    BOOL zoomed = FALSE;
    auto* child = reinterpret_cast<CMDIChildWnd*>(
        mdiFrame->GetMDIClient()->SendMessage(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)));
    if (maximized)
        *maximized = child && zoomed;
    return child;
}

void CTKMenuBar::HookChild(CMDIChildWnd* child)
{
    if (child == m_hookedChild)
        return;
    if (m_hookedChild)
        CTKWindowHookMap::Get().RemoveHook(m_hookedChild, this);
    if (child)
        CTKWindowHookMap::Get().AddHook(child, this);
    m_hookedChild = child;
}

BOOL CTKMenuBar::ShowMDIButton(UINT id, const char* glyph, BOOL wanted)
{
    CTKControl* present = m_pControls->FindControl(id);
    if (!wanted) {
        if (!present)
            return FALSE;
        m_pControls->Remove(present);
        return TRUE;
    }
    if (present)
        return FALSE;
    CTKControl* button = m_pControls->InsertControl(new CTKMenuBarMDIButton, id, glyph, -1, TRUE);
    button->SetFlags(button->GetFlags() | kTKMDIButtonFlags);
    std::string text;
    if (CResourceStore::Instance().FindString(id, &text)) {
        const std::size_t lineBreak = text.find('\n');
        button->SetTooltipText(lineBreak == std::string::npos ? text : text.substr(lineBreak + 1));
    }
    return TRUE;
}

BOOL CTKMenuBar::ShowSysMenuControl(CMDIChildWnd* child, BOOL wanted)
{
    auto* present = dynamic_cast<CTKMenuBarSysMenuControl*>(m_pControls->FindControl(kTKMDISysMenuId));
    if (!wanted || !child) {
        if (!present)
            return FALSE;
        m_pControls->Remove(present);
        return TRUE;
    }
    const CMenu* systemMenu = child->GetSystemMenu(FALSE);
    if (!systemMenu || !systemMenu->IsMenu())
        return FALSE;
    if (present) {
        present->BuildFrom(*systemMenu, child);
        return TRUE;
    }
    auto* control = new CTKMenuBarSysMenuControl;
    CTKPopupBar* popup = CTKPopupBar::NewPopupBar(GetCommandBars());
    popup->SetCustomizable(FALSE);
    control->SetCommandBar(popup);
    popup->InternalRelease();
    m_pControls->InsertControl(control, kTKMDISysMenuId, {}, 0, TRUE);
    control->BuildFrom(*systemMenu, child);
    return TRUE;
}

void CTKMenuBar::RemoveMDIControls()
{
    for (UINT id : {kTKMDISysMenuId, kTKMDIMinimizeId, kTKMDIRestoreId, kTKMDICloseId})
        if (CTKControl* control = m_pControls->FindControl(id))
            m_pControls->Remove(control);
}

void CTKMenuBar::RefreshMDIButtons()
{
    BOOL maximized = FALSE;
    CMDIChildWnd* child = GetActiveMDIChild(&maximized);
    HookChild(child);
    CMDIChildWnd* zoomed = maximized ? child : nullptr;
    const DWORD style = zoomed ? zoomed->GetStyle() : 0;
    BOOL changed = ShowSysMenuControl(zoomed, zoomed && (m_dwFlags & kTKMenuBarSysMenu));
    changed |= ShowMDIButton(kTKMDIMinimizeId, kMinimizeGlyph,
                             zoomed && (style & WS_MINIMIZEBOX) && !(m_dwFlags & kTKMenuBarNoMinimize));
    changed |= ShowMDIButton(kTKMDIRestoreId, kRestoreGlyph,
                             zoomed && (style & WS_MAXIMIZEBOX) && !(m_dwFlags & kTKMenuBarNoRestore));
    changed |= ShowMDIButton(kTKMDICloseId, kCloseGlyph, zoomed && !(m_dwFlags & kTKMenuBarNoClose));
    if (changed && IsWindow())
        OnRecalcLayout();
}

void CTKMenuBar::PrepareForSave()
{
    if (!m_parked.empty() && m_nCurrentMenuId != m_nDefaultMenuId) {
        SwitchMenu(m_nDefaultMenuId);
        m_bSwitchedForSaving = TRUE;
    }
    for (auto it = m_parked.begin(); it != m_parked.end();) {
        if (it->second->IsChanged()) {
            ++it;
            continue;
        }
        it->second->InternalRelease();
        it = m_parked.erase(it);
    }
}

void CTKMenuBar::FinishSave()
{
    if (!m_bSwitchedForSaving)
        return;
    m_bSwitchedForSaving = FALSE;
    RefreshMenu();
}

void CTKMenuBar::Copy(const CTKCommandBar* source, BOOL recursive)
{
    CTKToolBar::Copy(source, recursive);
    const auto* menuBar = dynamic_cast<const CTKMenuBar*>(source);
    if (!menuBar)
        return;
    m_nDefaultMenuId = menuBar->m_nDefaultMenuId;
    ReleaseParked();
    for (const auto& [menuId, controls] : menuBar->m_parked) {
        CTKControls* copy = controls->Duplicate(recursive);
        copy->SetParent(this);
        m_parked.emplace(menuId, copy);
    }
}

void CTKMenuBar::SaveBarState(int* nextId, std::vector<CTKCommandBar*>* bars)
{
    const BOOL listed = std::find(bars->begin(), bars->end(), this) != bars->end();
    CTKToolBar::SaveBarState(nextId, bars);
    if (listed)
        return;
    for (const auto& [menuId, controls] : m_parked)
        SaveChildBarStates(controls, nextId, bars);
}

void CTKMenuBar::LoadBarState(const std::vector<CTKCommandBar*>& bars)
{
    CTKToolBar::LoadBarState(bars);
    for (const auto& [menuId, controls] : m_parked)
        LoadChildBarStates(controls, bars);
}

CTKCommandBar* CTKMenuBar::Clone(BOOL recursive) const
{
    auto* bar = new CTKMenuBar;
    bar->Copy(this, recursive);
    return bar;
}

void CTKMenuBar::Reset()
{
    const BOOL reload = !m_parked.empty() || !m_pControls->GetReferenceCopy();
    if (reload && m_nCurrentMenuId != 0) {
        if (!ConfirmReset())
            return;
        FillFromMenu(m_nCurrentMenuId);
    } else if (m_pControls->GetReferenceCopy()) {
        CTKToolBar::Reset();
    }
    RefreshMDIButtons();
    OnIdleUpdateCmdUI(TRUE);
    OnRecalcLayout();
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
    case WM_SIZE:
        if (window == m_hookedChild)
            PostMessage(WM_TIMER, kTKMenuBarRefreshTimer);
        break;
    case WM_MDISETMENU:
        if (m_dwFlags & kTKMenuBarNoMenuSwitch)
            break;
        RefreshMenu();
        RefreshMDIButtons();
        *result = 0;
        return kTKHookHandled;
    default:
        break;
    }
    return CTKToolBar::OnHookMessage(window, message, wParam, lParam, result);
}

void CTKMenuBar::OnTimer(UINT_PTR id)
{
    if (id == kTKMenuBarRefreshTimer)
        RefreshMDIButtons();
    CTKToolBar::OnTimer(id);
}
