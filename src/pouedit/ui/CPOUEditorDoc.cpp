#include "CPOUEditorDoc.h"

#include "CForceDlg.h"
#include "pouedit/LocalTimeText.h"

#include "CPOUEditorView.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "pouedit/CPOUEditor.h"
#include "pouedit/IPOULocalVars.h"
#include "pouedit/IPOUProgramFactory.h"
#include "pouedit/IPOUWorkbenchHost.h"
#include "CFindReplaceDlg.h"
#include "IFindReplaceHost.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CCaret.h"
#include "platform/CFont.h"
#include "platform/ui/CQtCursors.h"
#include "platform/ui/CQtDC.h"

#include <QImage>
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/FileTimes.h"

#include <cctype>
#include <cstdio>

IMPLEMENT_DYNAMIC(CPOUEditorDoc, CDocument)

namespace {

const std::string POU_FILE_EXTENSION = ".ilp";
const std::string VAR_FILE_EXTENSION = ".ilv";
const std::string MODIFIED_MARK = " *";
constexpr DWORD HIDING_ATTRIBUTES = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD NO_ATTRIBUTES = 0xFFFFFFFF;

std::string ExtensionOf(const std::string& path)
{
    const std::string name = FileSystem::FileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithoutExtension(const std::string& path)
{
    return path.substr(0, path.size() - ExtensionOf(path).size());
}

// The text after the first "_"; a text without one is kept whole.
std::string AfterFirstUnderscore(const std::string& text)
{
    const size_t underscore = text.find('_');
    return underscore == std::string::npos ? text : text.substr(underscore + 1);
}

// The length of the language line "(*<digits>*)" with its line end at the
// start of the text; 0 when the text does not start with one.
size_t LanguageLineLength(const std::string& text)
{
    if (text.compare(0, 2, "(*") != 0)
        return 0;
    size_t i = 2;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == 2 || text.compare(i, 2, "*)") != 0)
        return 0;
    i += 2;
    if (i == text.size())
        return i;
    if (text[i] == '\n')
        return i + 1;
    if (text.compare(i, 2, "\r\n") == 0)
        return i + 2;
    return 0;
}

void MakeWritable(const std::string& path)
{
    if (path.empty())
        return;
    const DWORD attributes = FileSystem::GetAttributes(path);
    if (attributes == NO_ATTRIBUTES)
        return;
    FileSystem::SetAttributes(path, (attributes & ~HIDING_ATTRIBUTES) | FILE_ATTRIBUTE_ARCHIVE);
}

} // namespace

CPOUEditorDoc::CPOUEditorDoc(CZULAppData& app, IPOUWorkbenchHost* workbench, IPOUProgramFactory* factory)
    : m_app(app)
    , m_workbench(workbench)
    , m_factory(factory ? factory : app.ProgramFactory)
{
}

CPOUEditorDoc::~CPOUEditorDoc()
{
    if (CPOUEditorView* view = GetEditorView())
        view->SetEditor(nullptr);
}

void CPOUEditorDoc::Serialize(CArchive& ar)
{
    if (!m_program)
        return;
    if (!m_fileMode) {
        m_program->Serialize(ar, FALSE);
        return;
    }
    if (ar.IsStoring()) {
        const std::string line = "(*" + std::to_string(m_program->GetLanguage()) + "*)\r\n";
        ar.Write(line.data(), line.size());
        m_program->Serialize(ar, TRUE);
        return;
    }
    // The language line is read and set aside; a file without one loses nothing.
    std::string text(ar.GetRemaining(), '\0');
    ar.Read(text.data(), text.size());
    text.erase(0, LanguageLineLength(text));
    CArchive body(std::vector<BYTE>(text.begin(), text.end()));
    m_program->Serialize(body, TRUE);
    if (!body.IsOK())
        ar.SetError(body.GetError());
}

BOOL CPOUEditorDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    return m_program ? m_program->InitNew() : TRUE;
}

BOOL CPOUEditorDoc::OnOpenDocument(const std::string& path)
{
    m_fileMode = TRUE;
    const BOOL opened = CDocument::OnOpenDocument(path);
    m_fileMode = FALSE;
    if (!opened)
        return FALSE;
    MakeWritable(path);
    DeriveVarPath(path);
    MakeWritable(m_varPath);
    if (m_program)
        m_program->OnOpened(path);
    return TRUE;
}

void CPOUEditorDoc::DeriveVarPath(const std::string& path)
{
    if (ByteString::Lower(ExtensionOf(path)) == POU_FILE_EXTENSION)
        m_varPath = WithoutExtension(path) + VAR_FILE_EXTENSION;
}

BOOL CPOUEditorDoc::OnSaveDocument(const std::string& path)
{
    DeriveVarPath(path);
    const int prepared = m_program ? m_program->PrepareSave(path) : 0;
    m_fileMode = TRUE;
    // A variable file that cannot be written fails the save: the document
    // stays modified, so its local variables are not lost on closing.
    const BOOL saved = CommitLocalVars(TRUE) && CDocument::OnSaveDocument(path);
    m_fileMode = FALSE;
    if (m_program)
        m_program->AfterSave(path, prepared);
    return saved;
}

void CPOUEditorDoc::DeleteContents()
{
    if (m_program)
        m_program->Clear();
    CDocument::DeleteContents();
}

BOOL CPOUEditorDoc::SaveModified()
{
    if (!IsModified())
        return TRUE;
    std::string title = GetTitle();
    if (const size_t star = title.find('*'); star != std::string::npos)
        title.erase(star);
    CPOUEditorView* view = GetEditorView();
    const int answer = ShowMessage("Note", "Do you want to save the changes to " + title + " ?",
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) {
        if (view)
            view->SetFocus();
        return FALSE;
    }
    if (answer == IDYES)
        return DoFileSave();
    if (m_program)
        m_program->DiscardChanges();
    return TRUE;
}

void CPOUEditorDoc::SetTitle(const std::string& title)
{
    std::string name = title;
    if (const size_t dot = name.rfind('.'); dot != std::string::npos)
        name.erase(dot);
    name = AfterFirstUnderscore(name);
    if (IsModified())
        name += MODIFIED_MARK;
    CDocument::SetTitle(name);
}

void CPOUEditorDoc::SetPathName(const std::string& path)
{
    CDocument::SetPathName(path);
    SetTitle(FileSystem::FileNameOf(path));
}

void CPOUEditorDoc::SetModifiedFlag(BOOL modified)
{
    CDocument::SetModifiedFlag(modified);
    if (!GetTitle().empty())
        SetTitle(FileSystem::FileNameOf(GetPathName()));
}

std::string CPOUEditorDoc::GetPOUName() const
{
    return AfterFirstUnderscore(FileSystem::FileTitleOf(GetPathName()));
}

int CPOUEditorDoc::GetLanguage() const
{
    return m_program ? m_program->GetLanguage() : 0;
}

CPOUEditorView* CPOUEditorDoc::GetEditorView() const
{
    for (CView* view : GetViews()) {
        if (auto* editorView = dynamic_cast<CPOUEditorView*>(view))
            return editorView;
    }
    return nullptr;
}

CView* CPOUEditorDoc::GetVarView() const
{
    for (CView* view : GetViews()) {
        if (dynamic_cast<IPOULocalVars*>(view))
            return view;
    }
    return nullptr;
}

IPOULocalVars* CPOUEditorDoc::GetLocalVars() const
{
    return dynamic_cast<IPOULocalVars*>(GetVarView());
}

BOOL CPOUEditorDoc::LookupLocalSymbolType(const std::string& name, OperandTypeFlags& flags) const
{
    const IPOULocalVars* vars = GetLocalVars();
    return vars && vars->LookupLocalSymbol(ByteString::Upper(name), flags);
}

BOOL CPOUEditorDoc::FindLocalAddress(const std::string& upperName, std::string& address) const
{
    const IPOULocalVars* vars = GetLocalVars();
    return vars && vars->FindLocalAddress(upperName, address);
}

BOOL CPOUEditorDoc::FindLocalName(const std::string& address, std::string& name) const
{
    const IPOULocalVars* vars = GetLocalVars();
    return vars && vars->FindLocalName(address, name);
}

BOOL CPOUEditorDoc::GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& symbols) const
{
    const IPOULocalVars* vars = GetLocalVars();
    if (!vars)
        return FALSE;
    vars->GetLocalSymbols(symbols);
    return TRUE;
}

void CPOUEditorDoc::GetLocalVarDeclLines(std::vector<std::string>& lines) const
{
    std::vector<std::string> declarations;
    const IPOULocalVars* vars = GetLocalVars();
    if (vars && vars->GetDeclarationLines(declarations))
        lines = std::move(declarations);
}

void CPOUEditorDoc::GetFileTimes(std::string& created, std::string& modified) const
{
    CFileTimes times;
    if (!::GetFileTimes(GetPathName(), times))
        return;
    created = FormatLocalTime(times.hasCreation ? times.creation : times.statusChange);
    modified = FormatLocalTime(times.lastWrite);
}

BOOL CPOUEditorDoc::CommitLocalVars(BOOL writeFile)
{
    IPOULocalVars* vars = GetLocalVars();
    return vars ? vars->CommitRows(writeFile) : TRUE;
}

IFindReplaceDialog* CPOUEditorDoc::OpenFindReplaceDialog(BOOL findOnly)
{
    IFindReplaceHost* host = dynamic_cast<IFindReplaceHost*>(m_workbench);
    if (!host)
        return nullptr;
    CFindReplaceDlg* dialog = m_workbench->GetFindReplaceDialog();
    if (!dialog) {
        dialog = new CFindReplaceDlg(m_app, m_workbench, host, host->GetMainWindow());
        host->SetFindReplaceDialog(dialog);
    }
    dialog->SetFindOnly(findOnly);
    return dialog;
}

IFindReplaceDialog* CPOUEditorDoc::GetFindReplaceDialog() const
{
    return m_workbench ? m_workbench->GetFindReplaceDialog() : nullptr;
}

ILDDialogs* CPOUEditorDoc::GetLDDialogs() const
{
    return m_workbench ? m_workbench->GetLDDialogs() : nullptr;
}

const ILDForceQuery* CPOUEditorDoc::GetLDForceQuery() const
{
    return m_workbench ? m_workbench->GetLDForceQuery() : nullptr;
}

BOOL CPOUEditorDoc::GoToLine(int n)
{
    return m_program && m_program->GoToLine(n);
}

BOOL CPOUEditorDoc::GoToFindResult(int result, int a, int b)
{
    return m_program && m_program->GoToFindResult(result, a, b);
}

void CPOUEditorDoc::ConnectProgram(std::unique_ptr<CPOUProgram> program)
{
    CPOUEditorView* view = GetEditorView();
    if (view)
        view->SetEditor(nullptr);
    m_program = std::move(program);
    if (!view || !m_program)
        return;
    view->SetEditor(m_program->GetEditor());
    if (CPOUEditor* editor = m_program->GetEditor())
        editor->SetView(view);
    // The view shows another program now: none of what it showed stays.
    view->Invalidate(TRUE);
}

void CPOUEditorDoc::SwitchLanguage(int language)
{
    const int wanted = language == POU_LANGUAGE_LD ? POU_LANGUAGE_LD : POU_LANGUAGE_IL;
    if (!m_program) {
        std::unique_ptr<CPOUProgram> program;
        if (wanted == POU_LANGUAGE_LD && m_factory)
            program = m_factory->CreateProgram(POU_LANGUAGE_LD, m_app, this);
        if (!program)
            program = std::make_unique<CILProgram>(m_app, this);
        ConnectProgram(std::move(program));
        return;
    }
    if (m_program->GetLanguage() == wanted)
        return;
    if (wanted == POU_LANGUAGE_LD)
        SwitchToLD();
    else
        SwitchToIL();
}

void CPOUEditorDoc::SwitchToLD()
{
    if (!m_factory)
        return;
    std::unique_ptr<CPOUProgram> program = m_factory->ConvertILLines(m_ilLines, m_app, this);
    if (!program)
        return;
    ConnectProgram(std::move(program));
    if (CPOUEditor* editor = m_program->GetEditor()) {
        editor->OnInitialUpdate();
        editor->TriggerRepaint();
    }
}

void CPOUEditorDoc::SwitchToIL()
{
    auto program = std::make_unique<CILProgram>(m_app, this);
    CILProgram& il = *program;
    ConnectProgram(std::move(program));
    std::vector<std::string>& lines = il.GetLines();
    lines.clear();
    for (std::string line : m_ilLines) {
        il.GetILEditor().FormatLine(line);
        lines.push_back(line);
    }
    if (lines.empty())
        lines.emplace_back();
    il.GetILEditor().OnInitialUpdate();
    il.GetILEditor().TriggerRepaint();
}

void CPOUEditorDoc::ChangeLanguage(int language)
{
    if (!m_program || language == m_program->GetLanguage())
        return;
    m_ilLines.clear();
    m_program->GetILLines(m_ilLines);
    SwitchLanguage(language);
    if (language != POU_LANGUAGE_IL && language != POU_LANGUAGE_LD)
        return;
    if (m_workbench) {
        m_workbench->RebuildInstructionTree(language == POU_LANGUAGE_LD ? TRUE : FALSE);
        m_workbench->AddSubroutinesToInstructionTree();
    }
}

BOOL CPOUEditorDoc::ConvertILToNetworks(const std::string& text, const int* perNetwork)
{
    return m_factory && m_factory->ConvertILToNetworks(text, perNetwork, m_app);
}

void CPOUEditorDoc::GetScrollPosition(int& x, int& y) const
{
    x = 0;
    y = 0;
    if (const CPOUEditorView* view = GetEditorView()) {
        x = view->GetScrollPos(SB_HORZ);
        y = view->GetScrollPos(SB_VERT);
    }
}

void CPOUEditorDoc::ScrollTo(int x, int y)
{
    if (CPOUEditorView* view = GetEditorView())
        view->ScrollToPosition(CPoint(x, y));
}

void CPOUEditorDoc::SetScrollSizes(const CSize& total, const CSize& page, const CSize& line)
{
    if (CPOUEditorView* view = GetEditorView())
        view->SetScrollSizes(MM_TEXT, total, page, line);
}

CSize CPOUEditorDoc::GetTotalSize() const
{
    const CPOUEditorView* view = GetEditorView();
    return view ? view->GetTotalSize() : CSize();
}

CSize CPOUEditorDoc::GetClientSize() const
{
    CRect client;
    if (const CPOUEditorView* view = GetEditorView())
        view->GetClientRect(&client);
    return CSize(client.Width(), client.Height());
}

void CPOUEditorDoc::CreateCaret(const CSize& size)
{
    if (const CPOUEditorView* view = GetEditorView())
        CCaret::Instance().Create(view, size.cx, size.cy);
}

void CPOUEditorDoc::ShowCaretAt(const CPoint& point)
{
    const CPOUEditorView* view = GetEditorView();
    if (!view || CCaret::Instance().GetOwner() != view)
        return;
    CCaret::Instance().SetPos(point.x, point.y);
    CCaret::Instance().Show(view);
}

void CPOUEditorDoc::HideCaret()
{
    if (const CPOUEditorView* view = GetEditorView())
        CCaret::Instance().Hide(view);
}

void CPOUEditorDoc::DestroyCaret()
{
    const CPOUEditorView* view = GetEditorView();
    if (view && CCaret::Instance().GetOwner() == view)
        CCaret::Instance().Destroy();
}

void CPOUEditorDoc::Invalidate()
{
    if (CPOUEditorView* view = GetEditorView())
        view->Invalidate(FALSE);
}

void CPOUEditorDoc::SetFocus()
{
    if (CPOUEditorView* view = GetEditorView())
        view->SetFocus();
}

void CPOUEditorDoc::SetCapture()
{
    if (CPOUEditorView* view = GetEditorView())
        view->SetCapture();
}

void CPOUEditorDoc::ReleaseCapture()
{
    CWnd::ReleaseCapture();
}

void CPOUEditorDoc::SetCursorShape(UINT cursor)
{
    if (CPOUEditorView* view = GetEditorView())
        view->setCursor(CQtCursors::Cursor(cursor));
}

BOOL CPOUEditorDoc::IsKeyDown(UINT virtualKey) const
{
    return GetKeyState(static_cast<int>(virtualKey)) < 0 ? TRUE : FALSE;
}

void CPOUEditorDoc::MeasureFont(const LOGFONT& font, TEXTMETRIC& metrics) const
{
    QImage surface(1, 1, QImage::Format_ARGB32);
    CQtDC dc(&surface);
    CFont record;
    record.CreateFontIndirect(&font);
    dc.SelectObject(&record);
    dc.GetTextMetrics(&metrics);
}

int CPOUEditorDoc::GetTextWidth(const LOGFONT& font, const std::string& text) const
{
    QImage surface(1, 1, QImage::Format_ARGB32);
    CQtDC dc(&surface);
    CFont record;
    record.CreateFontIndirect(&font);
    dc.SelectObject(&record);
    return dc.GetTextExtent(text).cx;
}

void CPOUEditorDoc::SetStatusPane(int pane, const std::string& text)
{
    if (m_workbench)
        m_workbench->SetStatusPane(pane, text);
}

BOOL CPOUEditorDoc::ForceAddress(const std::string& address, int value)
{
    return m_workbench ? m_workbench->ForceAddress(address, value) : FALSE;
}

BOOL CPOUEditorDoc::UnforceAddress(const std::string& address)
{
    return m_workbench ? m_workbench->UnforceAddress(address) : FALSE;
}

void CPOUEditorDoc::RunForceDialog(const std::string& symbol, const std::string& address)
{
    CForceDlg dialog(m_workbench, GetEditorView());
    dialog.SetSymbol(symbol);
    dialog.SetAddress(address);
    dialog.exec();
}
