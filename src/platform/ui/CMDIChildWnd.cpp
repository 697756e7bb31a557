#include "CMDIChildWnd.h"

#include "CMDIClient.h"
#include "CMDIFrameWnd.h"
#include "CView.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

namespace {

// One item of the standard system menu; command 0 is a separator.
struct SystemMenuItem {
    WPARAM command;
    const char* text;
};

// A child frame cannot be moved or sized from its system menu here.
const SystemMenuItem kSystemMenu[] = {
    {SC_RESTORE, "&Restore"},
    {SC_MOVE, "&Move"},
    {SC_SIZE, "&Size"},
    {SC_MINIMIZE, "Mi&nimize"},
    {SC_MAXIMIZE, "Ma&ximize"},
    {0, ""},
    {SC_CLOSE, "&Close\tCtrl+F4"},
    {0, ""},
    {SC_NEXTWINDOW, "Nex&t\tCtrl+F6"},
};

UINT EnabledIf(BOOL enabled)
{
    return enabled ? MF_ENABLED : MF_GRAYED;
}

} // namespace

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd()
{
    if (IsWindow())
        CWnd::DestroyWindow();
}

BOOL CMDIChildWnd::Create(const std::string& title, DWORD style, const CRect& rect, CMDIFrameWnd* parent)
{
    if (!parent || IsWindow())
        return FALSE;
    m_createTitle = title;
    m_createStyle = style;
    m_normalRect = rect;
    return parent->GetMDIClient()->SendMessage(WM_MDICREATE, 0, reinterpret_cast<LPARAM>(this)) != 0;
}

BOOL CMDIChildWnd::CreateInClient(CMDIClient* client, UINT id)
{
    m_client = client;
    if (m_normalRect.IsRectNull()) {
        CRect area;
        client->GetClientRect(&area);
        m_normalRect = CRect(0, 0, std::max(area.Width() * 2 / 3, 200), std::max(area.Height() * 2 / 3, 150));
    }
    ModifyStyleEx(0, WS_EX_MDICHILD);
    DWORD style = (m_createStyle | WS_CHILD) & ~(WS_VISIBLE | WS_MAXIMIZE);
    if (!CWnd::Create(client, m_normalRect, id, style, m_createTitle))
        return FALSE;
    if (m_createStyle & WS_MAXIMIZE)
        MDIMaximize();
    if (m_createStyle & WS_VISIBLE)
        ActivateFrame(m_createStyle & WS_MAXIMIZE ? SW_SHOWMAXIMIZED : SW_SHOW);
    return TRUE;
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!IsWindow())
        return FALSE;
    if (!m_client)
        return CWnd::DestroyWindow();
    m_client->SendMessage(WM_MDIDESTROY, reinterpret_cast<WPARAM>(this));
    return TRUE;
}

void CMDIChildWnd::DestroyInClient()
{
    CWnd::DestroyWindow();
}

void CMDIChildWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
    if (m_client)
        m_client->ChildDestroyed(this);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    return m_client ? dynamic_cast<CMDIFrameWnd*>(m_client->GetParent()) : nullptr;
}

CMDIClient* CMDIChildWnd::GetMDIClient() const
{
    return m_client;
}

void CMDIChildWnd::MDIActivate()
{
    if (m_client)
        m_client->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(this));
}

void CMDIChildWnd::MDIMaximize()
{
    if (m_client)
        m_client->SendMessage(WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(this));
}

void CMDIChildWnd::MDIRestore()
{
    if (m_client)
        m_client->SendMessage(WM_MDIRESTORE, reinterpret_cast<WPARAM>(this));
}

void CMDIChildWnd::MDIDestroy()
{
    DestroyWindow();
}

void CMDIChildWnd::ActivateFrame(int cmdShow)
{
    ShowWindow(cmdShow == -1 ? SW_SHOW : cmdShow);
    MDIActivate();
}

BOOL CMDIChildWnd::ShowWindow(int cmdShow)
{
    switch (cmdShow) {
    case SW_SHOWMAXIMIZED: {
        BOOL wasVisible = CWnd::ShowWindow(SW_SHOW);
        MDIMaximize();
        return wasVisible;
    }
    case SW_RESTORE: {
        BOOL wasVisible = CWnd::ShowWindow(SW_SHOW);
        MDIRestore();
        return wasVisible;
    }
    default:
        return CWnd::ShowWindow(cmdShow);
    }
}

void CMDIChildWnd::SetMaximized(BOOL maximized, const CRect& clientRect)
{
    if (!maximized && !m_maximized)
        return;
    m_maximized = maximized;
    if (maximized)
        m_minimized = FALSE;
    MoveWindow(maximized ? clientRect : m_normalRect);
}

void CMDIChildWnd::SetMinimized(BOOL minimized, const CRect& iconRect)
{
    if (minimized == m_minimized)
        return;
    m_minimized = minimized;
    if (minimized)
        m_maximized = FALSE;
    MoveWindow(minimized ? iconRect : m_normalRect);
}

UINT CMDIChildWnd::GetSizeType() const
{
    if (m_minimized)
        return SIZE_MINIMIZED;
    return m_maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

CMenu* CMDIChildWnd::GetSystemMenu(BOOL revert)
{
    if (revert || !m_systemMenu.IsMenu()) {
        m_systemMenu.DestroyMenu();
        m_systemMenu.CreatePopupMenu();
        for (const SystemMenuItem& item : kSystemMenu)
            m_systemMenu.AppendMenu(item.command == 0 ? MF_SEPARATOR : MF_STRING, static_cast<UINT>(item.command),
                                    item.text);
    }
    UpdateSystemMenu();
    return &m_systemMenu;
}

void CMDIChildWnd::UpdateSystemMenu()
{
    const BOOL sized = m_maximized || m_minimized;
    m_systemMenu.EnableMenuItem(SC_RESTORE, EnabledIf(sized));
    m_systemMenu.EnableMenuItem(SC_MOVE, MF_GRAYED);
    m_systemMenu.EnableMenuItem(SC_SIZE, MF_GRAYED);
    m_systemMenu.EnableMenuItem(SC_MINIMIZE, EnabledIf(!m_minimized && (GetStyle() & WS_MINIMIZEBOX)));
    m_systemMenu.EnableMenuItem(SC_MAXIMIZE, EnabledIf(!m_maximized && (GetStyle() & WS_MAXIMIZEBOX)));
}

void CMDIChildWnd::SetIcon(const CIconImage& icon, BOOL big)
{
    (big ? m_bigIcon : m_smallIcon) = icon;
}

void CMDIChildWnd::SetClassIcon(const CIconImage& icon, BOOL big)
{
    (big ? m_classBigIcon : m_classSmallIcon) = icon;
}

BOOL CMDIChildWnd::OnSysCommand(WPARAM command)
{
    switch (command & kSystemCommandMask) {
    case SC_MINIMIZE:
        if (m_client && (GetStyle() & WS_MINIMIZEBOX))
            m_client->Minimize(this);
        return TRUE;
    case SC_MAXIMIZE:
        if (GetStyle() & WS_MAXIMIZEBOX)
            MDIMaximize();
        return TRUE;
    case SC_RESTORE:
        if (m_minimized && m_client)
            m_client->Unminimize(this);
        else
            MDIRestore();
        return TRUE;
    case SC_CLOSE:
        SendMessage(WM_CLOSE);
        return TRUE;
    case SC_NEXTWINDOW:
        if (m_client)
            m_client->SendMessage(WM_MDINEXT, reinterpret_cast<WPARAM>(this));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CMDIChildWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_SYSCOMMAND && OnSysCommand(wParam)) {
        *result = 0;
        return TRUE;
    }
    if (message == WM_GETICON) {
        const CIconImage& icon = wParam == ICON_BIG ? m_bigIcon : m_smallIcon;
        *result = icon.IsEmpty() ? 0 : reinterpret_cast<LRESULT>(&icon);
        return TRUE;
    }
    if (message != WM_MDIACTIVATE)
        return CFrameWnd::OnWndMsg(message, wParam, lParam, result);
    auto* activated = reinterpret_cast<CWnd*>(lParam);
    auto* deactivated = reinterpret_cast<CWnd*>(wParam);
    OnMDIActivate(activated == this, activated, deactivated);
    *result = 0;
    return TRUE;
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd*, CWnd*)
{
    if (!activate)
        return;
    CWnd* focus = GetActiveView();
    if (!focus)
        focus = this;
    if (window()->isActiveWindow())
        focus->SetFocus();
}
