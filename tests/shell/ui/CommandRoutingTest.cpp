// Every command of the program's menus, toolbars, keys and context menus,
// sent through the main frame's routing with each window of a project in
// front: present, in the state its update rule gives, and taken by a
// handler of the window in front and never another; the CANopen pages'
// menus opened in their places. Then the commands whose effect a person
// sees at once: Delete in a POU's variable table, the catalogue's double
// click, the recent projects, About and Exit.

#include "CommandRoutingTable.h"
#include "PopupBarScript.h"
#include "WorkbenchFixture.h"

#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "hardware/canopen/ui/CCanOpenBootDlg.h"
#include "hardware/canopen/ui/CCanOpenCfg.h"
#include "hardware/canopen/ui/CCanOpenMapOD.h"
#include "hardware/canopen/ui/CCanOpenNetwork.h"
#include "hardware/canopen/ui/CCanOpenSheet.h"
#include "hardware/canopen/ui/CCanOpenSlaveList.h"
#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CHWInfoView.h"
#include "hardware/ui/CSheetCPU.h"
#include "model/CCanOpenSlaveType.h"
#include "platform/ByteString.h"
#include "platform/ui/QtText.h"
#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/CHardwareGridView.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "ladder/CLDElement.h"
#include "ladder/CLDProgram.h"
#include "ladder/ui/RegisterLadderUiClasses.h"
#include "model/CZULAppData.h"
#include "pid/ui/RegisterPidUiClasses.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/CView.h"
#include "platform/ui/CWindowHook.h"
#include "platform/ui/HelpMessages.h"
#include "pouedit/CILProgram.h"
#include "pouedit/ui/CFindReplaceDlg.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "pouedit/ui/CPOUVarView.h"
#include "shell/ui/CAboutBox.h"
#include "shell/ui/CChFrmCrossRef.h"
#include "shell/ui/CChildFrmEditor.h"
#include "shell/ui/CInsTreeView.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/ui/CProjTreeView.h"
#include "shell/ui/CUsedVarRefView.h"
#include "support/ModalScript.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"

#include <QContextMenuEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QTest>

#include <map>
#include <algorithm>
#include <set>

namespace {

// A menu caption as a person reads it: "&&" shows one ampersand, a single
// "&" only marks the mnemonic.
std::string WithoutMnemonic(const std::string& caption)
{
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

constexpr UINT kMainFrameResource = 122;
// A VB16 CPU row of the catalogue, whose projects offer the PID commands.
constexpr int kVB16CpuRow = 13;
// A VC16 CPU row, whose projects configure a CANopen master.
constexpr int kVC16CpuRow = 20;
constexpr int kCpuTab = 1;
constexpr int kCanOpenTab = 3;
constexpr int kSheetWidth = 1400;
constexpr int kSheetHeight = 1000;
constexpr int kLanguageIL = 1;
constexpr int kLanguageLD = 2;
constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_NEW_SUBROUTINE = 32921;
constexpr UINT ID_COMPILE_ALL = 32935;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr UINT ID_STATUS_CHART = 32932;
constexpr UINT ID_CROSS_REFERENCE = 32928;
constexpr UINT ID_CLOSE_PROJECT = 32697;
constexpr UINT ID_RECENT_FIRST = 57616;
constexpr UINT ID_ABOUT = 57664;
constexpr UINT ID_EXIT = 57665;
constexpr UINT ID_DELETE = 57632;
constexpr UINT ID_FIND = 57636;
constexpr UINT ID_VIEW_IL = 32933;
constexpr const char* kFindNextButton = "1022";
constexpr UINT ID_THEME_WINDOWSXP = 32943;
constexpr UINT ID_THEME_OFFICEXP = 32944;
constexpr int kWaitMs = 5000;
// Kinds of ladder elements.
constexpr int kContact = 1;
constexpr int kBox = 2;

// Where a command appears: the windows in front with which it is shown.
using Appearances = std::map<UINT, std::set<InFront>>;

void AddMenuCommands(const CMenu& menu, std::set<UINT>& ids)
{
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        if (const CMenu* sub = menu.GetSubMenu(i)) {
            AddMenuCommands(*sub, ids);
            continue;
        }
        const UINT id = menu.GetMenuItemID(i);
        if (id != 0 && id != static_cast<UINT>(-1))
            ids.insert(id);
    }
}

std::set<UINT> MenuCommands(UINT menuId)
{
    std::set<UINT> ids;
    if (const CMenu* menu = CResourceStore::Instance().FindMenu(menuId))
        AddMenuCommands(*menu, ids);
    return ids;
}

// The frame's bars and keys, with the recent-project entries the File
// menu's list expands into.
std::set<UINT> FrameCommands()
{
    const CResourceStore& store = CResourceStore::Instance();
    std::set<UINT> ids;
    for (UINT menu : kFrameMenus)
        ids.merge(MenuCommands(menu));
    for (UINT bar : store.GetToolBarIds()) {
        for (UINT id : store.FindToolBar(bar)->commands) {
            if (id != 0)
                ids.insert(id);
        }
    }
    for (UINT table : store.GetAcceleratorIds()) {
        for (const ACCEL& key : store.FindAccelerators(table)->GetEntries())
            ids.insert(key.cmd);
    }
    if (ids.count(ID_RECENT_FIRST) != 0) {
        for (UINT id = ID_RECENT_FIRST; id < ID_RECENT_FIRST + 4; ++id)
            ids.insert(id);
    }
    return ids;
}

const RoutedCommand* FindRow(const RoutedCommand* rows, size_t count, UINT id)
{
    for (size_t i = 0; i < count; ++i) {
        if (rows[i].id == id)
            return &rows[i];
    }
    return nullptr;
}

template <size_t N>
const RoutedCommand* FindRow(const RoutedCommand (&rows)[N], UINT id)
{
    return FindRow(rows, N, id);
}

template <class T, size_t N>
bool Contains(const T (&list)[N], UINT id)
{
    for (const T& entry : list) {
        if (static_cast<UINT>(entry) == id)
            return true;
    }
    return false;
}

bool IsOwnedMenu(UINT id)
{
    for (const OwnedMenu& menu : kOwnedMenus) {
        if (menu.menuId == id)
            return true;
    }
    return false;
}

bool IsCanOpenMenu(UINT id)
{
    for (const CanOpenMenu& menu : kCanOpenMenus) {
        if (menu.menuId == id)
            return true;
    }
    return false;
}

bool IsWindowMenu(UINT id)
{
    for (const WindowMenu& menu : kWindowMenus) {
        if (menu.menuId == id)
            return true;
    }
    return false;
}

// The catalogue's message to the POU view: WM_USER + 100, its kind in
// wParam (0 an IL instruction).
constexpr UINT kCatalogueInsertMessage = WM_USER + 100;
constexpr WPARAM kCatalogueILInstruction = 0;

// Records the kinds of the catalogue messages a view gets and lets them through.
class CatalogueWatch : public CWindowHook {
public:
    std::vector<WPARAM> kinds;

protected:
    int OnHookMessage(CWnd*, UINT message, WPARAM* wParam, LPARAM*, LRESULT*) override
    {
        if (message == kCatalogueInsertMessage)
            kinds.push_back(*wParam);
        return 0;
    }
};

// The child of a tree item with that text; null when none.
QTreeWidgetItem* ChildOf(QTreeWidgetItem* parent, const std::string& text)
{
    for (int i = 0; parent != nullptr && i < parent->childCount(); ++i) {
        if (FromQString(parent->child(i)->text(0)) == text)
            return parent->child(i);
    }
    return nullptr;
}

// The first item below an item that has no children of its own.
QTreeWidgetItem* FirstLeaf(QTreeWidgetItem* item)
{
    if (item == nullptr || item->childCount() == 0)
        return item;
    return FirstLeaf(item->child(0));
}

struct UpdateAnswer {
    bool enabled;
    bool handled;
};

// The state the bars show (greyed without a handler) and whether the
// routing finds a handler, both asked of target.
UpdateAnswer Ask(CCmdTarget* target, UINT id)
{
    CCmdUI cmdUI(id);
    cmdUI.DoUpdate(target, TRUE);
    AFX_CMDHANDLERINFO info;
    const bool handled = target->OnCmdMsg(id, CN_COMMAND, nullptr, &info) != FALSE;
    return {cmdUI.IsEnabled() != FALSE, handled};
}

std::string CheckState(char expected, const UpdateAnswer& answer)
{
    switch (expected) {
    case 'E':
        if (!answer.enabled || !answer.handled)
            return std::string("expected enabled with a handler, got ") + (answer.enabled ? "enabled" : "greyed")
                   + (answer.handled ? "" : " without handler");
        return {};
    case 'D':
        if (answer.enabled || !answer.handled)
            return std::string("expected greyed by its rule, got ") + (answer.enabled ? "enabled" : "greyed")
                   + (answer.handled ? "" : " without handler");
        return {};
    case 'C':
        return answer.handled ? std::string() : "expected a handler, none on the route";
    case '-':
        if (answer.enabled || answer.handled)
            return "expected no handler in front of this window, the route has one";
        return {};
    default:
        return std::string("the command appears here, but its row says '") + expected + "'";
    }
}

class CommandRoutingTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterLadderUiClasses(&error) && RegisterPidUiClasses(&error)
                    && RegisterCanopenUiClasses(&error) && RegisterHardwareUiClasses(&error))
            << error;
    }

    // A VB16 project: MAIN in IL with a line of code, SBR_0 in LD, and
    // every table window open after a Compile All.
    void OpenProject()
    {
        Start();
        App().DefaultCPU = kVB16CpuRow;
        App().DefaultPOULang = kLanguageIL;
        m_projectPath = m_folder / "Routes.qpj";
        AnswerFileDialog(m_projectPath);
        Command(ID_NEW_PROJECT);
        ASSERT_EQ(App().ProjectOpen, 1);
        m_frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_frame));
        m_main = FindDocument(kLanguageIL);
        ASSERT_NE(m_main, nullptr);
        TypeMainCode("LD %I0.1");
        QTest::keyClick(m_main->GetEditorView(), Qt::Key_Return);
        TypeMainCode("ST %Q0.0");
        App().DefaultPOULang = kLanguageLD;
        Command(ID_NEW_SUBROUTINE);
        m_sub = FindDocument(kLanguageLD);
        ASSERT_NE(m_sub, nullptr);
        Command(ID_COMPILE_ALL);
        Command(ID_GLOBAL_VARIABLE);
        m_frame->OpenInitialDataWindow();
        Command(ID_STATUS_CHART);
        Command(ID_CROSS_REFERENCE);
    }

    CPOUEditorDoc* FindDocument(int language)
    {
        for (CDocument* document : m_app->GetPOUTemplate()->GetDocuments()) {
            auto* pou = dynamic_cast<CPOUEditorDoc*>(document);
            if (pou != nullptr && pou->GetLanguage() == language)
                return pou;
        }
        return nullptr;
    }

    std::vector<std::string> MainLines() const
    {
        auto* program = dynamic_cast<CILProgram*>(m_main->GetProgram());
        return program != nullptr ? program->GetLines() : std::vector<std::string>();
    }

    void TypeMainCode(const std::string& line)
    {
        BringToFront(InFront::ILCode);
        CPOUEditorView* view = m_main->GetEditorView();
        QTest::keyClicks(view, QString::fromStdString(line));
    }

    CMDIChildWnd* FrameOf(CPOUEditorDoc* document)
    {
        return dynamic_cast<CMDIChildWnd*>(m_app->GetPOUTemplate()->GetFrameOf(document));
    }

    CMDIChildWnd* SingletonFrame(SingletonWindow window) { return m_frame->GetSlot(window).frame.data(); }

    // The window in front takes the focus as a click would give it.
    void BringToFront(InFront window)
    {
        CMDIChildWnd* child = nullptr;
        CWnd* focus = nullptr;
        switch (window) {
        case InFront::ILCode:
        case InFront::ILVariables: {
            child = FrameOf(m_main);
            auto* editor = dynamic_cast<CChildFrmEditor*>(child);
            focus = window == InFront::ILCode ? static_cast<CWnd*>(m_main->GetEditorView())
                                              : ChildOf<CPOUVarView>(editor);
            break;
        }
        case InFront::LDCode:
            child = FrameOf(m_sub);
            focus = m_sub->GetEditorView();
            break;
        case InFront::GlobalVariables:
            child = SingletonFrame(SingletonWindow::GlobalVariables);
            break;
        case InFront::InitialData:
            child = SingletonFrame(SingletonWindow::InitialData);
            break;
        case InFront::StatusChart:
            child = SingletonFrame(SingletonWindow::StatusChart);
            break;
        case InFront::CrossReference:
            child = SingletonFrame(SingletonWindow::CrossReference);
            break;
        case InFront::Count:
            break;
        }
        ASSERT_NE(child, nullptr);
        // A closed popup may leave the main window inactive.
        if (!m_frame->isActiveWindow()) {
            m_frame->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(m_frame));
        }
        m_frame->MDIActivate(child);
        if (focus == nullptr)
            focus = child->GetActiveView();
        ASSERT_NE(focus, nullptr);
        focus->SetFocus();
        EXPECT_TRUE(QTest::qWaitFor(
            [focus] { return focus->hasFocus() || focus->isAncestorOf(QApplication::focusWidget()); }, kWaitMs));
    }

    Appearances WhereCommandsAppear()
    {
        Appearances where;
        std::set<InFront> everywhere;
        for (const WindowInFront& window : kWindowsInFront)
            everywhere.insert(window.window);
        for (UINT id : FrameCommands())
            where[id] = everywhere;
        for (const WindowMenu& menu : kWindowMenus) {
            for (UINT id : MenuCommands(menu.menuId)) {
                for (int i = 0; i < menu.count; ++i)
                    where[id].insert(menu.windows[i]);
            }
        }
        return where;
    }

    CCmdTarget* OwnerTarget(MenuOwner owner)
    {
        switch (owner) {
        case MenuOwner::ProjectTree:
            return m_frame->GetProjTreeView();
        case MenuOwner::MainFrame:
            return m_frame;
        case MenuOwner::OutputView:
            return m_frame->GetOutputView();
        case MenuOwner::HardwareModules: {
            m_frame->OpenHardwareWindow();
            auto* hardware = dynamic_cast<CChildFrameHW*>(SingletonFrame(SingletonWindow::Hardware));
            return hardware != nullptr ? hardware->GetGridView() : nullptr;
        }
        }
        return nullptr;
    }

    // A double click on an item of the instruction catalogue, as a person
    // gives it; the catalogue shows the set of the POU in front.
    void DoubleClickCatalogue(const std::string& category, const std::string& text)
    {
        CInsTreeView* catalogue = m_frame->GetInsTreeView();
        ASSERT_NE(catalogue, nullptr);
        CTreeCtrl& tree = catalogue->GetTreeCtrl();
        HTREEITEM found = nullptr;
        for (HTREEITEM root = tree.GetRootItem(); root != nullptr && found == nullptr;
             root = tree.GetNextSiblingItem(root)) {
            if (tree.GetItemText(root) != category)
                continue;
            for (HTREEITEM item = tree.GetChildItem(root); item != nullptr; item = tree.GetNextSiblingItem(item)) {
                if (tree.GetItemText(item) == text)
                    found = item;
            }
        }
        ASSERT_NE(found, nullptr) << category << " / " << text;
        tree.Expand(tree.GetParentItem(found), TVE_EXPAND);
        tree.Tree()->scrollToItem(found);
        CRect place;
        ASSERT_TRUE(tree.GetItemRect(found, &place, TRUE));
        const QPoint at = tree.Tree()->viewport()->mapFrom(catalogue, QPoint(place.left + 3, place.CenterPoint().y));
        QTest::mouseDClick(tree.Tree()->viewport(), Qt::LeftButton, {}, at);
    }

    std::string m_projectPath;
    CPOUEditorDoc* m_main = nullptr;
    CPOUEditorDoc* m_sub = nullptr;
};

} // namespace

TEST_F(CommandRoutingTest, EveryResourceCommandHasARowAndEveryMenuAnOwner)
{
    Start();
    const CResourceStore& store = CResourceStore::Instance();
    for (UINT menu : store.GetMenuIds()) {
        EXPECT_TRUE(Contains(kFrameMenus, menu) || IsWindowMenu(menu) || IsOwnedMenu(menu) || IsCanOpenMenu(menu)
                    || Contains(kMenusShownNowhere, menu))
            << "menu " << menu << " is shown nowhere the test knows";
    }
    // The menus shown nowhere stay so: without a Customize handler the
    // bars offer no customising.
    EXPECT_FALSE(m_frame->GetCommandBars()->IsCustomizeAvailable());
    for (const CanOpenMenu& menu : kCanOpenMenus) {
        for (UINT id : MenuCommands(menu.menuId))
            EXPECT_NE(FindRow(kCanOpenCommands, id), nullptr) << "command " << id << " of menu " << menu.menuId;
    }
    for (const auto& [id, windows] : WhereCommandsAppear())
        EXPECT_NE(FindRow(kRoutedCommands, id), nullptr) << "command " << id << " has no row";
    for (const OwnedMenu& menu : kOwnedMenus) {
        for (UINT id : MenuCommands(menu.menuId))
            EXPECT_NE(FindRow(kOwnedCommands, id), nullptr) << "command " << id << " of menu " << menu.menuId;
    }
    EXPECT_FALSE(store.GetToolBarIds().empty());
}

TEST_F(CommandRoutingTest, EveryCommandReachesTheWindowInFrontInItsState)
{
    OpenProject();
    const Appearances where = WhereCommandsAppear();
    int checked = 0;
    for (const WindowInFront& window : kWindowsInFront) {
        BringToFront(window.window);
        const size_t column = static_cast<size_t>(window.window);
        for (const auto& [id, windows] : where) {
            if (windows.count(window.window) == 0)
                continue;
            const RoutedCommand* row = FindRow(kRoutedCommands, id);
            if (row == nullptr)
                continue;
            const std::string fault = CheckState(row->states[column], Ask(m_frame, id));
            EXPECT_EQ(fault, "") << row->name << " (" << id << ") with the " << window.name << " in front";
            ++checked;
        }
    }
    for (const OwnedMenu& menu : kOwnedMenus) {
        CCmdTarget* target = OwnerTarget(menu.owner);
        ASSERT_NE(target, nullptr) << "menu " << menu.menuId;
        for (UINT id : MenuCommands(menu.menuId)) {
            const RoutedCommand* row = FindRow(kOwnedCommands, id);
            if (row == nullptr)
                continue;
            // The output list clears through its own window procedure.
            if (menu.owner == MenuOwner::OutputView) {
                m_frame->AppendOutputLine(OUTPUT_LIST_COMMON, "a line");
                m_frame->GetOutputView()->SendMessage(WM_COMMAND, id);
                EXPECT_TRUE(OutputLines(OUTPUT_LIST_COMMON).empty()) << row->name;
                ++checked;
                continue;
            }
            const std::string fault = CheckState(row->states[0], Ask(target, id));
            EXPECT_EQ(fault, "") << row->name << " (" << id << ") of menu " << menu.menuId;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

// With the POU window's variable table clicked, Delete and Select All
// work on the table; the IL code keeps its text.
TEST_F(CommandRoutingTest, EditCommandsReachTheVariableTableNotTheCode)
{
    OpenProject();
    const std::vector<std::string> code = MainLines();
    ASSERT_FALSE(code.empty());
    BringToFront(InFront::ILVariables);
    auto* editor = dynamic_cast<CChildFrmEditor*>(FrameOf(m_main));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetActiveView(), ChildOf<CPOUVarView>(editor));
    Command(ID_DELETE);
    Command(57642);
    EXPECT_EQ(MainLines(), code);

    BringToFront(InFront::ILCode);
    EXPECT_EQ(editor->GetActiveView(), m_main->GetEditorView());
}

// The catalogue's double click goes to the code of the POU in front, even
// while its variable table has the focus: the LD editor puts the
// instruction at its selection (a box right of the selected contact); the IL editor takes the message and, as an
// IL editor does, leaves its text as it was.
TEST_F(CommandRoutingTest, CatalogueDoubleClickInsertsIntoTheEditorInFront)
{
    OpenProject();
    BringToFront(InFront::ILVariables);
    EXPECT_EQ(m_frame->GetActivePOUEditorView(), m_main->GetEditorView());
    BringToFront(InFront::GlobalVariables);
    EXPECT_EQ(m_frame->GetActivePOUEditorView(), nullptr);

    BringToFront(InFront::LDCode);
    EXPECT_EQ(m_frame->GetActivePOUEditorView(), m_sub->GetEditorView());
    const auto subLines = [this] {
        std::vector<std::string> lines;
        m_sub->GetProgram()->GetILLines(lines);
        return lines;
    };
    const auto hasTimer = [&subLines] {
        for (const std::string& line : subLines()) {
            if (line.rfind("TON", 0) == 0)
                return true;
        }
        return false;
    };
    ASSERT_FALSE(hasTimer()) << ::testing::PrintToString(subLines());
    // The new subroutine's network has its contact selected: the box goes right of it.
    auto* ladder = dynamic_cast<CLDProgram*>(m_sub->GetProgram());
    ASSERT_NE(ladder, nullptr);
    const CLDElement* contact = ladder->GetSelection();
    ASSERT_NE(contact, nullptr);
    ASSERT_EQ(contact->GetKind(), kContact);
    ASSERT_NO_FATAL_FAILURE(DoubleClickCatalogue("Timer", "TON"));
    EXPECT_TRUE(QTest::qWaitFor(hasTimer, kWaitMs)) << ::testing::PrintToString(subLines());
    const CLDElement* box = ladder->GetSelection();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetKind(), kBox);
    // Its series successor: the next element of the contact's chain.
    EXPECT_EQ(contact->GetChildA(), box);

    const std::vector<std::string> code = MainLines();
    BringToFront(InFront::ILVariables);
    CatalogueWatch watch;
    ASSERT_TRUE(watch.HookWindow(m_main->GetEditorView()));
    ASSERT_NO_FATAL_FAILURE(DoubleClickCatalogue("Timer", "TON"));
    EXPECT_TRUE(QTest::qWaitFor([&watch] { return !watch.kinds.empty(); }, kWaitMs));
    EXPECT_EQ(watch.kinds, std::vector<WPARAM>{kCatalogueILInstruction});
    EXPECT_EQ(MainLines(), code);
    watch.UnhookAll();
}

// Find next steps from hit to hit; switching the POU's language (View >
// IL) ends that search, so the next Find next starts anew at the first hit
// and reports the hits again.
TEST_F(CommandRoutingTest, LanguageSwitchMakesTheNextFindStartAnew)
{
    OpenProject();
    BringToFront(InFront::ILCode);
    Command(ID_FIND);
    CFindReplaceDlg* dialog = m_frame->GetFindReplaceDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->isVisible(); }, kWaitMs));
    dialog->SetFindText("%");
    auto* findNext = dialog->findChild<QPushButton*>(kFindNextButton);
    ASSERT_NE(findNext, nullptr);

    // Each search starts at the top of the code.
    const auto fromTheTop = [this] {
        BringToFront(InFront::ILCode);
        QTest::keyClick(m_main->GetEditorView(), Qt::Key_Home, Qt::ControlModifier);
    };
    fromTheTop();
    QTest::mouseClick(findNext, Qt::LeftButton);
    const std::vector<std::string> firstSearch = OutputLines(OUTPUT_LIST_FINDREPLACE);
    ASSERT_FALSE(firstSearch.empty());
    EXPECT_EQ(App().Find.CurrentResult, 1);
    QTest::mouseClick(findNext, Qt::LeftButton);
    EXPECT_EQ(App().Find.CurrentResult, 2) << "the search goes on to the second hit";
    EXPECT_EQ(OutputLines(OUTPUT_LIST_FINDREPLACE), firstSearch) << "a search that goes on reports nothing new";

    BringToFront(InFront::ILCode);
    Command(ID_VIEW_IL);
    fromTheTop();
    QTest::mouseClick(findNext, Qt::LeftButton);
    EXPECT_EQ(App().Find.CurrentResult, 1);
    // A new search: the list was written anew, from its first line to its summary.
    const std::vector<std::string> newSearch = OutputLines(OUTPUT_LIST_FINDREPLACE);
    ASSERT_FALSE(newSearch.empty());
    EXPECT_EQ(newSearch.front(), firstSearch.front());
    EXPECT_NE(newSearch.back().find("occurrence(s) have been found."), std::string::npos) << newSearch.back();
    dialog->OnCancel();
}

TEST_F(CommandRoutingTest, CrossReferenceShowsTheLastCompileWhenOpened)
{
    OpenProject();
    auto* frame = dynamic_cast<CChFrmCrossRef*>(SingletonFrame(SingletonWindow::CrossReference));
    ASSERT_NE(frame, nullptr);
    auto* list = dynamic_cast<CUsedVarRefView*>(frame->GetView());
    ASSERT_NE(list, nullptr);
    EXPECT_GT(list->GetReferenceCount(), 0);
}

// A right click in a table's cells opens the table's menu at the mouse.
TEST_F(CommandRoutingTest, RightClickInATableOpensItsMenu)
{
    OpenProject();
    struct Case {
        InFront window;
        const char* lastItem;
    };
    const Case cases[] = {
        {InFront::GlobalVariables, "Insert Row (Below)"},
        {InFront::InitialData, "Insert Row (Below)"},
        {InFront::StatusChart, "Read All Forced"},
        {InFront::ILVariables, "Insert Row (Below)"},
    };
    for (const Case& test : cases) {
        BringToFront(test.window);
        CMDIChildWnd* child = m_frame->MDIGetActive();
        ASSERT_NE(child, nullptr);
        auto* table = ChildOf<QTableView>(child->GetActiveView());
        ASSERT_NE(table, nullptr) << static_cast<int>(test.window);
        // The menu opens as a popup bar of the frame's command bars; its
        // last item is read and the menu dismissed with Escape.
        std::string last;
        const QPoint at = table->viewport()->rect().center();
        WhilePopupBarOpens(
            [&] {
                QContextMenuEvent click(QContextMenuEvent::Mouse, at, table->viewport()->mapToGlobal(at));
                QApplication::sendEvent(table->viewport(), &click);
            },
            [&last](CTKPopupBar* popup) {
                if (popup->GetControlCount() > 0)
                    last = WithoutMnemonic(popup->GetControl(popup->GetControlCount() - 1)->GetCaption());
                QTest::keyClick(popup, Qt::Key_Escape);
            });
        EXPECT_EQ(last, test.lastItem) << static_cast<int>(test.window);
    }
}

TEST_F(CommandRoutingTest, RecentProjectEntryOpensTheProject)
{
    OpenProject();
    m_ui.box.Answer(IDNO);
    Command(ID_CLOSE_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 0);
    Command(ID_RECENT_FIRST);
    EXPECT_EQ(App().ProjectOpen, 1);
    EXPECT_EQ(App().Project.ProjectPath, m_projectPath);
}

TEST_F(CommandRoutingTest, AboutShowsTheAboutBox)
{
    Start();
    bool shown = false;
    WhenModal<CAboutBox>([&shown](CAboutBox* box) {
        shown = true;
        box->accept();
    });
    Command(ID_ABOUT);
    EXPECT_TRUE(shown);
}

// Exit asks to save a changed project, then the frame closes and leaves
// its pane layout for the next start.
TEST_F(CommandRoutingTest, ExitAsksToSaveThenClosesTheProgram)
{
    OpenProject();
    TypeMainCode(" ");
    m_ui.box.Clear();
    m_ui.box.Answer(IDNO);
    Command(ID_EXIT);
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>{"Do you want to save the changes to your project?"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_frame.isNull() || !m_frame->isVisible(); }, kWaitMs));
    EXPECT_EQ(App().ProjectOpen, 0);
    EXPECT_EQ(Settings().GetSubSections("DockingPaneLayouts"), std::vector<std::string>{"ZULNormalLayout"});
}

TEST_F(CommandRoutingTest, ThemesSetTheDockingStyle)
{
    Start();
    Command(ID_THEME_WINDOWSXP);
    EXPECT_EQ(m_frame->GetPaneHost().GetStyleType(), 3);
    Command(ID_THEME_OFFICEXP);
    EXPECT_EQ(m_frame->GetPaneHost().GetStyleType(), 5);
}

TEST_F(CommandRoutingTest, BarPromptsReachTheStatusBar)
{
    Start();
    const std::string prompt = "Create a new project";
    m_frame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(prompt.c_str()));
    EXPECT_EQ(m_frame->GetStatusBar()->GetPaneText(0), prompt);
    m_frame->SendMessage(WM_SETMESSAGESTRING, ID_NEW_PROJECT, 0);
    EXPECT_EQ(m_frame->GetStatusBar()->GetPaneText(0), prompt);
    m_frame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    EXPECT_EQ(m_frame->GetStatusBar()->GetPaneText(0), "");
}

// Commands no menu shows but the framework sends: New, Open and Print
// Setup reach the application, printing without a dialog the POU view.
TEST_F(CommandRoutingTest, FrameworkCommandsReachTheirHandlers)
{
    OpenProject();
    BringToFront(InFront::ILCode);
    const UINT handled[] = {57600, 57601, 57606, 57608};
    for (UINT id : handled)
        EXPECT_EQ(CheckState('E', Ask(m_frame, id)), "") << id;
    BringToFront(InFront::GlobalVariables);
    EXPECT_EQ(CheckState('-', Ask(m_frame, 57608)), "");
}

// The CANopen pages' context menus, each opened by a right press in its
// place on a VC16 project's hardware window: they show their menu's
// commands enabled, the routing of the page finds each one's handler, and
// each command sent through it does its work.
TEST_F(CommandRoutingTest, CanOpenMenusOpenInTheirPlacesAndTheirCommandsWork)
{
    Start();
    App().DefaultCPU = kVC16CpuRow;
    App().DefaultPOULang = kLanguageIL;
    AnswerFileDialog(m_folder / "Network.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
    m_frame->resize(kSheetWidth, kSheetHeight);
    m_frame->OpenHardwareWindow();
    auto* hardware = dynamic_cast<CChildFrameHW*>(SingletonFrame(SingletonWindow::Hardware));
    ASSERT_NE(hardware, nullptr);
    hardware->SetCurrentTab(kCpuTab);
    auto* cpu = dynamic_cast<CCanOpenFrame*>(hardware->GetInfoView()->GetPage(kCpuTab));
    ASSERT_NE(cpu, nullptr);
    cpu->GetSheet()->GetTabControl()->setCurrentIndex(kCanOpenTab);
    auto* configuration = dynamic_cast<CCanOpenCfg*>(cpu->GetSheet()->CanOpenPage());
    ASSERT_NE(configuration, nullptr);
    CCanOpenSheet* sheet = configuration->GetCanOpenSheet();
    ASSERT_NE(sheet, nullptr);
    CCanOpenNetwork& network = sheet->NetworkPage();
    CCanOpenMapOD& map = sheet->MapPage();
    ASSERT_GT(App().GetSlaveTypeCount(), 0);
    const std::string type = App().GetSlaveType(0)->name;
    CCanOpenSlaveGrid& slaves = network.Model().SlaveGrid();

    // The place of each menu made ready on its page (the first slave
    // added for the slave list, the first slave chosen for the objects),
    // and the point of the right press.
    const auto placeOf = [&](CanOpenPlace place, QAbstractItemView*& view, QRect& at) -> CWnd* {
        switch (place) {
        case CanOpenPlace::SlaveType: {
            sheet->SetActivePage(&network);
            QTreeWidgetItem* item = network.FindTreeItem(type);
            view = network.TypeTree()->Tree();
            if (item != nullptr) {
                network.TypeTree()->Tree()->scrollToItem(item);
                at = network.TypeTree()->Tree()->visualItemRect(item);
            }
            return &network;
        }
        case CanOpenPlace::SlaveList: {
            sheet->SetActivePage(&network);
            QTableView* table = network.SlaveList()->GetTableView();
            view = table;
            at = table->visualRect(table->model()->index(0, SLAVE_COL_NAME));
            return &network;
        }
        case CanOpenPlace::ObjectTree: {
            sheet->SetActivePage(&map);
            QTreeWidgetItem* slave = map.FindTreeItem(ByteString::Format(kSlaveItemFormat, 1, type.c_str()));
            if (slave != nullptr)
                map.OnTreeItemClicked(slave);
            QTreeWidgetItem* object = FirstLeaf(slave != nullptr ? ChildOf(slave, kReceiveBranchItem) : nullptr);
            view = map.Tree()->Tree();
            if (object != nullptr) {
                for (QTreeWidgetItem* up = object->parent(); up != nullptr; up = up->parent())
                    up->setExpanded(true);
                map.Tree()->Tree()->scrollToItem(object);
                at = map.Tree()->Tree()->visualItemRect(object);
            }
            return &map;
        }
        case CanOpenPlace::MappedObject: {
            sheet->SetActivePage(&map);
            QTableView* table = map.MapGrid()->GetTableView();
            view = table;
            at = table->visualRect(table->model()->index(0, MAP_COL_NAME));
            return &map;
        }
        }
        return nullptr;
    };

    // A slave in the list, so that its menu has a row to open on.
    sheet->SetActivePage(&network);
    QTreeWidgetItem* typeItem = network.FindTreeItem(type);
    ASSERT_NE(typeItem, nullptr);
    network.TypeTree()->SelectItem(typeItem);
    network.SendMessage(WM_COMMAND, 4463);
    ASSERT_TRUE(slaves.IsConfigured(0));

    std::map<UINT, CWnd*> pageOf;
    for (const CanOpenMenu& menu : kCanOpenMenus) {
        SCOPED_TRACE(menu.menuId);
        QAbstractItemView* view = nullptr;
        QRect at;
        CWnd* page = placeOf(menu.place, view, at);
        ASSERT_NE(page, nullptr);
        ASSERT_NE(view, nullptr);
        ASSERT_FALSE(at.isEmpty());
        std::vector<std::pair<UINT, bool>> shown;
        WhilePopupBarOpens(
            [&] {
                QTest::mousePress(view->viewport(), Qt::RightButton, {}, at.center());
                QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, at.center());
            },
            [&shown](CTKPopupBar* popup) {
                for (int i = 0; i < popup->GetControlCount(); ++i)
                    shown.push_back({popup->GetControl(i)->GetID(), popup->GetControl(i)->GetEnabled() != FALSE});
                QTest::keyClick(popup, Qt::Key_Escape);
            });
        std::vector<std::pair<UINT, bool>> expected;
        for (UINT id : MenuCommands(menu.menuId)) {
            const RoutedCommand* row = FindRow(kCanOpenCommands, id);
            ASSERT_NE(row, nullptr) << id;
            expected.push_back({id, row->states[0] == 'E'});
            EXPECT_EQ(CheckState(row->states[0], Ask(page, id)), "") << row->name;
            pageOf[id] = page;
        }
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, expected);
    }

    // Each command sent through its page's routing, in the table's order.
    const auto send = [&](UINT id) {
        CWnd* page = pageOf[id];
        ASSERT_NE(page, nullptr) << id;
        page->SendMessage(WM_COMMAND, id);
    };
    network.TypeTree()->SelectItem(network.FindTreeItem(type));
    send(4463);
    ASSERT_TRUE(slaves.IsConfigured(1));
    network.SlaveList()->SetActiveCell(SLAVE_COL_NAME, 1);
    send(4466);
    EXPECT_FALSE(slaves.IsConfigured(1));
    EXPECT_TRUE(slaves.IsConfigured(2));
    network.SlaveList()->SetActiveCell(SLAVE_COL_NAME, 2);
    send(4465);
    EXPECT_TRUE(slaves.IsConfigured(1));
    EXPECT_FALSE(slaves.IsConfigured(2));
    network.SlaveList()->SetActiveCell(SLAVE_COL_NAME, 1);
    bool bootShown = false;
    WhenModal<CCanOpenBootDlg>([&bootShown](CCanOpenBootDlg* dialog) {
        bootShown = true;
        dialog->reject();
    });
    send(4471);
    EXPECT_TRUE(bootShown);
    send(4467);
    EXPECT_FALSE(slaves.IsConfigured(1));
    EXPECT_TRUE(slaves.IsConfigured(0));

    sheet->SetActivePage(&map);
    QTreeWidgetItem* slave = map.FindTreeItem(ByteString::Format(kSlaveItemFormat, 1, type.c_str()));
    ASSERT_NE(slave, nullptr);
    map.OnTreeItemClicked(slave);
    QTreeWidgetItem* object = FirstLeaf(ChildOf(slave, kReceiveBranchItem));
    ASSERT_NE(object, nullptr);
    map.Tree()->SelectItem(object);
    send(4468);
    EXPECT_FALSE(map.Model().GetMapCellText(MAP_COL_NAME, 0).empty());
    map.MapGrid()->SetActiveCell(MAP_COL_NAME, 0);
    send(4469);
    EXPECT_TRUE(map.Model().GetMapCellText(MAP_COL_NAME, 0).empty());

    sheet->SetActivePage(&network);
    network.TypeTree()->SelectItem(network.FindTreeItem(type));
    m_ui.box.Answer(IDYES);
    send(4464);
    EXPECT_EQ(network.FindTreeItem(type), nullptr);
    EXPECT_EQ(App().FindSlaveType(type), nullptr);
}
