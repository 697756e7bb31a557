#include "toolkit/commandbars/CTKMDIFrameWnd.h"

#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKToolBar.h"

namespace {

// The private messages of the command bars that no window of the program handles.
constexpr UINT kFirstUnhandledMessage = 0x052F;
constexpr UINT kLastUnhandledMessage = 0x0533;
// The MDI tab client's group commands, which it answers before the frame's routing.
constexpr UINT kFirstTabGroupCommand = 9420;
constexpr UINT kLastTabGroupCommand = 9423;

} // namespace

CTKMDIFrameWnd::CTKMDIFrameWnd() = default;

CTKMDIFrameWnd::~CTKMDIFrameWnd()
{
    ReleaseCommandBars();
}

void CTKMDIFrameWnd::SetCommandBars(CTKCommandBars* commandBars)
{
    ReleaseCommandBars();
    m_pCommandBars = commandBars;
}

void CTKMDIFrameWnd::ReleaseCommandBars()
{
    CTKCommandBars* commandBars = m_pCommandBars;
    m_pCommandBars = nullptr;
    if (commandBars)
        commandBars->InternalRelease();
}

BOOL CTKMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    if (id >= kFirstTabGroupCommand && id <= kLastTabGroupCommand) {
        CWnd* tabClient = GetMDIClient()->GetTabClient();
        if (tabClient != nullptr && tabClient->OnCmdMsg(id, code, extra, info))
            return TRUE;
    }
    return CMDIFrameWnd::OnCmdMsg(id, code, extra, info);
}

void CTKMDIFrameWnd::OnDestroy()
{
    ReleaseCommandBars();
    CMDIFrameWnd::OnDestroy();
}

void CTKMDIFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CMDIFrameWnd::OnActivate(state, other, minimized);
    if (!m_pCommandBars)
        return;
    const WPARAM status = state ? FS_ACTIVATE : FS_DEACTIVATE;
    for (int i = 0; i < m_pCommandBars->GetCount(); ++i) {
        CTKToolBar* bar = m_pCommandBars->GetBarAt(i);
        if (bar->GetPosition() == kTKPositionFloating)
            bar->SendMessage(WM_FLOATSTATUS, status);
    }
}

BOOL CTKMDIFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (m_pCommandBars && m_pCommandBars->HookFrameMessage(message, wParam, lParam, result))
        return TRUE;
    if (message == WM_TK_EXECUTE) {
        // A control about to execute: a notification handler of its command may take it over.
        const auto* record = reinterpret_cast<const TKNMCONTROL*>(lParam);
        *result = 0;
        if (!record)
            return TRUE;
        LRESULT handled = 0;
        NMHDR header = record->hdr;
        AFX_NOTIFY notify;
        notify.pResult = &handled;
        notify.pNMHDR = &header;
        const UINT id = static_cast<UINT>(header.idFrom);
        const int code = static_cast<int>(MAKELONG(static_cast<int>(header.code), WM_NOTIFY));
        if (OnCmdMsg(id, code, &notify, nullptr))
            *result = handled;
        return TRUE;
    }
    if (message >= kFirstUnhandledMessage && message <= kLastUnhandledMessage) {
        *result = 0;
        return TRUE;
    }
    return CMDIFrameWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CTKMDIFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (m_pCommandBars && m_pCommandBars->HookKeyMessage(msg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(msg);
}
