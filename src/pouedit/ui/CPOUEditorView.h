#pragma once
// The code pane of a POU window. It forwards every message and editing
// command to the editor of its POU and decides only which commands exist
// for which language, which work while the PLC is monitored, and how the
// POU's language is switched.

#include "model/InstructionCatalog.h"
#include "pouedit/ILDCommandTarget.h"
#include "pouedit/IPOUEditorView.h"
#include "platform/IPrintable.h"
#include "platform/ui/CScrollView.h"
#include "platform/ui/StandardCommands.h"

class CPOUEditor;
class CDC;
class CPOUEditorDoc;
class CPrintInfo;
class IPrintDevice;
class CProjTreeNode;
class IPOUCommandUI;

// Commands of the view (the edit commands are shared ones).
constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_EDIT_FIND = 57636;
constexpr UINT ID_EDIT_REPLACE = 57641;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_FORCE_TRUE = 32803;
constexpr UINT ID_FORCE_FALSE = 32805;
constexpr UINT ID_LANGUAGE_IL = 32933;
constexpr UINT ID_LANGUAGE_LD = 32934;
constexpr UINT ID_UNFORCE_ALL = 32947;
constexpr UINT ID_FORCE = 32953;
constexpr UINT ID_UNFORCE = 32954;
constexpr UINT ID_IL_INSERT_NETWORK = 32955;

class CPOUEditorView : public CScrollView, public IPOUEditorView, public IPrintable {
    DECLARE_DYNCREATE(CPOUEditorView)
public:
    CPOUEditorView();

    CPOUEditorDoc* GetDocument() const;
    CPOUEditor* GetEditor() const { return m_editor; }
    void SetEditor(CPOUEditor* editor) { m_editor = editor; }
    CProjTreeNode* GetTreeItem() const { return m_treeItem; }

    BOOL TriggerRepaint() override;
    int GetScrollPosition(int bar, BOOL tracking) const override;
    void SetScrollPosition(int bar, int position, BOOL redraw) override;
    void ExtendScrollSizes(int width, int height) override;
    void PostScroll(int bar, int code) override;
    int SetSymbolicAddressing(BOOL symbolic);
    BOOL EndPendingEdit();

    // The framework's steps that reach the editor.
    virtual void OnInitialUpdate();
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    // Runs the printout of the POU on a print device; FALSE when it did not complete.
    BOOL PrintOn(IPrintDevice& device);

protected:
    int OnCreate() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnContextMenu(CWnd* wnd, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnPaint() override;

private:
    BOOL IsMonitoring() const;
    // Picks the force operand while monitoring and shows the menu at the client point.
    void ShowEditorMenu(int menuId, CPoint point);
    void ResetScrollPositions();

    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnEditCopy();
    void OnUpdateEditCopy(CCmdUI* cmdUI);
    void OnEditCut();
    void OnUpdateEditCut(CCmdUI* cmdUI);
    void OnEditPaste();
    void OnUpdateEditPaste(CCmdUI* cmdUI);
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* cmdUI);
    void OnEditRedo();
    void OnUpdateEditRedo(CCmdUI* cmdUI);
    void OnEditFind();
    void OnEditReplace();
    void OnUpdateEditFindReplace(CCmdUI* cmdUI);
    void OnEditSelectAll();
    void OnEditClear();
    void OnUpdateEditClear(CCmdUI* cmdUI);
    void OnLDCommand(UINT id);
    void OnUpdateLDCommand(CCmdUI* cmdUI);
    void OnInsertNetwork();
    void OnForceTrue();
    void OnUpdateForceTrue(CCmdUI* cmdUI);
    void OnForceFalse();
    void OnUpdateForceFalse(CCmdUI* cmdUI);
    void OnForce();
    void OnUpdateForce(CCmdUI* cmdUI);
    void OnUnforce();
    void OnUpdateUnforce(CCmdUI* cmdUI);
    void OnUnforceAll();
    void OnUpdateUnforceAll(CCmdUI* cmdUI);
    void OnLanguageIL();
    void OnLanguageLD();
    void OnUpdateLanguage(CCmdUI* cmdUI);

    CProjTreeNode* m_treeItem = nullptr;
    CPOUEditor* m_editor = nullptr; // owned by the document's program
};
