#include "CPOUEditorView.h"

#include "CPOUEditorDoc.h"
#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CPOUEditor.h"
#include "pouedit/ILDCommandTarget.h"
#include "pouedit/IPOUWorkbenchHost.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/ui/CCmdUI.h"
#include "platform/CPrintJob.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtPrintDevice.h"
#include "platform/ui/CQtPrintPreview.h"

#include <QCursor>
#include <QPrinter>

#include <algorithm>

IMPLEMENT_DYNCREATE(CPOUEditorView, CScrollView)

namespace {

constexpr int REPAINT_HALF_SIZE = 1;
const std::string REFUSAL_START = "$$$ Some errors exist in '";
const std::string REFUSAL_END = "' , and unable to convert. ";
constexpr unsigned COMPILE_LIST = 1;
const CPoint KEYBOARD_POINT(-1, -1);

// The window layer's command state as the editors set it.
class CCmdUIAdapter : public IPOUCommandUI {
public:
    explicit CCmdUIAdapter(CCmdUI* ui) : m_ui(ui) {}
    void Enable(BOOL on) override { m_ui->Enable(on); }
    void SetCheck(int check) override { m_ui->SetCheck(check); }

private:
    CCmdUI* m_ui;
};

// The POU name of the refusal line: the path's file title after its first "_".
std::string RefusalName(const std::string& path)
{
    const std::string title = FileSystem::FileTitleOf(path);
    const size_t underscore = title.find('_');
    return underscore == std::string::npos ? title : title.substr(underscore + 1);
}

} // namespace

CPOUEditorView::CPOUEditorView()
{
    using Cmd = CCmdEntry<CPOUEditorView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_FILE_PRINT, &CPOUEditorView::OnFilePrint),
        Cmd::Command(ID_FILE_PRINT_DIRECT, &CPOUEditorView::OnFilePrintDirect),
        Cmd::Command(ID_FILE_PRINT_PREVIEW, &CPOUEditorView::OnFilePrintPreview),
        Cmd::Command(ID_EDIT_COPY, &CPOUEditorView::OnEditCopy),
        Cmd::Update(ID_EDIT_COPY, &CPOUEditorView::OnUpdateEditCopy),
        Cmd::Command(ID_EDIT_CUT, &CPOUEditorView::OnEditCut),
        Cmd::Update(ID_EDIT_CUT, &CPOUEditorView::OnUpdateEditCut),
        Cmd::Command(ID_EDIT_PASTE, &CPOUEditorView::OnEditPaste),
        Cmd::Update(ID_EDIT_PASTE, &CPOUEditorView::OnUpdateEditPaste),
        Cmd::Command(ID_EDIT_UNDO, &CPOUEditorView::OnEditUndo),
        Cmd::Update(ID_EDIT_UNDO, &CPOUEditorView::OnUpdateEditUndo),
        Cmd::Command(ID_EDIT_REDO, &CPOUEditorView::OnEditRedo),
        Cmd::Update(ID_EDIT_REDO, &CPOUEditorView::OnUpdateEditRedo),
        Cmd::Command(ID_EDIT_FIND, &CPOUEditorView::OnEditFind),
        Cmd::Update(ID_EDIT_FIND, &CPOUEditorView::OnUpdateEditFindReplace),
        Cmd::Command(ID_EDIT_REPLACE, &CPOUEditorView::OnEditReplace),
        Cmd::Update(ID_EDIT_REPLACE, &CPOUEditorView::OnUpdateEditFindReplace),
        Cmd::Command(ID_EDIT_SELECT_ALL, &CPOUEditorView::OnEditSelectAll),
        Cmd::Command(ID_EDIT_CLEAR, &CPOUEditorView::OnEditClear),
        Cmd::Update(ID_EDIT_CLEAR, &CPOUEditorView::OnUpdateEditClear),
        Cmd::CommandRange(ID_LD_NETWORK, ID_LD_NETWORK, &CPOUEditorView::OnLDCommand),
        Cmd::CommandRange(ID_LD_PARALLEL_CONTACT, ID_LD_DELETE_NETWORK, &CPOUEditorView::OnLDCommand),
        Cmd::CommandRange(ID_LD_RIGHT_CONTACT, ID_LD_RIGHT_CONTACT, &CPOUEditorView::OnLDCommand),
        Cmd::CommandRange(ID_LD_LEFT_CONTACT, ID_LD_BRANCH, &CPOUEditorView::OnLDCommand),
        Cmd::UpdateRange(ID_LD_NETWORK, ID_LD_NETWORK, &CPOUEditorView::OnUpdateLDCommand),
        Cmd::UpdateRange(ID_LD_PARALLEL_CONTACT, ID_LD_DELETE_NETWORK, &CPOUEditorView::OnUpdateLDCommand),
        Cmd::UpdateRange(ID_LD_RIGHT_CONTACT, ID_LD_RIGHT_CONTACT, &CPOUEditorView::OnUpdateLDCommand),
        Cmd::UpdateRange(ID_LD_LEFT_CONTACT, ID_LD_BRANCH, &CPOUEditorView::OnUpdateLDCommand),
        Cmd::Command(ID_IL_INSERT_NETWORK, &CPOUEditorView::OnInsertNetwork),
        Cmd::Command(ID_FORCE_TRUE, &CPOUEditorView::OnForceTrue),
        Cmd::Update(ID_FORCE_TRUE, &CPOUEditorView::OnUpdateForceTrue),
        Cmd::Command(ID_FORCE_FALSE, &CPOUEditorView::OnForceFalse),
        Cmd::Update(ID_FORCE_FALSE, &CPOUEditorView::OnUpdateForceFalse),
        Cmd::Command(ID_FORCE, &CPOUEditorView::OnForce),
        Cmd::Update(ID_FORCE, &CPOUEditorView::OnUpdateForce),
        Cmd::Command(ID_UNFORCE, &CPOUEditorView::OnUnforce),
        Cmd::Update(ID_UNFORCE, &CPOUEditorView::OnUpdateUnforce),
        Cmd::Command(ID_UNFORCE_ALL, &CPOUEditorView::OnUnforceAll),
        Cmd::Update(ID_UNFORCE_ALL, &CPOUEditorView::OnUpdateUnforceAll),
        Cmd::Command(ID_LANGUAGE_IL, &CPOUEditorView::OnLanguageIL),
        Cmd::Update(ID_LANGUAGE_IL, &CPOUEditorView::OnUpdateLanguage),
        Cmd::Command(ID_LANGUAGE_LD, &CPOUEditorView::OnLanguageLD),
        Cmd::Update(ID_LANGUAGE_LD, &CPOUEditorView::OnUpdateLanguage),
    };
    AddCommandTable(kCommands);
    // The editors act on double clicks: the IL editor selects the word, the
    // ladder editor opens the element's dialog.
    SetClassStyle(CS_DBLCLKS);
}

CPOUEditorDoc* CPOUEditorView::GetDocument() const
{
    return dynamic_cast<CPOUEditorDoc*>(CView::GetDocument());
}

BOOL CPOUEditorView::IsMonitoring() const
{
    const CPOUEditorDoc* doc = GetDocument();
    return doc && doc->GetApp().Monitoring.load() != 0;
}

int CPOUEditorView::OnCreate()
{
    if (CScrollView::OnCreate() == -1)
        return -1;
    CPOUEditorDoc* doc = GetDocument();
    if (!doc)
        return 0;
    IPOUWorkbenchHost* workbench = doc->GetWorkbench();
    m_treeItem = workbench ? workbench->GetCurrentTreeNode() : nullptr;
    doc->SetSubroutine(m_treeItem && m_treeItem->kind == NODE_SUBROUTINE);
    doc->SwitchLanguage(m_treeItem ? m_treeItem->language : POU_LANGUAGE_IL);
    if (m_editor) {
        m_editor->SetView(this);
        m_editor->OnCreate();
    }
    return 0;
}

void CPOUEditorView::OnInitialUpdate()
{
    if (m_editor)
        m_editor->OnInitialUpdate();
}

BOOL CPOUEditorView::OnPreparePrinting(CPrintInfo* info)
{
    return m_editor && m_editor->OnPreparePrinting(info);
}

void CPOUEditorView::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (m_editor)
        m_editor->OnPrint(dc, info);
}

void CPOUEditorView::OnEndPrinting(CDC* dc, CPrintInfo* info)
{
    if (m_editor)
        m_editor->OnEndPrinting(dc, info);
}

BOOL CPOUEditorView::PrintOn(IPrintDevice& device)
{
    CPOUEditorDoc* doc = GetDocument();
    CPrintJob job(device);
    return job.Print(*this, doc ? doc->GetTitle() : std::string());
}

void CPOUEditorView::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    CQtPrintDevice device(&printer, TRUE);
    PrintOn(device);
}

void CPOUEditorView::OnFilePrintDirect()
{
    QPrinter printer(QPrinter::HighResolution);
    CQtPrintDevice device(&printer, FALSE);
    PrintOn(device);
}

void CPOUEditorView::OnFilePrintPreview()
{
    CPOUEditorDoc* doc = GetDocument();
    CQtPrintPreview preview(*this, doc ? doc->GetTitle() : std::string());
    preview.Exec(this);
}

BOOL CPOUEditorView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_INITIALUPDATE) {
        OnInitialUpdate();
        if (result)
            *result = 0;
        return TRUE;
    }
    if (message == WM_INSERT_FROM_CATALOGUE) {
        if (m_editor)
            m_editor->InsertFromInstructionTree(wParam, lParam);
        if (result)
            *result = 0;
        return TRUE;
    }
    if ((message == WM_HSCROLL || message == WM_VSCROLL) && m_editor) {
        const UINT code = LOWORD(static_cast<DWORD>(wParam));
        const UINT position = HIWORD(static_cast<DWORD>(wParam));
        if (message == WM_HSCROLL)
            m_editor->OnHScroll(code, position);
        else
            m_editor->OnVScroll(code, position);
        if (result)
            *result = 0;
        return TRUE;
    }
    return CScrollView::OnWndMsg(message, wParam, lParam, result);
}

void CPOUEditorView::OnSetFocus(CWnd* oldWnd)
{
    if (CPOUEditorDoc* doc = GetDocument(); doc && doc->GetWorkbench())
        doc->GetWorkbench()->SelectTreeNode(m_treeItem);
    CScrollView::OnSetFocus(oldWnd);
    if (m_editor)
        m_editor->OnSetFocus();
}

void CPOUEditorView::OnKillFocus(CWnd* newWnd)
{
    CScrollView::OnKillFocus(newWnd);
    if (m_editor)
        m_editor->OnKillFocus();
}

void CPOUEditorView::OnChar(UINT ch, UINT repeat, UINT flags)
{
    CScrollView::OnChar(ch, repeat, flags);
    if (m_editor)
        m_editor->OnChar(ch, repeat, flags);
}

void CPOUEditorView::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    CScrollView::OnKeyDown(key, repeat, flags);
    if (m_editor)
        m_editor->OnKeyDown(key, repeat, flags);
}

void CPOUEditorView::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_editor)
        m_editor->OnLButtonDown(flags, point.x, point.y);
    CScrollView::OnLButtonDown(flags, point);
}

void CPOUEditorView::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (m_editor)
        m_editor->OnLButtonDblClk(flags, point.x, point.y);
    CScrollView::OnLButtonDblClk(flags, point);
}

void CPOUEditorView::OnMouseMove(UINT flags, CPoint point)
{
    if (m_editor)
        m_editor->OnMouseMove(flags, point.x, point.y);
}

void CPOUEditorView::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_editor)
        m_editor->OnLButtonUp(flags, point.x, point.y);
}

BOOL CPOUEditorView::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    if (m_editor)
        m_editor->OnMouseWheel(flags, delta, point.x, point.y);
    return CScrollView::OnMouseWheel(flags, delta, point);
}

void CPOUEditorView::OnPaint()
{
    CPaintDC dc(this);
    if (m_editor)
        m_editor->OnPaint(&dc);
}

void CPOUEditorView::ShowEditorMenu(int menuId, CPoint point)
{
    if (IsMonitoring())
        m_editor->PickForceOperand();
    ClientToScreen(&point);
    if (CPOUEditorDoc* doc = GetDocument(); doc && doc->GetWorkbench())
        doc->GetWorkbench()->ShowContextMenu(menuId, point.x, point.y, this);
}

void CPOUEditorView::OnRButtonDown(UINT flags, CPoint point)
{
    if (!m_editor || point == KEYBOARD_POINT)
        return;
    m_editor->OnRButtonDown(flags, point.x, point.y);
    const int menuId = m_editor->GetContextMenuId(point);
    if (menuId == -1)
        return;
    ShowEditorMenu(menuId, point);
}

void CPOUEditorView::OnContextMenu(CWnd*, CPoint point)
{
    if (!m_editor || !(point == KEYBOARD_POINT))
        return;
    const int menuId = m_editor->GetContextMenuId(point);
    if (menuId == -1)
        return;
    ShowEditorMenu(menuId, point);
}

BOOL CPOUEditorView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    CPoint client(QCursor::pos().x(), QCursor::pos().y());
    ScreenToClient(&client);
    if (m_editor && m_editor->OnSetCursor(hitTest, message, client.x, client.y))
        return TRUE;
    return CScrollView::OnSetCursor(wnd, hitTest, message);
}

BOOL CPOUEditorView::TriggerRepaint()
{
    CRect client;
    GetClientRect(&client);
    const int cx = (client.left + client.right) / 2;
    const int cy = (client.top + client.bottom) / 2;
    const CRect centre(cx - REPAINT_HALF_SIZE, cy - REPAINT_HALF_SIZE, cx + REPAINT_HALF_SIZE, cy + REPAINT_HALF_SIZE);
    InvalidateRect(&centre, TRUE);
    return TRUE;
}

int CPOUEditorView::GetScrollPosition(int bar, BOOL tracking) const
{
    const int which = bar == POU_SCROLL_VERT ? SB_VERT : SB_HORZ;
    return tracking ? GetTrackPos(which) : GetScrollPos(which);
}

void CPOUEditorView::SetScrollPosition(int bar, int position, BOOL redraw)
{
    SetScrollPos(bar == POU_SCROLL_VERT ? SB_VERT : SB_HORZ, position, redraw);
}

void CPOUEditorView::ExtendScrollSizes(int width, int height)
{
    CSize extent;
    if (m_editor)
        m_editor->GetExtent(extent);
    const CSize total = GetTotalSize();
    SetScrollSizes(MM_TEXT, CSize(std::max(width, total.cx), std::max(height, extent.cy)));
}

// The editors' scroll codes are the scroll bars' own: a page step stays a page step.
void CPOUEditorView::PostScroll(int bar, int code)
{
    PostMessage(bar == POU_SCROLL_VERT ? WM_VSCROLL : WM_HSCROLL, static_cast<UINT>(code), 0);
}

int CPOUEditorView::SetSymbolicAddressing(BOOL symbolic)
{
    return m_editor ? m_editor->SetSymbolicAddressing(symbolic) : 0;
}

BOOL CPOUEditorView::EndPendingEdit()
{
    return m_editor ? m_editor->EndPendingEdit() : TRUE;
}

void CPOUEditorView::OnEditCopy()
{
    if (m_editor)
        m_editor->OnEditCopy();
}

void CPOUEditorView::OnUpdateEditCopy(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateEditCopy(ui);
}

void CPOUEditorView::OnEditCut()
{
    if (m_editor)
        m_editor->OnEditCut();
}

void CPOUEditorView::OnUpdateEditCut(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateEditCut(ui);
}

void CPOUEditorView::OnEditPaste()
{
    if (m_editor)
        m_editor->OnEditPaste();
}

void CPOUEditorView::OnUpdateEditPaste(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateEditPaste(ui);
}

void CPOUEditorView::OnEditUndo()
{
    if (m_editor)
        m_editor->OnEditUndo();
}

void CPOUEditorView::OnUpdateEditUndo(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateEditUndo(ui);
}

void CPOUEditorView::OnEditRedo()
{
    if (m_editor)
        m_editor->OnEditRedo();
}

void CPOUEditorView::OnUpdateEditRedo(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateEditRedo(ui);
}

void CPOUEditorView::OnEditFind()
{
    if (m_editor)
        m_editor->OnEditFind();
}

void CPOUEditorView::OnEditReplace()
{
    if (m_editor)
        m_editor->OnEditReplace();
}

void CPOUEditorView::OnUpdateEditFindReplace(CCmdUI* cmdUI)
{
    const int language = m_editor ? m_editor->GetLanguage() : 0;
    const BOOL known = language == POU_LANGUAGE_IL || language == POU_LANGUAGE_LD;
    cmdUI->Enable(known && !IsMonitoring());
}

void CPOUEditorView::OnEditSelectAll()
{
    if (m_editor)
        m_editor->OnEditSelectAll();
}

void CPOUEditorView::OnEditClear()
{
    // The editors handle Delete as their Delete key.
    PostMessage(WM_KEYDOWN, VK_DELETE, 0);
}

void CPOUEditorView::OnUpdateEditClear(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateEditDelete(ui);
}

void CPOUEditorView::OnLDCommand(UINT id)
{
    if (!m_editor || m_editor->GetLanguage() != POU_LANGUAGE_LD)
        return;
    if (auto* target = dynamic_cast<ILDCommandTarget*>(m_editor))
        target->OnLDCommand(id);
}

void CPOUEditorView::OnUpdateLDCommand(CCmdUI* cmdUI)
{
    auto* target = m_editor && m_editor->GetLanguage() == POU_LANGUAGE_LD ? dynamic_cast<ILDCommandTarget*>(m_editor)
                                                                          : nullptr;
    if (!target) {
        cmdUI->Enable(FALSE);
        return;
    }
    CCmdUIAdapter ui(cmdUI);
    target->OnUpdateLDCommand(cmdUI->m_nID, ui);
}

void CPOUEditorView::OnInsertNetwork()
{
    if (!m_editor || m_editor->GetLanguage() != POU_LANGUAGE_IL)
        return;
    if (auto* il = dynamic_cast<CILEditor*>(m_editor))
        il->OnInsertNetwork();
}

void CPOUEditorView::OnForceTrue()
{
    if (m_editor && IsMonitoring())
        m_editor->OnForceTrue();
}

void CPOUEditorView::OnUpdateForceTrue(CCmdUI* cmdUI)
{
    if (!m_editor || !IsMonitoring()) {
        cmdUI->Enable(FALSE);
        return;
    }
    CCmdUIAdapter ui(cmdUI);
    m_editor->OnUpdateForceTrue(ui);
}

void CPOUEditorView::OnForceFalse()
{
    if (m_editor && IsMonitoring())
        m_editor->OnForceFalse();
}

void CPOUEditorView::OnUpdateForceFalse(CCmdUI* cmdUI)
{
    if (!m_editor || !IsMonitoring()) {
        cmdUI->Enable(FALSE);
        return;
    }
    CCmdUIAdapter ui(cmdUI);
    m_editor->OnUpdateForceFalse(ui);
}

void CPOUEditorView::OnForce()
{
    if (m_editor && IsMonitoring())
        m_editor->OnForce();
}

void CPOUEditorView::OnUpdateForce(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateForce(ui);
}

void CPOUEditorView::OnUnforce()
{
    if (m_editor && IsMonitoring())
        m_editor->OnUnforce();
}

void CPOUEditorView::OnUpdateUnforce(CCmdUI* cmdUI)
{
    CCmdUIAdapter ui(cmdUI);
    if (m_editor)
        m_editor->OnUpdateUnforce(ui);
}

void CPOUEditorView::OnUnforceAll()
{
    CPOUEditorDoc* doc = GetDocument();
    IPOUWorkbenchHost* workbench = doc ? doc->GetWorkbench() : nullptr;
    if (!workbench || !IsMonitoring())
        return;
    if (workbench->SendUnforceAll() && workbench->ForceMapHasEntries())
        workbench->ClearForceMap();
}

void CPOUEditorView::OnUpdateUnforceAll(CCmdUI* cmdUI)
{
    cmdUI->Enable(IsMonitoring());
}

void CPOUEditorView::ResetScrollPositions()
{
    SetScrollPos(SB_VERT, 0, FALSE);
    SetScrollPos(SB_HORZ, 0, TRUE);
}

void CPOUEditorView::OnLanguageIL()
{
    CPOUEditorDoc* doc = GetDocument();
    if (!doc || IsMonitoring())
        return;
    if (IPOUWorkbenchHost* workbench = doc->GetWorkbench())
        workbench->ResetFindState();
    if (m_treeItem)
        m_treeItem->language = POU_LANGUAGE_IL;
    doc->ChangeLanguage(POU_LANGUAGE_IL);
    SetFocus();
    ResetScrollPositions();
}

void CPOUEditorView::OnLanguageLD()
{
    CPOUEditorDoc* doc = GetDocument();
    if (!doc || IsMonitoring())
        return;
    CPOUProgram* program = doc->GetProgram();
    if (program && program->IsValid()) {
        if (IPOUWorkbenchHost* workbench = doc->GetWorkbench())
            workbench->ResetFindState();
        doc->ChangeLanguage(POU_LANGUAGE_LD);
        // The tree learns the new language only once the program has it.
        if (m_treeItem && doc->GetLanguage() == POU_LANGUAGE_LD)
            m_treeItem->language = POU_LANGUAGE_LD;
        SetFocus();
    }
    // Lines with errors, or a network that cannot be drawn: the POU stays IL.
    if (doc->GetLanguage() != POU_LANGUAGE_LD)
        CUserInterface::Output().AppendOutputLine(
            COMPILE_LIST, REFUSAL_START + " " + RefusalName(doc->GetPathName()) + " " + REFUSAL_END + " ");
    ResetScrollPositions();
}

void CPOUEditorView::OnUpdateLanguage(CCmdUI* cmdUI)
{
    const UINT language = cmdUI->m_nID == ID_LANGUAGE_LD ? POU_LANGUAGE_LD : POU_LANGUAGE_IL;
    const CPOUEditorDoc* doc = GetDocument();
    cmdUI->Enable(!IsMonitoring());
    cmdUI->SetCheck(doc && doc->GetLanguage() == static_cast<int>(language) ? 1 : 0);
}
