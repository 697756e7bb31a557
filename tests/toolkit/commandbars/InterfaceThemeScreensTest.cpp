// The fixture frame as the user sees it in each interface setting: menu
// bar, the four program toolbars on the top dock bar, one of them floating,
// an open menu with an open submenu and the themed status bar. Pixel
// probes check a hot and a checked toolbar button and the icon column of
// the open menu in each theme.

#include "BarsFrame.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CMenu.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKBarDragTracker.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKThemedStatusBar.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr UINT kMainMenu = 123;
const CRect kFrameRect(0, 0, 1000, 560);
constexpr int kWaitMs = 2000;
constexpr LPARAM kAltHeld = 1 << 29;
const UINT kIndicators[] = {0, ID_INDICATOR_NUM};
// The submenu added to the File menu and its two items.
constexpr char kMoreCaption[] = "&More";
constexpr UINT kMoreFirst = 32806;
constexpr UINT kMoreSecond = 32794;
// Inside a popup, the icon column starts at the left border.
constexpr int kIconColumnX = 6;

class InterfaceThemeScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenClassicFrameWithBars(frame, bars, kFrameRect));
        menuBar = bars->CreateMenuBar("Menu Bar", kMainMenu);
        ASSERT_NE(menuBar, nullptr);
        CTKToolBar* previous = nullptr;
        for (const ProgramBar& program : kProgramBars) {
            CTKToolBar* bar = bars->AddToolBar(program.title, kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
            ASSERT_NE(bar, nullptr);
            ASSERT_TRUE(bar->LoadToolBar(program.id));
            if (previous)
                DockRightOf(*bars, *frame, previous, bar);
            previous = bar;
        }
        // The themed status bar replaces the fixture's plain strip.
        frame->StatusStrip().DestroyWindow();
        statusBar = std::make_unique<CTKThemedStatusBar>();
        ASSERT_TRUE(statusBar->CreateBar(frame.get(), WS_CHILD | WS_VISIBLE));
        ASSERT_TRUE(statusBar->SetIndicatorsWithFont(kIndicators, static_cast<int>(std::size(kIndicators))));
        statusBar->SetPaneText(0, "Ready");
        bars->RelayoutFrame(FALSE);
        FloatLastToolbar();
        AddSubmenuToFileMenu();
        ProcessEvents();
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        statusBar.reset();
        frame->DestroyWindow();
        ProcessEvents();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
    }

    void FloatLastToolbar()
    {
        CTKToolBar* bar = bars->GetBarAt(4);
        CRect rect;
        bar->GetWindowRect(&rect);
        CTKBarDragTracker* tracker = bar->GetDragTracker();
        const CPoint start(rect.left + 3, rect.top + rect.Height() / 2);
        tracker->BeginMove(start.x, start.y);
        tracker->MoveStep(start.x - 200, start.y + 260);
        tracker->EndMove();
    }

    // A submenu as menu resources make them: a popup item with two commands.
    void AddSubmenuToFileMenu()
    {
        CTKCommandBar* file = menuBar->GetControl(0)->GetCommandBar();
        ASSERT_NE(file, nullptr);
        CMenu submenu;
        submenu.CreatePopupMenu();
        submenu.AppendMenu(MF_STRING, kMoreFirst, "&Monitor");
        submenu.AppendMenu(MF_STRING, kMoreSecond, "&Download...");
        CMenu holder;
        holder.CreatePopupMenu();
        holder.AppendPopup(MF_POPUP, submenu, kMoreCaption);
        CTKControl* more = file->GetControls()->AddMenuItem(&holder, 0);
        ASSERT_NE(more, nullptr);
        more->SetBeginGroup(TRUE);
    }

    // Opens the File menu by Alt+F and its submenu by the keyboard.
    CTKCommandBar* OpenMenuAndSubmenu()
    {
        MSG msg;
        msg.hwnd = frame.get();
        msg.message = WM_SYSKEYDOWN;
        msg.wParam = 'F';
        msg.lParam = kAltHeld;
        frame->PreTranslateMessage(&msg);
        CTKCommandBar* file = menuBar->GetControl(0)->GetCommandBar();
        if (!QTest::qWaitFor([file] { return CTKPopupTracker::Get().IsTracked(file); }, kWaitMs))
            return nullptr;
        CTKControl* more = file->GetControl(file->GetControlCount() - 1);
        file->SetSelected(more->GetIndex(), TRUE);
        more->OnClick(TRUE, more->GetRect().CenterPoint());
        CTKCommandBar* submenu = more->GetCommandBar();
        if (!QTest::qWaitFor([submenu] { return CTKPopupTracker::Get().IsTracked(submenu); }, kWaitMs))
            return nullptr;
        ProcessEvents();
        return file;
    }

    std::unique_ptr<CTKFixtureFrame> frame;
    std::unique_ptr<CTKThemedStatusBar> statusBar;
    CTKCommandBars* bars = nullptr;
    CTKMenuBar* menuBar = nullptr;
};

// The colour of a pixel of a control, relative to the control's rectangle.
COLORREF ControlPixel(CTKCommandBar* bar, CTKControl* control, int dx, int dy)
{
    const QImage image = bar->grab().toImage();
    const CRect& rect = control->GetRect();
    return ProbeColor(image, rect.left + dx, rect.top + dy);
}

TEST_F(InterfaceThemeScreensTest, EachInterfaceSettingDrawsTheWholeFrameInItsTheme)
{
    // Entries of a renderer's colour table, or a system colour, per probe;
    // kAnyOther where the probe only has to differ from the idle button.
    constexpr UINT kAnyOther = 0xFFFF;
    struct Case {
        const char* setting;
        int theme;
        const char* shot;
        UINT hotEdge;
        UINT checkedEdge;
        BOOL iconColumn;
    };
    const Case cases[] = {
        {"Classic", kTKThemeClassic, "interface_classic.png", COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, FALSE},
        {"Office XP", kTKThemeOfficeXP, "interface_officexp.png", 32, 50, TRUE},
        {"Office 2003", kTKThemeOffice2003, "interface_office2003.png", kAnyOther, kAnyOther, TRUE},
        {"Windows XP", kTKThemeWindowsXP, "interface_windowsxp.png", COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, FALSE},
    };
    for (const Case& c : cases) {
        CTKBarRenderer::SelectTheme(c.theme);
        CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
        bars->RefreshAllBars();
        statusBar->Invalidate(TRUE);
        ProcessEvents();

        // A hot and a checked button on the Project toolbar (the open menu
        // leaves it in sight), probed at the
        // left edge halfway down, where no picture covers the face. The
        // fixture has no handlers, so the two are enabled by hand.
        CTKToolBar* project = bars->GetBarAt(2);
        CTKControl* hot = project->GetControl(0);
        CTKControl* checked = project->GetControl(1);
        const int middle = hot->GetRect().Height() / 2;
        const COLORREF idle = ControlPixel(project, hot, 0, middle);
        for (CTKControl* control : {hot, checked}) {
            control->SetFlags(control->GetFlags() | kTKFlagNoUpdate);
            control->SetEnabled(TRUE);
        }
        project->SetSelected(hot->GetIndex(), FALSE);
        checked->SetChecked(TRUE);
        ProcessEvents();
        const COLORREF hotEdge = ControlPixel(project, hot, 0, middle);
        const COLORREF checkedEdge = ControlPixel(project, checked, 0, middle);
        if (c.hotEdge == kAnyOther) {
            EXPECT_NE(hotEdge, idle) << c.setting;
            EXPECT_NE(checkedEdge, idle) << c.setting;
        } else {
            EXPECT_EQ(hotEdge, renderer->LookupColor(c.hotEdge)) << c.setting;
            EXPECT_EQ(checkedEdge, renderer->LookupColor(c.checkedEdge)) << c.setting;
        }

        CTKCommandBar* file = OpenMenuAndSubmenu();
        ASSERT_NE(file, nullptr) << c.setting;
        SaveScreenshot(c.shot);
        // The icon column of the menu: a band of its own in the Office
        // themes, the menu's plain background otherwise.
        // Probed on the top row of the second item, above its picture.
        const QImage menu = file->grab().toImage();
        const int y = file->GetControl(1)->GetRect().top + 1;
        const COLORREF column = ProbeColor(menu, kIconColumnX, y);
        const COLORREF text = ProbeColor(menu, menu.width() - kIconColumnX, y);
        EXPECT_EQ(column != text, c.iconColumn) << c.setting;

        CTKPopupTracker::Get().CloseTrackedBars();
        project->SetSelected(-1, FALSE);
        checked->SetChecked(FALSE);
        ProcessEvents();
    }
}

} // namespace
