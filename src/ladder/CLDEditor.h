#pragma once
// The ladder editor as the POU view reaches it. This is the editor's frame:
// it belongs to one LD program, forwards undo and redo to it, reports the
// diagram's extent and keeps the view's caret out of the way when the
// networks are replaced. Painting, selection and the editing commands build
// on it.

#include "CLDElement.h"
#include "pouedit/CPOUEditor.h"
#include "pouedit/ILDCommandTarget.h"
#include "platform/CMutex.h"

#include <vector>

class CLDProgram;
class IPOUEditorHost;

class CLDEditor : public CPOUEditor, public ILDCommandTarget {
public:
    CLDEditor(CLDProgram& program, IPOUEditorHost* host);

    void Find(const std::string& text, int mode) override;
    void ReplaceAll(const std::string& find, const std::string& replace) override;
    void Replace(const std::string& find, const std::string& replace) override;
    void Reserved() override {}
    // Scroll sizes from the networks' extent.
    void OnInitialUpdate() override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    BOOL InsertFromInstructionTree(std::uintptr_t, std::intptr_t) override { return FALSE; }
    int OnCreate() override { return 0; }
    void OnSetFocus() override {}
    void OnKillFocus() override {}
    void OnChar(UINT, UINT, UINT) override {}
    // The arrow keys move the focus; with Shift, Left and Right select a range of networks.
    void OnKeyDown(UINT key, UINT, UINT) override;
    void OnLButtonDown(UINT, int x, int y) override { SelectAtPoint(x, y); }
    void OnMouseMove(UINT, int, int) override {}
    void OnLButtonUp(UINT, int, int) override {}
    void OnEditCopy() override;
    void OnUpdateEditCopy(IPOUCommandUI& ui) override;
    void OnEditCut() override;
    void OnUpdateEditCut(IPOUCommandUI& ui) override;
    void OnEditPaste() override;
    void OnUpdateEditPaste(IPOUCommandUI& ui) override;
    void OnEditUndo() override;
    void OnUpdateEditUndo(IPOUCommandUI& ui) override;
    BOOL OnSetCursor(UINT, UINT, int, int) override { return FALSE; }
    void OnLButtonDblClk(UINT, int, int) override {}
    void OnEditFind() override {}
    int GetContextMenuId(CPoint&) override { return NO_CONTEXT_MENU; }
    void OnEditReplace() override {}
    void OnEditSelectAll() override;
    void OnUpdateEditDelete(IPOUCommandUI& ui) override { ui.Enable(FALSE); }
    void OnEditRedo() override;
    void OnUpdateEditRedo(IPOUCommandUI& ui) override;
    void OnVScroll(UINT, UINT) override {}
    void OnHScroll(UINT, UINT) override {}
    BOOL OnMouseWheel(UINT, short delta, int, int) override { return ScrollByWheel(delta); }
    void OnPaint(CDC* dc) override;
    void OnRButtonDown(UINT, int, int) override {}
    void OnUpdateUnforce(IPOUCommandUI& ui) override { UpdateForceAny(ui); }
    void OnUnforce() override {}
    void OnUpdateForceFalse(IPOUCommandUI& ui) override { UpdateForceBool(ui); }
    void OnForceFalse() override {}
    void OnUpdateForceTrue(IPOUCommandUI& ui) override { UpdateForceBool(ui); }
    void OnForceTrue() override {}
    void OnUpdateForce(IPOUCommandUI& ui) override { UpdateForceAny(ui); }
    void OnForce() override {}
    void PickForceOperand() override {}
    int SetSymbolicAddressing(BOOL) override { return 0; }
    CSize GetExtent(CSize& size) override;
    BOOL EndPendingEdit() override { return TRUE; }
    void UpdateMonitorDisplay() override;
    void ClearMonitorDisplay() override;

    void OnLDCommand(UINT) override {}
    void OnUpdateLDCommand(UINT, IPOUCommandUI& ui) override { ui.Enable(FALSE); }

    // The caret goes before the networks are replaced from IL text.
    void RemoveCaret();
    void Repaint();
    IPOUEditorHost* GetHost() const { return m_host; }

    // Geometry: cells of the diagram, the scroll origin in whole cells.
    CSize GetCellSize() const { return CSize(m_cellWidth, m_cellHeight); }
    CPoint GetScrollOrigin() const;
    BOOL PointToCell(int x, int y, CPoint* out, BOOL addOrigin) const;
    CPoint SnapToGrid(int x, int y) const;
    int ItemWidth(int item) const;
    CSize GetDiagramExtent() const;
    BOOL GetVisibleNetworks(int* first, int* last) const;
    BOOL UpdateScrollSizes();
    const std::vector<int>& GetFirstRows() const { return m_firstRows; }
    int GetEndRow() const { return m_endRow; }

    void Draw(CDC* dc);
    void DrawBackground(CDC* dc);
    void DrawFocus(CDC* dc);
    // Lays out every network without drawing, so look-ups do not wait for a paint.
    void LayoutAll();

    // Selection and navigation.
    BOOL SelectAtPoint(int x, int y, BOOL scrolled = TRUE, BOOL noEdit = FALSE);
    int ItemIndexAtPoint(int x, int y, BOOL scrolled);
    int HeaderIndexForRow(int row) const;
    void MoveFocus(UINT key);
    void ScrollAtEdge(UINT key);
    void EnsureFocusVisible(int dx, int dy);
    void SelectNetworksByRows(int column1, int row1, int column2, int row2);
    void ExtendNetworkSelection(UINT key);
    void DeleteSelectedNetworks();
    BOOL ShiftNetworkRows(int network, int delta);
    // A pasted network of that many rows enters the first-row table at its
    // place: it starts where the network there started, later ones move down.
    void InsertNetworkRows(int network, int rows);
    void SetCurrentItem(int item) { m_currentItem = item; }
    void EndNetworkSelection() { m_networkSelection = FALSE; }
    void RenumberHeaders();
    BOOL GoToNetwork(int network);
    BOOL ShowFindResult(int result, int column, int row);
    BOOL GetSelectionFindText(std::string* text) const;
    int GetCurrentItem() const { return m_currentItem; }
    int GetBandTop() const { return m_bandTop; }
    int GetBandBottom() const { return m_bandBottom; }
    BOOL IsNetworkSelection() const { return m_networkSelection; }
    int GetSelectionFirst() const { return m_selectionFirst; }
    int GetSelectionLast() const { return m_selectionLast; }
    // The last element reached along the childB links.
    static CLDElement* LastInParallelChain(CLDElement* element);
    const CRect& GetFocusRect() const { return m_focusRect; }

    // Printing: each network's size in cells -> its top and scale on its
    // page, and the last root of every page, in print units of 1/150 inch.
    struct CPrintLayout {
        std::vector<int> tops;
        std::vector<float> scales;
        std::vector<int> pageBreaks;
    };
    static void DistributeNetworks(const std::vector<CSize>& networkCells, float pageWidth, float pageHeight,
                                   CPrintLayout* layout);
    const CPrintLayout& GetPrintLayout() const { return m_print; }
    BOOL IsPrinting() const { return m_printing; }

private:
    static constexpr int NO_CONTEXT_MENU = -1;

    void PrintPage(CDC* dc, CPrintInfo* info);
    void PrintFrame(CDC* dc, const CPrintInfo* info);
    void PrintCover(CDC* dc);
    void PrintNetworks(CDC* dc, const CPrintInfo* info);
    static void SetPrintMapping(CDC* dc);

    // The items from 2*first to 2*last+1, one below another from the current row.
    void LayoutRange(int firstItem, int lastItem, int& row, CDC* dc);
    void FillNetworkSelection(CDC* dc);
    void DrawLiveValues(int firstItem, int lastItem, CDC* dc);
    BOOL IsMonitoring() const;
    // The focus rectangle covers the selected element's cells.
    void FocusOnSelection();
    int VerticalScrollMax() const;
    void ScrollTo(int x, int y);

    int m_cellWidth = LD_CELL_WIDTH;
    int m_cellHeight = LD_CELL_HEIGHT;
    int m_scrollWidth = 0;
    int m_scrollHeight = 0;
    COLORREF m_background = RGB(255, 255, 255);
    int m_endRow = 0;
    std::vector<int> m_firstRows;
    int m_selectionFirst = -1;
    int m_selectionLast = -1;
    BOOL m_networkSelection = FALSE;
    int m_bandTop = -1;
    int m_bandBottom = -1;
    int m_currentItem = -1;
    CLDCellRect m_clickCell;
    int m_anchorColumn = -1;
    int m_anchorRow = -1;
    int m_selectionItem = -1;
    CRect m_focusRect;
    CMutex m_deletionLock;
    BOOL m_printing = FALSE;
    int m_printRowOrigin = 0;
    float m_printPageWidth = 0;
    float m_printPageHeight = 0;
    LOGFONT m_printFont {};
    CPrintLayout m_print;

    CLDProgram& m_program;
    IPOUEditorHost* m_host;
};
