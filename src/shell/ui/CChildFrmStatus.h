#pragma once
// The Status Chart window: an MDI child whose one view fills it and
// takes its focus. The view comes by class name.

#include "platform/ui/CMDIChildWnd.h"

class CChildFrmStatus : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrmStatus)
public:
    CChildFrmStatus();
    ~CChildFrmStatus() override;

    CWnd* GetView() const { return m_view; }
    // The rows the view was made with: at least 6.
    int GetRowCount() const { return m_nRows; }

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) override;

private:
    int m_nRows = 5;
    CWnd* m_view = nullptr;
};
