#include "ILProgramFixture.h"

#include "model/CZULStatus.h"
#include "model/MonitorItems.h"
#include "platform/CClipboard.h"
#include "platform/CRecordingDC.h"
#include "platform/CSystemMetrics.h"
#include "pouedit/ForceValue.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using Lines = std::vector<std::string>;

constexpr DWORD HOLDER_WAIT_MS = 10000;
const std::string H0 = "(* Network 0 *)";
const std::string H1 = "(* Network 1 *)";
const std::string BLUE = "RGB(31,10,218)";
const std::string VIOLET = "RGB(53,32,120)";
const std::string BLACK = "RGB(0,0,0)";
const std::string GREEN = "RGB(0,127,0)";
const std::string VALUE_GREEN = "RGB(0,128,0)";
const std::string RED = "RGB(255,0,0)";
const std::string SELECTED = "RGB(250,250,250)";

// One piece of text as drawn: its colour, x and text.
struct Piece {
    std::string color;
    int x;
    std::string text;
    bool operator==(const Piece& other) const
    {
        return color == other.color && x == other.x && text == other.text;
    }
};

std::ostream& operator<<(std::ostream& out, const Piece& p)
{
    return out << "{" << p.color << "," << p.x << ",\"" << p.text << "\"}";
}

// The text of a recorded paint as pieces, with the text colour at each TextOut.
std::vector<Piece> Pieces(const std::vector<std::string>& calls, int y)
{
    std::vector<Piece> pieces;
    std::string color = BLACK;
    for (const std::string& call : calls) {
        if (call.rfind("SetTextColor(", 0) == 0) {
            color = call.substr(13, call.size() - 14);
            continue;
        }
        if (call.rfind("TextOut(", 0) != 0)
            continue;
        int x = 0;
        int callY = 0;
        std::sscanf(call.c_str(), "TextOut(%d,%d,", &x, &callY);
        const size_t quote = call.find('"');
        if (callY == y)
            pieces.push_back({color, x, call.substr(quote + 1, call.size() - quote - 3)});
    }
    return pieces;
}

// An IL editor after its initial update, with 8 x 16 pixel cells (gutter 42
// pixels) in a 400 x 200 view, painted into a recording device context.
class CILEditorPaintTest : public ILProgramFixture {
protected:
    static constexpr int CELL = 8;
    static constexpr int LINE = 16;
    static constexpr int GUTTER = 5 * CELL + 2;

    void SetUp() override
    {
        ILProgramFixture::SetUp();
        m_app->Fonts[0] = CSystemMetrics::Instance().GetFixedFont();
        m_app->Fonts[3] = CSystemMetrics::Instance().GetGuiFont();
        Editor().SetView(&m_view);
        Editor().OnInitialUpdate();
        CClipboard::Set(nullptr);
        CClipboard::Get().Empty();
    }

    // The pieces right of the gutter on a row.
    std::vector<Piece> PaintRow(int row)
    {
        CRecordingDC dc(CSize(400, 200));
        Editor().PaintClient(dc);
        m_calls = dc.Calls();
        return TextPieces(row);
    }
    std::vector<Piece> TextPieces(int row) const
    {
        std::vector<Piece> pieces = Pieces(m_calls, row * LINE);
        pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [](const Piece& p) { return p.x < GUTTER; }),
                     pieces.end());
        return pieces;
    }

    void StartMonitoring()
    {
        m_app->Monitoring = 1;
        Editor().UpdateMonitorDisplay();
    }

    void SetByte(const std::string& operand, const std::string& key, int value)
    {
        ASSERT_TRUE(AddMonitorAddress(operand)) << operand;
        m_app->Project.Monitor.MonitorTable.at(key)->value = value;
    }

    void Paste(const std::string& text)
    {
        CClipboard::Get().Empty();
        CClipboard::Get().SetText(text);
        Editor().OnEditPaste();
    }

    FakePOUView m_view;
    std::vector<std::string> m_calls;
};

TEST_F(CILEditorPaintTest, LinesAreColouredWordBySeparatorAndComment)
{
    struct Case {
        std::string line;
        std::vector<Piece> pieces;
    };
    const int x0 = GUTTER;
    const Case cases[] = {
        {"LD %I0.0 (* start *)",
         {{BLUE, x0, "LD"},
          {VIOLET, x0 + 2 * CELL, " "},
          {BLUE, x0 + 3 * CELL, "%"},
          {BLACK, x0 + 4 * CELL, "I0"},
          {VIOLET, x0 + 6 * CELL, "."},
          {BLACK, x0 + 7 * CELL, "0"},
          {VIOLET, x0 + 8 * CELL, " "},
          {GREEN, x0 + 9 * CELL, "(* start *)"}}},
        // An open comment stays on its line and runs to its end.
        {"(* open", {{GREEN, x0, "(* open"}}},
        // "(*)" does not close the comment it opens.
        {"(*) x *)A", {{GREEN, x0, "(*) x *)"}, {BLACK, x0 + 8 * CELL, "A"}}},
        // Q1, R1, L and D are no reserved words here; strings are black.
        {"R1 'a:b'", {{BLACK, x0, "R1"}, {VIOLET, x0 + 2 * CELL, " "}, {BLACK, x0 + 3 * CELL, "'a:b'"}}},
        {"ST %Q0.1", {{BLUE, x0, "ST"}, {VIOLET, x0 + 2 * CELL, " "}, {BLUE, x0 + 3 * CELL, "%"},
                      {BLACK, x0 + 4 * CELL, "Q0"}, {VIOLET, x0 + 6 * CELL, "."}, {BLACK, x0 + 7 * CELL, "1"}}},
    };
    for (const Case& c : cases) {
        Text() = {H0, c.line};
        EXPECT_EQ(PaintRow(1), c.pieces) << c.line;
    }
}

TEST_F(CILEditorPaintTest, SelectionAndFindMarksOverdrawTheText)
{
    Text() = {H0, "LD      %I0.0", "ST      %Q0.0"};
    Editor().SetSelection(1, 3, 2, 2);
    PaintRow(1);
    EXPECT_EQ(TextPieces(1).back(), (Piece {SELECTED, GUTTER + 3 * CELL, "     %I0.0"}));
    EXPECT_EQ(TextPieces(2).back(), (Piece {SELECTED, GUTTER, "ST"}));

    Editor().EndPendingEdit();
    m_program->SetMarksShown(TRUE);
    CFindResult& mark = m_app->Find.MarkTable[1];
    mark.Language = 1;
    mark.POUName = "MAIN";
    mark.LineText = "ST      %Q0.0";
    mark.RowOrColumn = 2;
    mark.ColumnOrRow = 8;
    mark.LengthOrWidth = 5;
    m_app->Find.MarkCount = 1;
    EXPECT_EQ(PaintRow(2).back(), (Piece {SELECTED, GUTTER + 8 * CELL, "%Q0.0"}));
    // A mark whose line has changed since the search is not drawn.
    Text()[2] = "ST      %Q0.1";
    EXPECT_EQ(PaintRow(2).back(), (Piece {BLACK, GUTTER + 12 * CELL, "1"}));
}

TEST_F(CILEditorPaintTest, GutterNumbersLinesAndMarksErrorsOnlyWhileEditing)
{
    Text() = {H0, "LD      %I0.0", "XYZ     1"};
    Editor().CheckLines(TRUE, 0);
    ASSERT_EQ(Editor().GetLineState(2), IL_LINE_ERROR);
    PaintRow(2);
    const std::vector<Piece> editing = Pieces(m_calls, 2 * LINE);
    EXPECT_NE(std::find(editing.begin(), editing.end(), Piece {BLACK, 1, "  3"}), editing.end());
    EXPECT_EQ(editing.back(), (Piece {RED, GUTTER - CELL - 1, "?"}));

    StartMonitoring();
    PaintRow(2);
    const std::vector<Piece> monitoring = Pieces(m_calls, 2 * LINE);
    EXPECT_EQ(std::count_if(monitoring.begin(), monitoring.end(), [](const Piece& p) { return p.text == "?"; }), 0);
}

TEST_F(CILEditorPaintTest, StatusPanesShowRowColumnAndNetwork)
{
    Text() = {H0, "LD      %I0.0", H1, "ST      %Q0.0"};
    struct Case {
        int line;
        int column;
        std::string network;
        std::string position;
    };
    const Case cases[] = {
        {0, 0, "  Network 0", "  Row 1, Col 1, "},
        {1, 3, "  Network 0", "  Row 2, Col 4, "},
        {3, 8, "  Network 1", "  Row 4, Col 9, "},
    };
    for (const Case& c : cases) {
        Editor().SetCaret(c.line, c.column);
        CRecordingDC dc(CSize(400, 200));
        Editor().OnPaint(&dc);
        EXPECT_EQ(m_host.statusPanes[1], c.network) << c.line;
        EXPECT_EQ(m_host.statusPanes[2], c.position) << c.line;
    }
}

TEST_F(CILEditorPaintTest, MonitorColumnShowsLabelsAndValuesAndCloses)
{
    Text() = {H0, "LD      %I0.1", "MOVE    %VW0, %QW0", "LD      %I0.0"};
    SetByte("%I0.1", "%IB0", 0x02);
    SetByte("%VW0", "%VB0", 0x12);
    m_app->Project.Monitor.MonitorTable.at("%VB1")->value = 0x34;
    SetByte("%QW0", "%QB0", 0);
    m_app->Project.Monitor.MonitorTable.at("%QB1")->value = 0;
    StartMonitoring();
    ASSERT_EQ(Editor().GetMonitorColumnWidth(), 300);
    ASSERT_EQ(Editor().GetMonitorLists().size(), 3u);

    const int right = GUTTER + 300;
    const std::vector<Piece> bit = PaintRow(1);
    const std::string text = Editor().GetMonitorLists()[0]->GetText();
    EXPECT_EQ(text, "%I0.1:       1;  \t");
    const int length = static_cast<int>(text.size());
    EXPECT_NE(std::find(bit.begin(), bit.end(), Piece {BLACK, right - length * CELL, "%I0.1:"}), bit.end());
    EXPECT_NE(std::find(bit.begin(), bit.end(), Piece {VALUE_GREEN, right - (length - 7) * CELL, "       1;  "}),
              bit.end());
    // The text is drawn 8 pixels further right while monitoring.
    EXPECT_NE(std::find(bit.begin(), bit.end(), Piece {BLACK, right + 8 + 12 * CELL, "1"}), bit.end());
    PaintRow(2);
    EXPECT_EQ(Editor().GetMonitorLists()[1]->GetText(), "%VW0:    3412;  \t%QW0:       0;  \t");

    m_app->Monitoring = 0;
    Editor().SetCaret(1, 2);
    Editor().ClearMonitorDisplay();
    EXPECT_EQ(Editor().GetMonitorColumnWidth(), 0);
    EXPECT_EQ(m_host.caretPoint.x, GUTTER + 2 * CELL);
    const std::vector<Piece> closed = PaintRow(1);
    EXPECT_EQ(std::count_if(closed.begin(), closed.end(), [](const Piece& p) { return p.color == VALUE_GREEN; }), 0);
}

TEST_F(CILEditorPaintTest, ValueLockHeldElsewhereLeavesTheColumnEmpty)
{
    Text() = {H0, "LD      %I0.1", "LD      %I0.2", "LD      %I0.3"};
    SetByte("%I0.1", "%IB0", 0x02);
    StartMonitoring();
    const std::vector<Piece> before = PaintRow(1);
    ASSERT_EQ(std::count_if(before.begin(), before.end(), [](const Piece& p) { return p.text == "%I0.1:"; }), 1);
    std::mutex guard;
    std::condition_variable changed;
    bool held = false;
    bool release = false;
    std::thread holder([&] {
        ASSERT_TRUE(m_app->MonitorValueLock.Lock(HOLDER_WAIT_MS));
        std::unique_lock<std::mutex> lock(guard);
        held = true;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
        m_app->MonitorValueLock.Unlock();
    });
    {
        std::unique_lock<std::mutex> lock(guard);
        changed.wait(lock, [&] { return held; });
    }
    const std::vector<Piece> locked = PaintRow(1);
    {
        std::lock_guard<std::mutex> lock(guard);
        release = true;
    }
    changed.notify_all();
    holder.join();
    EXPECT_EQ(std::count_if(locked.begin(), locked.end(), [](const Piece& p) { return p.color == VALUE_GREEN; }), 0);
    // No label is drawn either, not even a stale one.
    EXPECT_EQ(std::count_if(locked.begin(), locked.end(), [](const Piece& p) { return p.text == "%I0.1:"; }), 0);
    const std::vector<Piece> free = PaintRow(1);
    EXPECT_EQ(std::count_if(free.begin(), free.end(), [](const Piece& p) { return p.color == VALUE_GREEN; }), 1);
}

TEST_F(CILEditorPaintTest, CopyJoinsSelectedLinesWithCrLf)
{
    Text() = {H0, "LD      %I0.0", "ST      %Q0.0", "R       %Q0.1"};
    struct Case {
        int startLine, startColumn, endLine, endColumn;
        std::string copied;
    };
    const Case cases[] = {
        {1, 3, 2, 2, "     %I0.0\r\nST"},
        {1, 8, 1, 13, "%I0.0"},
        {1, 8, 3, 1, "%I0.0\r\nST      %Q0.0\r\nR"},
    };
    for (const Case& c : cases) {
        Editor().SetSelection(c.startLine, c.startColumn, c.endLine, c.endColumn);
        FakeCommandUI ui;
        Editor().OnUpdateEditCopy(ui);
        EXPECT_TRUE(ui.enabled);
        Editor().OnEditCopy();
        std::string text;
        ASSERT_TRUE(CClipboard::Get().GetText(&text));
        EXPECT_EQ(text, c.copied);
    }
}

TEST_F(CILEditorPaintTest, PasteBreaksLinesAtCrTabsAndLength)
{
    struct Case {
        std::string name;
        Lines before;
        int line, column;
        std::string text;
        Lines after;
        int caretLine, caretColumn;
    };
    const std::string long300(300, 'A');
    const Case cases[] = {
        {"crlf", {H0, "XY"}, 1, 1, "A\r\nB", {H0, "XA", "BY"}, 2, 2},
        {"lf alone", {H0, "XY"}, 1, 1, "A\nB", {H0, "XA", "BY"}, 2, 2},
        // The byte after a lone CR is text, not a line end to skip.
        {"cr alone", {H0, "XY"}, 1, 1, "A\rB", {H0, "XA", "BY"}, 2, 2},
        {"tab", {H0, ""}, 1, 0, "\tR", {H0, "R"}, 1, 1},
        {"cr last", {H0, "XY"}, 1, 1, "A\r", {H0, "XAY"}, 1, 3},
        {"long", {H0, ""}, 1, 0, long300, {H0, std::string(260, 'A'), std::string(40, 'A')}, 2, 40},
        {"headers renumbered", {H0, "LD      %I0.0"}, 1, 13, "\r\n(* Network 7 *)\r\nST      %Q0.0",
         {H0, "LD      %I0.0", H1, "ST      %Q0.0"}, 3, 13},
    };
    for (const Case& c : cases) {
        Text() = c.before;
        Editor().SetCaret(c.line, c.column);
        const int undo = m_program->GetUndoCount();
        Paste(c.text);
        EXPECT_EQ(Text(), c.after) << c.name;
        EXPECT_EQ(Editor().GetCaretLine(), c.caretLine) << c.name;
        EXPECT_EQ(Editor().GetCaretColumn(), c.caretColumn) << c.name;
        EXPECT_EQ(m_program->GetUndoCount(), undo + 1) << c.name;
    }
    // Nothing on the header line, and nothing while monitoring.
    Text() = {H0, "XY"};
    Editor().SetCaret(0, 3);
    Paste("A");
    EXPECT_EQ(Text(), (Lines {H0, "XY"}));
    Editor().SetCaret(1, 1);
    m_app->Monitoring = 1;
    Paste("A");
    EXPECT_EQ(Text(), (Lines {H0, "XY"}));
}

TEST_F(CILEditorPaintTest, CutCopiesAndDeletesTheSelection)
{
    Text() = {H0, "LD      %I0.0", "ST      %Q0.0"};
    Editor().SetSelection(1, 8, 1, 13);
    Editor().OnEditCut();
    std::string text;
    ASSERT_TRUE(CClipboard::Get().GetText(&text));
    EXPECT_EQ(text, "%I0.0");
    EXPECT_EQ(Text()[1].substr(0, 2), "LD");
    EXPECT_EQ(Text()[1].find("%I0.0"), std::string::npos);
    EXPECT_FALSE(Editor().HasSelection());
}

TEST_F(CILEditorPaintTest, UndoAndRedoRestoreTextAndCaret)
{
    Text() = {H0, "LD"};
    Editor().SetCaret(1, 2);
    m_program->PushUndoSnapshot();
    Editor().OnChar('N', 1, 0);
    ASSERT_EQ(Text()[1], "LDN");
    FakeCommandUI ui;
    Editor().OnUpdateEditUndo(ui);
    EXPECT_TRUE(ui.enabled);

    Editor().OnEditUndo();
    EXPECT_EQ(Text()[1], "LD");
    EXPECT_EQ(Editor().GetCaretColumn(), 2);
    Editor().OnUpdateEditRedo(ui);
    EXPECT_TRUE(ui.enabled);

    Editor().OnEditRedo();
    EXPECT_EQ(Text()[1], "LDN");
    EXPECT_EQ(Editor().GetCaretColumn(), 3);
    Editor().OnUpdateEditRedo(ui);
    EXPECT_FALSE(ui.enabled);

    m_app->Monitoring = 1;
    Editor().OnUpdateEditUndo(ui);
    EXPECT_FALSE(ui.enabled);
}

TEST_F(CILEditorPaintTest, SelectAllAndEndPendingEdit)
{
    Text() = {H0, "LD      %I0.0", "ST      %Q0.0"};
    Editor().OnEditSelectAll();
    EXPECT_EQ(Editor().GetSelectedText(), H0 + "\r\nLD      %I0.0\r\nST      %Q0.0");
    EXPECT_EQ(Editor().GetCaretLine(), 2);
    EXPECT_EQ(Editor().GetCaretColumn(), 13);
    EXPECT_TRUE(Editor().EndPendingEdit());
    EXPECT_FALSE(Editor().EndPendingEdit());
}

TEST_F(CILEditorPaintTest, ForceCommandsUseTheOperandUnderTheCaret)
{
    AddSymbol("Motor", "%Q0.2", OT_BOOL);
    m_host.locals["FLAG"] = {"L0.0", OT_BOOL};
    Text() = {H0, "ST      %Q0.1", "LD      Motor", "MOVE    5, %VW0", "LD      FLAG"};
    m_app->Monitoring = 1;
    struct Case {
        int line, column;
        std::string operand;
        BOOL boolEnabled;
        BOOL anyEnabled;
        std::string forced;
    };
    const Case cases[] = {
        {1, 10, "%Q0.1", TRUE, TRUE, "force %Q0.1=1"},
        {2, 9, "Motor", TRUE, TRUE, "force %Q0.2=1"},
        {3, 8, "5", FALSE, FALSE, ""},
        {3, 7, "", FALSE, FALSE, ""},
        {3, 12, "%VW0", FALSE, TRUE, ""},
    };
    for (const Case& c : cases) {
        Editor().SetCaret(c.line, c.column);
        Editor().PickForceOperand();
        EXPECT_EQ(Editor().GetForceOperand(), c.operand) << c.line << "," << c.column;
        FakeCommandUI boolUi;
        FakeCommandUI anyUi;
        Editor().OnUpdateForceTrue(boolUi);
        Editor().OnUpdateForce(anyUi);
        EXPECT_EQ(boolUi.enabled, c.boolEnabled) << c.operand;
        EXPECT_EQ(anyUi.enabled, c.anyEnabled) << c.operand;
        m_host.forceRequests.clear();
        Editor().OnForceTrue();
        EXPECT_EQ(m_host.forceRequests, c.forced.empty() ? std::vector<std::string> {}
                                                         : std::vector<std::string> {c.forced});
    }
    Editor().SetCaret(2, 9);
    Editor().PickForceOperand();
    m_host.forceRequests.clear();
    Editor().OnForceFalse();
    Editor().OnUnforce();
    Editor().OnForce();
    EXPECT_EQ(m_host.forceRequests,
              (std::vector<std::string> {"force %Q0.2=0", "unforce %Q0.2", "dialog Motor@%Q0.2"}));
    CPoint keyboard(-1, -1);
    EXPECT_EQ(Editor().GetContextMenuId(keyboard), 126);
    m_app->Monitoring = 0;
    CPoint click(10, 10);
    EXPECT_EQ(Editor().GetContextMenuId(click), 157);
}

TEST_F(CILEditorPaintTest, SymbolicAddressingRewritesWithoutSnapshot)
{
    AddSymbol("Motor", "%Q0.2", OT_BOOL);
    Text() = {H0, "ST      %Q0.2"};
    const int undo = m_program->GetUndoCount();
    Editor().SetSymbolicAddressing(TRUE);
    EXPECT_EQ(Text()[1], "ST      Motor");
    Editor().SetSymbolicAddressing(FALSE);
    EXPECT_EQ(Text()[1], "ST      %Q0.2");
    EXPECT_EQ(m_program->GetUndoCount(), undo);
}

TEST_F(CILEditorPaintTest, ForceValuesMustSuitTheAddressType)
{
    struct Case {
        std::string address;
        std::string value;
        BOOL accepted;
        DWORD forced;
    };
    const Case cases[] = {
        {"%Q0.0", "true", TRUE, 1},
        {"%Q0.0", " FALSE ", TRUE, 0},
        {"%Q0.0", "1", FALSE, 0},
        {"%VB0", "B#200", TRUE, 200},
        {"%VB0", "200", FALSE, 0},
        {"%VW0", "-2", TRUE, 0xFFFFFFFE},
        {"%VD0", "di#-5", TRUE, 0xFFFFFFFB},
        {"%VR0", "3", FALSE, 0},
        {"%VR0", "3.0", TRUE, 0x40400000},
        {"%VB0", "3.0", FALSE, 0},
        {"%VB0", "", FALSE, 0},
        {"Motor", "1", FALSE, 0},
    };
    for (const Case& c : cases) {
        DWORD value = 0;
        EXPECT_EQ(CheckForceValue(c.address, c.value, value), c.accepted) << c.address << " " << c.value;
        if (c.accepted) {
            EXPECT_EQ(value, c.forced) << c.address << " " << c.value;
        }
    }
}

} // namespace

namespace {

TEST_F(CILEditorPaintTest, FindAndReplaceOpenTheDialogWithTheSelectedText)
{
    Text() = {H0, "LD      %I0.0", "ST      %Q0.0"};
    FakeFindReplaceDialog& dialog = m_host.findDialog;
    m_app->Find.LastFindText = "OLD";
    Editor().SetSelection(1, 8, 2, 2);
    Editor().OnEditFind();
    EXPECT_FALSE(Editor().HasSelection());
    EXPECT_EQ(m_app->Find.DialogMode, 1);
    EXPECT_EQ(dialog.calls, (std::vector<std::string> {"open 1", "text %I0.0", "history OLD", "find 1", "findOnly 1",
                                                        "show 0"}));
    // The Find dialog open: Replace does nothing.
    dialog.calls.clear();
    Editor().OnEditReplace();
    EXPECT_TRUE(dialog.calls.empty());

    m_app->Find.DialogMode = 0;
    dialog.wideScope = TRUE;
    Editor().SetSelection(1, 3, 1, 3);
    Editor().OnEditReplace();
    EXPECT_EQ(m_app->Find.DialogMode, 2);
    EXPECT_EQ(dialog.calls, (std::vector<std::string> {"open 0", "text OLD", "history OLD", "find 1", "findOnly 0",
                                                        "show 1", "replace 01"}));
    // The Replace dialog open: Find does nothing; while monitoring neither opens.
    dialog.calls.clear();
    Editor().OnEditFind();
    m_app->Find.DialogMode = 0;
    m_app->Monitoring = 1;
    Editor().OnEditFind();
    EXPECT_TRUE(dialog.calls.empty());
}

} // namespace

namespace {

TEST_F(CILEditorPaintTest, MarkAllShowsInTheNextPaintAlsoOnLinesWithLowerCase)
{
    Text() = {H0, "LD      %I0.0", "ST      %Q0.0 (* out *)"};
    m_app->Find.CurrentPOUName = "MAIN";
    m_host.findDialog.scope = FIND_SCOPE_CURRENT_FILE;
    Editor().Find("OUT", 2);
    EXPECT_EQ(PaintRow(2).back(), (Piece {SELECTED, GUTTER + 17 * CELL, "out"}));
    Editor().Find("OUT", 1);
    EXPECT_NE(PaintRow(2).back().color, SELECTED);
}

} // namespace
