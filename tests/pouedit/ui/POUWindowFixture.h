#pragma once
// A POU window arranged as the workbench's POU frame arranges it: a frame
// whose splitter shows the local-variable pane in row 0 and the code view
// in row 1, both created from their run-time classes, the project-tree node the
// view takes its language from, a recording workbench and a program
// factory whose ladder programs carry a recording editor.

#include "../../model/AppDataFixture.h"

#include "model/CProjTreeNode.h"
#include "pouedit/CPOUEditor.h"
#include "pouedit/CPOUProgram.h"
#include "pouedit/ILDCommandTarget.h"
#include "pouedit/IPOUProgramFactory.h"
#include "pouedit/IPOUWorkbenchHost.h"
#include "pouedit/ui/CFindReplaceDlg.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/IFindReplaceHost.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "pouedit/ui/CPOUVarView.h"
#include "pouedit/IPOULocalVars.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CSplitterWnd.h"
#include "support/TempFolder.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Records every call as one text such as "ForceAddress" or "RebuildInstructionTree:1".
// As the main window it keeps the Find/Replace dialog, names the active POU
// document and lists the open ones; opening all POUs runs openAllPous.
class CRecordingWorkbench : public IPOUWorkbenchHost, public IFindReplaceHost {
public:
    CProjTreeNode* GetCurrentTreeNode() override { return currentNode; }
    void SelectTreeNode(CProjTreeNode*) override { calls.push_back("SelectTreeNode"); }
    IPOUEditorView* GetActivePOUWindow() override { return nullptr; }
    void RebuildInstructionTree(BOOL ld) override { calls.push_back("RebuildInstructionTree:" + std::to_string(ld)); }
    void AddSubroutinesToInstructionTree() override { calls.push_back("AddSubroutinesToInstructionTree"); }
    void SetStatusPane(int pane, const std::string& text) override
    {
        calls.push_back("SetStatusPane:" + std::to_string(pane) + ":" + text);
    }
    void OpenAllPous(BOOL reallocate) override
    {
        calls.push_back("OpenAllPous:" + std::to_string(reallocate));
        if (openAllPous)
            openAllPous();
    }
    BOOL ForceAddress(const std::string& address, int value) override
    {
        calls.push_back("ForceAddress:" + address + "=" + std::to_string(value));
        return TRUE;
    }
    BOOL UnforceAddress(const std::string& address) override
    {
        calls.push_back("UnforceAddress:" + address);
        return TRUE;
    }
    BOOL SendUnforceAll() override
    {
        calls.push_back("SendUnforceAll");
        return unforceAllSucceeds;
    }
    BOOL ForceMapHasEntries() override { return forceMapEntries; }
    void ClearForceMap() override { calls.push_back("ClearForceMap"); }
    CFindReplaceDlg* GetFindReplaceDialog() override { return findDialog.get(); }
    void SetFindReplaceDialog(CFindReplaceDlg* dialog) override { findDialog.reset(dialog); }
    QWidget* GetMainWindow() override { return nullptr; }
    CPOUEditorDoc* GetActivePOUDocument() override { return activeDocument; }
    std::vector<CPOUEditorDoc*> GetOpenPOUDocuments() override { return openDocuments; }
    void ResetFindState() override { calls.push_back("ResetFindState"); }
    void ActivateCodePane() override { calls.push_back("ActivateCodePane"); }
    int ShowContextMenu(int menuId, int x, int y, CWnd*) override
    {
        calls.push_back("ShowContextMenu:" + std::to_string(menuId) + "@" + std::to_string(x) + "," +
                        std::to_string(y));
        return 0;
    }

    CProjTreeNode* currentNode = nullptr;
    CPOUEditorDoc* activeDocument = nullptr;
    std::vector<CPOUEditorDoc*> openDocuments;
    std::function<void()> openAllPous;
    std::unique_ptr<CFindReplaceDlg> findDialog;
    BOOL unforceAllSucceeds = TRUE;
    BOOL forceMapEntries = TRUE;
    std::vector<std::string> calls;
};

// An editor that records the slot each message or command reaches; every
// update slot enables its command, so what the view disables shows.
class CRecordingEditor : public CPOUEditor, public ILDCommandTarget {
public:
    explicit CRecordingEditor(int language) : CPOUEditor(language) {}

    void Find(const std::string&, int) override { Log("Find"); }
    void ReplaceAll(const std::string&, const std::string&) override { Log("ReplaceAll"); }
    void Replace(const std::string&, const std::string&) override { Log("Replace"); }
    void Reserved() override {}
    void OnInitialUpdate() override { Log("OnInitialUpdate"); }
    BOOL OnPreparePrinting(CPrintInfo*) override { return TRUE; }
    void OnPrint(CDC*, CPrintInfo*) override {}
    void OnEndPrinting(CDC*, CPrintInfo*) override {}
    BOOL InsertFromInstructionTree(std::uintptr_t wParam, std::intptr_t lParam) override
    {
        Log("InsertFromInstructionTree:" + std::to_string(wParam) + ":" + std::to_string(lParam));
        return TRUE;
    }
    int OnCreate() override
    {
        Log("OnCreate");
        return 0;
    }
    void OnSetFocus() override { Log("OnSetFocus"); }
    void OnKillFocus() override { Log("OnKillFocus"); }
    void OnChar(UINT ch, UINT, UINT) override { Log("OnChar:" + std::to_string(ch)); }
    void OnKeyDown(UINT key, UINT, UINT) override { Log("OnKeyDown:" + std::to_string(key)); }
    void OnLButtonDown(UINT, int x, int y) override { LogPoint("OnLButtonDown", x, y); }
    void OnMouseMove(UINT, int x, int y) override { LogPoint("OnMouseMove", x, y); }
    void OnLButtonUp(UINT, int x, int y) override { LogPoint("OnLButtonUp", x, y); }
    void OnEditCopy() override { Log("OnEditCopy"); }
    void OnUpdateEditCopy(IPOUCommandUI& ui) override { ui.Enable(TRUE); }
    void OnEditCut() override { Log("OnEditCut"); }
    void OnUpdateEditCut(IPOUCommandUI& ui) override { ui.Enable(TRUE); }
    void OnEditPaste() override { Log("OnEditPaste"); }
    void OnUpdateEditPaste(IPOUCommandUI& ui) override { ui.Enable(TRUE); }
    void OnEditUndo() override { Log("OnEditUndo"); }
    void OnUpdateEditUndo(IPOUCommandUI& ui) override { ui.Enable(TRUE); }
    BOOL OnSetCursor(UINT hitTest, UINT message, int, int) override
    {
        Log("OnSetCursor:" + std::to_string(hitTest) + ":" + std::to_string(message));
        return FALSE;
    }
    void OnLButtonDblClk(UINT, int x, int y) override { LogPoint("OnLButtonDblClk", x, y); }
    void OnEditFind() override { Log("OnEditFind"); }
    int GetContextMenuId(CPoint& point) override
    {
        if (point == CPoint(-1, -1))
            point = keyboardMenuPoint;
        return contextMenuId;
    }
    void OnEditReplace() override { Log("OnEditReplace"); }
    void OnEditSelectAll() override { Log("OnEditSelectAll"); }
    void OnUpdateEditDelete(IPOUCommandUI& ui) override { ui.Enable(TRUE); }
    void OnEditRedo() override { Log("OnEditRedo"); }
    void OnUpdateEditRedo(IPOUCommandUI& ui) override { ui.Enable(TRUE); }
    void OnVScroll(UINT code, UINT position) override
    {
        Log("OnVScroll:" + std::to_string(code) + ":" + std::to_string(position));
    }
    void OnHScroll(UINT code, UINT position) override
    {
        Log("OnHScroll:" + std::to_string(code) + ":" + std::to_string(position));
    }
    BOOL OnMouseWheel(UINT, short delta, int, int) override
    {
        Log("OnMouseWheel");
        return ScrollByWheel(delta);
    }
    void OnPaint(CDC*) override { ++paints; }
    void OnRButtonDown(UINT, int x, int y) override { LogPoint("OnRButtonDown", x, y); }
    void OnUpdateUnforce(IPOUCommandUI& ui) override { UpdateForceAny(ui); }
    void OnUnforce() override { Log("OnUnforce"); }
    void OnUpdateForceFalse(IPOUCommandUI& ui) override { UpdateForceBool(ui); }
    void OnForceFalse() override { Log("OnForceFalse"); }
    void OnUpdateForceTrue(IPOUCommandUI& ui) override { UpdateForceBool(ui); }
    void OnForceTrue() override { Log("OnForceTrue"); }
    void OnUpdateForce(IPOUCommandUI& ui) override { UpdateForceAny(ui); }
    void OnForce() override { Log("OnForce"); }
    void PickForceOperand() override
    {
        Log("PickForceOperand");
        m_forceable = 1;
        m_forceFlags = OT_BOOL;
    }
    int SetSymbolicAddressing(BOOL symbolic) override
    {
        Log("SetSymbolicAddressing:" + std::to_string(symbolic));
        return 0;
    }
    CSize GetExtent(CSize& size) override
    {
        size = CSize(m_extentWidth, m_extentHeight);
        return size;
    }
    BOOL EndPendingEdit() override
    {
        Log("EndPendingEdit");
        return TRUE;
    }
    void UpdateMonitorDisplay() override { Log("UpdateMonitorDisplay"); }
    void ClearMonitorDisplay() override { Log("ClearMonitorDisplay"); }

    void OnLDCommand(UINT id) override { Log("OnLDCommand:" + std::to_string(id)); }
    void OnUpdateLDCommand(UINT, IPOUCommandUI& ui) override { ui.Enable(TRUE); }

    void SetForceOperand(BOOL forceable, OperandTypeFlags flags)
    {
        m_forceable = forceable ? 1 : 0;
        m_forceFlags = flags;
    }
    void SetExtent(int width, int height)
    {
        m_extentWidth = width;
        m_extentHeight = height;
    }

    std::vector<std::string> log;
    int paints = 0;
    int contextMenuId = -1;
    CPoint keyboardMenuPoint;

private:
    void Log(const std::string& text) { log.push_back(text); }
    void LogPoint(const std::string& slot, int x, int y)
    {
        Log(slot + "@" + std::to_string(x) + "," + std::to_string(y));
    }
};

// A program of a language with a recording editor; its file form is the
// IL lines it holds.
class CRecordingProgram : public CPOUProgram {
public:
    CRecordingProgram(CZULAppData& app, int language) : CPOUProgram(app), m_recorder(language)
    {
        m_language = language;
        m_pEditor = &m_recorder;
    }

    void Serialize(CArchive& ar, BOOL) override
    {
        if (ar.IsStoring()) {
            for (const std::string& line : lines) {
                ar.Write(line.data(), line.size());
                ar.Write("\r\n", 2);
            }
            return;
        }
        std::string text(ar.GetRemaining(), '\0');
        ar.Read(text.data(), text.size());
        lines.assign(1, text);
    }
    void Clear() override { lines.clear(); }
    BOOL InitNew() override { return TRUE; }
    BOOL OnOpened(const std::string&) override { return TRUE; }
    void AfterSave(const std::string&, int) override {}
    int PrepareSave(const std::string&) override { return 0; }
    void DiscardChanges() override { ++discards; }
    void GetILLines(std::vector<std::string>& out) override { out.insert(out.end(), lines.begin(), lines.end()); }
    BOOL GoToFindResult(int, int, int) override { return TRUE; }
    BOOL GoToLine(int) override { return TRUE; }
    BOOL IsValid() override { return TRUE; }

    CRecordingEditor& Recorder() { return m_recorder; }

    std::vector<std::string> lines;
    int discards = 0;

private:
    CRecordingEditor m_recorder;
};

// Makes recording ladder programs; the IL-to-LD conversion succeeds or fails as told.
class CFakeProgramFactory : public IPOUProgramFactory {
public:
    std::unique_ptr<CPOUProgram> CreateProgram(int language, CZULAppData& app, IPOUEditorHost*) override
    {
        return std::make_unique<CRecordingProgram>(app, language);
    }
    std::unique_ptr<CPOUProgram> ConvertILLines(const std::vector<std::string>& lines, CZULAppData& app,
                                                IPOUEditorHost*) override
    {
        convertedLines = lines;
        if (!conversionSucceeds)
            return nullptr;
        auto program = std::make_unique<CRecordingProgram>(app, POU_LANGUAGE_LD);
        program->lines = lines;
        return program;
    }
    BOOL ConvertILToNetworks(const std::string&, const int*, CZULAppData&) override { return conversionSucceeds; }

    BOOL conversionSucceeds = TRUE;
    std::vector<std::string> convertedLines;
};

// The local-variable pane: symbols by upper-cased name, the declaration
// lines, and every commit of its rows.
class CFakeVarView : public CView, public IPOULocalVars {
    DECLARE_DYNCREATE(CFakeVarView)
public:
    BOOL LookupLocalSymbol(const std::string& upperName, OperandTypeFlags& flags) const override
    {
        const auto found = symbols.find(upperName);
        if (found == symbols.end())
            return FALSE;
        flags = found->second;
        return TRUE;
    }
    BOOL FindLocalAddress(const std::string&, std::string&) const override { return FALSE; }
    BOOL FindLocalName(const std::string&, std::string&) const override { return FALSE; }
    void GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& out) const override
    {
        out.insert(out.end(), addresses.begin(), addresses.end());
    }
    BOOL GetDeclarationLines(std::vector<std::string>& lines) const override
    {
        if (declarations.empty())
            return FALSE;
        lines = declarations;
        return TRUE;
    }
    BOOL CommitRows(BOOL writeFile) override
    {
        commits.push_back(writeFile);
        return TRUE;
    }

    std::map<std::string, OperandTypeFlags> symbols;
    // Symbol as written -> address without "%".
    std::map<std::string, std::string> addresses;
    std::vector<std::string> declarations;
    std::vector<BOOL> commits;
};

class POUWindowFixture : public AppDataFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the file in a new POU window whose tree node has the language;
    // FALSE when the document could not be opened.
    BOOL OpenWindow(const std::string& path, int language, int nodeKind = NODE_MAIN);
    // Opens another POU window beside the first one; null when it could not be opened.
    CPOUEditorDoc* OpenExtraWindow(const std::string& path, int language);
    // Closes every window.
    void CloseWindow();
    // Runs the idle update of the command and reports whether it is enabled.
    BOOL IsEnabled(UINT id);
    BOOL IsChecked(UINT id);
    BOOL RunCommand(UINT id);
    // The recording editor of a ladder POU; null for an IL POU.
    CRecordingEditor* Recorder();
    void WaitFor(const std::function<bool()>& condition);

    struct POUWindow {
        std::unique_ptr<CPOUEditorDoc> doc;
        CFrameWnd* frame = nullptr;
        CPOUEditorView* view = nullptr;
    };

    TempFolder m_folder;
    CRecordingWorkbench m_workbench;
    CFakeProgramFactory m_factory;
    // The factory the documents are given; null: the one the application registered.
    IPOUProgramFactory* m_programFactory = &m_factory;
    CProjTreeNode m_node;
    std::unique_ptr<CPOUEditorDoc> m_doc;
    CFrameWnd* m_frame = nullptr;
    CSplitterWnd* m_splitter = nullptr;
    // The class of the local-variable pane: the fake one, or CPOUVarView for the real table.
    const CRuntimeClass* m_varPaneClass = RUNTIME_CLASS(CFakeVarView);
    CFakeVarView* m_varView = nullptr;
    CPOUVarView* m_varTableView = nullptr;
    CPOUEditorView* m_view = nullptr;
    std::vector<POUWindow> m_extraWindows;

private:
    BOOL BuildWindow(CPOUEditorDoc& doc, const std::string& path, CFrameWnd*& frame, CSplitterWnd*& splitter,
                     CView*& varPane, CPOUEditorView*& view);
};
