#include "toolkit/commandbars/CTKControlCustom.h"

#include "platform/CArchive.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/WinMessages.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKWindowHookMap.h"

IMPLEMENT_SERIAL(CTKControlCustom, CTKControlButton, 0x80000006)

namespace {

constexpr UINT kShowFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
// The first stored schema that carries the window id.
constexpr int kSchemaWindowId = 6;

} // namespace

CTKControlCustom::CTKControlCustom()
{
    m_dwFlags = kTKFlagNoCustomize;
}

CTKControlCustom::~CTKControlCustom()
{
    CTKWindowHookMap::Get().RemoveHookFromAll(this);
}

void CTKControlCustom::SetControl(CWnd* window)
{
    if (CWnd* old = GetLiveControl())
        CTKWindowHookMap::Get().RemoveHook(old, this);
    m_pControl = window;
    if (!window)
        return;
    CRect rect;
    window->GetWindowRect(&rect);
    m_szControl = rect.Size();
    m_nControlId = window->GetDlgCtrlID();
    CTKWindowHookMap::Get().AddHook(window, this);
}

BOOL CTKControlCustom::FindControlWindow(CTKCommandBars* commandBars)
{
    if (m_nControlId == 0 || !commandBars)
        return FALSE;
    CWnd* found = nullptr;
    if (CWnd* frame = commandBars->GetFrame())
        found = frame->GetDlgItem(m_nControlId);
    for (int i = 0; !found && i < commandBars->GetCount(); ++i) {
        if (CTKCommandBar* bar = commandBars->GetBarAt(i))
            found = bar->GetDlgItem(m_nControlId);
    }
    if (!found)
        return FALSE;
    m_pControl = found;
    CTKWindowHookMap::Get().AddHook(found, this);
    return TRUE;
}

CWnd* CTKControlCustom::GetLiveControl() const
{
    CWnd* window = m_pControl.data();
    return window && window->IsWindow() ? window : nullptr;
}

BOOL CTKControlCustom::IsHostedWindowVisible() const
{
    CWnd* window = GetLiveControl();
    return window && window->IsWindowVisible();
}

void CTKControlCustom::ShowHostedWindow() const
{
    CWnd* window = GetLiveControl();
    if (!window)
        return;
    const BOOL hide = !m_bControlVisible || m_dwHideFlags != 0;
    window->SetWindowPos(nullptr, 0, 0, 0, 0, kShowFlags | (hide ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
}

void CTKControlCustom::SetEnabled(BOOL enabled)
{
    CTKControlButton::SetEnabled(enabled);
    if (CWnd* window = GetLiveControl())
        window->EnableWindow(enabled);
}

void CTKControlCustom::SetRect(const CRect& rect)
{
    CWnd* window = GetLiveControl();
    if (rect == m_rcControl && window && window->GetParent() == m_pParent)
        return;
    m_rcControl = rect;
    if (!window)
        return;
    if (m_pParent && window->GetParent() != m_pParent)
        window->SetParent(m_pParent);
    CRect inner = rect;
    inner.left += m_rcBorders.left;
    inner.top += m_rcBorders.top;
    inner.right -= m_rcBorders.right;
    inner.bottom -= m_rcBorders.bottom;
    window->MoveWindow(inner, TRUE);
    ShowHostedWindow();
}

void CTKControlCustom::SetHideFlags(DWORD hideFlags)
{
    if (hideFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = hideFlags;
    ShowHostedWindow();
    DelayLayoutParent();
}

CSize CTKControlCustom::GetSize(CDC* dc)
{
    if (GetLiveControl() && m_bControlVisible) {
        return CSize(m_rcBorders.left + m_rcBorders.right + m_szControl.cx,
                     m_rcBorders.top + m_rcBorders.bottom + m_szControl.cy);
    }
    return CTKControlButton::GetSize(dc);
}

void CTKControlCustom::Draw(CDC* dc)
{
    if (IsHostedWindowVisible())
        return;
    CTKControlButton::Draw(dc);
}

void CTKControlCustom::OnCalcDynamicSize(DWORD layoutMode)
{
    const BOOL vertical = (layoutMode & kTKLayoutVertDock) != 0;
    switch (m_nVerticalOption) {
    case kTKCustomVerticalHide:
        m_dwHideFlags = vertical ? (m_dwHideFlags | kTKHideVertical) : (m_dwHideFlags & ~kTKHideVertical);
        ShowHostedWindow();
        break;
    case kTKCustomVerticalButton:
        m_bControlVisible = !vertical;
        ShowHostedWindow();
        break;
    default:
        break;
    }
}

void CTKControlCustom::Copy(const CTKControl* source, BOOL recursive)
{
    const auto* custom = dynamic_cast<const CTKControlCustom*>(source);
    if (custom && custom != this) {
        m_rcBorders = custom->m_rcBorders;
        m_szControl = custom->m_szControl;
        m_nVerticalOption = custom->m_nVerticalOption;
        m_pControl = custom->m_pControl;
        m_bControlVisible = custom->m_bControlVisible;
        m_nControlId = custom->m_nControlId;
        if (CWnd* window = GetLiveControl())
            CTKWindowHookMap::Get().AddHook(window, this);
    }
    CTKControlButton::Copy(source, recursive);
}

void CTKControlCustom::OnClick(BOOL keyboard, CPoint point)
{
    if (IsHostedWindowVisible() && !IsCustomizeMode())
        return;
    CTKControlButton::OnClick(keyboard, point);
}

BOOL CTKControlCustom::IsCustomizeDragOverAvail(CTKCommandBar* target, CPoint, DWORD* dropEffect)
{
    if (target && target->GetType() == kTKBarPopup)
        return TRUE;
    if (dropEffect)
        *dropEffect = 0;
    return FALSE;
}

int CTKControlCustom::OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT*)
{
    if (message != WM_MOUSEMOVE || !window || !m_pParent || !m_pParent->IsWindow())
        return kTKHookNotHandled;
    CPoint point(static_cast<short>(LOWORD(*lParam)), static_cast<short>(HIWORD(*lParam)));
    window->ClientToScreen(&point);
    m_pParent->ScreenToClient(&point);
    m_pParent->SendMessage(WM_MOUSEMOVE, *wParam, MAKELPARAM(point.x, point.y));
    return kTKHookNotHandled;
}

void CTKControlCustom::Serialize(CArchive& ar)
{
    CTKControlButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int>(m_rcBorders.left) << static_cast<int>(m_rcBorders.top)
           << static_cast<int>(m_rcBorders.right) << static_cast<int>(m_rcBorders.bottom);
        ar << static_cast<int>(m_szControl.cx) << static_cast<int>(m_szControl.cy) << m_nVerticalOption
           << m_nControlId;
        return;
    }
    int margins[4] = {};
    for (int& margin : margins)
        ar >> margin;
    int cx = 0;
    int cy = 0;
    ar >> cx >> cy >> m_nVerticalOption;
    if (m_nLoadedSchema >= kSchemaWindowId)
        ar >> m_nControlId;
    m_rcBorders = CRect(margins[0], margins[1], margins[2], margins[3]);
    m_szControl = CSize(cx, cy);
}
