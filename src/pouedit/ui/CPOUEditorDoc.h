#pragma once
// The document of one POU open for editing: it owns the POU's program,
// frames the ".ilp" file around the program's text (a language line, then
// the IL text), keeps the ".ilv" path beside it, names the POU and its
// window after the file, asks before changes are discarded and switches
// the POU between IL and LD.

#include "pouedit/CPOUProgram.h"
#include "pouedit/IPOUEditorHost.h"
#include "platform/ui/CDocument.h"

#include <memory>
#include <string>
#include <vector>

class CPOUEditorView;
class CView;
class CZULAppData;
class IPOULocalVars;
class IPOUProgramFactory;
class IPOUWorkbenchHost;

class CPOUEditorDoc : public CDocument, public IPOUEditorHost {
    DECLARE_DYNAMIC(CPOUEditorDoc)
public:
    // The factory makes the ladder programs (the application's registered
    // one when none is given); without one a POU stays IL.
    CPOUEditorDoc(CZULAppData& app, IPOUWorkbenchHost* workbench, IPOUProgramFactory* factory);
    ~CPOUEditorDoc() override;

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const std::string& path) override;
    BOOL OnSaveDocument(const std::string& path) override;
    void DeleteContents() override;
    BOOL SaveModified() override;
    void SetTitle(const std::string& title) override;
    void SetPathName(const std::string& path) override;
    void SetModifiedFlag(BOOL modified = TRUE) override;

    std::string GetPOUName() const override;
    int GetLanguage() const;
    CPOUEditorView* GetEditorView() const;
    // The local-variable table's view; null while the window has none.
    CView* GetVarView() const;
    BOOL LookupLocalSymbolType(const std::string& name, OperandTypeFlags& flags) const override;
    BOOL FindLocalAddress(const std::string& upperName, std::string& address) const override;
    BOOL FindLocalName(const std::string& address, std::string& name) const override;
    BOOL GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& symbols) const override;
    void GetLocalVarDeclLines(std::vector<std::string>& lines) const override;
    // Creation and last-write time of the file, "yyyy-mm-dd  hh:mm:ss";
    // both left alone when the file's times cannot be read.
    void GetFileTimes(std::string& created, std::string& modified) const override;
    std::string GetDocumentTitle() const override { return GetTitle(); }
    // FALSE when the ".ilv" file could not be written (reported by the table).
    BOOL CommitLocalVars(BOOL writeFile);
    BOOL GoToLine(int n);
    BOOL GoToFindResult(int result, int a, int b);

    // Creates the program of a language, or converts the current one
    // through the IL line buffer; a failed conversion leaves the POU as it was.
    void SwitchLanguage(int language);
    // The IL and LD commands' work: the switch and the instruction catalogue.
    void ChangeLanguage(int language);
    // Converts pasted IL text into LD network items in the application's LD clipboard.
    BOOL ConvertILToNetworks(const std::string& text, const int* perNetwork);

    void GetScrollPosition(int& x, int& y) const override;
    void ScrollTo(int x, int y) override;
    void SetScrollSizes(const CSize& total, const CSize& page, const CSize& line) override;
    CSize GetTotalSize() const override;
    CSize GetClientSize() const override;
    void CreateCaret(const CSize& size) override;
    void ShowCaretAt(const CPoint& point) override;
    void HideCaret() override;
    void DestroyCaret() override;
    void Invalidate() override;
    void SetFocus() override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void SetCursorShape(UINT cursor) override;
    BOOL IsKeyDown(UINT virtualKey) const override;
    BOOL HasDocument() const override { return TRUE; }
    void SetModified() override { SetModifiedFlag(TRUE); }
    void MeasureFont(const LOGFONT& font, TEXTMETRIC& metrics) const override;
    int GetTextWidth(const LOGFONT& font, const std::string& text) const override;
    void SetStatusPane(int pane, const std::string& text) override;
    BOOL ForceAddress(const std::string& address, int value) override;
    BOOL UnforceAddress(const std::string& address) override;
    void RunForceDialog(const std::string& symbol, const std::string& address) override;
    // The main window's dialog, created in its slot on first use; none when
    // the workbench keeps no Find/Replace dialog.
    IFindReplaceDialog* OpenFindReplaceDialog(BOOL findOnly) override;
    IFindReplaceDialog* GetFindReplaceDialog() const override;
    // The workbench's ladder dialogs.
    ILDDialogs* GetLDDialogs() const override;
    // The workbench's force map.
    const ILDForceQuery* GetLDForceQuery() const override;

    CPOUProgram* GetProgram() const { return m_program.get(); }
    const std::string& GetVarPathName() const { return m_varPath; }
    BOOL IsSubroutine() const { return m_subroutine; }
    void SetSubroutine(BOOL subroutine) { m_subroutine = subroutine ? TRUE : FALSE; }
    CZULAppData& GetApp() const { return m_app; }
    IPOUWorkbenchHost* GetWorkbench() const { return m_workbench; }

private:
    IPOULocalVars* GetLocalVars() const;
    void ConnectProgram(std::unique_ptr<CPOUProgram> program);
    void SwitchToLD();
    void SwitchToIL();
    void DeriveVarPath(const std::string& path);

    CZULAppData& m_app;
    IPOUWorkbenchHost* m_workbench;
    IPOUProgramFactory* m_factory;
    std::string m_varPath;
    BOOL m_fileMode = FALSE; // the file form while the file is read or written
    std::vector<std::string> m_ilLines;
    std::unique_ptr<CPOUProgram> m_program;
    BOOL m_subroutine = FALSE;
};
