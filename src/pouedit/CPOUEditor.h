#pragma once
// The editor of a POU as the POU view reaches it: every message and command
// of the view lands in one of these slots. The IL and LD editors implement
// them; the view decides only which commands exist for which language and
// which work while the PLC is monitored.

#include "IPOUCommandUI.h"
#include "IPOUEditorView.h"
#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <string>

class CDC;
class CPrintInfo;

class CPOUEditor {
public:
    virtual ~CPOUEditor() = default;
    virtual void Find(const std::string& text, int mode) = 0;
    virtual void ReplaceAll(const std::string& find, const std::string& replace) = 0;
    virtual void Replace(const std::string& find, const std::string& replace) = 0;
    virtual void Reserved() = 0;
    virtual void OnInitialUpdate() = 0;
    virtual BOOL OnPreparePrinting(CPrintInfo* info) = 0;
    virtual void OnPrint(CDC* dc, CPrintInfo* info) = 0;
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info) = 0;
    virtual BOOL InsertFromInstructionTree(std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual int OnCreate() = 0;
    virtual void OnSetFocus() = 0;
    virtual void OnKillFocus() = 0;
    virtual void OnChar(UINT ch, UINT repeat, UINT flags) = 0;
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags) = 0;
    virtual void OnLButtonDown(UINT flags, int x, int y) = 0;
    virtual void OnMouseMove(UINT flags, int x, int y) = 0;
    virtual void OnLButtonUp(UINT flags, int x, int y) = 0;
    virtual void OnEditCopy() = 0;
    virtual void OnUpdateEditCopy(IPOUCommandUI& ui) = 0;
    virtual void OnEditCut() = 0;
    virtual void OnUpdateEditCut(IPOUCommandUI& ui) = 0;
    virtual void OnEditPaste() = 0;
    virtual void OnUpdateEditPaste(IPOUCommandUI& ui) = 0;
    virtual void OnEditUndo() = 0;
    virtual void OnUpdateEditUndo(IPOUCommandUI& ui) = 0;
    // TRUE when the editor set the cursor.
    virtual BOOL OnSetCursor(UINT hitTest, UINT message, int x, int y) = 0;
    virtual void OnLButtonDblClk(UINT flags, int x, int y) = 0;
    virtual void OnEditFind() = 0;
    // The context menu's resource id, or -1 for none; the point may be moved.
    virtual int GetContextMenuId(CPoint& point) = 0;
    virtual void OnEditReplace() = 0;
    virtual void OnEditSelectAll() = 0;
    virtual void OnUpdateEditDelete(IPOUCommandUI& ui) = 0;
    virtual void OnEditRedo() = 0;
    virtual void OnUpdateEditRedo(IPOUCommandUI& ui) = 0;
    virtual void OnVScroll(UINT code, UINT position) = 0;
    virtual void OnHScroll(UINT code, UINT position) = 0;
    virtual BOOL OnMouseWheel(UINT flags, short delta, int x, int y) = 0;
    virtual void OnPaint(CDC* dc) = 0;
    virtual void OnRButtonDown(UINT flags, int x, int y) = 0;
    virtual void OnUpdateUnforce(IPOUCommandUI& ui) = 0;
    virtual void OnUnforce() = 0;
    virtual void OnUpdateForceFalse(IPOUCommandUI& ui) = 0;
    virtual void OnForceFalse() = 0;
    virtual void OnUpdateForceTrue(IPOUCommandUI& ui) = 0;
    virtual void OnForceTrue() = 0;
    virtual void OnUpdateForce(IPOUCommandUI& ui) = 0;
    virtual void OnForce() = 0;
    // Picks the operand under the caret or selection for the force commands.
    virtual void PickForceOperand() = 0;
    virtual int SetSymbolicAddressing(BOOL symbolic) = 0;
    virtual CSize GetExtent(CSize& size) = 0;
    // Ends an edit in progress before compiling.
    virtual BOOL EndPendingEdit() = 0;
    virtual void UpdateMonitorDisplay() = 0;
    virtual void ClearMonitorDisplay() = 0;

    void SetView(IPOUEditorView* view) { m_view = view; }
    IPOUEditorView* GetView() const { return m_view; }
    int GetLanguage() const { return m_language; }
    // The view's scroll position; 0 without a view.
    int GetScrollPosition(int bar, BOOL tracking) const { return m_view ? m_view->GetScrollPosition(bar, tracking) : 0; }
    void TriggerRepaint()
    {
        if (m_view)
            m_view->TriggerRepaint();
    }

protected:
    explicit CPOUEditor(int language) : m_language(language) {}

    // The update rules both editors share for the force commands.
    void UpdateForceAny(IPOUCommandUI& ui) const { ui.Enable(m_forceable ? TRUE : FALSE); }
    void UpdateForceBool(IPOUCommandUI& ui) const
    {
        ui.Enable(m_forceable && (m_forceFlags & OT_BOOL) ? TRUE : FALSE);
    }
    // One line up for a positive wheel delta, one line down otherwise.
    BOOL ScrollByWheel(short delta)
    {
        if (m_view)
            m_view->PostScroll(POU_SCROLL_VERT, delta > 0 ? POU_SCROLL_LINEUP : POU_SCROLL_LINEDOWN);
        return TRUE;
    }

    IPOUEditorView* m_view = nullptr;
    int m_language = -1;
    int m_extentWidth = 0;
    int m_extentHeight = 0;
    std::string m_forceOperand;
    OperandTypeFlags m_forceFlags{};
    int m_forceable = 0;
};
