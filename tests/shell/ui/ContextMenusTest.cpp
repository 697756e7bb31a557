// The context menus of the running workbench: a right click on a window
// opens its menu as a popup bar of the main frame's command bars, each item
// shows the state that the window's command routing gives it, shortcut
// texts come from the frame's accelerators, and the chosen command reaches
// the window that opened the menu.

#include "PopupBarScript.h"
#include "WorkbenchFixture.h"

#include "platform/ui/CAcceleratorTable.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/StandardCommands.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/CHardwareGridView.h"
#include "platform/ui/CCmdUI.h"
#include "shell/ui/CChFrmCrossRef.h"
#include "shell/ui/CChildFrameVar.h"
#include "shell/ui/CChildFrmStatus.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CProjTreeView.h"
#include "shell/ui/CStatusTblView.h"
#include "shell/ui/CUsedVarRefView.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"

#include "support/ModalScript.h"

#include <QTest>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_CLOSE_PROJECT = 32697;
constexpr UINT ID_SAVE_PROJECT = 32779;
constexpr UINT ID_SAVE_PROJECT_AS = 32780;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr UINT ID_CROSS_REFERENCE = 32928;
constexpr UINT ID_STATUS_CHART = 32932;
constexpr UINT ID_NEW_SUBROUTINE = 32921;
constexpr UINT ID_HW_REMOVE_MODULE = 32852;
constexpr int kLanguageLD = 2;

struct ShownItem {
    UINT id = 0;
    bool enabled = false;
    bool operator==(const ShownItem&) const = default;
};

void PrintTo(const ShownItem& item, std::ostream* out)
{
    *out << item.id << (item.enabled ? "" : " (greyed)");
}

// What an open context menu showed.
struct ShownMenu {
    bool opened = false;
    CWnd* site = nullptr;
    std::vector<ShownItem> items;
    std::vector<std::string> shortcuts;
    std::vector<bool> ruleEnabled;

    // The items of the ids, in the order asked; an id the menu lacks shows as 0.
    std::vector<ShownItem> Items(const std::vector<UINT>& ids) const
    {
        std::vector<ShownItem> found;
        for (UINT id : ids) {
            ShownItem item;
            for (const ShownItem& shown : items) {
                if (shown.id == id)
                    item = shown;
            }
            found.push_back(item);
        }
        return found;
    }
    std::string Shortcut(UINT id) const
    {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].id == id)
                return shortcuts[i];
        }
        return "<no item>";
    }
};

class ContextMenusTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        Start();
        App().DefaultPOULang = 1;
        AnswerFileDialog(m_folder / "Menus.qpj");
        Command(ID_NEW_PROJECT);
        ASSERT_EQ(App().ProjectOpen, 1);
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        if (m_app)
            App().Monitoring = 0;
        WorkbenchFixture::TearDown();
    }

    // Runs the action that opens a context menu; once the menu is up it is
    // read and then handed to the script, which closes it (by default the
    // menu is dismissed with Escape).
    static ShownMenu WhileOpen(const std::function<void()>& action,
                               const std::function<void(CTKPopupBar*)>& script = {})
    {
        ShownMenu shown;
        WhilePopupBarOpens(action, [&](CTKPopupBar* popup) {
            shown.opened = true;
            shown.site = popup->GetSite();
            for (int i = 0; i < popup->GetControlCount(); ++i) {
                const CTKControl* control = popup->GetControl(i);
                shown.items.push_back({control->GetID(), control->GetEnabled() != FALSE});
                shown.shortcuts.push_back(control->GetShortcutText());
                // What the item's update rule says while the menu is up.
                CCmdUI rule(control->GetID());
                rule.DoUpdate(shown.site, TRUE);
                shown.ruleEnabled.push_back(rule.IsEnabled() != FALSE);
            }
            if (script) {
                script(popup);
                return;
            }
            QTest::keyClick(popup, Qt::Key_Escape);
        });
        EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty()) << "the menu stayed open";
        return shown;
    }

    CProjTreeView* Tree() { return m_frame->GetProjTreeView(); }

    // A right click on a project tree item, as a person does it.
    ShownMenu RightClickTree(HTREEITEM item, const std::function<void(CTKPopupBar*)>& script = {})
    {
        CTreeCtrl& tree = Tree()->GetTreeCtrl();
        tree.Tree()->scrollToItem(item);
        CRect text;
        EXPECT_TRUE(tree.GetItemRect(item, &text, TRUE));
        const QPoint at = tree.Tree()->viewport()->mapFrom(Tree(), QPoint(text.left + 3, text.CenterPoint().y));
        return WhileOpen([&] { QTest::mouseClick(tree.Tree()->viewport(), Qt::RightButton, {}, at); }, script);
    }

    CPOUEditorView* MainEditor()
    {
        CPOUEditorDoc* main = m_frame->GetActivePOUDocument();
        return main != nullptr ? main->GetEditorView() : nullptr;
    }

    // Every item shows the state that its update rule gives it when asked
    // through the routing of the window that opened the menu.
    static void ExpectStatesFollowTheRules(const ShownMenu& menu)
    {
        ASSERT_TRUE(menu.opened);
        for (std::size_t i = 0; i < menu.items.size(); ++i)
            EXPECT_EQ(menu.items[i].enabled, menu.ruleEnabled[i]) << menu.items[i].id;
    }

    // A new LD subroutine in front; its editor view.
    CPOUEditorView* NewLadderEditor()
    {
        App().DefaultPOULang = kLanguageLD;
        Command(ID_NEW_SUBROUTINE);
        CPOUEditorDoc* sub = m_frame->GetActivePOUDocument();
        return sub != nullptr ? sub->GetEditorView() : nullptr;
    }

    // The grids' right click arrives at their view as this message.
    static ShownMenu ContextMessage(CWnd* view)
    {
        CRect box;
        view->GetWindowRect(&box);
        const CPoint at = box.CenterPoint();
        return WhileOpen([&] { view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), MAKELPARAM(at.x, at.y)); });
    }
};

TEST_F(ContextMenusTest, TreeItemsGreyWhatTheirPOUsStateForbids)
{
    HTREEITEM main = Tree()->FindPOUItem("(MAIN) ");
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(m_frame->GetOpenPOUDocuments().size(), 1u);

    const ShownMenu open = RightClickTree(main);
    ASSERT_TRUE(open.opened);
    EXPECT_EQ(open.site, Tree());
    EXPECT_EQ(open.Items({ID_PROJTREE_OPEN_POU, ID_PROJTREE_RENAME, ID_PROJTREE_PROPERTY}),
              (std::vector<ShownItem>{{ID_PROJTREE_OPEN_POU, true},
                                      {ID_PROJTREE_RENAME, false},
                                      {ID_PROJTREE_PROPERTY, false}}));

    // Closed, MAIN may be renamed; the mnemonic of Open opens it again
    // through the tree's own command.
    Command(ID_WINDOW_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame->GetOpenPOUDocuments().empty(); }, 5000));
    const ShownMenu closed = RightClickTree(main, [](CTKPopupBar* popup) { QTest::keyClick(popup, Qt::Key_O); });
    EXPECT_EQ(closed.Items({ID_PROJTREE_OPEN_POU, ID_PROJTREE_RENAME, ID_PROJTREE_PROPERTY}),
              (std::vector<ShownItem>{{ID_PROJTREE_OPEN_POU, true},
                                      {ID_PROJTREE_RENAME, true},
                                      {ID_PROJTREE_PROPERTY, true}}));
    EXPECT_EQ(m_frame->GetOpenPOUDocuments().size(), 1u);

    // The project's own menu carries project commands: the frame is its window.
    const ShownMenu project = RightClickTree(Tree()->GetTreeCtrl().GetRootItem());
    EXPECT_EQ(project.site, m_frame.data());
    EXPECT_EQ(project.Items({ID_CLOSE_PROJECT, ID_SAVE_PROJECT, ID_SAVE_PROJECT_AS}),
              (std::vector<ShownItem>{{ID_CLOSE_PROJECT, true}, {ID_SAVE_PROJECT, true}, {ID_SAVE_PROJECT_AS, true}}));
}

TEST_F(ContextMenusTest, OutputListClearsTheListInFront)
{
    COutputView* output = m_frame->GetOutputView();
    ASSERT_NE(output, nullptr);
    m_frame->AppendOutputLine(OUTPUT_LIST_COMMON, "a line");
    COutputList* list = output->GetList(OUTPUT_LIST_COMMON);
    ASSERT_EQ(list->GetItemCount(), 1);
    QWidget* rows = list->Table()->viewport();
    const ShownMenu menu = WhileOpen([&] { QTest::mouseClick(rows, Qt::RightButton, {}, QPoint(10, 5)); },
                                     [](CTKPopupBar* popup) { QTest::keyClick(popup, Qt::Key_E); });
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(menu.site, output);
    EXPECT_EQ(menu.items, (std::vector<ShownItem>{{ID_OUTPUT_CLEAR, true}}));
    EXPECT_EQ(list->GetItemCount(), 0);
}

TEST_F(ContextMenusTest, EditorMenusFollowSelectionAndMonitoring)
{
    CPOUEditorView* editor = MainEditor();
    ASSERT_NE(editor, nullptr);
    const QPoint line(60, 8);

    const ShownMenu editing = WhileOpen([&] { QTest::mouseClick(editor, Qt::RightButton, {}, line); });
    ASSERT_TRUE(editing.opened);
    EXPECT_EQ(editing.site, editor);
    EXPECT_EQ(editing.Items({ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL, ID_IL_INSERT_NETWORK}),
              (std::vector<ShownItem>{{ID_EDIT_CUT, false},
                                      {ID_EDIT_COPY, false},
                                      {ID_EDIT_CLEAR, true},
                                      {ID_EDIT_SELECT_ALL, true},
                                      {ID_IL_INSERT_NETWORK, true}}));

    // No operand under the caret: nothing to force.
    App().Monitoring = 1;
    const ShownMenu monitoring = WhileOpen([&] { QTest::mouseClick(editor, Qt::RightButton, {}, line); });
    App().Monitoring = 0;
    EXPECT_EQ(monitoring.Items({ID_FORCE_TRUE, ID_FORCE_FALSE, ID_FORCE, ID_UNFORCE}),
              (std::vector<ShownItem>{{ID_FORCE_TRUE, false}, {ID_FORCE_FALSE, false}, {ID_FORCE, false},
                                      {ID_UNFORCE, false}}));
}

TEST_F(ContextMenusTest, ShortcutTextsComeFromTheFrameAccelerators)
{
    CPOUEditorView* editor = MainEditor();
    ASSERT_NE(editor, nullptr);
    // The menu resource writes "Ctrl+Q" after Insert Network; the frame's
    // table decides what shows.
    m_frame->SetAccelTable(CAcceleratorTable({{FVIRTKEY | FCONTROL, 'N', ID_IL_INSERT_NETWORK},
                                              {FVIRTKEY | FCONTROL | FSHIFT, 'X', ID_EDIT_CUT}}));
    const ShownMenu menu = WhileOpen([&] { QTest::mouseClick(editor, Qt::RightButton, {}, QPoint(60, 8)); });
    EXPECT_EQ(menu.Shortcut(ID_IL_INSERT_NETWORK), "Ctrl+N");
    EXPECT_EQ(menu.Shortcut(ID_EDIT_CUT), "Ctrl+Shift+X");
    EXPECT_EQ(menu.Shortcut(ID_EDIT_COPY), "");
}

TEST_F(ContextMenusTest, TableMenusGreyWhatTheirViewForbids)
{
    Command(ID_STATUS_CHART);
    auto* status = dynamic_cast<CChildFrmStatus*>(m_frame->MDIGetActive());
    ASSERT_NE(status, nullptr);
    const ShownMenu chart = ContextMessage(status->GetView());
    ASSERT_TRUE(chart.opened);
    EXPECT_EQ(chart.site, status->GetView());
    // Forcing waits for monitoring.
    EXPECT_EQ(chart.Items({ID_EDIT_COPY, ID_TABLE_INSERT_ROW_BELOW, ID_STATUS_FORCE, ID_STATUS_UNFORCE,
                           ID_STATUS_FORCE_ALL, ID_STATUS_UNFORCE_ALL, ID_STATUS_READ_ALL_FORCED}),
              (std::vector<ShownItem>{{ID_EDIT_COPY, true},
                                      {ID_TABLE_INSERT_ROW_BELOW, true},
                                      {ID_STATUS_FORCE, false},
                                      {ID_STATUS_UNFORCE, false},
                                      {ID_STATUS_FORCE_ALL, false},
                                      {ID_STATUS_UNFORCE_ALL, false},
                                      {ID_STATUS_READ_ALL_FORCED, false}}));

    Command(ID_GLOBAL_VARIABLE);
    auto* variables = dynamic_cast<CChildFrameVar*>(m_frame->MDIGetActive());
    ASSERT_NE(variables, nullptr);
    CWnd* globals = variables->GetSymbolView();
    ASSERT_NE(globals, nullptr);
    const ShownMenu table = ContextMessage(globals);
    EXPECT_EQ(table.Items({ID_EDIT_CUT, ID_EDIT_PASTE, ID_TABLE_DELETE_ROW, ID_TABLE_INSERT_ROW_ABOVE}),
              (std::vector<ShownItem>{{ID_EDIT_CUT, true},
                                      {ID_EDIT_PASTE, true},
                                      {ID_TABLE_DELETE_ROW, true},
                                      {ID_TABLE_INSERT_ROW_ABOVE, true}}));
}

TEST_F(ContextMenusTest, CrossReferenceMenuRefreshesAndGoesOnlyFromAnItem)
{
    Command(ID_CROSS_REFERENCE);
    auto* frame = dynamic_cast<CChFrmCrossRef*>(m_frame->MDIGetActive());
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<CUsedVarRefView*>(frame->GetView());
    ASSERT_NE(view, nullptr);
    QWidget* rows = view->GetListCtrl().Table()->viewport();
    const ShownMenu menu = WhileOpen([&] { QTest::mouseClick(rows, Qt::RightButton, {}, QPoint(10, 5)); });
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(menu.site, view);
    EXPECT_EQ(menu.items, (std::vector<ShownItem>{{ID_XREF_REFRESH, true},
                                                 {ID_XREF_GOTO, false},
                                                 {ID_XREF_OPTIONS, true}}));
}

TEST_F(ContextMenusTest, LadderMenusFollowTheDiagramAndMonitoring)
{
    CPOUEditorView* editor = NewLadderEditor();
    ASSERT_NE(editor, nullptr);
    const QPoint inDiagram(80, 30);

    const ShownMenu editing = WhileOpen([&] { QTest::mouseClick(editor, Qt::RightButton, {}, inDiagram); });
    ExpectStatesFollowTheRules(editing);
    EXPECT_EQ(editing.site, editor);
    // Nothing is selected in the new diagram: nothing to copy or cut.
    EXPECT_EQ(editing.Items({ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_SELECT_ALL}),
              (std::vector<ShownItem>{{ID_EDIT_COPY, false}, {ID_EDIT_CUT, false}, {ID_EDIT_SELECT_ALL, true}}));

    // While monitoring, the menu of forcing; no operand under the click.
    App().Monitoring = 1;
    const ShownMenu monitoring = WhileOpen([&] { QTest::mouseClick(editor, Qt::RightButton, {}, inDiagram); });
    App().Monitoring = 0;
    ExpectStatesFollowTheRules(monitoring);
    EXPECT_EQ(monitoring.Items({ID_FORCE_TRUE, ID_FORCE_FALSE, ID_FORCE, ID_UNFORCE}),
              (std::vector<ShownItem>{{ID_FORCE_TRUE, false}, {ID_FORCE_FALSE, false}, {ID_FORCE, false},
                                      {ID_UNFORCE, false}}));
}

TEST_F(ContextMenusTest, InitialDataAndHardwareMenusFollowTheirRules)
{
    m_frame->OpenInitialDataWindow();
    CMDIChildWnd* data = m_frame->GetSlot(SingletonWindow::InitialData).frame.data();
    ASSERT_NE(data, nullptr);
    const ShownMenu table = ContextMessage(data->GetActiveView());
    ExpectStatesFollowTheRules(table);
    EXPECT_EQ(table.site, data->GetActiveView());
    EXPECT_EQ(table.Items({ID_TABLE_INSERT_ROW_ABOVE, ID_TABLE_INSERT_ROW_BELOW}),
              (std::vector<ShownItem>{{ID_TABLE_INSERT_ROW_ABOVE, true}, {ID_TABLE_INSERT_ROW_BELOW, true}}));

    // A click on the first module row.
    m_frame->OpenHardwareWindow();
    auto* hardware = dynamic_cast<CChildFrameHW*>(m_frame->GetSlot(SingletonWindow::Hardware).frame.data());
    ASSERT_NE(hardware, nullptr);
    CHardwareGridView* grid = hardware->GetGridView();
    ASSERT_NE(grid, nullptr);
    auto* cells = grid->findChild<QTableView*>();
    ASSERT_NE(cells, nullptr);
    const QRect cpu = cells->visualRect(cells->model()->index(0, 0));
    const ShownMenu modules =
        WhileOpen([&] { QTest::mouseClick(cells->viewport(), Qt::RightButton, {}, cpu.center()); });
    ExpectStatesFollowTheRules(modules);
    EXPECT_EQ(modules.site, grid);
    ASSERT_EQ(modules.items.size(), 1u);
    EXPECT_EQ(modules.items[0].id, ID_HW_REMOVE_MODULE);
}

} // namespace
