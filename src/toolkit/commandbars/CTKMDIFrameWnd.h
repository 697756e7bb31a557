#pragma once
// The multiple-document frame that carries command bars: it keeps the
// command bars it creates, releases them with its window, offers a
// control's execution (0x52D) to its command routing as a notification,
// answers the bars' other private messages with 0, and offers the group
// commands of the MDI tab client to the tab client first.

#include "platform/ui/CMDIFrameWnd.h"

class CTKCommandBars;

class CTKMDIFrameWnd : public CMDIFrameWnd {
public:
    CTKMDIFrameWnd();
    ~CTKMDIFrameWnd() override;

    CTKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // Takes over the caller's reference.
    void SetCommandBars(CTKCommandBars* commandBars);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The command bars see every queued message before the accelerators.
    BOOL PreTranslateMessage(MSG* msg) override;
    // The MDI tab client hears its group commands (9420 to 9423) first.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
    void OnDestroy() override;
    // Floating toolbars show and hide with the frame's activation.
    void OnActivate(UINT state, CWnd* other, BOOL minimized) override;

private:
    void ReleaseCommandBars();

    CTKCommandBars* m_pCommandBars = nullptr;
};
