// The LD editor's in-place operand editor in the POU window offscreen, with
// real mouse and key events: an operand typed into a contact and committed
// by Enter, by a click outside and by focus loss, one undo snapshot each;
// the context menus the workbench is asked for.

#include "LadderWindowFixture.h"
#include "ladder/NetworkElements.h"

#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CResourceStore.h"
#include "resources/ProgramResources.h"
#include "support/ScriptedUi.h"

#include <QCursor>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Networks(int count)
{
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n) {
        lines.push_back("(* Network " + std::to_string(n) + " *)");
        lines.push_back("LD %I0." + std::to_string(n));
        lines.push_back("ST %Q0." + std::to_string(n));
    }
    return lines;
}

} // namespace

class LadderOperandEditTest : public LadderWindowFixture {
protected:
    BOOL OpenLadder(int networks)
    {
        return OpenLadderWindow(m_folder / "MAIN_Pump.ilp", Networks(networks)) && ShowFrameActive();
    }

    // The contact that starts the rung of a network.
    CLDElement* ContactOf(int network) const { return FirstElementOfKind(*Ladder(), LD_KIND_CONTACT, network); }

    // Client pixels on the operand label above the element's symbol.
    QPoint LabelPoint(const CLDElement* element) const
    {
        const CLDCellRect cell = element->GetPosition();
        const QPoint scroll(m_view->GetScrollPosition(POU_SCROLL_HORZ, FALSE),
                            m_view->GetScrollPosition(POU_SCROLL_VERT, FALSE));
        return QPoint(cell.column * LD_CELL_WIDTH + LD_CELL_WIDTH / 2, cell.row * LD_CELL_HEIGHT + 3) - scroll;
    }

    void StartTyping(CLDElement* contact)
    {
        QTest::mouseClick(m_view, Qt::LeftButton, {}, LabelPoint(contact));
        WaitFor([&] { return Editor().IsEditingOperand() != FALSE; });
        ASSERT_TRUE(Editor().IsEditingOperand());
        QTest::keyClicks(m_view, "%m2.");
        QTest::keyClick(m_view, Qt::Key_Backspace);
        QTest::keyClicks(m_view, ".4");
        WaitFor([&] { return Editor().GetOperandEditor().GetText() == "%m2.4"; });
        ASSERT_EQ(Editor().GetOperandEditor().GetText(), "%m2.4");
    }

    CScopedUi m_ui;
};

TEST_F(LadderOperandEditTest, ATypedOperandIsCommittedByEnterAClickOutsideAndFocusLoss)
{
    ASSERT_TRUE(OpenLadder(4));
    struct Case {
        const char* name;
        std::function<void(CPOUEditorView*)> commit;
    } cases[] = {
        {"Enter", [](CPOUEditorView* view) { QTest::keyClick(view, Qt::Key_Return); }},
        {"a click outside", [](CPOUEditorView* view) { QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 5)); }},
        {"focus loss", [](CPOUEditorView* view) { view->clearFocus(); }},
    };
    int network = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLDElement* contact = ContactOf(network++);
        ASSERT_NE(contact, nullptr);
        const std::string before = contact->GetOperand();
        m_doc->SetModifiedFlag(FALSE);
        StartTyping(contact);
        const int snapshots = Ladder()->GetUndoCount();
        // Painting while the operand is typed leaves the stored one alone.
        m_view->repaint();
        EXPECT_EQ(contact->GetOperand(), before);

        c.commit(m_view);
        WaitFor([&] { return Editor().IsEditingOperand() == FALSE; });
        EXPECT_FALSE(Editor().IsEditingOperand());
        EXPECT_EQ(contact->GetOperand(), "%M2.4");
        EXPECT_EQ(Ladder()->GetUndoCount(), snapshots + 1);
        EXPECT_TRUE(m_doc->IsModified());
        m_view->setFocus();
        WaitFor([&] { return m_view->hasFocus(); });
    }
}

TEST_F(LadderOperandEditTest, TheOpenEditorIsDrawnIntoTheDiagram)
{
    ASSERT_TRUE(OpenLadder(2));
    CLDElement* contact = ContactOf(0);
    ASSERT_NE(contact, nullptr);
    StartTyping(contact);
    QTest::keyClick(m_view, Qt::Key_Left, Qt::ShiftModifier);
    WaitFor([&] { return Editor().GetOperandEditor().HasSelection() != FALSE; });
    const QImage image = m_view->grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(QString::fromStdString(m_folder / "operand-editor.png")));
    // The selected byte shows on the selection's dark blue.
    const CRect box = Editor().GetOperandEditor().GetBox();
    int selected = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            selected += image.pixelColor(x, y) == QColor(16, 5, 116) ? 1 : 0;
    EXPECT_GT(selected, 10);
}

TEST_F(LadderOperandEditTest, RightPressesAskForTheMenuOfThePlace)
{
    ASSERT_TRUE(OpenLadder(2));
    CLDElement* contact = ContactOf(0);
    ASSERT_NE(contact, nullptr);
    const QPoint label = LabelPoint(contact);
    QTest::mouseClick(m_view, Qt::LeftButton, {}, label);
    WaitFor([&] { return Editor().IsEditingOperand() != FALSE; });
    struct Case {
        const char* name;
        QPoint point;
        int monitoring;
        std::string menu;
    } cases[] = {
        {"inside the operand editor", label, 0, "ShowContextMenu:276@"},
        {"on the diagram", QPoint(5, 5), 0, "ShowContextMenu:133@"},
        {"while monitoring", QPoint(5, 5), 1, "ShowContextMenu:126@"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_app->Monitoring = c.monitoring;
        m_workbench.calls.clear();
        QTest::mouseClick(m_view, Qt::RightButton, {}, c.point);
        WaitFor([&] { return !m_workbench.calls.empty() && m_workbench.calls.back().rfind("ShowContextMenu", 0) == 0; });
        ASSERT_FALSE(m_workbench.calls.empty());
        EXPECT_EQ(m_workbench.calls.back().substr(0, c.menu.size()), c.menu);
    }
}

TEST(LDContextMenus, EditingAndOperandMenusListTheirCommandsAndTheBranchCursorExists)
{
    struct Case {
        UINT menu;
        std::vector<std::string> texts; // empty: a separator
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {133,
         {"&Copy\tCtrl+C", "Cu&t\tCtrl+X", "&Paste\tCtrl+V", "", "&Find\tCtrl+F", "Replace\tCtrl+R", "", "&Delete",
          "Select A&ll\tCtrl+A", "", "&Network\tCtrl+W", "", "&Left Contact\tCtrl+L", "&Right Contact\tCtrl+E",
          "Br&anch\tCtrl+H", "&Parallel Contact\tCtrl+U", "&Coil\tCtrl+D", "&Block\tCtrl+B", "",
          "&Delete component\tDelete ", "D&elete Network\tCtrl+Delete"},
         {57634, 57635, 57637, 0, 57636, 57641, 0, 57632, 57642, 0, 32814, 0, 32914, 32912, 32915, 32816, 32818, 32817,
          0, 32819, 32820}},
        {276,
         {"&Copy\tCtrl+C", "Cu&t\tCtrl+X", "&Paste\tCtrl+V", "", "&Delete\tDelete", "Select A&ll\tCtrl+A"},
         {57634, 57635, 57637, 0, 57632, 57642}},
    };
    std::string error;
    ASSERT_TRUE(InitProgramResources(&error)) << error;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menu);
        const CMenu* menu = CResourceStore::Instance().FindMenu(c.menu);
        ASSERT_NE(menu, nullptr);
        const CMenu* popup = menu->GetSubMenu(0);
        ASSERT_NE(popup, nullptr);
        std::vector<UINT> ids;
        std::vector<std::string> texts;
        for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
            ids.push_back(popup->GetMenuItemID(i));
            texts.push_back(popup->GetMenuString(static_cast<UINT>(i), MF_BYPOSITION));
        }
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(texts, c.texts);
    }
    QCursor cursor;
    ASSERT_TRUE(CResourceStore::Instance().LoadCursor(281, &cursor));
    EXPECT_EQ(cursor.hotSpot(), QPoint(0, 0));
    EXPECT_FALSE(cursor.pixmap().isNull());
}
