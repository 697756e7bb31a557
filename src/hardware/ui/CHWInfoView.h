#pragma once
// The lower pane of the hardware window: flat tabs with the note page at
// tab 0 and the parameter page of module slot r - 1 at tab r. Selecting a
// tab selects the module's grid row.

#include "hardware/ui/CHWModulePage.h"
#include "platform/ui/CView.h"

#include <string>

class CHardwareGridView;
class CTKFlatTabCtrl;
class CZULAppData;
class CZUL_Q7_PLC;

constexpr UINT IDC_HW_TAB_STRIP = 32870;
constexpr UINT IDC_HW_NOTE_PAGE = 32867;

class CHWInfoView : public CView {
    DECLARE_DYNCREATE(CHWInfoView)
public:
    CHWInfoView();
    ~CHWInfoView() override;

    // The grid above; set by the frame before the initial update.
    void SetGridView(CHardwareGridView* grid) { m_grid = grid; }

    // Builds the note tab and the pages of the project's slots, cutting
    // the configuration back at a CPU after slot 0.
    void OnInitialUpdate(CZULAppData& app);
    // Puts the page of the record's kind at a tab index; no record: nothing.
    void AddModulePage(int tab, CZUL_Q7_PLC* record);
    void RemoveTab(int tab);
    void ReplaceWithNotePage(int tab, const std::string& label);

    CTKFlatTabCtrl* GetTabStrip() const { return m_tabs; }
    int GetTabCount() const;
    int GetCurrentTab() const;
    void SetCurrentTab(int tab);
    CWnd* GetPage(int tab) const;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    CWnd* MakePage(CZUL_Q7_PLC* record, CZULAppData& app);
    CWnd* MakeNotePage();
    void DiscardPage(CWnd* page);

    CTKFlatTabCtrl* m_tabs = nullptr;
    CHardwareGridView* m_grid = nullptr;
    CZULAppData* m_app = nullptr;
};
