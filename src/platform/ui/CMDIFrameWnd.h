#pragma once
// A frame with an MDI client. The client is created in OnCreate as the
// frame's first child (id AFX_IDW_PANE_FIRST, so the layout gives it what
// the bars leave). Commands go to the active child frame first, then
// follow the frame's own route.

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMDIClient.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    CMDIClient* GetMDIClient() { return &m_client; }
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* child);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* child);
    void MDIRestore(CWnd* child);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
    int OnCreate() override;

private:
    CMDIClient m_client;
};
