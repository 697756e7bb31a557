#pragma once
// A view that is one grid: the grid fills the view's client area and calls
// the view's hooks (cell texts, saving, editors, keys, header clicks), so a
// table view overrides those and the edit commands it needs.

#include "platform/ui/CCPGridCtrl.h"
#include "platform/ui/CCPGridHost.h"
#include "platform/ui/CView.h"

class CCPGridView : public CView, public CCPGridHost {
    Q_OBJECT
    DECLARE_DYNAMIC(CCPGridView)
public:
    CCPGridView();

    CCPGridCtrl& GetGridCtrl() { return *m_grid; }
    const CCPGridCtrl& GetGridCtrl() const { return *m_grid; }

    // The edit commands on the grid's selection; paste gives the grid's result code.
    virtual BOOL OnEditCopy();
    virtual BOOL OnEditCut();
    virtual int OnEditPaste();
    virtual void OnEditClear();

    // The grid's default key handling (Enter moves on, Delete clears).
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    CCPGridCtrl* m_grid = nullptr; // child window, owned by Qt
};
