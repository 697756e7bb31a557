#pragma once
// The "Global Variable" tab of the global-variables window: one grid over
// the project's symbol list, edited through the rules of CGlobalVarTable.

#include "CTableGridView.h"

#include "shell/CGlobalVarTable.h"

#include <memory>
#include <string>
#include <vector>

class CGlobalVarView : public CTableGridView {
    Q_OBJECT
    DECLARE_DYNCREATE(CGlobalVarView)
public:
    CGlobalVarView();
    ~CGlobalVarView() override;

    CGlobalVarTable& GetTable() { return *m_table; }
    // Grid rows = n; the symbol list is padded with empty records up to n.
    void SetRowCount(int n);
    // Every check again and a repaint; the frame calls it on activation.
    void Revalidate();

    // CCPGridHost
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSaveCellData(int column, int row, const std::string& text) override;
    void CreateCellCtrl(UINT id, CCPCellCtrl& control) override;
    void OnSetActiveCell(int column, int row) override;
    void OnFixedRowDown(int column) override;
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
    void ShowRows();

    std::unique_ptr<CGlobalVarTable> m_table;
    // The data-type choices of the row made active last.
    int m_choicesRow = -1;
    std::vector<std::string> m_choices;
};
