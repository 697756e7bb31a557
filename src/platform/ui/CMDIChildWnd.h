#pragma once
// A child frame of an MDI frame. It lives in the frame's MDI client, gets
// the extended style WS_EX_MDICHILD and is activated, maximised, restored
// and destroyed through the client's MDI messages, so hooks on the client
// see every change. Its command routing (view, document, itself) stops
// before the application: the MDI frame continues the route. Its system
// menu and the system commands minimise, maximise, restore, close and move
// on to the next child.

#include "platform/CIconImage.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMenu.h"

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
    BOOL IsIconic() const { return m_minimized; }
    const CRect& GetNormalRect() const { return m_normalRect; }

    // The menu resource of a child that shows no document (0 none).
    void SetResourceId(UINT resourceId) { m_resourceId = resourceId; }
    UINT GetResourceId() const { return m_resourceId; }

    // The standard system menu, its states following the child's size state;
    // revert builds it anew.
    CMenu* GetSystemMenu(BOOL revert);
    // The icons WM_GETICON answers (ICON_SMALL or ICON_BIG); an empty image
    // takes the icon away.
    void SetIcon(const CIconImage& icon, BOOL big);
    // The icons of the child's window class (small and big), asked before
    // and after its own small icon; empty when the class has none.
    void SetClassIcon(const CIconImage& icon, BOOL big);
    const CIconImage& GetClassIcon(BOOL big) const { return big ? m_classBigIcon : m_classSmallIcon; }

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
    void SetMinimized(BOOL minimized, const CRect& iconRect);
    // WM_SYSCOMMAND; FALSE for commands a child does not carry out.
    BOOL OnSysCommand(WPARAM command);
    void UpdateSystemMenu();

    std::string m_createTitle;
    DWORD m_createStyle = 0;
    CRect m_normalRect;
    QPointer<CMDIClient> m_client;
    BOOL m_maximized = FALSE;
    BOOL m_minimized = FALSE;
    UINT m_resourceId = 0;
    CMenu m_systemMenu;
    CIconImage m_smallIcon;
    CIconImage m_bigIcon;
    CIconImage m_classSmallIcon;
    CIconImage m_classBigIcon;
};
