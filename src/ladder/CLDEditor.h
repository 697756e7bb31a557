#pragma once
// The ladder editor as the POU view reaches it. This is the editor's frame:
// it belongs to one LD program, forwards undo and redo to it, reports the
// diagram's extent and keeps the view's caret out of the way when the
// networks are replaced. Painting, selection and the editing commands build
// on it.

#include "CLDBranchTracker.h"
#include "CLDElement.h"
#include "CLDInplaceEdit.h"
#include "ILDInsertTarget.h"
#include "model/OperandTypeFlags.h"
#include "pouedit/CPOUEditor.h"
#include "pouedit/ILDCommandTarget.h"
#include "platform/CMutex.h"

#include <string>
#include <unordered_map>
#include <vector>

class CBlock;
class CLDProgram;
class IFindReplaceDialog;
struct CFindResult;
class ILDDialogs;
class IPOUEditorHost;

// The editor is also the target of catalogue insertions and element pastes:
// their rules reach the selection, the limits and the tree edits through it.
class CLDEditor : public CPOUEditor, public ILDCommandTarget, private ILDInsertTarget {
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
    // A catalogue row or a subroutine double-clicked in the instruction tree.
    BOOL InsertFromInstructionTree(std::uintptr_t kind, std::intptr_t item) override;
    int OnCreate() override { return 0; }
    // Mouse, keyboard, focus and scroll bars (CLDEditorInput.cpp).
    void OnSetFocus() override;
    void OnKillFocus() override;
    // Esc and Enter, Backspace, and the operand's characters while it is typed.
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    // F1, the operand editor's keys, the arrow keys, paging and Delete.
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnEditCopy() override;
    void OnUpdateEditCopy(IPOUCommandUI& ui) override;
    void OnEditCut() override;
    void OnUpdateEditCut(IPOUCommandUI& ui) override;
    void OnEditPaste() override;
    void OnUpdateEditPaste(IPOUCommandUI& ui) override;
    void OnEditUndo() override;
    void OnUpdateEditUndo(IPOUCommandUI& ui) override;
    BOOL OnSetCursor(UINT hitTest, UINT message, int x, int y) override;
    void OnLButtonDblClk(UINT flags, int x, int y) override;
    // Edit > Find and Edit > Replace: the shared dialog, prefilled from the
    // operand being typed or from the selection.
    void OnEditFind() override;
    // 276 inside the open operand editor, 126 while monitoring, else 133;
    // the context-menu key's (-1, -1) becomes the focused cell's centre.
    int GetContextMenuId(CPoint& point) override;
    void OnEditReplace() override;
    void OnEditSelectAll() override;
    void OnUpdateEditDelete(IPOUCommandUI& ui) override { OnUpdateEditCut(ui); }
    void OnEditRedo() override;
    void OnUpdateEditRedo(IPOUCommandUI& ui) override;
    void OnVScroll(UINT code, UINT position) override;
    void OnHScroll(UINT code, UINT position) override;
    BOOL OnMouseWheel(UINT, short delta, int, int) override { return ScrollByWheel(delta); }
    void OnPaint(CDC* dc) override;
    void OnRButtonDown(UINT flags, int x, int y) override;
    void OnUpdateUnforce(IPOUCommandUI& ui) override { UpdateForceAny(ui); }
    void OnUnforce() override;
    void OnUpdateForceFalse(IPOUCommandUI& ui) override { UpdateForceBool(ui); }
    void OnForceFalse() override;
    void OnUpdateForceTrue(IPOUCommandUI& ui) override { UpdateForceBool(ui); }
    void OnForceTrue() override;
    void OnUpdateForce(IPOUCommandUI& ui) override { UpdateForceAny(ui); }
    void OnForce() override;
    // The operand of the selected contact or coil, or of the block pin under
    // the context point, while monitoring; the force commands use it.
    void PickForceOperand() override;
    // The operand of the block pin whose text lies under the context point.
    BOOL FindPinOperandAtContextPoint(std::string* operand) const;
    const std::string& GetForceOperand() const { return m_forceOperand; }
    // The elements show symbols or addresses as the application says: a repaint is all.
    int SetSymbolicAddressing(BOOL symbolic) override;
    CSize GetExtent(CSize& size) override;
    // Commits a pending operand edit and ends a network range, before compiling.
    BOOL EndPendingEdit() override;
    void UpdateMonitorDisplay() override;
    void ClearMonitorDisplay() override;

    // The LD menu's commands by their ids, and their update rules.
    void OnLDCommand(UINT id) override;
    void OnUpdateLDCommand(UINT id, IPOUCommandUI& ui) override;

    // Editing commands: each ends with the new element selected and one undo snapshot.
    void OnInsertNetwork();
    void OnInsertLeftContact();
    void OnInsertRightContact();
    BOOL InsertContact(BOOL left);
    void OnInsertParallelContact();
    void OnInsertCoil();
    void OnInsertBlock();
    void OnDeleteComponent();
    void OnDeleteNetwork();
    // forward: the Delete key (the focus stays on the place); else Backspace (it moves left).
    void DeleteSelection(BOOL forward);
    // The position map and the start rows as the next paint will have them.
    void RelayoutVisible();
    void OnUpdateInsertNetwork(IPOUCommandUI& ui);
    void OnUpdateInsertContact(IPOUCommandUI& ui);
    void OnUpdateInsertParallelContact(IPOUCommandUI& ui);
    void OnUpdateInsertCoil(IPOUCommandUI& ui);
    void OnUpdateInsertBlock(IPOUCommandUI& ui);
    void OnUpdateDeleteComponent(IPOUCommandUI& ui);
    void OnUpdateDeleteNetwork(IPOUCommandUI& ui);
    void OnUpdateDrawBranch(IPOUCommandUI& ui);
    // Branch: the next clicks draw a parallel branch over a stretch of a rung.
    void OnDrawBranch();
    BOOL IsDrawingBranch() const { return m_drawingBranch; }
    const CLDBranchTracker& GetBranchTracker() const { return m_branchTracker; }

    // The size limits of a diagram.
    BOOL CheckWidth() override;
    BOOL CheckBranchRows(CLDElement* element);
    BOOL CheckDiagramHeight();

    // The caret goes before the networks are replaced from IL text.
    void RemoveCaret();
    // The block chooser and the element dialogs of a double click or Enter
    // come from the window layer; null in a bare editor: none open.
    void SetDialogs(ILDDialogs* dialogs) { m_dialogs = dialogs; }

    // The in-place operand editor: the selected element takes its text as
    // its operand, with one undo snapshot; nothing when none is open.
    void CommitOperandEdit() override;
    BOOL IsEditingOperand() const { return m_editingOperand; }
    const CLDInplaceEdit& GetOperandEditor() const { return m_inplace; }
    // Opens the dialog of the selected element (double click, Enter).
    void EditSelectedElement();
    BOOL IsMouseDown() const { return m_mouseDown; }
    const CPoint& GetContextPoint() const { return m_contextPoint; }
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
    // The open operand editor over the diagram, and the caret in it.
    void DrawOperandEditor(CDC* dc);
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
    // Shift+Up/Down: starts a range of whole networks, or moves its end by one network.
    BOOL MoveNetworkSelection(UINT key);
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

    // Context menus: LD editing, monitoring, the operand editor.
    static constexpr int NO_CONTEXT_MENU = -1;
    static constexpr int MENU_LD_EDIT = 133;
    static constexpr int MENU_MONITOR = 126;
    static constexpr int MENU_OPERAND_EDIT = 276;
    // The cursor while a branch is drawn.
    static constexpr UINT CURSOR_BRANCH = 281;

    // The type each box pin's live value is shown in, from the operand bound to it.
    void ResolveLiveValueTypes();
    void FillGenericInstructionMap();
    // The flags of a local symbol, a global symbol, a direct address or a
    // constant; anything else leaves them as they were.
    void ResolveOperandFlags(const std::string& operand, OperandTypeFlags& flags) const;
    // Each pin: the operand's areas and the types the pin and the operand share.
    void ResolveBlockPinTypes(CBlock& block) const;
    // The comparisons, arithmetic and moves: the types of the variant their
    // operands select; FALSE for any other box.
    BOOL ResolveGenericBlockTypes(CBlock& block) const;

    // The FB instances of the program's blocks enter the project's table
    // (one already held elsewhere is refused there and left alone).
    void RegisterFBInstances();

private:

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
    BOOL HasDocument() const override;

    // The insertion target of the catalogue and of element pastes.
    CLDElement* GetSelection() const override;
    BOOL AppendSeries(CLDElement* element) override;
    BOOL AddParallelCoil(CLDElement* coil) override;
    BOOL InsertBlock(CLDElement* block) override;
    void FinishInsertion(CLDElement* element) override;
    void SetFocus() override { FocusView(); }
    std::string GetPOUName() const override;
    void ShowNote(const std::string& text, UINT type) override;
    // Opens the operand editor on the element's label under a diagram point; FALSE when none is there.
    BOOL OpenOperandEditor(CLDElement* element, const CPoint& diagramPoint);
    void RemoveOperandEditor();
    CPoint ToDiagram(int x, int y) const;
    void ShowHelp();
    std::string HelpTopicOfSelection() const;
    void OnEnter();
    void OnEnterElement(CLDElement* selected);
    void SelectRightNeighbour();
    void DeleteByKey(BOOL forward);
    // A click, a mouse move and leaving while a branch is drawn.
    void BranchClick(int x, int y);
    void BranchMouseMove(int x, int y);
    void EndBranchDrawing();
    void PageKey(UINT key);
    void DragSelect(int x, int y);
    // Scroll positions by the scroll bars' rules: whole cells within the range.
    void ScrollBar(int bar, UINT code, UINT position);
    // The focus rectangle covers the selected element's cells.
    void FocusOnSelection();
    int VerticalScrollMax() const;
    void ScrollTo(int x, int y);
    // The common end of an edit: selection, snapshot, modified, repaint, scroll sizes, focus.
    void FinishEdit(CLDElement* element);
    // No command edits while monitoring or, where asked, while an operand is edited.
    BOOL IsIdle() const;
    void FocusView();
    // The item of the selection's network: its header, or else its root; -1 without one.
    int SelectedItem() const;
    BOOL IsParallelCoilSelected() const;
    // Fills a new block from the chooser's answer; FALSE when nothing is to be inserted.
    BOOL PrepareBlock(CBlock& block, int choice, const std::string& name, const std::string& instance,
                      std::string* addedInstance);
    // The tail of Undo and Redo.
    void AfterReload();

    // Find, Replace and the force commands (CLDEditorFindForce.cpp).
    enum class FindStep {
        NONE,       // no recorded hit at that number
        OPENED,     // the hit is shown
        VANISHED,   // the hit's element is gone and the search has ended
        PAST_LAST,  // beyond the last recorded hit
        IDLE,       // no search to go on with
        NEW_PASS,   // the program's pass is to collect the hits
    };
    void OpenFindReplace(BOOL replace);
    // The found mark of result r, on its element while it still stands at the recorded cell.
    void ClearResultMark(int result);
    // Takes the previous result's mark away, then scrolls to result r when it
    // is recorded; a vanished element ends the search.
    FindStep OpenFindResult(int result);
    // Where Find next and Replace in the current file go from result r: the
    // hit opened or vanished, past the last hit, idle, or a new pass.
    FindStep StepFindResults(int result);
    void EndVanishedSearch();
    // Whether result r lies beyond the last recorded hit of a search that recorded some.
    BOOL IsPastLastResult(int result) const;
    // The first hit of a search that has just been collected.
    void ShowFirstResult(const IFindReplaceDialog& dialog);
    void ReplaceInResult(int result, const std::string& find, const std::string& replace, BOOL matchCase);
    void ReplaceInComment(CLDElement& comment, const CFindResult& record, const std::string& find,
                          const std::string& replace, BOOL matchCase);
    // Modified, one undo snapshot, the layout and a repaint after a Replace.
    void FinishReplace();
    // Force to a value, or unforce, the picked operand's address.
    void ForcePicked(int value);

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
    // Instruction name -> generic kind, filled and emptied by each live-value refresh.
    std::unordered_map<std::string, int> m_genericInstructions;
    BOOL m_printing = FALSE;
    int m_printRowOrigin = 0;
    float m_printPageWidth = 0;
    float m_printPageHeight = 0;
    LOGFONT m_printFont {};
    CPrintLayout m_print;
    CLDInplaceEdit m_inplace;
    BOOL m_editingOperand = FALSE;
    BOOL m_mouseDown = FALSE;
    int m_dragItem = -1;
    CPoint m_contextPoint;
    ILDDialogs* m_dialogs = nullptr;
    CLDBranchTracker m_branchTracker;
    BOOL m_drawingBranch = FALSE;
    // A right press that ended branch drawing opens no menu.
    BOOL m_menuSuppressed = FALSE;

    CLDProgram& m_program;
    IPOUEditorHost* m_host;
};
