// The POU view: what reaches the editor, which commands are enabled for
// which language and while monitoring, and the view's services to editors.

#include "POUWindowFixture.h"

#include "platform/ui/CScrollView.h"
#include "support/FileBytes.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

const std::string LD_FILE = "(*2*)\r\n(* Network 0 *)\r\nLD      %I0.0\r\n";
const std::string IL_FILE = "(*1*)\r\n(* Network 0 *)\r\nLD      %I0.0\r\n";
constexpr int CONTEXT_MENU_ID = 7;

} // namespace

class POUEditorViewTest : public POUWindowFixture {
protected:
    void OpenLadder()
    {
        const std::string path = m_folder / "MAIN_MAIN.ilp";
        WriteFileText(path, LD_FILE);
        ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));
        ASSERT_NE(Recorder(), nullptr);
        Recorder()->log.clear();
    }
    std::vector<std::string>& Log() { return Recorder()->log; }
};

TEST_F(POUEditorViewTest, CreationConnectsEditorAndView)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, LD_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));
    ASSERT_NE(Recorder(), nullptr);
    EXPECT_EQ(Recorder()->GetView(), m_view);
    EXPECT_EQ(m_view->GetTreeItem(), &m_node);
    EXPECT_EQ(Log(), (std::vector<std::string> {"OnCreate", "OnInitialUpdate"}));
}

TEST_F(POUEditorViewTest, MessagesReachTheEditor)
{
    OpenLadder();
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* slot;
    };
    const Case cases[] = {
        {WM_CHAR, 'a', 0, "OnChar:97"},
        {WM_KEYDOWN, VK_DELETE, 0, "OnKeyDown:46"},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(10, 20), "OnLButtonDown@10,20"},
        {WM_LBUTTONDBLCLK, 0, MAKELPARAM(11, 21), "OnLButtonDblClk@11,21"},
        {WM_MOUSEMOVE, 0, MAKELPARAM(12, 22), "OnMouseMove@12,22"},
        {WM_LBUTTONUP, 0, MAKELPARAM(13, 23), "OnLButtonUp@13,23"},
        {WM_RBUTTONDOWN, 0, MAKELPARAM(14, 24), "OnRButtonDown@14,24"},
        {WM_VSCROLL, MAKELONG(SB_THUMBTRACK, 40), 0, "OnVScroll:5:40"},
        {WM_HSCROLL, SB_LINEDOWN, 0, "OnHScroll:1:0"},
        {WM_INSERT_FROM_CATALOGUE, 2, 17, "InsertFromInstructionTree:2:17"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        Log().clear();
        m_view->SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(Log(), std::vector<std::string> {c.slot});
    }
}

TEST_F(POUEditorViewTest, CommandsReachTheEditor)
{
    OpenLadder();
    m_app->Monitoring = 1;
    Recorder()->SetForceOperand(TRUE, OT_BOOL);
    struct Case {
        UINT id;
        const char* slot;
    };
    const Case cases[] = {
        {ID_EDIT_COPY, "OnEditCopy"},
        {ID_EDIT_CUT, "OnEditCut"},
        {ID_EDIT_PASTE, "OnEditPaste"},
        {ID_EDIT_UNDO, "OnEditUndo"},
        {ID_EDIT_REDO, "OnEditRedo"},
        {ID_EDIT_FIND, "OnEditFind"},
        {ID_EDIT_REPLACE, "OnEditReplace"},
        {ID_EDIT_SELECT_ALL, "OnEditSelectAll"},
        {ID_LD_BLOCK, "OnLDCommand:32817"},
        {ID_LD_COIL, "OnLDCommand:32818"},
        {ID_LD_RIGHT_CONTACT, "OnLDCommand:32912"},
        {ID_LD_NETWORK, "OnLDCommand:32814"},
        {ID_LD_DELETE_COMPONENT, "OnLDCommand:32819"},
        {ID_LD_DELETE_NETWORK, "OnLDCommand:32820"},
        {ID_LD_PARALLEL_CONTACT, "OnLDCommand:32816"},
        {ID_LD_BRANCH, "OnLDCommand:32915"},
        {ID_LD_LEFT_CONTACT, "OnLDCommand:32914"},
        {ID_FORCE_TRUE, "OnForceTrue"},
        {ID_FORCE_FALSE, "OnForceFalse"},
        {ID_FORCE, "OnForce"},
        {ID_UNFORCE, "OnUnforce"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        Log().clear();
        EXPECT_TRUE(RunCommand(c.id));
        EXPECT_EQ(Log(), std::vector<std::string> {c.slot});
    }
}

TEST_F(POUEditorViewTest, ForceCommandsDoNothingWithoutMonitoring)
{
    OpenLadder();
    Recorder()->SetForceOperand(TRUE, OT_BOOL);
    for (UINT id : {ID_FORCE_TRUE, ID_FORCE_FALSE, ID_FORCE, ID_UNFORCE, ID_UNFORCE_ALL})
        RunCommand(id);
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(m_workbench.calls.empty());
}

TEST_F(POUEditorViewTest, InsertNetworkOnlyForIL)
{
    OpenLadder();
    RunCommand(ID_IL_INSERT_NETWORK);
    EXPECT_TRUE(Log().empty());
}

TEST_F(POUEditorViewTest, DeleteCommandArrivesAsTheDeleteKey)
{
    OpenLadder();
    RunCommand(ID_EDIT_CLEAR);
    WaitFor([&] { return !Log().empty(); });
    EXPECT_EQ(Log(), std::vector<std::string> {"OnKeyDown:46"});
}

TEST_F(POUEditorViewTest, UnforceAllClearsTheForceMapOnlyAfterThePlcAgreed)
{
    struct Case {
        BOOL sent;
        BOOL entries;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {TRUE, TRUE, {"SendUnforceAll", "ClearForceMap"}},
        {TRUE, FALSE, {"SendUnforceAll"}},
        {FALSE, TRUE, {"SendUnforceAll"}},
    };
    OpenLadder();
    m_app->Monitoring = 1;
    for (const Case& c : cases) {
        m_workbench.calls.clear();
        m_workbench.unforceAllSucceeds = c.sent;
        m_workbench.forceMapEntries = c.entries;
        RunCommand(ID_UNFORCE_ALL);
        EXPECT_EQ(m_workbench.calls, c.calls);
    }
}

// Enabled states at idle: IL (the IL editor, no force operand) and LD (a
// recording editor with a BOOL force operand), each at rest and monitoring.
TEST_F(POUEditorViewTest, EnabledStatesByLanguageAndMonitoring)
{
    struct Row {
        UINT id;
        const char* name;
        bool ilIdle, ilMonitoring, ldIdle, ldMonitoring;
    };
    const Row rows[] = {
        {ID_EDIT_FIND, "Find", true, false, true, false},
        {ID_EDIT_REPLACE, "Replace", true, false, true, false},
        {ID_LD_BLOCK, "Block", false, false, true, true},
        {ID_LD_COIL, "Coil", false, false, true, true},
        {ID_LD_BRANCH, "Branch", false, false, true, true},
        {ID_LD_DELETE_NETWORK, "Delete Network", false, false, true, true},
        {ID_FORCE_TRUE, "Force to TRUE", false, false, false, true},
        {ID_FORCE_FALSE, "Force to FALSE", false, false, false, true},
        {ID_FORCE, "Force...", false, false, true, true},
        {ID_UNFORCE, "Unforce", false, false, true, true},
        {ID_UNFORCE_ALL, "Unforce All", false, true, false, true},
        {ID_LANGUAGE_IL, "IL", true, false, true, false},
        {ID_LANGUAGE_LD, "LD", true, false, true, false},
    };
    const std::string ilPath = m_folder / "MAIN_IL.ilp";
    const std::string ldPath = m_folder / "MAIN_LD.ilp";
    WriteFileText(ilPath, IL_FILE);
    WriteFileText(ldPath, LD_FILE);
    for (int language : {POU_LANGUAGE_IL, POU_LANGUAGE_LD}) {
        ASSERT_TRUE(OpenWindow(language == POU_LANGUAGE_IL ? ilPath : ldPath, language));
        if (Recorder())
            Recorder()->SetForceOperand(TRUE, OT_BOOL);
        for (int monitoring : {0, 1}) {
            m_app->Monitoring = monitoring;
            for (const Row& row : rows) {
                SCOPED_TRACE(std::string(row.name) + (language == POU_LANGUAGE_IL ? " IL" : " LD") +
                             (monitoring ? " monitoring" : " idle"));
                const bool expected = language == POU_LANGUAGE_IL ? (monitoring ? row.ilMonitoring : row.ilIdle)
                                                                  : (monitoring ? row.ldMonitoring : row.ldIdle);
                EXPECT_EQ(IsEnabled(row.id) != FALSE, expected);
            }
        }
        m_app->Monitoring = 0;
        CloseWindow();
    }
}

TEST_F(POUEditorViewTest, ForceToTrueAndFalseNeedABoolOperand)
{
    OpenLadder();
    m_app->Monitoring = 1;
    Recorder()->SetForceOperand(TRUE, OT_WORD);
    EXPECT_FALSE(IsEnabled(ID_FORCE_TRUE));
    EXPECT_FALSE(IsEnabled(ID_FORCE_FALSE));
    EXPECT_TRUE(IsEnabled(ID_FORCE));
    EXPECT_TRUE(IsEnabled(ID_UNFORCE));
}

TEST_F(POUEditorViewTest, ContextMenusPickTheForceOperandWhileMonitoring)
{
    OpenLadder();
    Recorder()->contextMenuId = CONTEXT_MENU_ID;
    Recorder()->keyboardMenuPoint = CPoint(30, 40);

    m_view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(5, 6));
    EXPECT_EQ(Log(), std::vector<std::string> {"OnRButtonDown@5,6"});
    CPoint mouse(5, 6);
    m_view->ClientToScreen(&mouse);
    ASSERT_EQ(m_workbench.calls.size(), 1u);
    EXPECT_EQ(m_workbench.calls[0], "ShowContextMenu:7@" + std::to_string(mouse.x) + "," + std::to_string(mouse.y));

    // Shift+F10 opens at the editor's point, after the force operand is picked.
    Log().clear();
    m_workbench.calls.clear();
    m_app->Monitoring = 1;
    m_view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_view), -1);
    EXPECT_EQ(Log(), std::vector<std::string> {"PickForceOperand"});
    CPoint keyboard(30, 40);
    m_view->ClientToScreen(&keyboard);
    ASSERT_EQ(m_workbench.calls.size(), 1u);
    EXPECT_EQ(m_workbench.calls[0],
              "ShowContextMenu:7@" + std::to_string(keyboard.x) + "," + std::to_string(keyboard.y));

    // No menu id: nothing is shown.
    m_workbench.calls.clear();
    Recorder()->contextMenuId = -1;
    m_view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(5, 6));
    EXPECT_TRUE(m_workbench.calls.empty());
}

TEST_F(POUEditorViewTest, ScrollServicesForTheEditor)
{
    OpenLadder();
    Recorder()->SetExtent(300, 2000);
    m_view->ExtendScrollSizes(900, 10);
    EXPECT_EQ(m_view->GetTotalSize(), CSize(900, 2000));
    m_view->ExtendScrollSizes(100, 10);
    EXPECT_EQ(m_view->GetTotalSize(), CSize(900, 2000));

    m_view->SetScrollPosition(POU_SCROLL_VERT, 120, TRUE);
    EXPECT_EQ(Recorder()->GetScrollPosition(POU_SCROLL_VERT, FALSE), 120);

    // The wheel posts one line step to the editor's scroll handler.
    m_view->SendMessage(WM_MOUSEWHEEL, MAKELONG(0, -120), 0);
    WaitFor([&] { return Log().size() >= 2; });
    EXPECT_EQ(Log(), (std::vector<std::string> {"OnMouseWheel", "OnVScroll:1:0"}));

    // Posted steps reach the editor with their own codes, page steps included.
    Log().clear();
    m_view->PostScroll(POU_SCROLL_HORZ, POU_SCROLL_PAGEUP);
    m_view->PostScroll(POU_SCROLL_HORZ, POU_SCROLL_PAGEDOWN);
    m_view->PostScroll(POU_SCROLL_VERT, POU_SCROLL_LINEUP);
    WaitFor([&] { return Log().size() >= 3; });
    EXPECT_EQ(Log(), (std::vector<std::string> {"OnHScroll:2:0", "OnHScroll:3:0", "OnVScroll:0:0"}));
}

TEST_F(POUEditorViewTest, RepaintRequestRepaintsThroughTheEditor)
{
    OpenLadder();
    WaitFor([&] { return Recorder()->paints > 0; });
    const int before = Recorder()->paints;
    EXPECT_TRUE(m_view->TriggerRepaint());
    WaitFor([&] { return Recorder()->paints > before; });
    EXPECT_GT(Recorder()->paints, before);
}

TEST_F(POUEditorViewTest, SymbolicAddressingAndPendingEditReachTheEditor)
{
    OpenLadder();
    m_view->SetSymbolicAddressing(TRUE);
    EXPECT_TRUE(m_view->EndPendingEdit());
    EXPECT_EQ(Log(), (std::vector<std::string> {"SetSymbolicAddressing:1", "EndPendingEdit"}));
}

TEST_F(POUEditorViewTest, MouseOverTheViewAsksTheEditorForTheCursorFirst)
{
    OpenLadder();
    const QPointF at(20, 30);
    QMouseEvent move(QEvent::MouseMove, at, m_view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_view, &move);
    EXPECT_EQ(Log(), (std::vector<std::string> {"OnSetCursor:1:512", "OnMouseMove@20,30"}));
}
