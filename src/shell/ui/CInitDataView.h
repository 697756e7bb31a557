#pragma once
// The grid of the "Initial Data" window: one row per initial-data record of
// the project, edited through the rules of CInitDataTable. Edits are locked
// while the PLC is monitored; rows can still be inserted.

#include "CTableGridView.h"

#include "shell/CInitDataTable.h"

#include <memory>
#include <string>

class CCmdUI;

class CInitDataView : public CTableGridView {
    Q_OBJECT
    DECLARE_DYNCREATE(CInitDataView)
public:
    CInitDataView();
    ~CInitDataView() override;

    CInitDataTable& GetTable() { return *m_table; }
    // Grid rows = n; the list is padded with empty records up to n.
    void SetRowCount(int n);

    // CCPGridHost
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSaveCellData(int column, int row, const std::string& text) override;
    BOOL ActivateCtrl(int column, int row, BOOL editable) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

    BOOL OnEditCut() override;
    int OnEditPaste() override;
    void OnEditClear() override;
    void OnInsertRowAbove();
    void OnInsertRowBelow();
    void OnDeleteRow();

protected:
    int OnCreate() override;
    BOOL AppendRow() override;

private:
    void OnCopy() { OnEditCopy(); }
    void OnCut() { OnEditCut(); }
    void OnPaste() { OnEditPaste(); }
    void OnClear() { OnEditClear(); }
    void OnSelectAll() { GetGridCtrl().SelectAllGridCells(); }
    // Cell edits, Cut, Paste, Clear and Delete Row wait while the PLC is monitored.
    void OnUpdateEdit(CCmdUI* ui);
    void ShowRows();

    std::unique_ptr<CInitDataTable> m_table;
};
