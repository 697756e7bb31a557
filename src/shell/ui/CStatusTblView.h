#pragma once
// The grid of the "Status Chart" window: one row per status-chart record of
// the project, edited through the rules of CStatusChartTable, with the live
// value of each operand while the PLC is monitored and the force commands of
// the chart. The force commands come from the window that hosts the view.

#include "CTableGridView.h"

#include "shell/CStatusChartTable.h"

#include <memory>
#include <string>
#include <vector>

class CCmdUI;
class CForceCommands;
class CStatusInput;

// Commands of the chart's context menu.
constexpr UINT ID_STATUS_FORCE = 32809;
constexpr UINT ID_STATUS_UNFORCE = 32810;
constexpr UINT ID_STATUS_FORCE_ALL = 32946;
constexpr UINT ID_STATUS_UNFORCE_ALL = 32947;
constexpr UINT ID_STATUS_READ_ALL_FORCED = 32948;
constexpr int STATUS_CONTEXT_MENU = 275;

class CStatusTblView : public CTableGridView {
    Q_OBJECT
    DECLARE_DYNCREATE(CStatusTblView)
public:
    CStatusTblView();
    ~CStatusTblView() override;

    CStatusChartTable& GetTable() { return *m_table; }
    // Grid rows = n; the list is padded with empty records up to n.
    void SetRowCount(int n);
    // After a monitor cycle: the Current Value column shows the new values.
    void RefreshMonitorValues();

    // CCPGridHost
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSaveCellData(int column, int row, const std::string& text) override;
    void CreateCellCtrl(UINT id, CCPCellCtrl& control) override;
    void OnSetActiveCell(int column, int row) override;
    BOOL ActivateCtrl(int column, int row, BOOL editable) override;
    void OnFixedRowDown(int column) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

    BOOL OnEditCut() override;
    int OnEditPaste() override;
    void OnEditClear() override;
    void OnInsertRowAbove();
    void OnInsertRowBelow();
    void OnDeleteRow();

    void OnForce();
    void OnUnforce();
    void OnForceAll();
    void OnUnforceAll();
    void OnReadAllForced();

protected:
    int OnCreate() override;
    BOOL AppendRow() override;
    void OnContextMenu(CWnd* wnd, CPoint point) override;

private:
    void OnCopy() { OnEditCopy(); }
    void OnCut() { OnEditCut(); }
    void OnPaste() { OnEditPaste(); }
    void OnClear() { OnEditClear(); }
    void OnSelectAll() { GetGridCtrl().SelectAllGridCells(); }
    void OnUpdateForce(CCmdUI* ui);
    void OnUpdateUnforce(CCmdUI* ui);
    void OnUpdateChartCommand(CCmdUI* ui);
    void ShowRows();
    CStatusInput* ActiveRecord();
    CForceCommands* GetForceCommands();

    std::unique_ptr<CStatusChartTable> m_table;
    // The format choices of the row made active last.
    int m_choicesRow = -1;
    std::vector<std::string> m_choices;
};
