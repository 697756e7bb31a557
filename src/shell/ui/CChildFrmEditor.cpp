#include "shell/ui/CChildFrmEditor.h"

#include "model/CZULAppData.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "pouedit/CPOUEditor.h"
#include "pouedit/IPOUWorkbenchHost.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "pouedit/ui/CPOUVarView.h"
#include "shell/ui/CMinRowSplitter.h"

namespace {

constexpr int kVarRow = 0;
constexpr int kCodeRow = 1;
constexpr int kRows = 2;
const CSize kVarViewSize(150, 120);
const CSize kCodeViewSize(250, 250);
constexpr int kShowMaximized = 3;
// The status bar panes where an editor shows its network and caret position.
constexpr int kEditorStatusPanes[] = {1, 2};

} // namespace

IMPLEMENT_DYNCREATE(CChildFrmEditor, CMDIChildWnd)

CChildFrmEditor::CChildFrmEditor() = default;
CChildFrmEditor::~CChildFrmEditor() = default;

BOOL CChildFrmEditor::CreateEditorPanes(CDocument* document)
{
    auto* splitter = new CMinRowSplitter;
    if (!splitter->CreateStatic(this, kRows, 1)) {
        delete splitter;
        return FALSE;
    }
    m_splitter = splitter;
    if (!splitter->CreateView(kVarRow, 0, RUNTIME_CLASS(CPOUVarView), kVarViewSize, document)
        || !splitter->CreateView(kCodeRow, 0, RUNTIME_CLASS(CPOUEditorView), kCodeViewSize, document))
        return FALSE;
    splitter->SetActivePane(kCodeRow, 0);
    return TRUE;
}

CPOUEditorView* CChildFrmEditor::GetEditorView() const
{
    return m_splitter != nullptr ? dynamic_cast<CPOUEditorView*>(m_splitter->GetPane(kCodeRow, 0)) : nullptr;
}

void CChildFrmEditor::ActivateFrame(int cmdShow)
{
    CMDIChildWnd::ActivateFrame(cmdShow == -1 ? kShowMaximized : cmdShow);
}

void CChildFrmEditor::OnClose()
{
    CPOUEditorView* view = GetEditorView();
    CDocument* document = view != nullptr ? view->GetDocument() : nullptr;
    if (document != nullptr && !document->SaveModified())
        return;
    CMDIChildWnd::OnClose();
}

// The editor in front going away takes its place off the status bar, as
// when it leaves the front.
void CChildFrmEditor::OnDestroy()
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame != nullptr && (frame->MDIGetActive() == this || frame->MDIGetActive() == nullptr))
        ClearEditorStatusPanes();
    CMDIChildWnd::OnDestroy();
}

void CChildFrmEditor::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
    if (!activate)
        ClearEditorStatusPanes();
    CPOUEditorView* view = GetEditorView();
    if (view == nullptr || g_pAppData == nullptr)
        return;
    const BOOL monitoring = g_pAppData->Monitoring != 0;
    auto* document = dynamic_cast<CPOUEditorDoc*>(view->GetDocument());
    if (activate) {
        if (monitoring && view->GetEditor() != nullptr)
            view->GetEditor()->UpdateMonitorDisplay();
        view->SetFocus();
        if (document != nullptr)
            SwitchCatalogue(document->GetLanguage());
    } else if (monitoring) {
        if (view->GetEditor() != nullptr)
            view->GetEditor()->ClearMonitorDisplay();
    } else if (document != nullptr) {
        document->CommitLocalVars(FALSE);
    }
    view->Invalidate(FALSE);
}

// The position belongs to this editor: another editor shows its own when it
// paints, a table its cell, and any other window none.
void CChildFrmEditor::ClearEditorStatusPanes()
{
    auto* host = dynamic_cast<IPOUWorkbenchHost*>(GetMDIFrame());
    if (host == nullptr)
        return;
    for (int pane : kEditorStatusPanes)
        host->SetStatusPane(pane, "");
}

// The catalogue follows the POU's language, with the subroutines added again.
void CChildFrmEditor::SwitchCatalogue(int language)
{
    auto* host = dynamic_cast<IPOUWorkbenchHost*>(GetMDIFrame());
    if (host == nullptr)
        return;
    const BOOL ld = language == POU_LANGUAGE_LD;
    const BYTE shown = ld ? g_pAppData->InsTreeLDShown : g_pAppData->InsTreeILShown;
    if (shown)
        return;
    host->RebuildInstructionTree(ld);
    host->AddSubroutinesToInstructionTree();
}
