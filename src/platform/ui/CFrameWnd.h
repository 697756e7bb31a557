#pragma once
// A frame window: it lays out its children (bars take their share of the
// client area through WM_SIZEPARENT in creation order, the child with id
// AFX_IDW_PANE_FIRST gets the rest), translates its accelerators, keeps its
// active view and routes commands: active view (and its document), the
// frame itself, then the application.

#include "platform/ui/CAcceleratorTable.h"
#include "platform/ui/CView.h"
#include "platform/ui/CWnd.h"

class CDocument;

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame with the title of string resource id (text before
    // the first '\n') and the accelerator table of the same id, if any.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr);
    BOOL LoadAccelTable(UINT resourceId);
    void SetAccelTable(const CAcceleratorTable& table) { m_accelerators = table; }
    const CAcceleratorTable& GetDefaultAccelerator() const { return m_accelerators; }

    // Lays the children out now. A request made while a layout runs is kept
    // for the next idle pass.
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Asks for a layout in the next idle pass.
    void DelayRecalcLayout(BOOL notify = TRUE);
    BOOL IsLayoutPending() const { return m_layoutPending; }

    CView* GetActiveView() const { return m_activeView; }
    void SetActiveView(CView* view);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: the active MDI child for an MDI frame.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int cmdShow = -1);

    // The first pane of the status bar (the child with id AFX_IDW_STATUS_BAR).
    void SetMessageText(const std::string& text);
    CWnd* GetMessageBar() const { return GetDlgItem(AFX_IDW_STATUS_BAR); }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // A frame created on the heap deletes itself when its window is destroyed.
    BOOL m_bAutoDelete = TRUE;

protected:
    // Whether the routing ends with the application (MDI children leave it to their frame).
    virtual BOOL RoutesToApp() const { return TRUE; }
    BOOL RouteOwnCommand(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info);

    void OnSize(UINT type, int cx, int cy) override;
    void OnIdleUpdateCmdUI(BOOL disableIfNoHandler) override;
    void PostNcDestroy() override;

private:
    CAcceleratorTable m_accelerators;
    QPointer<CView> m_activeView;
    BOOL m_layoutPending = FALSE;
    BOOL m_inLayout = FALSE;
};
