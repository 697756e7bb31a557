#pragma once
// The local-variable pane of a POU window: one grid over the POU's
// CPOUVarTable. The grid asks the table for cell texts and marks and hands
// edited texts to the table's rules; the document reaches the table's
// symbols, declarations and call interface through IPOULocalVars.

#include "pouedit/CPOUVarTable.h"
#include "pouedit/IPOULocalVars.h"
#include "platform/ui/CCPGridView.h"
#include "platform/ui/StandardCommands.h"

#include <memory>

class CCmdUI;
class CPOUEditorDoc;


class CPOUVarView : public CCPGridView, public IPOULocalVars {
    Q_OBJECT
    DECLARE_DYNCREATE(CPOUVarView)
public:
    CPOUVarView();
    ~CPOUVarView() override;

    CPOUEditorDoc* GetDocument() const;
    // Makes the table for the document's POU and reads its ".ilv" file.
    void OnInitialUpdate();
    CPOUVarTable* GetTable() const { return m_table.get(); }

    // IPOULocalVars
    BOOL LookupLocalSymbol(const std::string& upperName, OperandTypeFlags& flags) const override;
    void GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& symbols) const override;
    BOOL FindLocalAddress(const std::string& upperName, std::string& address) const override;
    BOOL FindLocalName(const std::string& address, std::string& name) const override;
    BOOL GetDeclarationLines(std::vector<std::string>& lines) const override;
    BOOL CommitRows(BOOL writeFile) override;

    // CCPGridHost
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSaveCellData(int column, int row, const std::string& text) override;
    void CreateCellCtrl(UINT id, CCPCellCtrl& control) override;
    BOOL ActivateCtrl(int column, int row, BOOL editable) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

    // Edit commands; each is refused while the PLC is monitored.
    int OnEditPaste() override;
    BOOL OnEditCut() override;
    void OnEditClear() override;
    BOOL InsertRows(int count, bool below);
    BOOL DeleteSelectedRows();

protected:
    int OnCreate() override;
    // The frame's initial update reaches the pane as it reaches the code view.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnContextMenu(CWnd* wnd, CPoint point) override;

private:
    void OnCopy() { OnEditCopy(); }
    void OnCut() { OnEditCut(); }
    void OnPaste() { OnEditPaste(); }
    void OnClear() { OnEditClear(); }
    void OnSelectAll() { GetGridCtrl().SelectAllGridCells(); }
    void OnInsertAbove() { InsertRows(1, false); }
    void OnInsertBelow() { InsertRows(1, true); }
    void OnDeleteRow() { DeleteSelectedRows(); }
    void OnUpdateEdit(CCmdUI* ui);
    void OnUpdateClear(CCmdUI* ui);
    void OnUpdateInsertRow(CCmdUI* ui);
    void OnUpdateDeleteRow(CCmdUI* ui);
    void GetSelection(int& firstCol, int& lastCol, int& firstRow, int& lastRow) const;

    bool IsMonitoring() const;
    // The grid shows the table's rows anew; the document turns modified when changed.
    void ShowRows(BOOL changed);

    std::vector<BYTE> m_noBits;  // occupancy before a document is attached
    std::vector<BYTE> m_noBytes;
    std::unique_ptr<CPOUVarTable> m_table;
};
