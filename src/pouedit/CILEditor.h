#pragma once
// The IL editor controller: the caret, the per-line syntax check with its
// label table, bracket list and FB-instance list, and the rewriting of lines
// into one form (normalisation, symbols and addresses, routine names).

#include "CILMonitorList.h"
#include "CParenMatcher.h"
#include "CPOUEditor.h"
#include "model/CILLineParser.h"
#include "model/ILVocabulary.h"
#include "model/OperandTypeFlags.h"
#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CILProgram;
class CZULAppData;
class CZULProject;
class IFindReplaceDialog;
class IPOUEditorHost;

// Line states of the check.
constexpr int IL_LINE_OK = 0;
constexpr int IL_LINE_ERROR = 8;

// Answers of ParseLabelLine.
constexpr int LABEL_NONE = -1;
constexpr int LABEL_INVALID = 0;
constexpr int LABEL_VALID = 1;

// Answers of CheckInstruction.
constexpr int INSTR_NOT_INSTRUCTION = -1;
constexpr int INSTR_REJECTED = 0;
constexpr int INSTR_ACCEPTED = 1;
constexpr int INSTR_ACCEPTED_POINTER = 2;

// Routine modes of the operand rewrite.
constexpr int ROUTINES_TO_NAMES = -1;
constexpr int ROUTINES_UNCHANGED = 0;
constexpr int ROUTINES_TO_NUMBERED = 1;

// The print font on the printer: line height and character width in twips,
// printed rows per page and bytes per printed row.
struct CPrintMetrics {
    int lineHeight = 1;
    int charWidth = 1;
    int rows = 1;
    int columns = 1;
};

// A timer, counter or bistable instance that a line declares.
struct CILInstanceEntry {
    std::string name;   // the first operand without "%"
    std::string fbType; // the declaring mnemonic
    int row;            // -1 for entries loaded from the project
};

class CILEditor : public CPOUEditor {
public:
    CILEditor(CILProgram& program, CZULAppData& app, IPOUEditorHost* host);

    // The editor slots of the POU view; the typing, painting, clipboard,
    // find, print and force work fills them.
    void Find(const std::string& text, int mode) override;
    void ReplaceAll(const std::string& find, const std::string& replace) override;
    void Replace(const std::string& find, const std::string& replace) override;
    void Reserved() override;
    void OnInitialUpdate() override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    BOOL InsertFromInstructionTree(std::uintptr_t wParam, std::intptr_t lParam) override;
    int OnCreate() override;
    void OnSetFocus() override;
    void OnKillFocus() override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnEditCopy() override;
    void OnUpdateEditCopy(IPOUCommandUI& ui) override;
    void OnEditCut() override;
    void OnUpdateEditCut(IPOUCommandUI& ui) override;
    void OnEditPaste() override;
    void OnUpdateEditPaste(IPOUCommandUI& ui) override;
    void OnEditUndo() override;
    void OnUpdateEditUndo(IPOUCommandUI& ui) override;
    BOOL OnSetCursor(UINT hitTest, UINT message, int x, int y) override;
    void OnLButtonDblClk(UINT flags, int x, int y) override;
    void OnEditFind() override;
    int GetContextMenuId(CPoint& point) override;
    void OnEditReplace() override;
    void OnEditSelectAll() override;
    void OnUpdateEditDelete(IPOUCommandUI& ui) override;
    void OnEditRedo() override;
    void OnUpdateEditRedo(IPOUCommandUI& ui) override;
    void OnVScroll(UINT code, UINT position) override;
    void OnHScroll(UINT code, UINT position) override;
    BOOL OnMouseWheel(UINT flags, short delta, int x, int y) override;
    void OnPaint(CDC* dc) override;
    void OnRButtonDown(UINT flags, int x, int y) override;
    void OnUpdateUnforce(IPOUCommandUI& ui) override;
    void OnUnforce() override;
    void OnUpdateForceFalse(IPOUCommandUI& ui) override;
    void OnForceFalse() override;
    void OnUpdateForceTrue(IPOUCommandUI& ui) override;
    void OnForceTrue() override;
    void OnUpdateForce(IPOUCommandUI& ui) override;
    void OnForce() override;
    void PickForceOperand() override;
    int SetSymbolicAddressing(BOOL symbolic) override;
    CSize GetExtent(CSize& size) override;
    BOOL EndPendingEdit() override;
    void UpdateMonitorDisplay() override;
    void ClearMonitorDisplay() override;
    // Insert Network (Ctrl+Q).
    virtual void OnInsertNetwork();

    // Painting: the whole client area into one device context (OnPaint
    // gives it an off-screen one), and the monitor lists it draws.
    void PaintClient(CDC& dc);
    void RebuildMonitorLists();
    const std::vector<std::unique_ptr<CILMonitorList>>& GetMonitorLists() const { return m_monitorLists; }
    // The line highlighted by Go To, shown until the next key.
    void SetGoToMarker(int line, BOOL shown);
    BOOL IsGoToMarkerShown() const { return m_goToShown; }
    int GetGoToLine() const { return m_goToLine; }

    // Find and replace. A line is searched on copies: with match case off
    // both the line and the text are compared upper-cased. Whole words are
    // bounded by the separators of each routine or by the line's ends.
    // Forward from a column: the start column of the first hit, or -1.
    static int FindInLine(const std::string& line, const std::string& text, int start, BOOL matchCase,
                          BOOL wholeWord);
    // Backward, skipping that many bytes from the end: the end column of the
    // last hit before them, or -1.
    static int FindInLineBackward(const std::string& line, const std::string& text, int skip, BOOL matchCase,
                                  BOOL wholeWord);
    // Record and report every hit from the start on (or back from the
    // skipped bytes); the start column of the first one recorded, or -1.
    int CollectInLine(const std::string& line, const std::string& text, int row, int start, BOOL matchCase,
                      BOOL wholeWord);
    int CollectInLineBackward(const std::string& line, const std::string& text, int row, int skip,
                              BOOL matchCase, BOOL wholeWord);
    // Records every hit of a line (mode 0 into the result table with report
    // lines, mode 2 into the mark table); the number of hits.
    int ScanLine(const std::string& line, const std::string& text, int row, int mode, BOOL matchCase,
                 BOOL wholeWord);
    // Replaces every hit in the line, recording and reporting each; the number replaced.
    int ReplaceInLine(std::string& line, const std::string& replace, const std::string& find, int row,
                      BOOL matchCase, BOOL wholeWord);
    // Line n (1-based) marked and shown.
    BOOL GoToLine(int n);
    // The hit of a result record at row and column (both 1-based) selected and shown.
    BOOL GoToFindResult(int result, int row, int column);

    // The lines as printed rows of so many bytes.
    void BuildPrintRows(int columns, std::vector<std::string>& rows) const;

    // The selected text with CR LF between lines.
    std::string GetSelectedText() const;
    const std::string& GetForceOperand() const { return m_forceOperand; }

    // Caret (line index, byte column); placing it drops the selection and fixes its anchor there.
    int GetCaretLine() const { return m_caretLine; }
    int GetCaretColumn() const { return m_caretColumn; }
    void SetCaret(int line, int column);
    // Keeps the caret on an existing line and inside it.
    void ClampCaret();

    void SetEditorFont(const LOGFONT& font);
    void InsertNetwork();
    void DeleteSelection(BOOL force);
    BOOL EnsureCaretVisible();
    void ScrollToCaret(int extraColumns);

    // Selection, start before end; the end column is exclusive.
    BOOL HasSelection() const { return m_selection; }
    void GetSelection(int& startLine, int& startColumn, int& endLine, int& endColumn) const;
    void SetSelection(int startLine, int startColumn, int endLine, int endColumn);
    int GetAnchorLine() const { return m_anchorLine; }
    int GetAnchorColumn() const { return m_anchorColumn; }
    int GetDesiredColumn() const { return m_desiredColumn; }
    BOOL IsDragging() const { return m_dragging; }
    BOOL IsResizingMonitorColumn() const { return m_resizing; }
    int GetFindStartColumn() const { return m_findStartColumn; }

    // Metrics.
    int GetCharWidth() const { return m_charWidth; }
    int GetLineHeight() const { return m_lineHeight; }
    int GetGutterWidth() const { return m_gutterWidth; }
    CSize GetCaretSize() const { return CSize(m_caretWidth, m_caretHeight); }
    const LOGFONT& GetPrintFont() const { return m_printFont; }
    int GetMonitorColumnWidth() const { return m_monitorWidth; }
    void SetMonitorColumnWidth(int width) { m_monitorWidth = width; }
    // The caret in client pixels.
    CPoint GetCaretPoint() const;

    // A column inside a double-byte character moves behind it.
    static int FixGbkColumn(const std::string& line, int column);

    // Line check.
    void CheckLines(BOOL all, int firstVisibleLine);
    BOOL CheckLine(const std::string& line, int row, int network, const std::string& pouName);
    int GetLineState(int row) const;
    int GetLineStateCount() const { return static_cast<int>(m_lineStates.size()); }
    BOOL TokenizeLine(const std::string& line, std::vector<std::string>& tokens) const;
    int ParseLabelLine(const std::string& line, std::string& name) const;
    BOOL IsValidLabelName(const std::string& name) const;
    BOOL CheckAttachLine(const std::vector<std::string>& tokens) const;
    // -1 when the mnemonic is no jump or return; else TRUE or FALSE.
    int CheckJumpLine(const std::vector<std::string>& tokens) const;
    int CheckInstruction(const std::vector<std::string>& tokens, COpcodeDef& query) const;
    BOOL CheckNumericOperands(const std::vector<std::string>& tokens) const;
    BOOL CheckSubroutineCall(const std::vector<std::string>& tokens, const std::string& pouName,
                             COpcodeDef& query) const;
    BOOL GetOperandFlags(const std::string& operand, OperandTypeFlags& flags) const;
    void MarkUnbalancedBrackets();
    const std::map<std::string, std::string>& GetLabels() const { return m_labels; }
    CParenMatcher& GetParenMatcher() { return m_parens; }

    // FB-instance list.
    void LoadInstanceEntries();
    void ShiftInstanceEntries(int fromRow, int delta);
    // -1, -1: every entry.
    void ReleaseInstanceEntries(int firstRow, int lastRow);
    void ClearInstanceEntries() { m_instances.clear(); }
    const std::vector<CILInstanceEntry>& GetInstanceEntries() const { return m_instances; }

    // Rewriting.
    void NormaliseLine(std::string& line);
    void FormatLine(std::string& line);
    void RewriteAllLines(BOOL symbolic, int routineMode);
    void RewriteOperands(std::string& line, BOOL toAddresses, int routineMode) const;
    int AddressToSymbol(std::string& line, int position, const std::string& token) const;
    int SymbolToAddress(std::string& line, int position, const std::string& token) const;
    // The address of a global symbol, else of a local variable; FALSE when neither.
    BOOL ResolveToAddress(const std::string& name, std::string& address) const;

private:
    std::string& Line(int row);
    int LineLength(int row) const;
    int LastLine() const;
    int TextStart() const { return m_gutterWidth + m_monitorWidth; }
    int FirstVisibleLine() const;
    void CheckVisibleLines();
    void PushSnapshot();
    void PlaceCaret();
    void DropSelection();
    void AnchorAtCaret();
    void SelectFromAnchor();
    void LeaveLine(int row, BOOL normaliseFirst);
    void InsertLineRows(int row);
    void RemoveLineRows(int row);
    void UpdateScrollHeight();
    void ScrollToPosition(int x, int y);
    void ScrollByLines(int lines);
    int PageLines() const;
    int CharClass(char c) const;
    BOOL IsWordByte(char c) const;
    CPoint ToLogical(const CPoint& point) const;
    void MapPoint(const CPoint& point, BOOL monitorShift, int& line, int& column) const;
    BOOL InsertBytes(const std::string& bytes, int limitColumn);
    void TypeEnter();
    void TypeBackspace();
    void KeyPage(BOOL down, BOOL shift);
    void KeyHome(BOOL shift, BOOL ctrl);
    void KeyEnd(BOOL shift, BOOL ctrl);
    void KeyLeft(BOOL shift);
    void KeyRight(BOOL shift);
    void KeyVertical(BOOL down, BOOL shift);
    void KeyDelete();
    void ShowHelp();
    void AfterCharacter();
    int PaintTextStart() const;
    void DrawPiece(CDC& dc, const std::string& line, size_t start, size_t end, int x0, int y, COLORREF color) const;
    void PaintLine(CDC& dc, const std::string& line, int x0, int y) const;
    void PaintText(CDC& dc);
    void PaintSelection(CDC& dc, int x0, int scrollY);
    void PaintFindMarks(CDC& dc, int x0, int scrollY);
    void PaintGutter(CDC& dc);
    void PaintGutterMarks(CDC& dc, int first, int scrollX, int scrollY);
    void PaintMonitorColumn(CDC& dc);
    void UpdateStatusPanes();
    BOOL IsSelectionEmpty() const;
    void SetScrollHeightLines(int lines);
    void FinishPastedLine(int row);
    int StartPastedLine(int row);
    BOOL MeasurePrinter(CDC& dc, CPrintMetrics& metrics) const;
    void PrintFrame(CDC& dc, const CPrintInfo& info, const CRect& draw, const CPrintMetrics& metrics);
    void PrintCover(CDC& dc, const CPrintMetrics& metrics);
    void PrintText(CDC& dc, const CPrintInfo& info, const CRect& draw, const CPrintMetrics& metrics);
    std::string SelectionFindText() const;
    void FindInCurrentFile(const std::string& text, int mode, const IFindReplaceDialog& dialog);
    void FindNextHit(const std::string& text, const IFindReplaceDialog& dialog);
    void CollectHits(const std::string& text, const IFindReplaceDialog& dialog);
    void SelectHit(int row, int start, int end, BOOL caretAtStart);
    void ReportHit(int number, int row, const std::string& lineText, int length, int column) const;
    void SetTopLine(int row);
    void ScrollHitIntoView(int column, int length);
    void OpenFindReplace(BOOL replace);
    void ForcePicked(int value);

    CZULProject& Project() const;
    BOOL IsMonitoring() const;
    std::string GetPOUName() const;
    void SetLineState(int row, int state);
    void RebuildLabels();
    int NetworkOfRow(int row, int carried) const;
    BOOL RegisterTimerCounterInstance(const std::vector<std::string>& tokens, int row, const std::string& pouName);
    BOOL IsUnclaimedInstanceOfPOU(const std::string& name, const std::string& fbType,
                                  const std::string& pouName) const;
    BOOL IsSubroutineName(const std::string& text) const;

    CILProgram& m_program;
    CZULAppData& m_app;
    IPOUEditorHost* m_host;
    CILLineParser m_parser;
    int m_caretLine = 0;
    int m_caretColumn = 0;
    std::vector<int> m_lineStates;
    std::map<std::string, std::string> m_labels;       // upper-cased label -> row
    std::vector<CILInstanceEntry> m_instances;         // newest first
    CParenMatcher m_parens;
    LOGFONT m_textFont {};
    LOGFONT m_printFont {};
    int m_charWidth = 1;
    int m_lineHeight = 1;
    int m_gutterWidth = 0;
    int m_monitorWidth = 0;
    int m_caretWidth = 0;
    int m_caretHeight = 0;
    BOOL m_selection = FALSE;
    int m_selStartLine = 0;
    int m_selStartColumn = 0;
    int m_selEndLine = 0;
    int m_selEndColumn = 0;
    int m_anchorLine = 0;
    int m_anchorColumn = 0;
    int m_desiredColumn = 0;
    int m_findStartColumn = 0;
    BOOL m_dragging = FALSE;
    BOOL m_resizing = FALSE;
    int m_goToLine = -1;
    BOOL m_goToShown = FALSE;
    std::vector<std::unique_ptr<CILMonitorList>> m_monitorLists;
    int m_printRow = 0; // the next printed row
};
