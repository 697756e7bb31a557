#include "CMDIChildWnd.h"

#include "CMDIClient.h"
#include "CMDIFrameWnd.h"
#include "CView.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

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
    MoveWindow(maximized ? clientRect : m_normalRect);
}

UINT CMDIChildWnd::GetSizeType() const
{
    return m_maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

BOOL CMDIChildWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
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
