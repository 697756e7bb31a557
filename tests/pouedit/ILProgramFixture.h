#pragma once
// An IL program of the POU MAIN in a fresh VB16 project, with a fake POU
// document and view that hold the local variables and the scroll position.

#include "../model/AppDataFixture.h"

#include "model/CProjTreeNode.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "platform/ByteString.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "pouedit/IFindReplaceDialog.h"
#include "pouedit/IPOUCommandUI.h"
#include "pouedit/IPOUEditorHost.h"
#include "pouedit/IPOUEditorView.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

constexpr int FAMILY_VB14_INDEX = 1;
constexpr int FAMILY_VB16_INDEX = 2;

// The Find/Replace dialog as the editors set it up: every call as one text.
class FakeFindReplaceDialog : public IFindReplaceDialog {
public:
    void SetFindOnly(BOOL findOnly) override { calls.push_back("findOnly " + std::to_string(findOnly)); }
    void SetFindText(const std::string& text) override { calls.push_back("text " + text); }
    void AddFindHistory(const std::string& text) override { calls.push_back("history " + text); }
    void EnableFindButtons(BOOL enable) override { calls.push_back("find " + std::to_string(enable)); }
    void EnableReplaceButtons(BOOL replace, BOOL replaceAll) override
    {
        calls.push_back("replace " + std::to_string(replace) + std::to_string(replaceAll));
    }
    BOOL IsScopeBeyondWindow() const override { return wideScope; }
    void Show(BOOL centre) override { calls.push_back("show " + std::to_string(centre)); }
    std::string GetFindText() const override { return findText; }
    std::string GetReplaceText() const override { return replaceText; }
    BOOL GetWholeWord() const override { return wholeWord; }
    BOOL GetMatchCase() const override { return matchCase; }
    int GetDirection() const override { return direction; }
    int GetScope() const override { return scope; }
    int GetLDIgnoreMask() const override { return 0; }

    BOOL wideScope = FALSE;
    std::string findText;
    std::string replaceText;
    BOOL wholeWord = FALSE;
    BOOL matchCase = FALSE;
    int direction = FIND_DIRECTION_DOWN;
    int scope = FIND_SCOPE_CURRENT_FILE;
    std::vector<std::string> calls;
};

class FakePOUHost : public IPOUEditorHost {
public:
    struct Local {
        std::string address; // without "%"
        OperandTypeFlags flags;
    };

    std::string GetPOUName() const override { return pouName; }
    BOOL LookupLocalSymbolType(const std::string& name, OperandTypeFlags& flags) const override
    {
        const auto found = locals.find(ByteString::Upper(name));
        if (found == locals.end())
            return FALSE;
        flags = found->second.flags;
        return TRUE;
    }
    BOOL FindLocalAddress(const std::string& upperName, std::string& address) const override
    {
        const auto found = locals.find(upperName);
        if (found == locals.end())
            return FALSE;
        address = found->second.address;
        return TRUE;
    }
    BOOL FindLocalName(const std::string& address, std::string& name) const override
    {
        for (const auto& [localName, local] : locals) {
            if (local.address == address) {
                name = localName;
                return TRUE;
            }
        }
        return FALSE;
    }
    BOOL GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& symbols) const override
    {
        for (const auto& [name, local] : locals)
            symbols.emplace_back(name, local.address);
        return TRUE;
    }
    void GetScrollPosition(int& x, int& y) const override
    {
        x = scrollX;
        y = scrollY;
    }
    void ScrollTo(int x, int y) override
    {
        scrollX = x;
        scrollY = y;
    }

    void SetScrollSizes(const CSize& total, const CSize& page, const CSize& line) override
    {
        totalSize = total;
        pageSize = page;
        lineSize = line;
    }
    CSize GetTotalSize() const override { return totalSize; }
    CSize GetClientSize() const override { return clientSize; }
    void CreateCaret(const CSize& size) override { caretSize = size; }
    void ShowCaretAt(const CPoint& point) override
    {
        caretPoint = point;
        caretShown = TRUE;
    }
    void HideCaret() override { caretShown = FALSE; }
    void DestroyCaret() override { caretSize = CSize(); }
    void Invalidate() override { ++invalidations; }
    void SetFocus() override { focused = TRUE; }
    void SetCapture() override { captured = TRUE; }
    void ReleaseCapture() override { captured = FALSE; }
    void SetCursorShape(UINT shape) override { cursor = shape; }
    BOOL IsKeyDown(UINT key) const override { return heldKeys.count(key) ? TRUE : FALSE; }
    BOOL HasDocument() const override { return TRUE; }
    void SetModified() override { modified = TRUE; }
    // Every character cell is charWidth wide; the text is a line of lineHeight pixels.
    void MeasureFont(const LOGFONT& font, TEXTMETRIC& metrics) const override
    {
        measured = font;
        metrics.tmAveCharWidth = charWidth;
        metrics.tmHeight = lineHeight - externalLeading;
        metrics.tmExternalLeading = externalLeading;
    }
    int GetTextWidth(const LOGFONT&, const std::string& text) const override
    {
        return static_cast<int>(text.size()) * charWidth;
    }
    void SetStatusPane(int pane, const std::string& text) override { statusPanes[pane] = text; }
    IFindReplaceDialog* OpenFindReplaceDialog(BOOL findOnly) override
    {
        findDialog.calls.push_back("open " + std::to_string(findOnly));
        return &findDialog;
    }
    IFindReplaceDialog* GetFindReplaceDialog() const override { return &findDialog; }
    std::string GetDocumentTitle() const override { return title; }
    void GetFileTimes(std::string& createdTime, std::string& modifiedTime) const override
    {
        createdTime = createdText;
        modifiedTime = modifiedText;
    }
    void GetLocalVarDeclLines(std::vector<std::string>& lines) const override { lines = declarations; }
    BOOL ForceAddress(const std::string& address, int value) override
    {
        forceRequests.push_back("force " + address + "=" + std::to_string(value));
        return TRUE;
    }
    BOOL UnforceAddress(const std::string& address) override
    {
        forceRequests.push_back("unforce " + address);
        return TRUE;
    }
    void RunForceDialog(const std::string& symbol, const std::string& address) override
    {
        forceRequests.push_back("dialog " + symbol + "@" + address);
    }

    std::string pouName = "MAIN";
    std::map<std::string, Local> locals;
    int scrollX = 0;
    int scrollY = 0;
    CSize totalSize;
    CSize pageSize;
    CSize lineSize;
    CSize clientSize {400, 200};
    CSize caretSize;
    CPoint caretPoint;
    BOOL caretShown = FALSE;
    int invalidations = 0;
    BOOL focused = FALSE;
    BOOL captured = FALSE;
    UINT cursor = 0;
    std::set<UINT> heldKeys;
    BOOL modified = FALSE;
    mutable LOGFONT measured {};
    int charWidth = 8;
    int lineHeight = 16;
    int externalLeading = 2;
    std::map<int, std::string> statusPanes;
    mutable FakeFindReplaceDialog findDialog;
    std::string title = "MAIN";
    std::string createdText;
    std::string modifiedText;
    std::vector<std::string> declarations;
    std::vector<std::string> forceRequests;
};

// The POU view as the editor reaches it: only its posted scroll steps count here.
class FakePOUView : public IPOUEditorView {
public:
    BOOL TriggerRepaint() override { return TRUE; }
    int GetScrollPosition(int, BOOL) const override { return 0; }
    void SetScrollPosition(int, int, BOOL) override {}
    void ExtendScrollSizes(int, int) override {}
    void PostScroll(int bar, int code) override { postedScrolls.emplace_back(bar, code); }

    std::vector<std::pair<int, int>> postedScrolls; // bar, code
};

// A command's enabled state as the editor sets it.
class FakeCommandUI : public IPOUCommandUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int) override {}

    BOOL enabled = -1;
};

class ILProgramFixture : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(FAMILY_VB16_INDEX);
        m_app->ApplyFamilyProfile();
        m_app->SymbolicAddressing = 0;
        m_program = std::make_unique<CILProgram>(*m_app, &m_host);
    }
    void TearDown() override
    {
        m_program.reset();
        AppDataFixture::TearDown();
    }

    CZULProject& Project() { return m_app->Project; }
    CILEditor& Editor() { return m_program->GetILEditor(); }
    std::vector<std::string>& Text() { return m_program->GetLines(); }

    void SetLines(const std::vector<std::string>& lines) { Text() = lines; }

    // A subroutine with EN and ENO and the given parameters.
    void AddSubroutine(const std::string& name, int number,
                       const std::vector<std::pair<std::string, DWORD>>& inputs = {},
                       const std::vector<std::pair<std::string, DWORD>>& outputs = {})
    {
        auto* node = new CProjTreeNode;
        node->kind = 3;
        node->name = name;
        node->number = number;
        node->language = 1;
        Project().POUs.AddSubroutineNode(node);
        auto* function = new CZULFunc;
        function->SetName(name);
        function->SetNumber(number);
        function->AddInput(Param("EN", OT_EN_PARAM | OT_READABLE));
        for (const auto& [pin, flags] : inputs)
            function->AddInput(Param(pin, flags));
        function->AddOutput(Param("ENO", OT_ENO_PARAM | OT_WRITABLE));
        for (const auto& [pin, flags] : outputs)
            function->AddOutput(Param(pin, flags));
        Project().POUs.AddSubroutineInterface(function);
    }

    void AddInterrupt(const std::string& name, int number)
    {
        auto* node = new CProjTreeNode;
        node->kind = 4;
        node->name = name;
        node->number = number;
        Project().POUs.AddInterruptNode(node);
    }

    void AddSymbol(const std::string& name, const std::string& address, DWORD typeFlags)
    {
        auto* symbol = new CZULSymbol;
        symbol->name = name;
        symbol->address = address;
        symbol->typeFlags = typeFlags;
        Project().AddSymbol(symbol);
    }

    std::vector<int> CheckAll()
    {
        Editor().CheckLines(TRUE, 0);
        std::vector<int> states;
        for (int i = 0; i < m_program->GetLineCount(); ++i)
            states.push_back(Editor().GetLineState(i));
        return states;
    }

    FakePOUHost m_host;
    std::unique_ptr<CILProgram> m_program;

private:
    static CZULFBPara* Param(const std::string& name, DWORD flags)
    {
        auto* para = new CZULFBPara;
        para->name = name;
        para->flags = flags;
        return para;
    }
};
