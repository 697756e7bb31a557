#pragma once
// What a POU program and its editor need of the POU document and view:
// the POU's name, its local variables, and what the editors ask of the
// view: scroll position and sizes, the caret, repainting, the mouse, the
// cursor shape, key states and font metrics; the status panes and the
// force requests of the workbench.

#include "model/OperandTypeFlags.h"
#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

#include <string>
#include <utility>
#include <vector>

class IFindReplaceDialog;
class ILDDialogs;
class ILDForceQuery;

class IPOUEditorHost {
public:
    virtual ~IPOUEditorHost() = default;

    // The name of the POU being edited, as the project knows it.
    virtual std::string GetPOUName() const = 0;

    // The variable-class and data-type flags of a local variable.
    virtual BOOL LookupLocalSymbolType(const std::string& name, OperandTypeFlags& flags) const = 0;
    // The address of the local variable of that upper-cased name (such as "LB4", without "%").
    virtual BOOL FindLocalAddress(const std::string& upperName, std::string& address) const = 0;
    // The name of the local variable at that address (upper case, without "%").
    virtual BOOL FindLocalName(const std::string& address, std::string& name) const = 0;
    // Every local variable as (symbol as written, address without "%");
    // FALSE while the POU has no local-variable table.
    virtual BOOL GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& symbols) const = 0;

    // The view's scroll position in pixels.
    virtual void GetScrollPosition(int& x, int& y) const = 0;
    virtual void ScrollTo(int x, int y) = 0;
    // The scrolled size, a page step and a line step, in pixels.
    virtual void SetScrollSizes(const CSize& total, const CSize& page, const CSize& line) = 0;
    virtual CSize GetTotalSize() const = 0;
    // The client area in pixels.
    virtual CSize GetClientSize() const = 0;

    // The view's caret, at a point in client pixels.
    virtual void CreateCaret(const CSize& size) = 0;
    virtual void ShowCaretAt(const CPoint& point) = 0;
    virtual void HideCaret() = 0;
    virtual void DestroyCaret() = 0;

    virtual void Invalidate() = 0;
    virtual void SetFocus() = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // A cursor number of CursorShapes.h.
    virtual void SetCursorShape(UINT cursor) = 0;
    // Whether a key (a VK_ code) is held now.
    virtual BOOL IsKeyDown(UINT virtualKey) const = 0;
    // FALSE while the view shows no document.
    virtual BOOL HasDocument() const = 0;
    // The document now differs from its file.
    virtual void SetModified() = 0;

    // Panes 1 (network) and 2 (row and column) of the main frame's status bar.
    virtual void SetStatusPane(int pane, const std::string& text) = 0;
    // Force requests to the PLC while monitoring; they report their own failures.
    virtual BOOL ForceAddress(const std::string& address, int value) = 0;
    virtual BOOL UnforceAddress(const std::string& address) = 0;
    // The modal Force dialog for one address, with its symbol or none.
    virtual void RunForceDialog(const std::string& symbol, const std::string& address) = 0;

    // The main window's Find/Replace dialog, created on first use as find
    // only or not; null when there is none to show.
    virtual IFindReplaceDialog* OpenFindReplaceDialog(BOOL findOnly) = 0;
    // The dialog whose options a search reads; null while there is none.
    virtual IFindReplaceDialog* GetFindReplaceDialog() const = 0;
    // The ladder editor's dialogs, shown by the window layer; null when none can be shown.
    virtual ILDDialogs* GetLDDialogs() const { return nullptr; }
    // Whom the ladder elements ask which operands the PLC holds forced; null: nothing is.
    virtual const ILDForceQuery* GetLDForceQuery() const { return nullptr; }

    // What a printout shows of the document: its title (the POU name, " *"
    // while modified), the file's creation and last-write times (left alone
    // when unreadable) and the local-variable declaration lines.
    virtual std::string GetDocumentTitle() const = 0;
    virtual void GetFileTimes(std::string& created, std::string& modified) const = 0;
    virtual void GetLocalVarDeclLines(std::vector<std::string>& lines) const = 0;

    // The metrics of a font and the pixel width of a text in it.
    virtual void MeasureFont(const LOGFONT& font, TEXTMETRIC& metrics) const = 0;
    virtual int GetTextWidth(const LOGFONT& font, const std::string& text) const = 0;
};
