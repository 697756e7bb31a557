// The command bars' state between runs, in a settings file of a temporary
// folder: the exact sections the program's arrangement writes, round trips
// with moved, hidden and floating toolbars, places scaled to another screen,
// the customised controls archive in the profile or (above 16000 bytes) in
// a hidden file, with its popup bars, popup toolbars and the menus parked
// for other document types linked again, damaged archives and the question
// about a changed toolbar.

#include "BarsFrame.h"

#include "platform/CArchive.h"
#include "platform/CSystemMetrics.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWinApp.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKBarDragTracker.h"
#include "toolkit/commandbars/CTKBarStateInfo.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKDockBar.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupToolBar.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const char kProfile[] = "ZULCommandBars";
const char kRegistryKey[] = "OrvelBarStateTest";
const char kAppName[] = "BarStateTest";
constexpr UINT kMainMenu = 123;
// The menu of the editors' document types.
constexpr UINT kEditorMenu = 161;

const CRect kFrameRect(0, 0, 1000, 500);

// A frame that has a Customize command, so the bars keep their controls archive.
class CustomisingFrame : public CTKFixtureFrame {
public:
    explicit CustomisingFrame(BOOL customise) : m_bCustomise(customise) {}
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        if (m_bCustomise && id == kTKCustomizeCommand && code == CN_COMMAND)
            return TRUE;
        return CTKFixtureFrame::OnCmdMsg(id, code, extra, info);
    }

private:
    BOOL m_bCustomise;
};

class BarStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            oldHome = old;
        setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
        app = std::make_unique<CWinApp>(kAppName);
        app->SetRegistryKey(kRegistryKey);
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        CUserInterface::SetMessageBox(&messages);
    }
    void TearDown() override
    {
        Close();
        CUserInterface::SetMessageBox(nullptr);
        CSystemMetrics::Instance().Reset();
        app.reset();
        if (oldHome.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", oldHome.c_str(), 1);
    }

    // The program's creation sequence: menu bar, four toolbars in one top row.
    void Open(BOOL customise = TRUE)
    {
        ASSERT_NO_FATAL_FAILURE(OpenFrameWithBars(frame, bars, kFrameRect, customise));
        ASSERT_NE(bars->CreateMenuBar("Menu Bar", kMainMenu), nullptr);
        CTKToolBar* previous = nullptr;
        for (const ProgramBar& program : kProgramBars) {
            CTKToolBar* bar = bars->AddToolBar(program.title, kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
            ASSERT_NE(bar, nullptr);
            ASSERT_TRUE(bar->LoadToolBar(program.id));
            frame->RecalcLayout();
            if (previous) {
                CRect rect;
                previous->GetWindowRect(&rect);
                rect.OffsetRect(rect.Width(), 0);
                bars->DockBar(bar, &rect, previous->GetDockBar());
                frame->RecalcLayout();
            }
            previous = bar;
        }
        bars->RelayoutFrame(FALSE);
        ProcessEvents();
    }
    void Close()
    {
        if (!frame)
            return;
        frame->DestroyWindow();
        ProcessEvents();
        frame.reset();
        bars = nullptr;
    }
    // Saves, closes and opens the program again with the saved state.
    void Restart(BOOL silent = TRUE)
    {
        bars->SaveState(kProfile);
        Close();
        Open();
        bars->LoadState(kProfile, silent);
        frame->RecalcLayout();
        ProcessEvents();
    }

    CSettingsStore Store() const
    {
        return CSettingsStore(CSettingsStore::ProfileFilePath(kRegistryKey), kAppName);
    }
    // Every value of a section as text.
    std::map<std::string, std::string> Section(const std::string& name) const
    {
        std::map<std::string, std::string> values;
        const CSettingsStore store = Store();
        for (const std::string& entry : store.GetEntries(name))
            values[entry] = store.GetString(name, entry, "<binary>");
        return values;
    }
    CTKToolBar* Bar(UINT id) const { return bars->GetBarById(id); }
    CTKDockBar* Dock(int side) const { return bars->GetDockBar(side); }
    // The entries of a dock bar as bar ids, 0 for a row break.
    std::vector<UINT> Entries(int side) const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < Dock(side)->GetEntryCount(); ++i)
            ids.push_back(Dock(side)->GetBarAt(i) ? Dock(side)->GetBarAt(i)->GetBarID() : 0);
        return ids;
    }
    static std::vector<UINT> Ids(const CTKToolBar* bar)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < bar->GetControlCount(); ++i)
            if (!bar->GetControl(i)->IsTemporary())
                ids.push_back(bar->GetControl(i)->GetID());
        return ids;
    }
    std::string HiddenPath() const
    {
        return CTKCommandBars::HiddenArchivePath(Store().GetFilePath(), kProfile);
    }
    std::vector<BYTE> StoredArchive() const
    {
        std::vector<BYTE> bytes;
        Store().ReadBinary(CTKBarStateInfo::ControlsSection(kProfile), "Controls", &bytes);
        return bytes;
    }

    TempFolder home;
    std::string oldHome;
    std::unique_ptr<CWinApp> app;
    CScriptedMessageBox messages;
    std::unique_ptr<CustomisingFrame> frame;
    CTKCommandBars* bars = nullptr;
};

TEST_F(BarStateTest, TheProgramArrangementWritesItsSections)
{
    Open();
    CRect window;
    Bar(284)->GetWindowRect(&window);
    CPoint corner = window.TopLeft();
    Dock(kTKPositionTop)->ScreenToClient(&corner);
    Bar(284)->SetVisible(FALSE);
    bars->SaveState(kProfile);

    using Values = std::map<std::string, std::string>;
    EXPECT_EQ(Section("ZULCommandBars-Summary"), (Values{{"Bars", "5"}, {"ScreenCX", "1280"}, {"ScreenCY", "1024"}}));
    const UINT order[] = {kTKMenuBarId, 123, 284, 286, 288};
    for (int i = 0; i < 5; ++i) {
        const Values record = Section(CTKBarStateInfo::BarSection(kProfile, i));
        EXPECT_EQ(record.at("BarID"), std::to_string(order[i])) << i;
        EXPECT_EQ(record.count("Floating"), 0u) << i;
        EXPECT_EQ(record.count("MRUWidth"), 0u) << i;
        for (const char* always : {"MRUDockID", "MRUDockLeftPos", "MRUDockTopPos", "MRUDockRightPos",
                                   "MRUDockBottomPos", "MRUFloatXPos", "MRUFloatYPos"})
            EXPECT_EQ(record.count(always), 1u) << i << always;
    }
    // A hidden bar writes Visible = 0, a shown one nothing; the place is relative to the dock bar.
    const Values project = Section("ZULCommandBars-Bar2");
    EXPECT_EQ(project.at("Visible"), "0");
    EXPECT_EQ(project.at("XPos"), std::to_string(corner.x));
    EXPECT_EQ(project.at("YPos"), std::to_string(corner.y));
    EXPECT_EQ(Section("ZULCommandBars-Bar1").count("Visible"), 0u);
    // The menu bar has a row of its own, the four toolbars share the next.
    // The dock bar's array keeps each row's bars in the order they were docked into it.
    EXPECT_EQ(Entries(kTKPositionTop), (std::vector<UINT>{0, kTKMenuBarId, 0, 288, 286, 284, 123, 0}));
    EXPECT_EQ(Section("ZULCommandBars-DockBar0"),
              (Values{{"Bars", "8"}, {"Bar#0", "0"}, {"Bar#1", "1"}, {"Bar#2", "0"}, {"Bar#3", "288"},
                      {"Bar#4", "286"}, {"Bar#5", "284"}, {"Bar#6", "123"}, {"Bar#7", "0"}}));
    for (int side = 1; side < 4; ++side)
        EXPECT_FALSE(Store().HasSection(CTKBarStateInfo::DockBarSection(kProfile, side))) << side;
    // Customising is available: the archive is in the profile.
    EXPECT_EQ(Store().GetInt("ZULCommandBars-Controls", "LoadFromFile", -1), 0);
    EXPECT_FALSE(StoredArchive().empty());
}

TEST_F(BarStateTest, WithoutCustomisingNoArchiveIsKept)
{
    Open(FALSE);
    bars->SaveState(kProfile);
    EXPECT_TRUE(Store().HasSection("ZULCommandBars-Summary"));
    EXPECT_FALSE(Store().HasSection("ZULCommandBars-Controls"));
}

TEST_F(BarStateTest, MovedHiddenAndFloatingToolbarsComeBack)
{
    Open();
    Bar(284)->SetVisible(FALSE);
    ASSERT_TRUE(bars->FloatBar(Bar(286)));
    Bar(286)->SetWindowPos(nullptr, 300, 250, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    Bar(286)->OnRecalcLayout();
    ASSERT_TRUE(bars->DockBarAtSide(Bar(288), kTKPositionLeft));
    frame->RecalcLayout();
    ProcessEvents();
    CRect floating;
    Bar(286)->GetWindowRect(&floating);
    const std::vector<UINT> top = Entries(kTKPositionTop);
    ASSERT_EQ(top, (std::vector<UINT>{0, kTKMenuBarId, 0, 284, 123, 0}));
    CRect standard;
    Bar(123)->GetWindowRect(&standard);
    CRect project;
    Bar(284)->GetWindowRect(&project);

    Restart();

    EXPECT_FALSE(Bar(284)->IsVisible());
    EXPECT_FALSE(Bar(284)->isVisible());
    EXPECT_TRUE(Bar(123)->IsVisible());
    EXPECT_EQ(Bar(286)->GetPosition(), kTKPositionFloating);
    EXPECT_EQ(Bar(286)->GetDockBar(), nullptr);
    CRect restored;
    Bar(286)->GetWindowRect(&restored);
    EXPECT_EQ(restored.TopLeft(), floating.TopLeft());
    EXPECT_EQ(Bar(288)->GetPosition(), kTKPositionLeft);
    EXPECT_EQ(Bar(288)->GetDockBar(), Dock(kTKPositionLeft));
    EXPECT_EQ(Bar(288)->GetParent(), Dock(kTKPositionLeft));
    // The rows come back with one break between them, the bars in their places.
    EXPECT_EQ(Entries(kTKPositionTop), top);
    EXPECT_EQ(Entries(kTKPositionLeft), (std::vector<UINT>{0, 288, 0}));
    CRect rect;
    Bar(123)->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), standard.TopLeft());
    Bar(284)->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), project.TopLeft());

    SaveScreenshot("bar_state_restored.png");

    // A second round trip changes nothing.
    Restart();
    EXPECT_EQ(Entries(kTKPositionTop), top);
    EXPECT_EQ(Bar(286)->GetPosition(), kTKPositionFloating);
    EXPECT_FALSE(Bar(284)->IsVisible());
}

TEST_F(BarStateTest, ADockedRecordWhoseBarNoDockBarHoldsIsAppliedOnceTheBarIsDocked)
{
    Open();
    Bar(288)->SetVisible(FALSE);
    bars->SaveState(kProfile);
    // The top row's section is lost, and the program now makes the bar floating.
    ASSERT_TRUE(Store().DeleteSection(std::string(kProfile) + "-DockBar0"));
    Close();
    Open();
    ASSERT_TRUE(bars->FloatBar(Bar(288)));
    ASSERT_EQ(Bar(288)->GetDockBar(), nullptr);

    bars->LoadState(kProfile, TRUE);
    frame->RecalcLayout();
    ProcessEvents();

    EXPECT_EQ(Bar(288)->GetPosition(), kTKPositionTop);
    EXPECT_EQ(Bar(288)->GetDockBar(), Dock(kTKPositionTop));
    EXPECT_EQ(Bar(288)->GetParent(), Dock(kTKPositionTop));
    EXPECT_FALSE(Bar(288)->IsVisible());
    EXPECT_FALSE(Bar(288)->isVisible());
}

TEST_F(BarStateTest, PlacesAreScaledToTheScreenAndKeptOnIt)
{
    struct Case {
        const char* name;
        const char* savedWidth;   // nullptr: no value
        const char* savedHeight;
        CPoint position;
        CPoint expected;
    };
    // The current screen is 800 x 600 with 32-pixel icons: places stop at (768, 568).
    const Case cases[] = {
        {"half the size", "1600", "1200", {1000, 800}, {500, 400}},
        {"same size", "800", "600", {100, 50}, {100, 50}},
        {"same size, beyond the screen", "800", "600", {790, 590}, {768, 568}},
        {"no saved size", nullptr, nullptr, {1000, 800}, {768, 568}},
        {"zero saved size", "0", "0", {300, 200}, {300, 200}},
        {"zero saved width", "0", "1200", {300, 200}, {300, 200}},
    };
    CSystemMetrics::Instance().SetMetric(SM_CXSCREEN, 800);
    CSystemMetrics::Instance().SetMetric(SM_CYSCREEN, 600);
    const CSettingsStore store = Store();
    for (const Case& test : cases) {
        store.DeleteSection("ZULCommandBars-Summary");
        store.WriteInt("ZULCommandBars-Summary", "Bars", 1);
        if (test.savedWidth) {
            store.WriteString("ZULCommandBars-Summary", "ScreenCX", test.savedWidth);
            store.WriteString("ZULCommandBars-Summary", "ScreenCY", test.savedHeight);
        }
        const std::string record = CTKBarStateInfo::BarSection(kProfile, 0);
        store.WriteInt(record, "XPos", test.position.x);
        store.WriteInt(record, "YPos", test.position.y);
        store.WriteInt(record, "MRUFloatXPos", test.position.x);
        store.WriteInt(record, "MRUFloatYPos", test.position.y);
        store.WriteInt(record, "MRUDockLeftPos", test.position.x);
        store.WriteInt(record, "MRUDockTopPos", test.position.y);
        store.WriteInt(record, "MRUDockRightPos", test.position.x + 40);
        store.WriteInt(record, "MRUDockBottomPos", test.position.y + 20);
        CTKBarStateInfo state;
        ASSERT_TRUE(state.Load(store, kProfile)) << test.name;
        ASSERT_EQ(state.bars.size(), 1u) << test.name;
        const CTKBarInfo& info = *state.bars[0];
        EXPECT_EQ(info.ptPosition, test.expected) << test.name;
        EXPECT_EQ(info.ptMRUFloat, test.expected) << test.name;
        // The remembered docked rectangle moves, keeping its size.
        EXPECT_EQ(info.rcMRUDock, CRect(test.expected, CSize(40, 20))) << test.name;
        EXPECT_TRUE(info.bVisible) << test.name;
    }
}

TEST_F(BarStateTest, ASavedFloatingBarComesBackScaledOnASmallerScreen)
{
    CSystemMetrics::Instance().SetMetric(SM_CXSCREEN, 1600);
    CSystemMetrics::Instance().SetMetric(SM_CYSCREEN, 1200);
    Open();
    ASSERT_TRUE(bars->FloatBar(Bar(286)));
    Bar(286)->SetWindowPos(nullptr, 1000, 800, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    bars->SaveState(kProfile);
    Close();
    CSystemMetrics::Instance().SetMetric(SM_CXSCREEN, 800);
    CSystemMetrics::Instance().SetMetric(SM_CYSCREEN, 600);
    Open();
    bars->LoadState(kProfile, TRUE);
    ProcessEvents();
    CRect rect;
    Bar(286)->GetWindowRect(&rect);
    EXPECT_EQ(Bar(286)->GetPosition(), kTKPositionFloating);
    EXPECT_EQ(rect.TopLeft(), CPoint(500, 400));
}

TEST_F(BarStateTest, DamagedBarStateLeavesTheBarsAsCreated)
{
    struct Case {
        const char* name;
        std::map<std::string, std::map<std::string, int>> sections;
    };
    const Case cases[] = {
        {"negative count", {{"ZULCommandBars-Summary", {{"Bars", -3}}}}},
        {"huge count", {{"ZULCommandBars-Summary", {{"Bars", 2000000000}}}}},
        {"unknown bar ids",
         {{"ZULCommandBars-Summary", {{"Bars", 1}}},
          {"ZULCommandBars-Bar0", {{"BarID", 4711}, {"Floating", 1}}},
          {"ZULCommandBars-DockBar0", {{"Bars", 3}, {"Bar#0", 0}, {"Bar#1", 4711}, {"Bar#2", 0}}}}},
        {"huge dock count", {{"ZULCommandBars-DockBar0", {{"Bars", 2000000000}}}}},
        {"a dock with one entry is ignored", {{"ZULCommandBars-DockBar2", {{"Bars", 1}, {"Bar#0", 123}}}}},
    };
    Open();
    const std::vector<UINT> created = Entries(kTKPositionTop);
    for (const Case& test : cases) {
        const CSettingsStore store = Store();
        for (const auto& [section, values] : test.sections) {
            store.DeleteSection(section);
            for (const auto& [key, value] : values)
                store.WriteInt(section, key, value);
        }
        bars->LoadState(kProfile, TRUE);
        ProcessEvents();
        EXPECT_EQ(Entries(kTKPositionTop), created) << test.name;
        EXPECT_EQ(Entries(kTKPositionLeft), (std::vector<UINT>{0})) << test.name;
        for (const ProgramBar& program : kProgramBars) {
            EXPECT_EQ(Bar(program.id)->GetPosition(), kTKPositionTop) << test.name << program.title;
            EXPECT_TRUE(Bar(program.id)->IsVisible()) << test.name << program.title;
        }
        for (const auto& entry : test.sections)
            store.DeleteSection(entry.first);
    }
}

// The customised Standard toolbar: its third button removed, a popup with
// one command added at the end.
void Customise(CTKToolBar* bar)
{
    bar->GetControls()->Remove(2);
    auto* popup = new CTKControlPopup;
    popup->SetCaption("&More");
    CTKPopupBar* child = CTKPopupBar::NewPopupBar(bar->GetCommandBars());
    child->GetControls()->AddNewControl(kTKControlButton, 57603);
    popup->SetCommandBar(child);
    child->InternalRelease();
    bar->GetControls()->InsertControl(popup, 0);
}

TEST_F(BarStateTest, ACustomisedToolbarComesBackFromTheArchive)
{
    Open();
    const std::vector<UINT> original = Ids(Bar(123));
    Customise(Bar(123));
    const std::vector<UINT> customised = Ids(Bar(123));
    ASSERT_NE(customised, original);

    Restart();

    EXPECT_EQ(Ids(Bar(123)), customised);
    // The reference copy stays the program's: the bar still counts as changed.
    EXPECT_TRUE(Bar(123)->GetControls()->IsChanged());
    const CTKControlPopup* popup = nullptr;
    for (int i = 0; i < Bar(123)->GetControlCount() && !popup; ++i)
        if (!Bar(123)->GetControl(i)->IsTemporary())
            popup = dynamic_cast<const CTKControlPopup*>(Bar(123)->GetControl(i));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetCaption(), "&More");
    ASSERT_NE(popup->GetCommandBar(), nullptr);
    EXPECT_EQ(popup->GetCommandBar()->GetType(), kTKBarPopup);
    ASSERT_EQ(popup->GetCommandBar()->GetControlCount(), 1);
    EXPECT_EQ(popup->GetCommandBar()->GetControl(0)->GetID(), 57603u);
    EXPECT_EQ(popup->GetParent(), Bar(123));
    // The other toolbars are untouched.
    EXPECT_FALSE(Bar(284)->GetControls()->IsChanged());
}

// The Standard toolbar with a split button at its start whose drop-down is a
// popup toolbar of two buttons and a submenu.
void AddPopupToolBar(CTKToolBar* bar)
{
    auto* split = new CTKControlPopup;
    split->SetType(kTKControlSplitButtonPopup);
    CTKPopupToolBar* palette = CTKPopupToolBar::NewPopupToolBar(bar->GetCommandBars());
    palette->GetControls()->AddNewControl(kTKControlButton, 57600);
    palette->GetControls()->AddNewControl(kTKControlButton, 57601);
    auto* submenu = new CTKControlPopup;
    submenu->SetCaption("&Recent");
    CTKPopupBar* recent = CTKPopupBar::NewPopupBar(bar->GetCommandBars());
    recent->GetControls()->AddNewControl(kTKControlButton, 57616);
    submenu->SetCommandBar(recent);
    recent->InternalRelease();
    palette->GetControls()->InsertControl(submenu, 0);
    split->SetCommandBar(palette);
    palette->InternalRelease();
    bar->GetControls()->InsertControl(split, 57603, {}, 0);
}

// The ids of the controls of a popup control's child bar.
std::vector<UINT> ChildIds(const CTKControl* popup)
{
    std::vector<UINT> ids;
    const CTKCommandBar* child = popup ? popup->GetCommandBar() : nullptr;
    for (int i = 0; child && i < child->GetControlCount(); ++i)
        ids.push_back(child->GetControl(i)->GetID());
    return ids;
}

TEST_F(BarStateTest, APopupToolBarKeepsItsChildLinksInTheArchive)
{
    Open();
    AddPopupToolBar(Bar(123));
    CTKCommandBar* palette = Bar(123)->GetControl(0)->GetCommandBar();
    CTKCommandBar* recent = palette->GetControl(2)->GetCommandBar();
    bars->SaveState(kProfile);
    // Every bar that is no toolbar gets a serial id, the popup toolbar too.
    EXPECT_EQ(palette->GetBarID(), 16777216u);
    EXPECT_EQ(recent->GetBarID(), 16777217u);
    // The archive reads back into a fresh frame.
    const std::vector<BYTE> archive = StoredArchive();
    ASSERT_FALSE(archive.empty());
    Close();
    Open();
    EXPECT_TRUE(bars->LoadControlsArchive(archive, TRUE));
    Close();

    Open();
    bars->LoadState(kProfile, TRUE);
    const CTKControl* split = Bar(123)->GetControl(0);
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetType(), kTKControlSplitButtonPopup);
    EXPECT_EQ(split->GetID(), 57603u);
    const auto* loadedPalette = dynamic_cast<const CTKPopupToolBar*>(split->GetCommandBar());
    ASSERT_NE(loadedPalette, nullptr);
    EXPECT_EQ(loadedPalette->GetType(), kTKBarToolbar);
    EXPECT_EQ(loadedPalette->GetPosition(), kTKPositionPopup);
    // The links are made and the serial ids cleared.
    EXPECT_EQ(loadedPalette->GetBarID(), 0u);
    EXPECT_EQ(ChildIds(split), (std::vector<UINT>{57600, 57601, 0}));
    const CTKControl* submenu = loadedPalette->GetControl(2);
    EXPECT_EQ(submenu->GetCaption(), "&Recent");
    EXPECT_EQ(submenu->GetParent(), loadedPalette);
    ASSERT_NE(dynamic_cast<const CTKPopupBar*>(submenu->GetCommandBar()), nullptr);
    EXPECT_EQ(submenu->GetCommandBar()->GetType(), kTKBarPopup);
    EXPECT_EQ(submenu->GetCommandBar()->GetBarID(), 0u);
    EXPECT_EQ(ChildIds(submenu), (std::vector<UINT>{57616}));
    // Neither popup became a toolbar of the frame.
    EXPECT_EQ(bars->GetCount(), 5);
}

// The submenus of every control of a bar, as lists of command ids.
std::vector<std::vector<UINT>> Submenus(const CTKCommandBar* bar)
{
    std::vector<std::vector<UINT>> submenus;
    for (int i = 0; i < bar->GetControlCount(); ++i)
        if (!bar->GetControl(i)->IsTemporary())
            submenus.push_back(ChildIds(bar->GetControl(i)));
    return submenus;
}

TEST_F(BarStateTest, ParkedMenusOfOtherDocumentTypesComeBack)
{
    Open();
    CTKMenuBar* menuBar = bars->GetMenuBar();
    const std::vector<UINT> mainTitles = Ids(menuBar);
    const std::vector<std::vector<UINT>> mainSubmenus = Submenus(menuBar);
    ASSERT_TRUE(menuBar->SwitchMenu(kEditorMenu));
    // The editors' menu loses its last title and gains a submenu at its start.
    menuBar->GetControls()->Remove(menuBar->GetControlCount() - 1);
    Customise(menuBar);
    const std::vector<UINT> customised = Ids(menuBar);
    const std::vector<std::vector<UINT>> customisedSubmenus = Submenus(menuBar);
    ASSERT_TRUE(menuBar->SwitchMenu(kMainMenu));
    ASSERT_NE(menuBar->GetParkedControls(kEditorMenu), nullptr);

    Restart();

    menuBar = bars->GetMenuBar();
    EXPECT_EQ(menuBar->GetCurrentMenuId(), kMainMenu);
    EXPECT_EQ(Ids(menuBar), mainTitles);
    EXPECT_EQ(Submenus(menuBar), mainSubmenus);
    ASSERT_NE(menuBar->GetParkedControls(kEditorMenu), nullptr);
    ASSERT_TRUE(menuBar->SwitchMenu(kEditorMenu));
    EXPECT_EQ(Ids(menuBar), customised);
    EXPECT_EQ(Submenus(menuBar), customisedSubmenus);
    const CTKControl* added = menuBar->GetControl(0);
    EXPECT_EQ(added->GetCaption(), "&More");
    EXPECT_EQ(ChildIds(added), (std::vector<UINT>{57603}));
    EXPECT_EQ(added->GetParent(), menuBar);
    // The parked set was customised against the program's menu, and still is.
    EXPECT_TRUE(menuBar->GetControls()->IsChanged());
}

TEST_F(BarStateTest, ADamagedArchiveLeavesTheBarsAsCreated)
{
    Open();
    Customise(Bar(123));
    const std::vector<BYTE> good = bars->StoreControlsArchive();
    ASSERT_GT(good.size(), 16u);
    const std::string toolBarClass = "CTKToolBar";
    const auto nameAt = std::search(good.begin(), good.end(), toolBarClass.begin(), toolBarClass.end()) - good.begin();
    ASSERT_LT(static_cast<size_t>(nameAt), good.size());
    auto patched = [&](size_t offset, const std::string& bytes) {
        std::vector<BYTE> copy = good;
        std::memcpy(copy.data() + offset, bytes.data(), bytes.size());
        return copy;
    };
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"truncated", std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(good.size() / 2))},
        {"one byte short", std::vector<BYTE>(good.begin(), good.end() - 1)},
        {"a control where a bar belongs", patched(static_cast<size_t>(nameAt), "CTKControl")},
        {"an unknown class", patched(static_cast<size_t>(nameAt), "CTKToolBaz")},
        {"schema 7", patched(static_cast<size_t>(nameAt) - 4, std::string("\x07\x00", 2))},
        {"huge bar count", patched(0, std::string("\xF0\xFF\xFF\x7F", 4))},
        {"empty", {}},
    };
    Close();
    for (const Case& test : cases) {
        Open();
        const std::vector<UINT> created = Ids(Bar(123));
        const int count = bars->GetCount();
        EXPECT_FALSE(bars->LoadControlsArchive(test.bytes, TRUE)) << test.name;
        EXPECT_EQ(Ids(Bar(123)), created) << test.name;
        EXPECT_EQ(bars->GetCount(), count) << test.name;
        // Through the profile too, where the bar state still applies.
        Store().WriteBinary("ZULCommandBars-Controls", "Controls", test.bytes);
        bars->LoadState(kProfile, TRUE);
        EXPECT_EQ(Ids(Bar(123)), created) << test.name;
        Close();
    }
    Open();
    EXPECT_TRUE(bars->LoadControlsArchive(good, TRUE));
    EXPECT_NE(Ids(Bar(123)), Ids(Bar(284)));
}

TEST_F(BarStateTest, TheArchiveGoesToAHiddenFileAbove16000Bytes)
{
    Open();
    auto* padding = dynamic_cast<CTKControl*>(Bar(123)->GetControls()->AddNewControl(kTKControlButton, 57600));
    ASSERT_NE(padding, nullptr);
    padding->SetDescription(std::string(300, 'x'));
    const size_t base = bars->StoreControlsArchive().size();
    ASSERT_LT(base, kTKMaxProfileArchive);
    // A description of 300 or more letters has a three-byte length prefix.
    const size_t exact = 300 + (kTKMaxProfileArchive - base);
    struct Case {
        const char* name;
        size_t descriptionLength;
        size_t archiveSize;
        BOOL inFile;
    };
    const Case cases[] = {
        {"16001 bytes", exact + 1, 16001, TRUE},
        {"exactly 16000 bytes", exact, 16000, FALSE},
        {"16001 bytes again", exact + 1, 16001, TRUE},
    };
    const std::string section = "ZULCommandBars-Controls";
    for (const Case& test : cases) {
        padding->SetDescription(std::string(test.descriptionLength, 'x'));
        ASSERT_EQ(bars->StoreControlsArchive().size(), test.archiveSize) << test.name;
        bars->SaveState(kProfile);
        EXPECT_EQ(Store().GetInt(section, "LoadFromFile", -1), test.inFile ? 1 : 0) << test.name;
        EXPECT_EQ(FileSystem::FileExists(HiddenPath()), test.inFile) << test.name;
        if (test.inFile) {
            EXPECT_EQ(Store().GetString(section, "Controls"), HiddenPath()) << test.name;
            EXPECT_EQ(HiddenPath().substr(HiddenPath().rfind('/') + 1, 1), ".") << test.name;
            EXPECT_EQ(CArchive::FromFile(HiddenPath()).GetBuffer().size(), test.archiveSize) << test.name;
        } else {
            EXPECT_EQ(StoredArchive().size(), test.archiveSize) << test.name;
        }
    }
    // The large archive comes back from the file.
    const std::vector<UINT> customised = Ids(Bar(123));
    Restart();
    EXPECT_EQ(Ids(Bar(123)), customised);
    ASSERT_NE(Bar(123)->GetControls()->FindControl(57600), nullptr);
    EXPECT_EQ(Bar(123)->GetControls()->FindControl(57600)->GetDescription().size(), exact + 1);
}

TEST_F(BarStateTest, AHiddenFileThatCannotBeWrittenKeepsThePreviousArchive)
{
    Open();
    bars->SaveState(kProfile);
    const std::vector<BYTE> previous = StoredArchive();
    ASSERT_FALSE(previous.empty());
    // A folder in the hidden file's place: the new file cannot replace it.
    ASSERT_EQ(mkdir(HiddenPath().c_str(), 0700), 0);
    CTKControl* big = Bar(123)->GetControls()->AddNewControl(kTKControlButton, 57600);
    big->SetDescription(std::string(kTKMaxProfileArchive, 'x'));
    bars->SaveState(kProfile);
    EXPECT_EQ(Store().GetInt("ZULCommandBars-Controls", "LoadFromFile", -1), 0);
    EXPECT_EQ(StoredArchive(), previous);
}

TEST_F(BarStateTest, AChangedProgramToolbarAsksOnceUnlessSilent)
{
    struct Case {
        const char* name;
        BOOL silent;
        int answer;
        size_t questions;
        BOOL customisationKept;
    };
    const Case cases[] = {
        {"No keeps the customisation", FALSE, IDNO, 1, TRUE},
        {"Yes takes the new toolbar", FALSE, IDYES, 1, FALSE},
        {"silent takes the new toolbar", TRUE, IDNO, 0, FALSE},
    };
    Open();
    Customise(Bar(123));
    const std::vector<UINT> customised = Ids(Bar(123));
    bars->SaveState(kProfile);
    Close();
    for (const Case& test : cases) {
        Open();
        // The program's Standard toolbar gained a button since.
        Bar(123)->GetControls()->AddNewControl(kTKControlButton, 57607);
        Bar(123)->GetControls()->CreateReferenceCopy();
        const std::vector<UINT> programs = Ids(Bar(123));
        messages.Clear();
        messages.Answer(test.answer);
        bars->LoadState(kProfile, test.silent);
        ASSERT_EQ(messages.Messages().size(), test.questions) << test.name;
        if (test.questions) {
            EXPECT_EQ(messages.Messages()[0].text,
                      "Due to a software update the toolbar 'Standard' has changed. Would you like to reset your "
                      "customized toolbar and load the new one?")
                << test.name;
            EXPECT_EQ(messages.Messages()[0].type, UINT(MB_YESNO | MB_ICONQUESTION)) << test.name;
        }
        EXPECT_EQ(Ids(Bar(123)), test.customisationKept ? customised : programs) << test.name;
        // A kept customisation is measured against the new program toolbar.
        const CTKControls* reference = Bar(123)->GetControls()->GetReferenceCopy();
        ASSERT_NE(reference, nullptr) << test.name;
        EXPECT_NE(reference->FindControl(57607), nullptr) << test.name;
        Close();
    }
}

} // namespace
