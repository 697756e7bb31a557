#pragma once
// The hardware window: the module grid over the page host, split in two
// rows. It is the window the grid's configuration changes report to, and
// it owns the consistency check that saving and closing must pass.

#include "hardware/IHardwareHost.h"
#include "platform/ui/CMDIChildWnd.h"
#include "shell/IHardwareWindow.h"

class CHWInfoView;
class CHardwareGridView;
class CMinRowSplitter;
struct CHardwareCheckResult;

class CChildFrameHW : public CMDIChildWnd, public IHardwareHost, public IHardwareWindow {
    DECLARE_DYNCREATE(CChildFrameHW)
public:
    CChildFrameHW();
    ~CChildFrameHW() override;

    CHardwareGridView* GetGridView() const;
    CHWInfoView* GetInfoView() const;
    CMinRowSplitter* GetSplitter() const { return m_splitter; }

    // The pages store their edits, then channel totals and address ranges
    // are checked; FALSE after the failure was shown and its module selected.
    BOOL CheckHardwareConfig() override;
    void ActivateFrame(int cmdShow = -1) override;

    // IHardwareHost
    int GetTabCount() const override;
    int GetCurrentTab() const override;
    void SetCurrentTab(int tab) override;
    void AddModulePage(int tab, CZUL_Q7_PLC* record) override;
    void RemoveTab(int tab) override;
    void ReplaceWithNotePage(int tab, const std::string& label) override;
    void RebuildInstructionCatalog() override;
    void RebuildFBInstanceTable() override;
    void RecheckInitialData() override;
    void RecheckGlobalVariables() override;
    void RedrawGrid() override;
    void PostHelpKey() override;

protected:
    int OnCreate() override;
    void OnPaint() override;
    void OnClose() override;
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) override;

private:
    BOOL ApplyPages();
    BOOL ReportFailure(const CHardwareCheckResult& result);
    void FollowFocus(QWidget* now);

    CMinRowSplitter* m_splitter = nullptr;
};
