#pragma once
// A view that is one tree: the tree fills the view's client area, reports
// its notifications to the view, and hands its mouse and key messages to
// the view after handling them, so that a derived view handles them as
// the tree's own.

#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/CView.h"

class CTreeView : public CView {
    Q_OBJECT
    DECLARE_DYNAMIC(CTreeView)
public:
    CTreeView();

    CTreeCtrl& GetTreeCtrl() const { return *m_tree; }

protected:
    // Creates the tree with the view's tree styles (TVS_*); -1 when it cannot.
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    virtual DWORD GetTreeStyle() const { return TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT; }

private:
    CTreeCtrl* m_tree = nullptr;   // child window, owned by Qt
};
