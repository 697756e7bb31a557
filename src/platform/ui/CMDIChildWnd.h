#pragma once
// A child frame of an MDI frame. It lives in the frame's MDI client, gets
// the extended style WS_EX_MDICHILD and is activated, maximised, restored
// and destroyed through the client's MDI messages, so hooks on the client
// see every change. Its command routing (view, document, itself) stops
// before the application: the MDI frame continues the route.

#include "platform/ui/CFrameWnd.h"

class CMDIClient;
class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // Creates the child in the frame's MDI client (WM_MDICREATE). A null
    // rectangle gives a default size; WS_VISIBLE shows and activates the
    // child, WS_MAXIMIZE maximises it.
    BOOL Create(const std::string& title, DWORD style, const CRect& rect, CMDIFrameWnd* parent);
    // Destroys the child through the client (WM_MDIDESTROY).
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const;
    CMDIClient* GetMDIClient() const;
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    void MDIDestroy();
    BOOL IsMaximized() const { return m_maximized; }
    const CRect& GetNormalRect() const { return m_normalRect; }

    void ActivateFrame(int cmdShow = -1) override;
    BOOL ShowWindow(int cmdShow) override;

protected:
    // WM_MDIACTIVATE: activate is TRUE for the child that becomes active.
    virtual void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL RoutesToApp() const override { return FALSE; }
    void OnDestroy() override;
    UINT GetSizeType() const override;

private:
    friend class CMDIClient;
    // Called by the client for WM_MDICREATE and WM_MDIDESTROY.
    BOOL CreateInClient(CMDIClient* client, UINT id);
    void DestroyInClient();
    void SetMaximized(BOOL maximized, const CRect& clientRect);

    std::string m_createTitle;
    DWORD m_createStyle = 0;
    CRect m_normalRect;
    QPointer<CMDIClient> m_client;
    BOOL m_maximized = FALSE;
};
