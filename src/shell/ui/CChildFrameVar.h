#pragma once
// The global variables window: an MDI child whose client is a flat tab
// strip with the global variables and the FB instances; both views come by
// class name.

#include "platform/ui/CMDIChildWnd.h"

#include <memory>

class CTKFlatTabCtrl;

class CChildFrameVar : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrameVar)
public:
    CChildFrameVar();
    ~CChildFrameVar() override;

    CTKFlatTabCtrl* GetTabStrip() const { return m_tabs.get(); }
    CWnd* GetSymbolView() const { return m_symbolView; }
    CWnd* GetFBInstanceView() const { return m_fbView; }
    // The rows the views were made with: at least 6 symbols and 1 FB instance.
    int GetSymbolRows() const { return m_symbolRows; }
    int GetFBInstanceRows() const { return m_fbRows; }

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) override;

private:
    CWnd* ViewInFront() const;
    // The front table's active cell on the status bar, or off it.
    void ShowCellOnStatusBar(BOOL shown);

    std::unique_ptr<CTKFlatTabCtrl> m_tabs;
    CWnd* m_symbolView = nullptr;
    CWnd* m_fbView = nullptr;
    int m_symbolRows = 0;
    int m_fbRows = 0;
};
