// The LD editor's mouse, keyboard, focus and scroll-bar handling: the
// in-place operand editor opened on a label and committed on every
// occasion with one undo snapshot, the stored operand untouched while it is
// typed, the context menus, the cursor, the F1 topics, the element dialogs,
// scrolling by cells, drags over networks, and browsing only while the PLC
// is monitored.

#include "ElementFixture.h"
#include "NetworkElements.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CBlock.h"
#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "ladder/ILDDialogs.h"
#include "platform/CursorShapes.h"
#include "platform/ui/WinMessages.h"
#include "model/CZULFunc.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr UINT CHAR_RETURN = 0x0D;
constexpr UINT CHAR_ESCAPE = 0x1B;

// Answers each dialog as told and records which one opened.
class CScriptedLDDialogs : public ILDDialogs {
public:
    BOOL SelectBlock(int*, std::string*, std::string*) override { return FALSE; }
    BOOL EditContactCoil(CLDProgram&, CLDElement& element, BOOL coil, std::string* type) override
    {
        calls.push_back(std::string(coil ? "coil " : "contact ") + element.GetTypeText());
        *type = chosenType;
        return answer;
    }
    BOOL EditBlockParameters(const std::string& pouName, CLDProgram&, CBlock&) override
    {
        calls.push_back("block " + pouName);
        return answer;
    }
    BOOL EditComment(std::string* text, BOOL* modified) override
    {
        calls.push_back("comment " + *text);
        *text = chosenText;
        *modified = answer;
        return answer;
    }

    BOOL answer = TRUE;
    std::string chosenType = "-|/|-";
    std::string chosenText = "new text";
    std::vector<std::string> calls;
};

// A view that shows no document.
class CDocumentlessHost : public FakePOUHost {
public:
    BOOL HasDocument() const override { return FALSE; }
};

std::vector<std::string> Networks(int count)
{
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n) {
        lines.push_back("(* Network " + std::to_string(n) + " *)");
        lines.push_back("LD %I0." + std::to_string(n % 8));
        lines.push_back("AND %I1." + std::to_string(n % 8));
        lines.push_back("ST %Q0." + std::to_string(n % 8));
    }
    return lines;
}

} // namespace

class LDEditorInputTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        m_host.clientSize = CSize(800, 400);
        m_host.totalSize = CSize(2000, 4000);
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
        ASSERT_TRUE(m_program->LoadFromIL(Networks(4)));
        Editor().SetDialogs(&m_dialogs);
        Editor().LayoutAll();
    }
    void TearDown() override
    {
        m_app->Monitoring = 0;
        m_program.reset();
        ElementFixture::TearDown();
    }

    CLDEditor& Editor() { return m_program->GetLDEditor(); }

    // The first element of a kind on the rung of a network.
    CLDElement* Find(int kind, int network) { return FirstElementOfKind(*m_program, kind, network); }

    // A client point on the element's operand label (the view is not scrolled).
    static CPoint LabelPoint(const CLDElement* element)
    {
        const CLDCellRect cell = element->GetPosition();
        return CPoint(cell.column * LD_CELL_WIDTH + LD_CELL_WIDTH / 2, cell.row * LD_CELL_HEIGHT + 3);
    }
    // A client point on the element's symbol, below its label.
    static CPoint BodyPoint(const CLDElement* element)
    {
        const CLDCellRect cell = element->GetPosition();
        return CPoint(cell.column * LD_CELL_WIDTH + LD_CELL_WIDTH / 2, cell.row * LD_CELL_HEIGHT + 30);
    }

    void Type(const std::string& text)
    {
        for (unsigned char c : text)
            Editor().OnChar(c, 1, 0);
    }

    FakePOUHost m_host;
    CScriptedLDDialogs m_dialogs;
    CScopedUi m_ui;
    CRecordingDC m_dc {CSize(800, 400)};
    std::unique_ptr<CLDProgram> m_program;
};

TEST_F(LDEditorInputTest, APressOnAnOperandLabelOpensTheEditorWithAllTextSelected)
{
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    ASSERT_NE(contact, nullptr);
    const CPoint label = LabelPoint(contact);
    Editor().OnLButtonDown(0, label.x, label.y);
    ASSERT_TRUE(Editor().IsEditingOperand());
    EXPECT_EQ(m_program->GetSelection(), contact);
    const CLDInplaceEdit& edit = Editor().GetOperandEditor();
    EXPECT_EQ(edit.GetText(), "%I0.0");
    EXPECT_TRUE(edit.HasSelection());
    EXPECT_EQ(edit.GetSelectionEnd(), 5);
    EXPECT_EQ(m_host.caretSize, CSize(2, m_host.lineHeight));
    EXPECT_TRUE(m_host.caretShown);
    EXPECT_TRUE(m_host.captured);
    Editor().OnLButtonUp(0, label.x, label.y);
    EXPECT_FALSE(m_host.captured);

    // A press on the symbol selects without opening the editor.
    CLDElement* coil = Find(LD_KIND_CONTACT, 1);
    const CPoint body = BodyPoint(coil);
    Editor().OnLButtonDown(0, body.x, body.y);
    EXPECT_FALSE(Editor().IsEditingOperand());
    EXPECT_EQ(m_program->GetSelection(), coil);
    EXPECT_EQ(m_host.caretSize, CSize());
}

TEST_F(LDEditorInputTest, EveryCommitOccasionStoresTheTypedOperandWithOneUndoSnapshot)
{
    using Occasion = std::function<void(CLDEditor&, CLDProgram&)>;
    struct Case {
        const char* name;
        Occasion commit;
    } cases[] = {
        {"Enter", [](CLDEditor& e, CLDProgram&) { e.OnChar(CHAR_RETURN, 1, 0); }},
        {"Esc", [](CLDEditor& e, CLDProgram&) { e.OnChar(CHAR_ESCAPE, 1, 0); }},
        {"a press outside", [](CLDEditor& e, CLDProgram&) { e.OnLButtonDown(0, 5, 5); }},
        {"a double click outside", [](CLDEditor& e, CLDProgram&) { e.OnLButtonDblClk(0, 5, 5); }},
        {"a right press outside", [](CLDEditor& e, CLDProgram&) { e.OnRButtonDown(0, 5, 5); }},
        {"focus loss", [](CLDEditor& e, CLDProgram&) { e.OnKillFocus(); }},
        {"scrolling", [](CLDEditor& e, CLDProgram&) { e.OnVScroll(POU_SCROLL_LINEDOWN, 0); }},
        {"F1", [](CLDEditor& e, CLDProgram&) { e.OnKeyDown(VK_F1, 1, 0); }},
        {"the compile request", [](CLDEditor& e, CLDProgram&) { e.EndPendingEdit(); }},
        {"saving", [](CLDEditor&, CLDProgram& p) { p.PrepareSave("MAIN.ilp"); }},
        {"the IL listing",
         [](CLDEditor&, CLDProgram& p) {
             std::vector<std::string> lines;
             p.GetILLines(lines);
         }},
        {"the live values starting", [](CLDEditor& e, CLDProgram&) { e.UpdateMonitorDisplay(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.scrollY = 0;
        ASSERT_TRUE(m_program->LoadFromIL(Networks(4)));
        CLDElement* contact = Find(LD_KIND_CONTACT, 0);
        ASSERT_NE(contact, nullptr);
        const CPoint label = LabelPoint(contact);
        Editor().OnLButtonDown(0, label.x, label.y);
        Editor().OnLButtonUp(0, label.x, label.y);
        ASSERT_TRUE(Editor().IsEditingOperand());
        Type("%m1.2");
        m_host.modified = FALSE;
        const int snapshots = m_program->GetUndoCount();
        c.commit(Editor(), *m_program);
        EXPECT_FALSE(Editor().IsEditingOperand());
        EXPECT_EQ(contact->GetOperand(), "%M1.2");
        EXPECT_EQ(contact->GetSelectedLabel(), -1);
        EXPECT_EQ(m_program->GetUndoCount(), snapshots + 1);
        EXPECT_TRUE(m_host.modified);
        EXPECT_EQ(m_host.caretSize, CSize());
        EXPECT_EQ(Editor().GetOperandEditor().GetText(), "");
    }
}

TEST_F(LDEditorInputTest, TheStoredOperandStaysWhileItIsTypedAndSavingTakesTheTypedOne)
{
    ASSERT_TRUE(m_program->LoadFromIL({"(* Network 0 *)", "LD ????", "ST %Q0.0"}));
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    ASSERT_NE(contact, nullptr);
    ASSERT_EQ(contact->GetOperand(), "????");
    const CPoint label = LabelPoint(contact);
    Editor().OnLButtonDown(0, label.x, label.y);
    ASSERT_TRUE(Editor().IsEditingOperand());
    EXPECT_EQ(Editor().GetOperandEditor().GetText(), "????");
    Type("%I1.3");
    Editor().Draw(&m_dc);
    Editor().Draw(&m_dc);
    EXPECT_EQ(contact->GetOperand(), "????");
    EXPECT_TRUE(Editor().IsEditingOperand());
    const CLDCellRect cell = contact->GetPosition();
    const std::string shown = "TextOut(" + std::to_string(cell.column * LD_CELL_WIDTH + 3) + "," +
                              std::to_string(cell.row * LD_CELL_HEIGHT + 3) + ",\"%I1.3\")";
    EXPECT_NE(std::find(m_dc.Calls().begin(), m_dc.Calls().end(), shown), m_dc.Calls().end());

    ASSERT_TRUE(m_program->PrepareSave("MAIN.ilp"));
    std::vector<std::string> lines;
    m_program->GetILLines(lines);
    const bool typed = std::any_of(lines.begin(), lines.end(),
                                   [](const std::string& line) { return line.find("%I1.3") != std::string::npos; });
    const bool unset = std::any_of(lines.begin(), lines.end(),
                                   [](const std::string& line) { return line.find("????") != std::string::npos; });
    EXPECT_TRUE(typed);
    EXPECT_FALSE(unset);
}

TEST_F(LDEditorInputTest, EnterOpensTheEditorCommitsAndMovesRight)
{
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    ASSERT_NE(contact, nullptr);
    const CPoint body = BodyPoint(contact);
    Editor().OnLButtonDown(0, body.x, body.y);
    ASSERT_FALSE(Editor().IsEditingOperand());
    Editor().OnChar(CHAR_RETURN, 1, 0);
    ASSERT_TRUE(Editor().IsEditingOperand());
    Type("%I0.4");
    Editor().OnChar(CHAR_RETURN, 1, 0);
    EXPECT_FALSE(Editor().IsEditingOperand());
    EXPECT_EQ(contact->GetOperand(), "%I0.4");
    ASSERT_NE(m_program->GetSelection(), nullptr);
    EXPECT_EQ(m_program->GetSelection()->GetPosition().row, contact->GetPosition().row);
    EXPECT_EQ(m_program->GetSelection()->GetPosition().column, contact->GetPosition().column + 1);

    // Enter with nothing selected acts as the Right key.
    Editor().OnLButtonDown(0, 5, 5);
    ASSERT_EQ(m_program->GetSelection(), nullptr);
    Editor().OnChar(CHAR_RETURN, 1, 0);
    EXPECT_EQ(Editor().GetFocusRect(), CRect(100, 0, 200, 40));
}

TEST_F(LDEditorInputTest, DoubleClickAndEnterOpenTheElementsDialog)
{
    auto* root = static_cast<CCoil*>(m_program->GetItems()[1].get());
    root->SetTypeText("-(RET)");
    m_program->Select(root);
    Editor().OnChar(CHAR_RETURN, 1, 0);
    EXPECT_FALSE(Editor().IsEditingOperand());
    EXPECT_EQ(m_dialogs.calls, std::vector<std::string>{"coil -(RET)"});
    EXPECT_EQ(root->GetTypeText(), "-|/|-");

    struct Case {
        const char* name;
        BOOL answer;
        int snapshots;
        BOOL modified;
    } cases[] = {
        {"OK sets the type", TRUE, 1, TRUE},
        {"Cancel changes nothing", FALSE, 0, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLDElement* contact = Find(LD_KIND_CONTACT, 1);
        const std::string before = contact->GetTypeText();
        const CPoint body = BodyPoint(contact);
        Editor().OnLButtonDown(0, body.x, body.y);
        m_dialogs.calls.clear();
        m_dialogs.answer = c.answer;
        m_host.modified = FALSE;
        const int snapshots = m_program->GetUndoCount();
        Editor().OnLButtonDblClk(0, body.x, body.y);
        EXPECT_EQ(m_dialogs.calls, std::vector<std::string>{"contact " + before});
        EXPECT_EQ(contact->GetTypeText(), c.answer ? "-|/|-" : before);
        EXPECT_EQ(m_program->GetUndoCount(), snapshots + c.snapshots);
        EXPECT_EQ(m_host.modified, c.modified);
    }

    // A network comment takes the dialog's text without a snapshot.
    m_dialogs.answer = TRUE;
    m_dialogs.calls.clear();
    auto* header = static_cast<CComment*>(m_program->GetItems()[0].get());
    m_program->Select(header);
    const int snapshots = m_program->GetUndoCount();
    Editor().EditSelectedElement();
    ASSERT_EQ(m_dialogs.calls.size(), 1u);
    EXPECT_EQ(header->GetText(), "new text");
    EXPECT_EQ(m_program->GetUndoCount(), snapshots);

    // A double click inside the open editor selects its text.
    CLDElement* contact = Find(LD_KIND_CONTACT, 2);
    const CPoint label = LabelPoint(contact);
    Editor().OnLButtonDown(0, label.x, label.y);
    Editor().OnLButtonDown(0, label.x, label.y);
    EXPECT_FALSE(Editor().GetOperandEditor().HasSelection());
    m_dialogs.calls.clear();
    Editor().OnLButtonDblClk(0, label.x, label.y);
    EXPECT_TRUE(Editor().IsEditingOperand());
    EXPECT_TRUE(Editor().GetOperandEditor().HasSelection());
    EXPECT_TRUE(m_dialogs.calls.empty());
}

TEST_F(LDEditorInputTest, ContextMenusFollowTheEditorAndTheMonitoring)
{
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    const CPoint label = LabelPoint(contact);
    Editor().OnLButtonDown(0, label.x, label.y);
    ASSERT_TRUE(Editor().IsEditingOperand());
    struct Case {
        const char* name;
        CPoint point;
        int menu;
    } cases[] = {
        {"inside the operand editor", label, CLDEditor::MENU_OPERAND_EDIT},
        {"outside it", CPoint(5, 5), CLDEditor::MENU_LD_EDIT},
        {"beyond the client area", CPoint(800, 5), CLDEditor::NO_CONTEXT_MENU},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPoint point = c.point;
        EXPECT_EQ(Editor().GetContextMenuId(point), c.menu);
    }
    // A right press inside the editor leaves it open; outside it commits.
    Editor().OnRButtonDown(0, label.x, label.y);
    EXPECT_TRUE(Editor().IsEditingOperand());
    const CPoint body = BodyPoint(contact);
    Editor().OnRButtonDown(0, body.x, body.y);
    EXPECT_FALSE(Editor().IsEditingOperand());
    EXPECT_EQ(m_program->GetSelection(), contact);

    // The context-menu key opens the menu at the centre of the focused cell;
    // the selected element keeps the point in diagram pixels.
    m_host.scrollY = 40;
    CPoint key(-1, -1);
    EXPECT_EQ(Editor().GetContextMenuId(key), CLDEditor::MENU_LD_EDIT);
    const CRect focus = Editor().GetFocusRect();
    EXPECT_EQ(key, CPoint(focus.CenterPoint().x, focus.CenterPoint().y - 40));
    EXPECT_EQ(Editor().GetContextPoint(), focus.CenterPoint());

    m_app->Monitoring = 1;
    CPoint point(5, 5);
    EXPECT_EQ(Editor().GetContextMenuId(point), CLDEditor::MENU_MONITOR);
}

TEST_F(LDEditorInputTest, TheCursorIsAnIBeamOverTheOperandEditor)
{
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    const CPoint label = LabelPoint(contact);
    EXPECT_FALSE(Editor().OnSetCursor(1, 0, label.x, label.y));
    Editor().OnLButtonDown(0, label.x, label.y);
    EXPECT_TRUE(Editor().OnSetCursor(1, 0, label.x, label.y));
    EXPECT_EQ(m_host.cursor, IDC_IBEAM);
    EXPECT_FALSE(Editor().OnSetCursor(1, 0, 5, 5));
}

TEST_F(LDEditorInputTest, F1OpensTheTopicOfTheSelection)
{
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    struct Case {
        const char* name;
        CLDElement* selected;
        int monitoring;
        std::string topic;
    } cases[] = {
        {"a contact's type", contact, 0, contact->GetTypeText()},
        {"a network comment", m_program->GetItems()[0].get(), 0, "wangluo-LD"},
        {"nothing selected", nullptr, 0, "LD-bianji"},
        {"monitoring", contact, 1, "jianshi-LD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_app->Monitoring = c.monitoring;
        if (c.selected)
            m_program->Select(c.selected);
        else
            m_program->ClearSelection();
        m_ui.help.Clear();
        Editor().OnKeyDown(VK_F1, 1, 0);
        const auto requests = m_ui.help.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].topic, c.topic);
    }
}

TEST_F(LDEditorInputTest, F1OnAProjectSubroutineBoxWithoutItsOwnTopicOpensCAL)
{
    auto* interface = new CZULFunc;
    interface->name = "FILLTANK";
    m_app->Project.POUs.RegisterSubroutineInterface(interface);
    struct Case {
        const char* name;
        std::string function;
        std::string topic;
    } cases[] = {
        {"a subroutine without a topic", "FILLTANK", "CAL"},
        {"a function with its topic", "TON", "TON"},
        {"an unknown name keeps its own", "NOWHERE", "NOWHERE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CBlock block;
        auto function = std::make_unique<CZULFunc>();
        function->name = c.function;
        block.SetFunction(std::move(function));
        m_program->Select(&block);
        m_ui.help.Clear();
        Editor().OnKeyDown(VK_F1, 1, 0);
        m_program->ClearSelection();
        ASSERT_EQ(m_ui.help.Requests().size(), 1u);
        EXPECT_EQ(m_ui.help.Requests()[0].topic, c.topic);
    }
}

TEST_F(LDEditorInputTest, ScrollBarsMoveByWholeCellsWithinTheRange)
{
    struct Case {
        const char* name;
        int bar;
        UINT code;
        UINT position;
        CPoint expected;
    } cases[] = {
        {"line up", POU_SCROLL_VERT, POU_SCROLL_LINEUP, 0, CPoint(300, 160)},
        {"line down", POU_SCROLL_VERT, POU_SCROLL_LINEDOWN, 0, CPoint(300, 240)},
        {"page up is one row", POU_SCROLL_VERT, POU_SCROLL_PAGEUP, 0, CPoint(300, 160)},
        {"page down is one row", POU_SCROLL_VERT, POU_SCROLL_PAGEDOWN, 0, CPoint(300, 240)},
        {"top", POU_SCROLL_VERT, POU_SCROLL_TOP, 0, CPoint(300, 0)},
        {"bottom", POU_SCROLL_VERT, POU_SCROLL_BOTTOM, 0, CPoint(300, 3600)},
        {"line left", POU_SCROLL_HORZ, POU_SCROLL_LINEUP, 0, CPoint(200, 200)},
        {"page right is two columns", POU_SCROLL_HORZ, POU_SCROLL_PAGEDOWN, 0, CPoint(500, 200)},
        {"thumb track rounds down to a column", POU_SCROLL_HORZ, POU_SCROLL_THUMBTRACK, 457, CPoint(400, 200)},
        {"thumb track stays in the range", POU_SCROLL_HORZ, POU_SCROLL_THUMBTRACK, 5000, CPoint(1200, 200)},
        {"right end changes nothing", POU_SCROLL_HORZ, POU_SCROLL_BOTTOM, 0, CPoint(300, 200)},
        {"thumb position changes nothing", POU_SCROLL_HORZ, 4, 0, CPoint(300, 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.scrollX = 300;
        m_host.scrollY = 200;
        if (c.bar == POU_SCROLL_VERT)
            Editor().OnVScroll(c.code, c.position);
        else
            Editor().OnHScroll(c.code, c.position);
        EXPECT_EQ(CPoint(m_host.scrollX, m_host.scrollY), c.expected);
    }
    // At the top a line up stays there.
    m_host.scrollY = 0;
    Editor().OnVScroll(POU_SCROLL_LINEUP, 0);
    EXPECT_EQ(m_host.scrollY, 0);
    // Page Down scrolls one row.
    Editor().OnKeyDown(VK_NEXT, 1, 0);
    EXPECT_EQ(m_host.scrollY, 40);
}

TEST_F(LDEditorInputTest, DraggingAcrossNetworksSelectsThemWhole)
{
    m_host.clientSize = CSize(1200, 2000);
    const std::vector<int> rows = Editor().GetFirstRows();
    const int firstRow = rows[0] + 1;
    const int thirdRow = rows[2] + 1;
    Editor().OnLButtonDown(0, 150, firstRow * LD_CELL_HEIGHT + 30);
    Editor().OnMouseMove(MK_LBUTTON, 160, firstRow * LD_CELL_HEIGHT + 25);
    EXPECT_FALSE(Editor().IsNetworkSelection());
    Editor().OnMouseMove(MK_LBUTTON, 150, thirdRow * LD_CELL_HEIGHT + 30);
    ASSERT_TRUE(Editor().IsNetworkSelection());
    EXPECT_EQ(Editor().GetSelectionFirst(), 0);
    EXPECT_EQ(Editor().GetSelectionLast(), 2);
    EXPECT_FALSE(Editor().IsEditingOperand());
    Editor().OnLButtonUp(0, 150, thirdRow * LD_CELL_HEIGHT + 30);
    // Without the button a move selects nothing.
    Editor().OnLButtonDown(0, 5, 5);
    Editor().OnLButtonUp(0, 5, 5);
    Editor().OnMouseMove(0, 150, thirdRow * LD_CELL_HEIGHT + 30);
    EXPECT_FALSE(Editor().IsNetworkSelection());

    // Delete removes the selected networks.
    Editor().OnLButtonDown(0, 150, firstRow * LD_CELL_HEIGHT + 30);
    Editor().OnMouseMove(MK_LBUTTON, 150, rows[1] * LD_CELL_HEIGHT + 60);
    Editor().OnLButtonUp(0, 0, 0);
    ASSERT_TRUE(Editor().IsNetworkSelection());
    Editor().OnKeyDown(VK_DELETE, 1, 0);
    EXPECT_EQ(m_program->GetNetworkCount(), 2);
    EXPECT_TRUE(m_host.modified);
}

TEST_F(LDEditorInputTest, ShiftUpAndDownSelectNetworksOneByOne)
{
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    const CPoint body = BodyPoint(contact);
    Editor().OnLButtonDown(0, body.x, body.y);
    m_host.heldKeys.insert(VK_SHIFT);
    Editor().OnKeyDown(VK_DOWN, 1, 0);
    ASSERT_TRUE(Editor().IsNetworkSelection());
    EXPECT_EQ(Editor().GetSelectionFirst(), 0);
    EXPECT_EQ(Editor().GetSelectionLast(), 0);
    Editor().OnKeyDown(VK_DOWN, 1, 0);
    EXPECT_EQ(Editor().GetSelectionLast(), 1);
    Editor().OnKeyDown(VK_DOWN, 1, 0);
    EXPECT_EQ(Editor().GetSelectionLast(), 2);
    Editor().OnKeyDown(VK_UP, 1, 0);
    EXPECT_EQ(Editor().GetSelectionFirst(), 0);
    EXPECT_EQ(Editor().GetSelectionLast(), 1);
}

TEST_F(LDEditorInputTest, WhileMonitoringTheDiagramIsOnlyBrowsed)
{
    m_app->Monitoring = 1;
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    const CPoint label = LabelPoint(contact);
    Editor().OnLButtonDown(0, label.x, label.y);
    EXPECT_EQ(m_program->GetSelection(), contact);
    EXPECT_FALSE(Editor().IsEditingOperand());
    Editor().OnKeyDown(VK_RIGHT, 1, 0);
    EXPECT_NE(m_program->GetSelection(), contact);

    // Delete and Backspace change no element but still mark the document modified.
    struct Case {
        const char* name;
        std::function<void(CLDEditor&)> input;
        BOOL marksModified;
    } cases[] = {
        {"Delete", [](CLDEditor& e) { e.OnKeyDown(VK_DELETE, 1, 0); }, TRUE},
        {"Backspace", [](CLDEditor& e) { e.OnChar(VK_BACK, 1, 0); }, TRUE},
        {"Enter", [](CLDEditor& e) { e.OnChar(CHAR_RETURN, 1, 0); }, FALSE},
        {"a double click", [](CLDEditor& e) { e.OnLButtonDblClk(0, 150, 90); }, FALSE},
        {"a drag", [](CLDEditor& e) {
             e.OnLButtonDown(0, 150, 60);
             e.OnMouseMove(MK_LBUTTON, 150, 300);
         }, FALSE},
    };
    const int networks = m_program->GetNetworkCount();
    const int snapshots = m_program->GetUndoCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.modified = FALSE;
        c.input(Editor());
        EXPECT_EQ(m_host.modified, c.marksModified);
        EXPECT_FALSE(Editor().IsEditingOperand());
        EXPECT_FALSE(Editor().IsNetworkSelection());
    }
    EXPECT_TRUE(m_dialogs.calls.empty());
    EXPECT_EQ(m_program->GetNetworkCount(), networks);
    EXPECT_EQ(m_program->GetUndoCount(), snapshots);
}

TEST_F(LDEditorInputTest, WithoutADocumentNoKeyActs)
{
    CDocumentlessHost host;
    CLDProgram program(*m_app, &host);
    ASSERT_TRUE(program.LoadFromIL(Networks(2)));
    CLDEditor& editor = program.GetLDEditor();
    editor.OnSetFocus();
    const CRect focus = editor.GetFocusRect();
    editor.OnKeyDown(VK_RIGHT, 1, 0);
    editor.OnKeyDown(VK_DOWN, 1, 0);
    editor.OnChar(CHAR_RETURN, 1, 0);
    editor.OnKeyDown(VK_F1, 1, 0);
    EXPECT_EQ(editor.GetFocusRect(), focus);
    EXPECT_TRUE(m_ui.help.Requests().empty());
}

namespace {
// Records the enabled state an update handler sets.
class CEnabledState : public IPOUCommandUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int) override {}
    BOOL enabled = -1;
};
} // namespace

TEST_F(LDEditorInputTest, EditCommandsWhileTypingWorkOnTheOperandText)
{
    CLDElement* contact = Find(LD_KIND_CONTACT, 0);
    const CPoint label = LabelPoint(contact);
    Editor().OnLButtonDown(0, label.x, label.y);
    ASSERT_TRUE(Editor().IsEditingOperand());
    Type("%Q0.7");
    const int snapshots = m_program->GetUndoCount();
    CEnabledState copy;
    Editor().OnUpdateEditCopy(copy);
    EXPECT_FALSE(copy.enabled);

    // Undo takes back the typing only; the program's history stays.
    Editor().OnEditUndo();
    EXPECT_TRUE(Editor().IsEditingOperand());
    EXPECT_EQ(Editor().GetOperandEditor().GetText(), "%I0.0");
    EXPECT_EQ(m_program->GetUndoCount(), snapshots);
    Editor().OnEditRedo();
    EXPECT_EQ(Editor().GetOperandEditor().GetText(), "%I0.0");

    // Cut and paste through the clipboard with the selected text.
    Editor().OnKeyDown(VK_END, 1, 0);
    m_host.heldKeys.insert(VK_SHIFT);
    Editor().OnKeyDown(VK_LEFT, 1, 0);
    m_host.heldKeys.clear();
    Editor().OnUpdateEditCopy(copy);
    EXPECT_TRUE(copy.enabled);
    Editor().OnEditCut();
    EXPECT_EQ(Editor().GetOperandEditor().GetText(), "%I0.");
    Editor().OnKeyDown(VK_HOME, 1, 0);
    Editor().OnEditPaste();
    EXPECT_EQ(Editor().GetOperandEditor().GetText(), "0%I0.");

    Editor().OnEditSelectAll();
    EXPECT_EQ(Editor().GetOperandEditor().GetSelectionEnd(), 5);
    EXPECT_FALSE(Editor().IsNetworkSelection());
    EXPECT_EQ(contact->GetOperand(), "%I0.0");
}
