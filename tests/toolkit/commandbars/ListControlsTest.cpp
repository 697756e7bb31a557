// The menu items that stand for changing lists: the open windows (numbered,
// at most nine, the active one checked), the toolbars (the menu bar left
// out, a click toggles the bar), the recent files (numbered modulo ten, "&"
// kept, a disabled placeholder when there are none), the tab-group commands
// (only with a tab client), the OLE verbs (never any here), and the menu
// items that become these controls.

#include "BarsFrame.h"

#include "platform/CArchive.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIClient.h"
#include "platform/ui/CMenu.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControlOleItems.h"
#include "toolkit/commandbars/CTKControlRecentFileList.h"
#include "toolkit/commandbars/CTKControlSelector.h"
#include "toolkit/commandbars/CTKControlToolbars.h"
#include "toolkit/commandbars/CTKControlWindowList.h"
#include "toolkit/commandbars/CTKControlWorkspaceActions.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/ITKRecentFileSource.h"
#include "toolkit/commandbars/ITKTabGroupCommands.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include "toolkit/commandbars/CTKPopupTracker.h"

#include <QCursor>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const CRect kFrameRect(0, 0, 900, 500);
constexpr UINT kFirstChild = 0xFF00;

// A frame that keeps a recent-file list of fixed display names.
class RecentFrame : public CTKFixtureFrame, public ITKRecentFileSource {
public:
    std::vector<std::string> names;
    int start = 0;

    int GetRecentStartIndex() const override { return start; }
    int GetRecentFileCount() const override { return static_cast<int>(names.size()); }
    BOOL GetRecentDisplayName(int index, const std::string&, std::string* name) const override
    {
        if (index < 0 || index >= GetRecentFileCount() || names[static_cast<size_t>(index)].empty())
            return FALSE;
        *name = names[static_cast<size_t>(index)];
        return TRUE;
    }
};

// A tab client that can carry out the commands of its set.
class FakeTabClient : public CWnd, public ITKTabGroupCommands {
public:
    std::set<UINT> enabled;
    BOOL IsGroupCommandEnabled(UINT id) const override { return enabled.count(id) != 0; }
};

class ListControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenClassicFrameWithBars(frame, bars, kFrameRect));
        menu = CTKPopupBar::NewPopupBar(bars);
        ProcessEvents();
    }
    void TearDown() override
    {
        menu->InternalRelease();
        frame->GetMDIClient()->DetachTabClient();
        frame->DestroyWindow();
        ProcessEvents();
    }

    // A menu of a leading command, then the list control.
    CTKControl* AddList(CTKControl* list, UINT id, BOOL leading = TRUE)
    {
        if (leading)
            menu->GetControls()->AddNewControl(kTKControlButton, 57600);
        return menu->GetControls()->InsertControl(list, id);
    }
    // What a layout does first: every control refreshes itself, in order.
    void Layout()
    {
        for (int i = 0; i < menu->GetControlCount(); ++i)
            menu->GetControl(i)->OnCalcDynamicSize(0);
    }
    std::vector<CTKControl*> Generated() const
    {
        std::vector<CTKControl*> items;
        for (int i = 0; i < menu->GetControlCount(); ++i)
            if (menu->GetControl(i)->IsTemporary())
                items.push_back(menu->GetControl(i));
        return items;
    }
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const CTKControl* item : Generated())
            captions.push_back(item->GetCaption());
        return captions;
    }
    CMDIChildWnd* AddChild(const std::string& title)
    {
        auto* child = new CMDIChildWnd;
        EXPECT_TRUE(child->Create(title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150),
                                  frame.get()));
        return child;
    }

    std::unique_ptr<RecentFrame> frame;
    CTKCommandBars* bars = nullptr;
    CTKPopupBar* menu = nullptr;
};

TEST_F(ListControlsTest, TheWindowListNumbersVisibleChildrenUpToNine)
{
    struct Case {
        const char* name;
        int hidden;   // index of a hidden child among the twelve, -1 none
    };
    const Case cases[] = {{"twelve visible", -1}, {"the third one hidden", 2}};
    for (const Case& test : cases) {
        std::vector<CMDIChildWnd*> children = {frame->Child(0), frame->Child(1)};
        for (int i = 2; i < 12; ++i)
            children.push_back(AddChild("W" + std::to_string(i + 1)));
        ProcessEvents();
        std::vector<std::string> titles;
        for (size_t i = 0; i < children.size(); ++i) {
            if (static_cast<int>(i) == test.hidden)
                children[i]->ShowWindow(SW_HIDE);
            else
                titles.push_back(children[i]->GetWindowText());
        }
        CMDIChildWnd* active = frame->GetMDIClient()->GetActive();
        ASSERT_NE(active, nullptr);
        CTKControl* list = AddList(new CTKControlWindowList, kTKWindowListId);
        Layout();
        Layout();   // a second layout replaces the items, it does not add to them
        const std::vector<CTKControl*> items = Generated();
        ASSERT_EQ(items.size(), 9u) << test.name;
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i]->GetCaption(), "&" + std::to_string(i + 1) + " " + titles[i]) << test.name << i;
            EXPECT_EQ(items[i]->GetIndex(), list->GetIndex() + 1 + static_cast<int>(i)) << test.name;
            EXPECT_EQ(items[i]->GetBeginGroup(), i == 0) << test.name << i;
            EXPECT_EQ(items[i]->GetFlags(), kTKFlagNoUpdate) << test.name;
            EXPECT_EQ(items[i]->GetChecked(), items[i]->GetID() == active->GetDlgCtrlID()) << test.name << i;
            EXPECT_GE(items[i]->GetID(), kFirstChild) << test.name;
        }
        EXPECT_EQ(list->GetHideFlags(), kTKHideListPlaceholder) << test.name;
        menu->GetControls()->RemoveAll();
        for (size_t i = 2; i < children.size(); ++i)
            children[i]->DestroyWindow();
        frame->Child(0)->ShowWindow(SW_SHOW);
        frame->Child(1)->ShowWindow(SW_SHOW);
        ProcessEvents();
    }
}

TEST_F(ListControlsTest, TheToolbarsListLeavesOutTheMenuBarAndTogglesABar)
{
    ASSERT_NE(bars->CreateMenuBar("Menu Bar", 123), nullptr);
    CTKToolBar* standard = bars->AddToolBar("Standard", kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
    CTKToolBar* debug = bars->AddToolBar("Debug", kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
    ASSERT_TRUE(standard && debug);
    debug->SetVisible(FALSE);
    CTKControl* list = AddList(new CTKControlToolbars, kTKToolbarsListId, FALSE);
    Layout();
    Layout();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Standard", "Debug"}));
    const std::vector<CTKControl*> items = Generated();
    ASSERT_EQ(items.size(), 2u);
    // The tag is the bar's place in the whole bar list, the menu bar counted.
    EXPECT_EQ(items[0]->GetTag(), 1u);
    EXPECT_EQ(items[1]->GetTag(), 2u);
    EXPECT_TRUE(items[0]->GetChecked());
    EXPECT_FALSE(items[1]->GetChecked());
    EXPECT_EQ(items[0]->GetParameter(), kTKToolbarItemParameter);
    EXPECT_EQ(items[0]->GetFlags(), kTKFlagNoUpdate);
    EXPECT_EQ(list->GetHideFlags(), kTKHideListPlaceholder);

    items[1]->Execute();
    EXPECT_TRUE(debug->IsVisible());
    items[0]->Execute();
    EXPECT_FALSE(standard->IsVisible());
    Layout();
    EXPECT_FALSE(Generated()[0]->GetChecked());
    EXPECT_TRUE(Generated()[1]->GetChecked());
}

TEST_F(ListControlsTest, RecentFilesAreNumberedModuloTenWithTheirAmpersands)
{
    struct Case {
        const char* name;
        std::vector<std::string> names;
        int start;
        BOOL leading;
        std::vector<std::string> captions;
        BOOL placeholderShown;
    };
    const std::vector<std::string> ten = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    const Case cases[] = {
        {"no files", {}, 0, TRUE, {}, TRUE},
        {"an empty first entry", {""}, 0, TRUE, {}, TRUE},
        {"two files", {"Lift.qpj", "/home/ann/R&D.qpj"}, 0, TRUE, {"&1 Lift.qpj", "&2 /home/ann/R&&D.qpj"}, FALSE},
        {"a double-byte name", {"\xB0\x26.qpj"}, 0, FALSE, {"&1 \xB0\x26.qpj"}, FALSE},
        {"ten files", ten, 0, TRUE,
         {"&1 a", "&2 b", "&3 c", "&4 d", "&5 e", "&6 f", "&7 g", "&8 h", "&9 i", "&0 j"}, FALSE},
        {"a later start", {"x"}, 4, TRUE, {"&5 x"}, FALSE},
    };
    for (const Case& test : cases) {
        frame->names = test.names;
        frame->start = test.start;
        CTKControl* list = AddList(new CTKControlRecentFileList, kTKRecentFileFirstId, test.leading);
        list->SetCaption("Recent File");
        Layout();
        Layout();
        EXPECT_EQ(Captions(), test.captions) << test.name;
        EXPECT_EQ(list->IsVisible(), test.placeholderShown) << test.name;
        // The placeholder shows only for an empty list, and then disabled.
        EXPECT_EQ(list->GetEnabled(), !test.placeholderShown) << test.name;
        const std::vector<CTKControl*> items = Generated();
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i]->GetID(), kTKRecentFileFirstId + i) << test.name;
            EXPECT_EQ(items[i]->GetFlags(), kTKFlagNoUpdate) << test.name;
            EXPECT_EQ(items[i]->GetBeginGroup(), i == 0 && test.leading) << test.name << i;
        }
        menu->GetControls()->RemoveAll();
    }
}

TEST_F(ListControlsTest, WorkspaceActionsNeedATabClient)
{
    CTKControl* list = AddList(new CTKControlWorkspaceActions, kTKWorkspaceActionsId);
    list->SetBeginGroup(TRUE);
    Layout();
    EXPECT_TRUE(Generated().empty());
    EXPECT_TRUE(list->IsVisible());

    FakeTabClient tabClient;
    tabClient.enabled = {9420, 9423};
    frame->GetMDIClient()->AttachTabClient(&tabClient);
    Layout();
    Layout();
    const std::vector<CTKControl*> items = Generated();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->GetID(), 9423u);
    EXPECT_EQ(items[1]->GetID(), 9420u);
    EXPECT_TRUE(items[0]->GetBeginGroup());
    EXPECT_FALSE(items[1]->GetBeginGroup());
    EXPECT_EQ(items[0]->GetFlags(), 0u);
    EXPECT_EQ(list->GetHideFlags(), kTKHideListPlaceholder);

    tabClient.enabled.clear();
    Layout();
    EXPECT_TRUE(Generated().empty());
    frame->GetMDIClient()->DetachTabClient();
}

TEST_F(ListControlsTest, OleVerbsNeverListAnythingHere)
{
    CTKControl* list = AddList(new CTKControlOleItems, kTKOleVerbsId);
    Layout();
    EXPECT_TRUE(Generated().empty());
    EXPECT_EQ(list->GetHideFlags(), kTKHideListPlaceholder);
    EXPECT_EQ(list->GetCaption(), kTKOleVerbsText);
}

TEST_F(ListControlsTest, ListItemsDropIntoMenusOnly)
{
    CTKControlWindowList list;
    CTKToolBar* toolBar = bars->AddToolBar("Standard", kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
    DWORD effect = 7;
    EXPECT_TRUE(list.IsCustomizeDragOverAvail(menu, CPoint(), &effect));
    EXPECT_EQ(effect, 7u);
    EXPECT_FALSE(list.IsCustomizeDragOverAvail(toolBar, CPoint(), &effect));
    EXPECT_EQ(effect, 0u);
}

TEST_F(ListControlsTest, MenuItemsWithListIdsBecomeListControls)
{
    struct Case {
        UINT id;
        const char* text;
        const CRuntimeClass* expected;
    };
    const Case cases[] = {
        {35000, "Windows", RUNTIME_CLASS(CTKControlWindowList)},
        {35002, "Workspace", RUNTIME_CLASS(CTKControlWorkspaceActions)},
        {59392, "Toolbars", RUNTIME_CLASS(CTKControlToolbars)},
        {57872, "<<OLE VERBS GO HERE>>", RUNTIME_CLASS(CTKControlOleItems)},
        {57872, "Object", RUNTIME_CLASS(CTKControlButton)},
        {57616, "Recent File", RUNTIME_CLASS(CTKControlRecentFileList)},
        {57617, "Recent File 2", RUNTIME_CLASS(CTKControlButton)},
    };
    CMenu source;
    source.CreatePopupMenu();
    for (const Case& test : cases)
        source.AppendMenu(MF_STRING, test.id, test.text);
    menu->LoadMenu(&source, TRUE);
    ASSERT_EQ(menu->GetControlCount(), static_cast<int>(std::size(cases)));
    for (int i = 0; i < menu->GetControlCount(); ++i) {
        EXPECT_EQ(menu->GetControl(i)->GetRuntimeClass(), cases[i].expected) << cases[i].text;
        EXPECT_EQ(menu->GetControl(i)->GetID(), cases[i].id) << cases[i].text;
    }
}

TEST_F(ListControlsTest, TheProgramsFileMenuShowsTheRecentFilesNumbered)
{
    frame->names = {"Lift.qpj", "/home/ann/R&D.qpj"};
    CMenu program;
    ASSERT_TRUE(program.LoadMenu(123));
    const CMenu* file = program.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    std::vector<std::string> captions;
    std::string screenshot;
    QTimer::singleShot(0, [&] {
        const auto& tracked = CTKPopupTracker::Get().GetTrackedBars();
        ASSERT_EQ(tracked.size(), 1u);
        for (int i = 0; i < tracked.front()->GetControlCount(); ++i)
            if (tracked.front()->GetControl(i)->IsVisible())
                captions.push_back(tracked.front()->GetControl(i)->GetCaption());
        screenshot = SaveScreenshot("file_menu_recent_files.png");
        QTest::keyClick(frame.get(), Qt::Key_Escape);
    });
    CTKCommandBars::ShowContextMenu(file, TPM_RETURNCMD, 100, 100, frame.get(), nullptr, frame.get(), bars);
    EXPECT_EQ(captions, (std::vector<std::string>{"&New Project...", "&Open Project...", "&Close Project",
                                                  "&Save Project", "Save Project &As...", "&Import...", "&Export...",
                                                  "&1 Lift.qpj", "&2 /home/ann/R&&D.qpj", "E&xit"}));
    EXPECT_FALSE(screenshot.empty());
}

// Records the selector's notifications and the commands it sends.
class SelectorSite : public CWnd {
public:
    std::vector<CSize> announced;
    std::vector<UINT> commands;
    CTKControlSelector* selector = nullptr;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_TK_EXECUTE) {
            const auto* record = reinterpret_cast<const TKNMCONTROL*>(lParam);
            if (record->hdr.code == kTKSelectorChangedCode)
                announced.push_back(selector->GetSelection());
            *result = 0;
            return TRUE;
        }
        if (message == WM_COMMAND) {
            commands.push_back(static_cast<UINT>(wParam));
            *result = 0;
            return TRUE;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

TEST_F(ListControlsTest, TheSelectorHighlightsAndChoosesABlock)
{
    SelectorSite site;
    ASSERT_TRUE(site.Create(frame.get(), CRect(0, 0, 10, 10), 0, WS_CHILD));
    menu->SetSite(&site);
    menu->SetOwnerWindow(&site);
    auto* selector = new CTKControlSelector;
    site.selector = selector;
    menu->GetControls()->InsertControl(selector, 4242);
    selector->SetRect(CRect(10, 20, 150, 132));
    Layout();
    EXPECT_EQ(selector->GetSize(nullptr), CSize(5 * 28, 4 * 28));
    EXPECT_EQ(site.announced, (std::vector<CSize>{CSize(0, 0)}));

    struct Step {
        CPoint point;
        CSize selection;
    };
    // A cell counts once the point lies right of (below) its left (top) edge.
    const Step steps[] = {
        {{11, 21}, {1, 1}},
        {{10, 20}, {0, 0}},
        {{39, 49}, {2, 2}},
        {{39, 49}, {2, 2}},
        {{1000, 1000}, {5, 4}},
    };
    for (const Step& step : steps) {
        selector->OnMouseMove(step.point);
        EXPECT_EQ(selector->GetSelection(), step.selection) << step.point.x;
    }
    // Moving within the same block announces nothing.
    EXPECT_EQ(site.announced.size(), 5u);

    selector->OnMouseMove(CPoint(70, 50));
    selector->OnLButtonUp(CPoint(70, 50));
    EXPECT_EQ(selector->GetChosen(), CSize(3, 2));
    EXPECT_EQ(site.commands, (std::vector<UINT>{4242}));
    // Without a block nothing executes.
    selector->SetSelection(0, 0, FALSE);
    selector->OnLButtonUp(CPoint(0, 0));
    EXPECT_EQ(site.commands.size(), 1u);
    menu->SetSite(nullptr);
    menu->SetOwnerWindow(nullptr);
}

TEST_F(ListControlsTest, DraggingBeyondTheSelectorGrowsItUpToItsMaximum)
{
    CTKToolBar* bar = bars->AddToolBar("Table", kTKPositionFloating, RUNTIME_CLASS(CTKToolBar));
    ASSERT_NE(bar, nullptr);
    auto* selector = new CTKControlSelector;
    bar->GetControls()->InsertControl(selector, 4242);
    selector->OnCalcDynamicSize(0);
    const CRect grid(0, 0, 5 * 28, 4 * 28);
    selector->SetRect(grid);
    struct Case {
        const char* name;
        CPoint cursor;   // client point of the bar
        BOOL buttonDown;
        CSize grid;
    };
    const Case cases[] = {
        {"inside the grid", {20, 20}, TRUE, {5, 4}},
        {"button up beyond it", {200, 20}, FALSE, {5, 4}},
        {"two columns right", {5 * 28 + 40, 20}, TRUE, {7, 4}},
        {"far beyond both edges", {2000, 2000}, TRUE, {12, 12}},
    };
    for (const Case& test : cases) {
        selector->SetRect(grid);
        CPoint screen = test.cursor;
        bar->ClientToScreen(&screen);
        QCursor::setPos(screen.x, screen.y);
        if (test.buttonDown)
            QTest::mousePress(&frame->StatusStrip(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        selector->SetSelected(kTKSelectedHot);
        selector->SetSelected(kTKSelectedNone);
        if (test.buttonDown)
            QTest::mouseRelease(&frame->StatusStrip(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(selector->GetGridSize(), test.grid) << test.name;
    }
    // The next layout starts from the initial grid again.
    selector->OnCalcDynamicSize(0);
    EXPECT_EQ(selector->GetGridSize(), CSize(5, 4));
}

TEST_F(ListControlsTest, TheSelectorKeepsItsGridInTheArchive)
{
    auto release = [](CTKControl* control) { control->InternalRelease(); };
    std::unique_ptr<CTKControlSelector, decltype(release)> stored(new CTKControlSelector, release);
    stored->SetInitialSize(3, 2);
    stored->SetMaximumSize(8, 6);
    CArchive out;
    out.WriteObject(stored.get());
    CArchive in(out.GetBuffer());
    std::unique_ptr<CObject> object(in.ReadObject(RUNTIME_CLASS(CTKControl)));
    ASSERT_TRUE(in.IsOK());
    auto* loaded = dynamic_cast<CTKControlSelector*>(object.get());
    ASSERT_NE(loaded, nullptr);
    loaded->OnCalcDynamicSize(0);
    EXPECT_EQ(loaded->GetGridSize(), CSize(3, 2));
    EXPECT_EQ(loaded->GetLoadedSchema(), 6);

    // A cell of no width, and a schema above the known one, fail the load.
    std::vector<BYTE> zeroCell = out.GetBuffer();
    zeroCell[zeroCell.size() - 8] = 0;
    std::vector<BYTE> newer = out.GetBuffer();
    newer[2] = 7;
    for (const std::vector<BYTE>& bytes : {zeroCell, newer}) {
        CArchive damaged(bytes);
        std::unique_ptr<CObject> rejected(damaged.ReadObject(RUNTIME_CLASS(CTKControl)));
        EXPECT_FALSE(damaged.IsOK());
    }
}

} // namespace
