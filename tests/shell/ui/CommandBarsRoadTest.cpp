// The command bars' rules as the running workbench reaches them: commands
// run from its menus stop being rarely used (and stay so at the next start),
// toolbar buttons follow the document type of the window in front, and a
// popup button added to a toolbar opens the menu of its resource.

#include "WorkbenchFixture.h"

#include "support/ModalScript.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlExpandButton.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"

#include <QCoreApplication>
#include <QTest>

#include <set>
#include <vector>

namespace {

using CommandBarsRoadTest = WorkbenchFixture;

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_OPEN_PROJECT = 32696;
constexpr UINT ID_CLOSE_PROJECT = 32697;
// The View menu's place on the menu bar.
constexpr int kViewMenu = 2;
// The program's main menu, whose first submenu is File.
constexpr UINT kMainMenu = 123;
// A screen on which every toolbar has room for its buttons.
constexpr int kWideScreen = 1600;
constexpr int kTallScreen = 1000;

// Opens a menu of the menu bar as a click on its title does; null when it does not open.
CTKPopupBar* OpenMenu(CTKMenuBar* menuBar, int index)
{
    if (!menuBar->SetPopuped(index, FALSE))
        return nullptr;
    return dynamic_cast<CTKPopupBar*>(menuBar->GetControl(index)->GetCommandBar());
}

// Clicks the item with that id in an open popup.
void ClickItem(CTKPopupBar* popup, UINT id)
{
    const CTKControl* item = popup->GetControls()->FindControl(id);
    ASSERT_NE(item, nullptr) << id;
    const CPoint centre = item->GetRect().CenterPoint();
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
}

TEST_F(CommandBarsRoadTest, AMenuCommandRunOnceIsNoLongerRarelyUsedAtTheNextStart)
{
    Start();
    CTKCommandBars* bars = m_frame->GetCommandBars();
    bars->GetCommandBarsOptions()->hiddenCommands = {ID_PANE_WORKSPACE, ID_PANE_OUTPUT};
    const BOOL workspaceClosed = m_frame->IsPaneClosed(ID_PANE_WORKSPACE);
    CTKPopupBar* view = OpenMenu(bars->GetMenuBar(), kViewMenu);
    ASSERT_NE(view, nullptr);
    ClickItem(view, ID_PANE_WORKSPACE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame->IsPaneClosed(ID_PANE_WORKSPACE) != workspaceClosed; }));
    EXPECT_EQ(bars->GetCommandBarsOptions()->usedCommands, (std::set<UINT>{ID_PANE_WORKSPACE}));
    EXPECT_FALSE(bars->IsHiddenCommand(ID_PANE_WORKSPACE));
    EXPECT_TRUE(bars->IsHiddenCommand(ID_PANE_OUTPUT));
    m_frame->SendMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    Stop();
    // One command, 32690 (0x7FB2), in the form of the command sets.
    std::vector<BYTE> stored;
    ASSERT_TRUE(Settings().ReadBinary("ZULCommandBars-Options", "UsedCommands", &stored));
    EXPECT_EQ(stored, (std::vector<BYTE>{1, 0, 0xB2, 0x7F, 0, 0, 1, 0, 0, 0}));

    // Next start, with menus that hide rarely used commands: Workspace shows
    // at once, Output waits behind the expand button.
    Start();
    bars = m_frame->GetCommandBars();
    bars->GetCommandBarsOptions()->hiddenCommands = {ID_PANE_WORKSPACE, ID_PANE_OUTPUT};
    bars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    view = OpenMenu(bars->GetMenuBar(), kViewMenu);
    ASSERT_NE(view, nullptr);
    const CTKControls* items = view->GetControls();
    EXPECT_TRUE(items->FindControl(ID_PANE_WORKSPACE)->IsVisible());
    EXPECT_FALSE(items->FindControl(ID_PANE_OUTPUT)->IsVisible());
    EXPECT_EQ(items->FindControl(ID_PANE_OUTPUT)->GetHideFlags() & kTKHideExpand, kTKHideExpand);
    EXPECT_NE(items->FindControl(kTKMenuExpandButtonId), nullptr);
    CTKPopupTracker::Get().CloseTrackedBars();
}

TEST_F(CommandBarsRoadTest, ToolbarButtonsFollowTheDocumentTypeOfTheWindowInFront)
{
    Start();
    CTKToolBar* standard = m_frame->GetToolBar(0);
    CTKControl* open = standard->GetControls()->FindControl(ID_OPEN_PROJECT);
    CTKControl* newProject = standard->GetControls()->FindControl(ID_NEW_PROJECT);
    ASSERT_NE(open, nullptr);
    ASSERT_NE(newProject, nullptr);
    // Open only while an editor is in front, New never then.
    open->ShownDocumentTypes().insert(IDR_POUTYPE);
    newProject->HiddenDocumentTypes().insert(IDR_POUTYPE);
    const auto hiddenByType = [](const CTKControl* control) {
        return (control->GetHideFlags() & kTKHideDocumentType) != 0;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return hiddenByType(open) && !hiddenByType(newProject); }));

    App().DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Mixer.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1);
    ASSERT_NE(m_frame->GetActivePOUDocument(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hiddenByType(open) && hiddenByType(newProject); }));
    EXPECT_TRUE(open->IsVisible());
    EXPECT_FALSE(newProject->IsVisible());

    // Without a window in front the main menu's type counts.
    Command(ID_CLOSE_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 0);
    ASSERT_EQ(m_frame->MDIGetActive(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hiddenByType(open) && !hiddenByType(newProject); }));
}

TEST_F(CommandBarsRoadTest, PopupControlsAddedToAToolbarOpenTheFileMenu)
{
    Start();
    CTKToolBar* standard = m_frame->GetToolBar(0);
    struct Case {
        int type;
        UINT id;
        const char* caption;
    };
    // A plain popup keeps id 0 and the menu's title; the buttons take the
    // resource id as their command, and with it the text of string 123.
    const Case cases[] = {
        {kTKControlPopup, 0, "&File"},
        {kTKControlButtonPopup, kMainMenu, "ZUL Q7"},
        {kTKControlSplitButtonPopup, kMainMenu, "ZUL Q7"},
    };
    for (const Case& c : cases) {
        const int before = standard->GetControlCount();
        // The frame leaves the request for the popup bar (0x530) unanswered.
        CTKControl* control = standard->GetControls()->AddNewControl(c.type, kMainMenu);
        ASSERT_NE(control, nullptr) << c.type;
        EXPECT_EQ(standard->GetControlCount(), before + 1) << c.type;
        EXPECT_EQ(control->GetType(), c.type);
        EXPECT_EQ(control->GetID(), c.id) << c.type;
        EXPECT_EQ(control->GetCaption(), c.caption) << c.type;
        auto* file = dynamic_cast<CTKPopupBar*>(control->GetCommandBar());
        ASSERT_NE(file, nullptr) << c.type;
        EXPECT_EQ(file->GetCommandBars(), m_frame->GetCommandBars());
        std::vector<UINT> ids;
        for (int i = 0; i < file->GetControlCount(); ++i)
            ids.push_back(file->GetControl(i)->GetID());
        EXPECT_EQ(ids, (std::vector<UINT>{32695, 32696, 32697, 32779, 32780, 32781, 32782, 57616, 57665})) << c.type;
    }

    // The plain popup, pressed, opens the menu below itself.
    CTKControl* popup = standard->GetControl(standard->GetControlCount() - 3);
    auto* file = dynamic_cast<CTKPopupBar*>(popup->GetCommandBar());
    m_frame->MoveWindow(CRect(0, 0, kWideScreen, kTallScreen));
    m_frame->RecalcLayout();
    ASSERT_TRUE(popup->IsVisible());
    ASSERT_FALSE(popup->GetRect().IsRectEmpty());
    const CPoint centre = popup->GetRect().CenterPoint();
    standard->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    ASSERT_TRUE(QTest::qWaitFor([&] { return CTKPopupTracker::Get().IsTracked(file); }));
    EXPECT_TRUE(file->IsWindow());
    CRect button = popup->GetRect();
    standard->ClientToScreen(&button);
    CRect menu;
    file->GetWindowRect(&menu);
    EXPECT_GE(menu.top, button.bottom - 2);
    CTKPopupTracker::Get().CloseTrackedBars();
    EXPECT_FALSE(file->IsWindow());
}

} // namespace
