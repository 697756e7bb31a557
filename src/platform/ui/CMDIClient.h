#pragma once
// The MDI client: the area of an MDI frame that holds the child frames. It
// answers the MDI messages (WM_MDICREATE with the child in lParam,
// WM_MDIDESTROY, WM_MDIACTIVATE, WM_MDINEXT with lParam 0 for the next and
// non-zero for the previous child, WM_MDIMAXIMIZE, WM_MDIRESTORE,
// WM_MDIGETACTIVE with an optional BOOL* in lParam) through its message
// table, so hooks on the client see them all. Children are kept in Z order
// (the first is the active one) and numbered AFX_IDM_FIRST_MDICHILD upwards
// in creation order. Whenever the active child changes it sends itself
// WM_MDISETMENU, which does nothing here but lets the frame's menu follow
// the active document type through a hook. A tab client can attach itself: the frame's command
// routing can then ask it first, and the layout asks it for the client's
// rectangle.

#include "platform/ui/CWnd.h"

#include <vector>

class CMDIChildWnd;

class CMDIClient : public CWnd {
    DECLARE_DYNAMIC(CMDIClient)
public:
    CMDIClient();
    ~CMDIClient() override;

    CMDIChildWnd* GetActive(BOOL* maximized = nullptr) const;
    std::vector<CMDIChildWnd*> GetChildrenInZOrder() const;
    std::vector<CMDIChildWnd*> GetChildrenInCreationOrder() const;

    // The window that stands in for the client (the MDI tab client).
    void AttachTabClient(CWnd* tabClient) { m_tabClient = tabClient; }
    void DetachTabClient() { m_tabClient.clear(); }
    CWnd* GetTabClient() const { return m_tabClient; }

    // Asks the tab client, when one is attached, for the rectangle.
    void CalcWindowRect(CRect* rect, UINT adjust = 0) override;

    // A child frame's window is going away: forget it and activate the next.
    void ChildDestroyed(CMDIChildWnd* child);
    // Shrinks the child to its title at the bottom of the client and
    // activates the next child that is not minimised; Unminimize brings it
    // back to its normal place and activates it.
    void Minimize(CMDIChildWnd* child);
    void Unminimize(CMDIChildWnd* child);

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    LRESULT OnMDICreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDINext(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIMaximize(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIRestore(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIGetActive(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
    // Tells the hooks of the client that the active child, and so maybe the
    // menu of the frame, has changed.
    void AnnounceMenuChange();

    BOOL Contains(const CMDIChildWnd* child) const;
    void Activate(CMDIChildWnd* child);
    void Maximize(CMDIChildWnd* child);
    void Restore(CMDIChildWnd* child);
    void Renumber();
    void Prune();

    std::vector<QPointer<CMDIChildWnd>> m_zOrder;
    std::vector<QPointer<CMDIChildWnd>> m_creationOrder;
    QPointer<CWnd> m_tabClient;
};
