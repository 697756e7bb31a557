#pragma once
// The view of the Output pane: three report lists behind a flat tab strip,
// "Common" (status lines), "Compile" (the compiler's report) and
// "FindReplace" (the report of Find and Replace). Its own work is reading:
// a double-click leads from a line to its POU row, its find hit or its
// initial-data cell.

#include "platform/ui/CView.h"
#include "shell/OutputLineRules.h"

#include <memory>

class COutputList;
class CTKFlatTabCtrl;
class IOutputViewHost;

constexpr UINT ID_OUTPUT_TABS = 32868;
constexpr UINT ID_OUTPUT_LIST_FIRST = 25000;
constexpr UINT ID_OUTPUT_CLEAR = 121;
constexpr UINT ID_OUTPUT_AUTOHIDE = 32882;
constexpr UINT IDR_OUTPUT_MENU = 165;

class COutputView : public CView {
    DECLARE_DYNCREATE(COutputView)
public:
    COutputView();
    ~COutputView() override;

    void SetHost(IOutputViewHost* host) { m_host = host; }
    COutputList* GetList(unsigned list) const;
    CTKFlatTabCtrl* GetTabs() const { return m_tabs.get(); }
    // Brings the list's tab to the front.
    void SelectList(unsigned list);
    unsigned GetCurrentList() const;
    // Appends a line to the list and shows it; FALSE for a list above 2.
    BOOL AppendLine(unsigned list, const std::string& text);
    void ClearList(unsigned list);

    // What a list hands over.
    void OnListDoubleClick(const COutputList& list, int row);
    void OnListRightButton(const COutputList& list, CPoint point);
    void OnListHelp();

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OnClear();
    void OnAutoHide();

    std::unique_ptr<CTKFlatTabCtrl> m_tabs;
    std::unique_ptr<COutputList> m_lists[OUTPUT_LIST_COUNT];
    IOutputViewHost* m_host = nullptr;
};
