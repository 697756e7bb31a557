#pragma once
// The multiple-document frame that carries command bars: it keeps the
// command bars it creates, releases them with its window, offers a
// control's execution (0x52D) to its command routing as a notification,
// and answers the bars' other private messages with 0.

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

protected:
    void OnDestroy() override;
    // Floating toolbars show and hide with the frame's activation.
    void OnActivate(UINT state, CWnd* other, BOOL minimized) override;

private:
    void ReleaseCommandBars();

    CTKCommandBars* m_pCommandBars = nullptr;
};
