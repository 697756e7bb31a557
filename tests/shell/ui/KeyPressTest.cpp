// The keys of the program pressed as a person presses them: a key event to
// the widget that has the keyboard focus, in the POU window where the key's
// command works, with the real main window translating it. The key table
// below is checked against the program's accelerator table both ways, so a
// key added to the program fails here until it has its row.

#include "WorkbenchFixture.h"

#include "CModbusPlc.h"
#include "LinkTestSupport.h"
#include "model/CZULAppData.h"
#include "platform/CClipboard.h"
#include "pid/ui/CPIDWizardStep1Dlg.h"
#include "pid/ui/RegisterPidUiClasses.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CIdlePump.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CWindowHook.h"
#include "platform/ui/CWizardPage.h"
#include "plclink/CPlcCommPort.h"
#include "pouedit/CPOUProgram.h"
#include "ladder/CLDProgram.h"
#include "ladder/CLDElement.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "shell/ui/CProjTreeView.h"
#include "support/ModalScript.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKShortcutFormatter.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QKeySequence>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr UINT kMainFrameAccelerators = 122;
constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_NEW_SUBROUTINE = 32921;
constexpr UINT ID_PID_WIZARD = 32967;
constexpr UINT ID_PID_TREND = 61449;
constexpr int kCpuRowVB16 = 14; // "VB16-40AR" in the module catalogue
constexpr int kLanguageIL = 1;
constexpr int kLanguageLD = 2;
constexpr int kPIDToolBar = 4;
constexpr int kWideScreen = 1280;
constexpr int kTallScreen = 800;
constexpr int kWaitMs = 5000;

// The POU window a key is pressed in: MAIN in IL, or a subroutine in LD.
enum class Where { IL, LD };

// What shows that the key's command ran.
enum class Proof {
    Held,         // enabled, and the routing names its handler; kept from running (a dialog, a file or the end)
    Runs,         // enabled, handled, and left to run: the rows after it show what it did
    Edits,        // the program in the window changes (its IL, its undo or its redo list)
    Copies,       // the clipboard gets the selection
    Toggles,      // the command's mark flips, and flips back on the second press
    Greyed,       // reaches the main window greyed by its update rule, with its handler found
    MovesTabs,    // the MDI tabs move between top and bottom, and back on the second press
    OpensWindow,  // another window comes to the front
    Compiles,     // the Compile list of the output window gets lines
};

struct KeyRow {
    const char* key; // as the menus show it
    UINT command;
    Where where;
    Proof proof;
};

// In the order they are pressed: a row may rely on the ones before it
// (select all before copy, an edit before undo).
const KeyRow kKeyRows[] = {
    {"Ctrl+N", 32695, Where::IL, Proof::Held},
    {"Ctrl+O", 32696, Where::IL, Proof::Held},
    {"Ctrl+S", 32779, Where::IL, Proof::Held},
    {"Ctrl+F4", 32697, Where::IL, Proof::Held},
    {"Ctrl+P", 57607, Where::IL, Proof::Held},
    {"Ctrl+1", 57616, Where::IL, Proof::Held}, // RecentKeysOpenTheirProjects lets them run
    {"Ctrl+2", 57617, Where::IL, Proof::Held},
    {"Ctrl+3", 57618, Where::IL, Proof::Held},
    {"Ctrl+4", 57619, Where::IL, Proof::Held},
    {"Alt+F4", 57665, Where::IL, Proof::Held}, // AltF4AsksToSaveThenCloses lets it run
    {"Alt+1", 32690, Where::IL, Proof::Toggles},
    {"Alt+2", 32692, Where::IL, Proof::Toggles},
    {"Alt+Y", 32927, Where::IL, Proof::Toggles},
    {"Alt+T", 32879, Where::IL, Proof::MovesTabs},
    {"Alt+X", 32876, Where::IL, Proof::Held},
    {"Alt+A", 32880, Where::IL, Proof::Held},
    {"Alt+N", 32932, Where::IL, Proof::OpensWindow},
    {"Alt+R", 32928, Where::IL, Proof::OpensWindow},
    {"F7", 32935, Where::IL, Proof::Compiles},
    {"F6", 32806, Where::IL, Proof::Held},
    {"F8", 32794, Where::IL, Proof::Held},
    {"Ctrl+F8", 32793, Where::IL, Proof::Held},
    {"Ctrl+F", 57636, Where::IL, Proof::Held},
    {"Ctrl+R", 57641, Where::IL, Proof::Held},
    {"Ctrl+Q", 32955, Where::IL, Proof::Edits},
    {"Ctrl+A", 57642, Where::IL, Proof::Runs},
    {"Ctrl+C", 57634, Where::IL, Proof::Copies},
    {"Ctrl+X", 57635, Where::IL, Proof::Edits},
    {"Ctrl+V", 57637, Where::IL, Proof::Edits},
    {"Ctrl+Z", 57643, Where::IL, Proof::Edits},
    {"Ctrl+Y", 57644, Where::IL, Proof::Edits},
    {"Ctrl+W", 32814, Where::LD, Proof::Edits},
    {"Ctrl+D", 32818, Where::LD, Proof::Greyed}, // needs a coil selected: CtrlDPutsAParallelCoilBelowTheSelectedCoil
    {"Ctrl+L", 32914, Where::LD, Proof::Edits},
    {"Ctrl+E", 32912, Where::LD, Proof::Edits},
    {"Ctrl+U", 32816, Where::LD, Proof::Edits},
    {"Ctrl+B", 32817, Where::LD, Proof::Held},
    {"Ctrl+H", 32915, Where::LD, Proof::Held},
    {"Ctrl+Del", 32820, Where::LD, Proof::Edits},
};

// The editors' keys that their own key handlers serve, not the accelerators.
struct EditorKeyRow {
    const char* key;
    Where where;
};
const EditorKeyRow kEditorKeyRows[] = {
    {"Del", Where::LD}, // Delete component
};

// Watches the commands that reach the main window from a menu or a key,
// asks the routing what the window itself would ask (is the command
// enabled, who handles it) and, while holding, keeps them from running.
class CommandWatch : public CWindowHook {
public:
    struct Seen {
        UINT id = 0;
        BOOL enabled = FALSE;
        CCmdTarget* handler = nullptr;
    };
    std::vector<Seen> seen;
    BOOL hold = FALSE;

protected:
    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override
    {
        if (message != WM_COMMAND || *lParam != 0)
            return 0;
        Seen command;
        command.id = LOWORD(static_cast<DWORD>(*wParam));
        CCmdUI state(command.id);
        window->OnCmdMsg(command.id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        command.enabled = state.IsEnabled();
        AFX_CMDHANDLERINFO info;
        window->OnCmdMsg(command.id, CN_COMMAND, nullptr, &info);
        command.handler = info.pTarget;
        seen.push_back(command);
        if (!hold)
            return 0;
        *result = TRUE;
        return 1;
    }
};

QKeyCombination KeyOf(const char* text)
{
    const QKeySequence sequence = QKeySequence::fromString(QString::fromUtf8(text), QKeySequence::PortableText);
    return sequence.isEmpty() ? QKeyCombination() : sequence[0];
}

class KeyPressTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterPidUiClasses(&error)) << error;
    }

    // A VB16 project whose MAIN is in IL, with a subroutine in LD; the
    // main window shown and active, as the program runs.
    void OpenProject()
    {
        Start();
        App().DefaultCPU = kCpuRowVB16;
        App().DefaultPOULang = kLanguageIL;
        AnswerFileDialog(m_folder / "Keys.qpj");
        Command(ID_NEW_PROJECT);
        ASSERT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
        m_il = m_frame->GetActivePOUDocument();
        ASSERT_NE(m_il, nullptr);
        ASSERT_EQ(m_il->GetLanguage(), kLanguageIL);
        App().DefaultPOULang = kLanguageLD;
        Command(ID_NEW_SUBROUTINE);
        m_ld = m_frame->GetActivePOUDocument();
        ASSERT_NE(m_ld, nullptr);
        ASSERT_EQ(m_ld->GetLanguage(), kLanguageLD);
        m_frame->show();
        m_frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    }

    // Brings the POU window to the front with the focus in its editor and
    // presses the key on the widget that has the focus.
    void PressIn(Where where, const char* key)
    {
        CPOUEditorDoc* document = where == Where::IL ? m_il : m_ld;
        ASSERT_NE(document, nullptr);
        CPOUEditorView* view = document->GetEditorView();
        ASSERT_NE(view, nullptr);
        m_frame->MDIActivate(view->GetParentFrame());
        view->SetFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == view; }, kWaitMs));
        const QKeyCombination combination = KeyOf(key);
        ASSERT_NE(combination.key(), Qt::Key_unknown) << key;
        QTest::keyClick(QApplication::focusWidget(), combination.key(), combination.keyboardModifiers());
    }

    // What an edit changes: the program as IL, and its undo and redo lists.
    using ProgramState = std::tuple<std::vector<std::string>, int, int>;
    static ProgramState StateOf(CPOUEditorDoc* document)
    {
        CPOUProgram* program = document->GetProgram();
        std::vector<std::string> lines;
        program->GetILLines(lines);
        return {lines, program->GetUndoCount(), program->GetRedoCount()};
    }

    int TabPosition() { return m_frame->GetTabClient().GetRenderer()->GetPosition(); }

    int Check(UINT id)
    {
        CCmdUI state(id);
        m_frame->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        return state.GetCheck();
    }

    CPOUEditorDoc* m_il = nullptr;
    CPOUEditorDoc* m_ld = nullptr;
};

} // namespace

TEST_F(KeyPressTest, TheKeyTableIsTheProgramsAcceleratorTable)
{
    const CAcceleratorTable* table = CResourceStore::Instance().FindAccelerators(kMainFrameAccelerators);
    ASSERT_NE(table, nullptr);
    std::multiset<std::pair<std::string, UINT>> program;
    for (const ACCEL& entry : table->GetEntries()) {
        std::string text;
        CTKShortcutFormatter(&entry).Format(text);
        program.insert({text, entry.cmd});
    }
    std::multiset<std::pair<std::string, UINT>> tested;
    for (const KeyRow& row : kKeyRows)
        tested.insert({row.key, row.command});
    EXPECT_EQ(tested, program);
}

TEST_F(KeyPressTest, EveryKeyRunsItsCommandInTheWindowInFront)
{
    ASSERT_NO_FATAL_FAILURE(OpenProject());
    CommandWatch watch;
    ASSERT_TRUE(watch.HookWindow(m_frame));
    for (const KeyRow& row : kKeyRows) {
        SCOPED_TRACE(std::string(row.key) + (row.where == Where::IL ? " in IL" : " in LD"));
        CPOUEditorDoc* document = row.where == Where::IL ? m_il : m_ld;
        ASSERT_NE(document, nullptr);
        watch.hold = row.proof == Proof::Held;
        watch.seen.clear();
        const ProgramState before = StateOf(document);
        const int tabsBefore = TabPosition();
        const int checkBefore = Check(row.command);
        const int outputBefore = static_cast<int>(OutputLines(OUTPUT_LIST_COMPILE).size());
        if (row.proof == Proof::Copies)
            CClipboard::Get().Empty();
        ASSERT_NO_FATAL_FAILURE(PressIn(row.where, row.key));
        CMDIChildWnd* front = m_frame->MDIGetActive();

        ASSERT_EQ(watch.seen.size(), 1u);
        EXPECT_EQ(watch.seen.front().id, row.command);
        EXPECT_EQ(watch.seen.front().enabled != FALSE, row.proof != Proof::Greyed);
        EXPECT_NE(watch.seen.front().handler, nullptr);
        switch (row.proof) {
        case Proof::Held:
        case Proof::Runs:
        case Proof::Greyed:
            break;
        case Proof::Edits:
            EXPECT_NE(StateOf(document), before) << ::testing::PrintToString(m_ui.box.Texts());
            break;
        case Proof::Copies:
        {
            // Everything was selected: the program's clipboard holds every line of the program.
            std::string copied;
            EXPECT_TRUE(CClipboard::Get().GetText(&copied));
            for (const std::string& line : std::get<0>(before))
                EXPECT_NE(copied.find(line), std::string::npos) << line << " in " << copied;
            EXPECT_FALSE(copied.empty());
            break;
        }
        case Proof::MovesTabs:
            EXPECT_NE(TabPosition(), tabsBefore);
            ASSERT_NO_FATAL_FAILURE(PressIn(row.where, row.key));
            EXPECT_EQ(TabPosition(), tabsBefore);
            break;
        case Proof::Toggles:
            EXPECT_NE(Check(row.command), checkBefore);
            ASSERT_NO_FATAL_FAILURE(PressIn(row.where, row.key));
            EXPECT_EQ(Check(row.command), checkBefore);
            break;
        case Proof::OpensWindow:
            EXPECT_NE(front, document->GetEditorView()->GetParentFrame());
            break;
        case Proof::Compiles:
            EXPECT_GT(static_cast<int>(OutputLines(OUTPUT_LIST_COMPILE).size()), outputBefore);
            break;
        }
    }
    watch.UnhookAll();
}

TEST_F(KeyPressTest, TheEditorsOwnKeysEdit)
{
    ASSERT_NO_FATAL_FAILURE(OpenProject());
    for (const EditorKeyRow& row : kEditorKeyRows) {
        SCOPED_TRACE(row.key);
        CPOUEditorDoc* document = row.where == Where::IL ? m_il : m_ld;
        // Something to delete: a contact left of the selection.
        ASSERT_NO_FATAL_FAILURE(PressIn(row.where, "Ctrl+L"));
        const ProgramState before = StateOf(document);
        ASSERT_NO_FATAL_FAILURE(PressIn(row.where, row.key));
        EXPECT_NE(StateOf(document), before);
    }
}

TEST_F(KeyPressTest, PIDButtonsWaitForAProjectOfTheirFamily)
{
    Start();
    CTKToolBar* bar = m_frame->GetToolBar(kPIDToolBar);
    ASSERT_NE(bar, nullptr);
    ASSERT_GE(bar->GetControlCount(), 2);
    CIdlePump::Instance().RunIdle();
    EXPECT_FALSE(bar->GetControl(0)->GetEnabled());
    EXPECT_FALSE(bar->GetControl(1)->GetEnabled());
    App().DefaultCPU = kCpuRowVB16;
    App().DefaultPOULang = kLanguageIL;
    AnswerFileDialog(m_folder / "Loops.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1);
    CIdlePump::Instance().RunIdle();
    EXPECT_TRUE(bar->GetControl(0)->GetEnabled());
    EXPECT_TRUE(bar->GetControl(1)->GetEnabled());
    App().Monitoring = 1;
    CIdlePump::Instance().RunIdle();
    EXPECT_FALSE(bar->GetControl(0)->GetEnabled());
    App().Monitoring = 0;
}

// The PID toolbar clicked as a person clicks it, on a VB16 project: the
// wizard's first page comes up, and the trend button opens the trend display.
TEST_F(KeyPressTest, PIDToolBarButtonsOpenTheWizardAndTheTrend)
{
    ASSERT_NO_FATAL_FAILURE(OpenProject());
    CTKToolBar* bar = m_frame->GetToolBar(kPIDToolBar);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->isVisible());
    CIdlePump::Instance().RunIdle();
    const auto click = [bar](UINT command) {
        for (int i = 0; i < bar->GetControlCount(); ++i) {
            CTKControl* button = bar->GetControl(i);
            if (button->GetID() != command)
                continue;
            // A button the bar's length squeezes out hides behind the chevron and takes no click.
            if (!button->IsVisible())
                return false;
            const CPoint centre = button->GetRect().CenterPoint();
            const QPoint at(centre.x + bar->GetClientOrigin().x, centre.y + bar->GetClientOrigin().y);
            // The pointer rests on the button, so the bar's check of where the
            // pointer is keeps it hot however long the test has taken so far.
            QCursor::setPos(bar->mapToGlobal(at));
            // The button under the mouse becomes hot first, as the pointer moving onto it makes it.
            bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
            // The press tracks the button until the release, which comes while it does.
            QTimer::singleShot(0, bar, [bar, at] { QTest::mouseRelease(bar, Qt::LeftButton, {}, at); });
            QTest::mousePress(bar, Qt::LeftButton, {}, at);
            return true;
        }
        return false;
    };

    bool wizardShown = false;
    WhenModal<CPIDWizardStep1Dlg>([&wizardShown](CPIDWizardStep1Dlg* page) {
        wizardShown = true;
        page->reject();
    });
    ASSERT_TRUE(click(ID_PID_WIZARD));
    EXPECT_TRUE(QTest::qWaitFor([&] { return wizardShown && QApplication::activeModalWidget() == nullptr; }, kWaitMs));

    // The PID bar comes last on its row: on a screen wide enough it keeps
    // its full length and the trend button shows beside the wizard's.
    m_frame->MoveWindow(CRect(0, 0, kWideScreen, kTallScreen));
    m_frame->RecalcLayout();
    CIdlePump::Instance().RunIdle();
    ASSERT_TRUE(click(ID_PID_TREND));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_frame->GetSlot(SingletonWindow::PIDTrend).frame.isNull(); }, kWaitMs));
    EXPECT_EQ(App().PIDTrendOpen, 1);
    m_frame->GetSlot(SingletonWindow::PIDTrend).frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(QTest::qWaitFor([&] { return App().PIDTrendOpen == 0; }, kWaitMs));
}

// Every item of the main menu shows at its right edge the key that the
// accelerator table binds to its command, and no text where no key is
// bound, whatever its caption says (Cross Reference shows Alt+R of the
// table, Password and Contents and Index none).
TEST_F(KeyPressTest, MenuItemsShowTheKeysOfTheAcceleratorTable)
{
    ASSERT_NO_FATAL_FAILURE(OpenProject());
    std::map<UINT, std::string> keyOf;
    for (const KeyRow& row : kKeyRows)
        keyOf[row.command] = row.key;
    CTKMenuBar* menuBar = m_frame->GetCommandBars()->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    std::map<UINT, std::string> shown;
    for (int title = 0; title < menuBar->GetControlCount(); ++title) {
        CTKControl* heading = menuBar->GetControl(title);
        // The maximised window's buttons share the bar; they open no menu.
        if (dynamic_cast<CTKControlPopup*>(heading) == nullptr)
            continue;
        SCOPED_TRACE(heading->GetCaption());
        // Opened from the keyboard, as Alt and the arrow keys open it.
        ASSERT_TRUE(menuBar->SetTrackingMode(1, FALSE, TRUE));
        ASSERT_TRUE(menuBar->SetPopuped(title, TRUE));
        CTKCommandBar* menu = heading->GetCommandBar();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, kWaitMs));
        for (int i = 0; i < menu->GetControlCount(); ++i) {
            const CTKControl* item = menu->GetControl(i);
            if (item->GetHideFlags() != 0 || item->GetID() == 0)
                continue;
            const auto key = keyOf.find(item->GetID());
            EXPECT_EQ(item->GetShortcutText(), key == keyOf.end() ? "" : key->second)
                << item->GetCaption() << " (" << item->GetID() << ")";
            shown[item->GetID()] = item->GetShortcutText();
        }
        CTKPopupTracker::Get().CloseTrackedBars();
        menuBar->SetTrackingMode(0, FALSE, FALSE);
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }, kWaitMs));
    }
    // The menus showed the items the cases name.
    const std::pair<UINT, const char*> cases[] = {
        {32695, "Ctrl+N"}, {32928, "Alt+R"}, {32889, ""}, {32811, ""}, {32820, "Ctrl+Del"}, {57665, "Alt+F4"},
    };
    for (const auto& [id, text] : cases) {
        ASSERT_EQ(shown.count(id), 1u) << id;
        EXPECT_EQ(shown[id], text) << id;
    }
}

// Ctrl+1 to Ctrl+4 open the projects of the File menu's recent list,
// newest first, from the editor of the project that is open.
TEST_F(KeyPressTest, RecentProjectKeysOpenTheirProjects)
{
    Start();
    App().DefaultCPU = kCpuRowVB16;
    App().DefaultPOULang = kLanguageIL;
    const std::vector<std::string> names = {"First", "Second", "Third", "Fourth"};
    for (const std::string& name : names) {
        AnswerFileDialog(m_folder / (name + ".qpj"));
        Command(ID_NEW_PROJECT);
        ASSERT_EQ(App().Project.ProjectPath, m_folder / (name + ".qpj")) << ::testing::PrintToString(m_ui.box.Texts());
    }
    m_frame->show();
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    // The list, newest first, and the key pressed on it.
    std::vector<std::string> recent = {"Fourth", "Third", "Second", "First"};
    const char* const keys[] = {"Ctrl+2", "Ctrl+4", "Ctrl+1", "Ctrl+3"};
    for (const char* key : keys) {
        SCOPED_TRACE(key);
        const size_t entry = static_cast<size_t>(key[5] - '1');
        const std::string wanted = recent[entry];
        // An opened project shows no POU window yet: the key goes to the project tree.
        CWnd* tree = m_frame->GetProjTreeView();
        ASSERT_NE(tree, nullptr);
        tree->SetFocus();
        ASSERT_TRUE(QTest::qWaitFor([tree] { return tree->isAncestorOf(QApplication::focusWidget()) || tree->hasFocus(); }, kWaitMs));
        const QKeyCombination combination = KeyOf(key);
        QTest::keyClick(QApplication::focusWidget(), combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(App().Project.ProjectPath, m_folder / (wanted + ".qpj"));
        EXPECT_EQ(App().ProjectOpen, 1);
        recent.erase(recent.begin() + static_cast<std::ptrdiff_t>(entry));
        recent.insert(recent.begin(), wanted);
    }
}

// Alt+F4 in the editor asks to save the changed project, then the program closes.
TEST_F(KeyPressTest, AltF4AsksToSaveThenCloses)
{
    ASSERT_NO_FATAL_FAILURE(OpenProject());
    m_ui.box.Clear();
    ASSERT_NO_FATAL_FAILURE(PressIn(Where::IL, "Ctrl+Q")); // an edit: the project is changed
    m_ui.box.Answer(IDNO);
    ASSERT_NO_FATAL_FAILURE(PressIn(Where::IL, "Alt+F4"));
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>{"Do you want to save the changes to your project?"});
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_frame.isNull() || !m_frame->isVisible(); }, kWaitMs));
    EXPECT_EQ(App().ProjectOpen, 0);
}

// Ctrl+D with a coil selected puts a parallel coil below it. The new
// network's coil stands at the end of its rung, a few cells right of the
// contact that Ctrl+W selects: Right walks there cell by cell.
TEST_F(KeyPressTest, CtrlDPutsAParallelCoilBelowTheSelectedCoil)
{
    constexpr int kCoil = 0;
    constexpr int kParallelLink = 2;
    constexpr int kMostCellsToTheCoil = 8;
    ASSERT_NO_FATAL_FAILURE(OpenProject());
    auto* program = dynamic_cast<CLDProgram*>(m_ld->GetProgram());
    ASSERT_NE(program, nullptr);
    ASSERT_NO_FATAL_FAILURE(PressIn(Where::LD, "Ctrl+W"));
    const CLDElement* contact = program->GetSelection();
    ASSERT_NE(contact, nullptr);
    const int row = contact->GetPosition().row;
    for (int step = 0; step < kMostCellsToTheCoil; ++step) {
        const CLDElement* selected = program->GetSelection();
        if (selected != nullptr && selected->GetKind() == kCoil)
            break;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    }
    const CLDElement* coil = program->GetSelection();
    ASSERT_NE(coil, nullptr);
    ASSERT_EQ(coil->GetKind(), kCoil);
    EXPECT_EQ(coil->GetPosition().row, row);

    const ProgramState before = StateOf(m_ld);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_NE(StateOf(m_ld), before);
    const CLDElement* added = program->GetSelection();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetKind(), kCoil);
    EXPECT_EQ(added->GetLink(), kParallelLink);
    EXPECT_EQ(added->GetPosition().column, coil->GetPosition().column);
    EXPECT_GT(added->GetPosition().row, row);
    std::vector<std::string> lines;
    program->GetILLines(lines);
    // The new coil's operand still to be typed: the network now stores into it.
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "ST   ????");
}

// Alt pressed and released alone selects the menu bar's first menu from
// the keyboard; Alt held for one of the program's keys does not, so the
// next arrow key goes to the window and not into the File menu. Pressed in
// the editors and in the project tree.
TEST_F(KeyPressTest, OnlyAltReleasedAloneSelectsTheMenuBar)
{
    ASSERT_NO_FATAL_FAILURE(OpenProject());
    CTKMenuBar* menuBar = m_frame->GetCommandBars()->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    const auto focusEditor = [this](CPOUEditorDoc* document) {
        CPOUEditorView* view = document->GetEditorView();
        m_frame->MDIActivate(view->GetParentFrame());
        view->SetFocus();
        return static_cast<QWidget*>(view);
    };
    const std::pair<const char*, std::function<QWidget*()>> places[] = {
        {"LD editor", [&] { return focusEditor(m_ld); }},
        {"IL editor", [&] { return focusEditor(m_il); }},
        {"project tree", [this] {
             CWnd* tree = m_frame->GetProjTreeView();
             tree->SetFocus();
             return static_cast<QWidget*>(tree);
         }},
    };
    // Each key toggles, and is pressed twice: once with the letter let go
    // first, once with Alt let go first, as hands do.
    const Qt::Key altKeys[] = {Qt::Key_Y, Qt::Key_T};
    for (const auto& [name, focus] : places) {
        SCOPED_TRACE(name);
        for (Qt::Key letter : altKeys) {
            for (bool altFirst : {false, true}) {
                QWidget* place = focus();
                ASSERT_TRUE(QTest::qWaitFor(
                    [place] { return place->hasFocus() || place->isAncestorOf(QApplication::focusWidget()); }, kWaitMs));
                QWindow* window = m_frame->windowHandle();
                QTest::keyPress(window, Qt::Key_Alt);
                QTest::keyPress(window, letter, Qt::AltModifier);
                if (altFirst) {
                    QTest::keyRelease(window, Qt::Key_Alt, Qt::AltModifier);
                    QTest::keyRelease(window, letter);
                } else {
                    QTest::keyRelease(window, letter, Qt::AltModifier);
                    QTest::keyRelease(window, Qt::Key_Alt, Qt::AltModifier);
                }
                EXPECT_EQ(menuBar->GetTrackingMode(), 0) << "Alt+" << char(letter) << (altFirst ? ", Alt let go first" : "");
                menuBar->SetTrackingMode(0, FALSE, FALSE);
            }
        }
        QWidget* place = focus();
        ASSERT_TRUE(QTest::qWaitFor(
            [place] { return place->hasFocus() || place->isAncestorOf(QApplication::focusWidget()); }, kWaitMs));
        QTest::keyClick(m_frame->windowHandle(), Qt::Key_Alt, Qt::AltModifier);
        EXPECT_NE(menuBar->GetTrackingMode(), 0);
        menuBar->SetTrackingMode(0, FALSE, FALSE);
    }
}
