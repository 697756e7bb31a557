#pragma once
// A view that is one report list: the list fills the view's client area
// and reports its notifications to the view.

#include "platform/ui/CListCtrl.h"
#include "platform/ui/CView.h"

class CListView : public CView {
    Q_OBJECT
    DECLARE_DYNAMIC(CListView)
public:
    CListView();

    CListCtrl& GetListCtrl() { return *m_list; }

protected:
    // Creates the list with the view's list styles (LVS_*); -1 when it cannot.
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    // The list styles the view's list is created with.
    virtual DWORD GetListStyle() const { return LVS_REPORT | LVS_SHOWSELALWAYS; }

private:
    CListCtrl* m_list = nullptr;   // child window, owned by Qt
};
