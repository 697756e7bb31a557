#include "CMDIFrameWnd.h"

#include "CMDIChildWnd.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

CMDIFrameWnd::CMDIFrameWnd() = default;

CMDIFrameWnd::~CMDIFrameWnd() = default;

int CMDIFrameWnd::OnCreate()
{
    if (CFrameWnd::OnCreate() == -1)
        return -1;
    CRect area;
    GetClientRect(&area);
    if (!m_client.Create(this, area, AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN))
        return -1;
    return 0;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    return m_client.GetActive(maximized);
}

void CMDIFrameWnd::MDIActivate(CWnd* child)
{
    m_client.SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child));
}

void CMDIFrameWnd::MDINext()
{
    m_client.SendMessage(WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    m_client.SendMessage(WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* child)
{
    m_client.SendMessage(WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child));
}

void CMDIFrameWnd::MDIRestore(CWnd* child)
{
    m_client.SendMessage(WM_MDIRESTORE, reinterpret_cast<WPARAM>(child));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->OnCmdMsg(id, code, extra, info))
        return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, info);
}
