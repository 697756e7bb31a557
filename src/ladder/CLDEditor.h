#pragma once
// The ladder editor as the POU view reaches it. This is the editor's frame:
// it belongs to one LD program, forwards undo and redo to it, reports the
// diagram's extent and keeps the view's caret out of the way when the
// networks are replaced. Painting, selection and the editing commands build
// on it.

#include "pouedit/CPOUEditor.h"
#include "pouedit/ILDCommandTarget.h"

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
    BOOL OnPreparePrinting(CPrintInfo*) override { return FALSE; }
    void OnPrint(CDC*, CPrintInfo*) override {}
    void OnEndPrinting(CDC*, CPrintInfo*) override {}
    BOOL InsertFromInstructionTree(std::uintptr_t, std::intptr_t) override { return FALSE; }
    int OnCreate() override { return 0; }
    void OnSetFocus() override {}
    void OnKillFocus() override {}
    void OnChar(UINT, UINT, UINT) override {}
    void OnKeyDown(UINT, UINT, UINT) override {}
    void OnLButtonDown(UINT, int, int) override {}
    void OnMouseMove(UINT, int, int) override {}
    void OnLButtonUp(UINT, int, int) override {}
    void OnEditCopy() override {}
    void OnUpdateEditCopy(IPOUCommandUI& ui) override { ui.Enable(FALSE); }
    void OnEditCut() override {}
    void OnUpdateEditCut(IPOUCommandUI& ui) override { ui.Enable(FALSE); }
    void OnEditPaste() override {}
    void OnUpdateEditPaste(IPOUCommandUI& ui) override { ui.Enable(FALSE); }
    void OnEditUndo() override;
    void OnUpdateEditUndo(IPOUCommandUI& ui) override;
    BOOL OnSetCursor(UINT, UINT, int, int) override { return FALSE; }
    void OnLButtonDblClk(UINT, int, int) override {}
    void OnEditFind() override {}
    int GetContextMenuId(CPoint&) override { return NO_CONTEXT_MENU; }
    void OnEditReplace() override {}
    void OnEditSelectAll() override {}
    void OnUpdateEditDelete(IPOUCommandUI& ui) override { ui.Enable(FALSE); }
    void OnEditRedo() override;
    void OnUpdateEditRedo(IPOUCommandUI& ui) override;
    void OnVScroll(UINT, UINT) override {}
    void OnHScroll(UINT, UINT) override {}
    BOOL OnMouseWheel(UINT, short delta, int, int) override { return ScrollByWheel(delta); }
    void OnPaint(CDC*) override {}
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
    void UpdateMonitorDisplay() override {}
    void ClearMonitorDisplay() override {}

    void OnLDCommand(UINT) override {}
    void OnUpdateLDCommand(UINT, IPOUCommandUI& ui) override { ui.Enable(FALSE); }

    // The caret goes before the networks are replaced from IL text.
    void RemoveCaret();
    void Repaint();
    IPOUEditorHost* GetHost() const { return m_host; }

private:
    static constexpr int NO_CONTEXT_MENU = -1;

    CLDProgram& m_program;
    IPOUEditorHost* m_host;
};
