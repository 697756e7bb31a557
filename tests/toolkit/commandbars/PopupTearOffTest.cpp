// Popups with a tear-off strip in the fixture frame: the strip's room in the
// layout, its hot state on the watch timer, and the drag that turns the
// popup into a temporary floating toolbar with the same commands (shown
// away from the popup, gone again when dragged back, kept on release or
// Escape), which executes like any toolbar and leaves when hidden.

#include "platform/CArchive.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CTimerService.h"
#include "platform/ui/CWinApp.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/CTKPopupToolBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const CRect kFrameRect(40, 30, 840, 630);
const CPoint kMenuPoint(300, 200);
constexpr UINT kNewProject = 32695;
constexpr UINT kOpenProject = 32696;
constexpr UINT kSaveProject = 32779;
const UINT kCommands[] = {kNewProject, kOpenProject, kSaveProject};
constexpr UINT kTornBarId = 59500;
const char kTornTitle[] = "Project Tools";
constexpr int kTornWidth = 200;
// Far enough below the strip to be away from the popup.
constexpr int kAway = 160;
// Ends a drag that a lost event left running.
constexpr int kSafetyMs = 5000;

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

// The fixture frame with a handler for each command; it records what ran.
class CTearOffFrame : public CTKFixtureFrame {
public:
    CTearOffFrame()
    {
        using Cmd = CCmdEntry<CTearOffFrame>;
        static const Cmd kTable[] = {
            Cmd::Command(kNewProject, &CTearOffFrame::OnNewProject),
            Cmd::Command(kOpenProject, &CTearOffFrame::OnOpenProject),
            Cmd::Command(kSaveProject, &CTearOffFrame::OnSaveProject),
        };
        AddCommandTable(kTable);
    }

    void OnNewProject() { ran.push_back(kNewProject); }
    void OnOpenProject() { ran.push_back(kOpenProject); }
    void OnSaveProject() { ran.push_back(kSaveProject); }

    std::vector<UINT> ran;
};

void SendMouse(QWidget* widget, QEvent::Type type, CPoint screen, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPoint global(screen.x, screen.y);
    QCursor::setPos(global);
    QMouseEvent event(type, widget->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The bar's own controls, without the temporary ones it adds itself.
std::vector<UINT> ControlIds(const CTKCommandBar* bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        if (!bar->GetControl(i)->IsTemporary())
            ids.push_back(bar->GetControl(i)->GetID());
    }
    return ids;
}

CRect WindowRect(CWnd* wnd)
{
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect;
}

class PopupTearOffTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CSystemMetrics::Instance().SetDropShadow(TRUE);
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        ASSERT_TRUE(frame.Open(kFrameRect));
        QApplication::setActiveWindow(&frame);
        bars = AttachCommandBars(frame);
        ASSERT_NE(bars, nullptr);
        CTKCommandImages::Global().RemoveAll();
        ASSERT_TRUE(CTKCommandImages::Global().SetIcons(kMaskedStripId, kCommands, 3, 0, 0,
                                                        CTKCommandImages::kNormal));
        ProcessEvents();
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        CTimerService::Instance().SetFakeClock(FALSE);
        popup.reset();
        frame.DestroyWindow();
        ProcessEvents();
        CTKCommandImages::Global().RemoveAll();
    }

    CTKPopupBar* MakePopup(CTKPopupBar* bar)
    {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kNewProject, "&New Project");
        menu.AppendMenu(MF_STRING, kOpenProject, "&Open Project...");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kSaveProject, "&Save Project");
        popup.reset(bar);
        popup->SetSite(&frame);
        popup->LoadMenu(&menu, TRUE);
        return popup.get();
    }
    // A menu with the strip, open at the menu point.
    CTKPopupBar* OpenTearOffMenu()
    {
        CTKPopupBar* menu = MakePopup(CTKPopupBar::NewPopupBar(bars));
        menu->SetTearOffPopup(kTornTitle, kTornBarId, kTornWidth);
        return menu->SetPopupPosition(kMenuPoint.x, kMenuPoint.y, nullptr) ? menu : nullptr;
    }
    CPoint StripCentre() const
    {
        CPoint centre = popup->GetTearOffArea().CenterPoint();
        popup->ClientToScreen(&centre);
        return centre;
    }
    // Presses on the strip and runs the script inside the drag; a drag the
    // script leaves running ends on Escape after a while.
    void Drag(const std::function<void()>& script)
    {
        QTimer::singleShot(0, &frame, script);
        QTimer::singleShot(kSafetyMs, &frame, [] {
            if (CWnd* capture = CWnd::GetCapture())
                QTest::keyClick(capture, Qt::Key_Escape);
        });
        SendMouse(popup.get(), QEvent::MouseButtonPress, StripCentre(), Qt::LeftButton, Qt::LeftButton);
    }
    void MoveTo(CPoint screen) { SendMouse(&frame, QEvent::MouseMove, screen, Qt::NoButton, Qt::LeftButton); }
    void ReleaseAt(CPoint screen)
    {
        SendMouse(&frame, QEvent::MouseButtonRelease, screen, Qt::LeftButton, Qt::NoButton);
    }

    CWinApp app{"ToolkitTest"};
    CTearOffFrame frame;
    CTKCommandBars* bars = nullptr;
    std::unique_ptr<CTKPopupBar, Releaser> popup;
};

TEST_F(PopupTearOffTest, TheStripTakesItsRoomAboveTheItems)
{
    struct Case {
        const char* name;
        int theme;
        BOOL toolBar;
        int strip;
    };
    const Case cases[] = {
        {"classic menu", kTKThemeClassic, FALSE, 8},
        {"office xp menu", kTKThemeOfficeXP, FALSE, 9},
        {"office 2003 menu", kTKThemeOffice2003, FALSE, 9},
        {"classic popup toolbar", kTKThemeClassic, TRUE, 8},
    };
    for (const Case& c : cases) {
        CTKBarRenderer::SelectTheme(c.theme);
        auto make = [&] {
            return MakePopup(c.toolBar ? static_cast<CTKPopupBar*>(CTKPopupToolBar::NewPopupToolBar(bars))
                                       : CTKPopupBar::NewPopupBar(bars));
        };
        const CSize plain = make()->CalcDynamicLayout(0, 0);
        const CRect plainFirst = popup->GetControl(0)->GetRect();
        EXPECT_TRUE(popup->GetTearOffArea().IsRectEmpty()) << c.name;

        CTKPopupBar* torn = make();
        torn->SetTearOffPopup(kTornTitle, kTornBarId, 0);
        const CSize size = torn->CalcDynamicLayout(0, 0);
        const CRect first = torn->GetControl(0)->GetRect();
        EXPECT_EQ(size, CSize(plain.cx, plain.cy + c.strip)) << c.name;
        EXPECT_EQ(first, CRect(plainFirst.left, plainFirst.top + c.strip, plainFirst.right, plainFirst.bottom + c.strip))
            << c.name;
        const CRect area = torn->GetTearOffArea();
        EXPECT_EQ(area.Height(), c.strip) << c.name;
        EXPECT_EQ(area.bottom, first.top) << c.name;
        EXPECT_EQ(area.left, first.left) << c.name;
        if (!c.toolBar) {
            EXPECT_EQ(area.right, first.right) << c.name;
        }
    }
}

TEST_F(PopupTearOffTest, ACopyAndTheStoredFormKeepTheTearOffPart)
{
    CTKPopupBar* source = MakePopup(CTKPopupBar::NewPopupBar(bars));
    source->SetTearOffPopup(kTornTitle, kTornBarId, 120);
    using Taken = std::unique_ptr<CTKPopupBar, Releaser>;
    struct Case {
        const char* name;
        std::function<Taken()> take;
    };
    const Case cases[] = {
        {"copy",
         [&] {
             Taken target(CTKPopupBar::NewPopupBar(bars));
             target->Copy(source, TRUE);
             return target;
         }},
        {"stored and loaded",
         [&] {
             CArchive storing;
             storing.WriteObject(source);
             CArchive loading(storing.GetBuffer());
             Taken target(dynamic_cast<CTKPopupBar*>(loading.ReadObject(RUNTIME_CLASS(CTKPopupBar))));
             EXPECT_TRUE(loading.IsOK());
             EXPECT_EQ(loading.GetRemaining(), 0u);
             return target;
         }},
    };
    for (const Case& c : cases) {
        Taken target = c.take();
        ASSERT_NE(target, nullptr) << c.name;
        EXPECT_TRUE(target->IsTearOffPopup()) << c.name;
        EXPECT_EQ(target->GetTearOffTitle(), kTornTitle) << c.name;
        EXPECT_EQ(target->GetTearOffBarId(), kTornBarId) << c.name;
        EXPECT_EQ(target->GetTearOffWidth(), 120) << c.name;
        EXPECT_EQ(ControlIds(target.get()), ControlIds(source)) << c.name;
    }
}

TEST_F(PopupTearOffTest, TheStripLightsWhileTheMouseRestsOnIt)
{
    CTimerService& timers = CTimerService::Instance();
    timers.SetFakeClock(TRUE);
    CTKPopupBar* menu = OpenTearOffMenu();
    ASSERT_NE(menu, nullptr);
    menu->SetSelected(0, TRUE);
    SendMouse(menu, QEvent::MouseMove, StripCentre(), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(menu->GetSelectedIndex(), -1) << "the strip takes the selection away";
    EXPECT_FALSE(menu->IsTearOffHot()) << "not before the watch timer";
    timers.Advance(kTKScrollPeriod);
    EXPECT_TRUE(menu->IsTearOffHot());
    SaveArtefact(menu->grab().toImage(), "popup_tear_off_hot.png");

    CPoint item = menu->GetControl(0)->GetRect().CenterPoint();
    menu->ClientToScreen(&item);
    QCursor::setPos(QPoint(item.x, item.y));
    timers.Advance(kTKScrollPeriod);
    EXPECT_FALSE(menu->IsTearOffHot());
    EXPECT_EQ(timers.GetTimerCount(menu), 0u) << "the watch ends with the mouse gone";
}

TEST_F(PopupTearOffTest, DraggedOutThePopupBecomesAFloatingToolbarWithItsCommands)
{
    CTKPopupBar* menu = OpenTearOffMenu();
    ASSERT_NE(menu, nullptr);
    const CPoint strip = StripCentre();
    const CPoint away(strip.x + 40, strip.y + kAway);
    const int shadowsShown = CTKPopupShadow::Get().GetShadowCount();
    EXPECT_GT(shadowsShown, 0);
    CTKToolBar* shown = nullptr;
    BOOL gone = FALSE;
    BOOL backAgain = FALSE;
    Drag([&] {
        EXPECT_TRUE(menu->IsTearing());
        MoveTo(away);
        shown = menu->GetTornToolBar();
        EXPECT_FALSE(menu->isVisible()) << "the popup hides while the toolbar shows";
        EXPECT_EQ(CTKPopupShadow::Get().GetShadowCount(), 0) << "and its shadows with it";
        if (shown) {
            EXPECT_TRUE(shown->isVisible());
            const CRect rect = WindowRect(shown);
            EXPECT_EQ(rect.TopLeft(), CPoint(away.x - rect.Width() / 2, away.y - 10));
        }
        // Dragged back within the slack around the strip, the popup returns.
        MoveTo(CPoint(strip.x, strip.y - kTKTearOffSlack + 1));
        gone = menu->isVisible() && !menu->GetTornToolBar() && !bars->GetBarById(kTornBarId);
        EXPECT_EQ(CTKPopupShadow::Get().GetShadowCount(), shadowsShown) << "the popup casts its shadows again";
        MoveTo(away);
        backAgain = !menu->isVisible() && menu->GetTornToolBar() != nullptr;
        ReleaseAt(away);
    });
    EXPECT_TRUE(gone) << "the temporary toolbar leaves when dragged back";
    EXPECT_TRUE(backAgain);
    CTKToolBar* torn = menu->GetTornToolBar();
    ASSERT_NE(torn, nullptr);
    EXPECT_EQ(bars->GetBarById(kTornBarId), torn);
    EXPECT_TRUE(torn->IsTemporary());
    EXPECT_FALSE(torn->IsBuiltIn());
    EXPECT_EQ(torn->GetPosition(), kTKPositionFloating);
    EXPECT_EQ(torn->GetBarTitle(), kTornTitle);
    EXPECT_EQ(ControlIds(torn), ControlIds(menu));
    ASSERT_NE(torn->GetControls()->FindControl(kSaveProject), nullptr);
    EXPECT_TRUE(torn->GetControls()->FindControl(kSaveProject)->GetBeginGroup());
    EXPECT_TRUE(torn->isVisible());
    EXPECT_EQ(torn->GetMRUWidth(), kTornWidth);
    EXPECT_GT(WindowRect(torn).Width(), WindowRect(torn).Height()) << "the remembered width lays it out in a row";
    // Releasing away closes the menus and ends the drag's hold.
    EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty());
    EXPECT_FALSE(menu->IsWindow());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);
    EXPECT_FALSE(menu->IsTearing());
    ProcessEvents();
    SaveScreenshot("popup_torn_off.png");

    // The toolbar's buttons execute like those of any toolbar.
    for (UINT id : kCommands) {
        CTKControl* button = torn->GetControls()->FindControl(id);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->GetEnabled()) << id;
        CPoint centre = button->GetRect().CenterPoint();
        torn->ClientToScreen(&centre);
        frame.ran.clear();
        QTimer::singleShot(0, &frame, [&] {
            SendMouse(torn, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        });
        SendMouse(torn, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        ProcessEvents();
        EXPECT_EQ(frame.ran, std::vector<UINT>{id});
    }

    // Hidden, the temporary toolbar leaves the command bars.
    const int count = bars->GetCount();
    torn->SetVisible(FALSE);
    EXPECT_EQ(bars->GetBarById(kTornBarId), nullptr);
    EXPECT_EQ(bars->GetCount(), count - 1);
}

TEST_F(PopupTearOffTest, TheDragEndsKeepingWhatItShows)
{
    struct Case {
        const char* name;
        BOOL away;
        BOOL escape;
        BOOL toolBar;   // a toolbar stays and the menus close
    };
    const Case cases[] = {
        {"released on the strip", FALSE, FALSE, FALSE},
        {"escape on the strip", FALSE, TRUE, FALSE},
        {"escape away", TRUE, TRUE, TRUE},
        {"released away", TRUE, FALSE, TRUE},
    };
    for (const Case& c : cases) {
        CTKPopupBar* menu = OpenTearOffMenu();
        ASSERT_NE(menu, nullptr) << c.name;
        const CPoint strip = StripCentre();
        const CPoint end = c.away ? CPoint(strip.x, strip.y + kAway) : CPoint(strip.x + 3, strip.y);
        Drag([&] {
            MoveTo(end);
            if (c.escape)
                QTest::keyClick(&frame, Qt::Key_Escape);
            else
                ReleaseAt(end);
        });
        EXPECT_EQ(CWnd::GetCapture(), nullptr) << c.name;
        EXPECT_EQ(menu->GetTornToolBar() != nullptr, c.toolBar) << c.name;
        EXPECT_EQ(bars->GetBarById(kTornBarId) != nullptr, c.toolBar) << c.name;
        EXPECT_EQ(CTKPopupTracker::Get().GetTrackedBars().empty(), c.toolBar) << c.name;
        EXPECT_EQ(menu->IsWindow() && menu->isVisible(), !c.toolBar) << c.name;
        CTKPopupTracker::Get().CloseTrackedBars();
        if (CTKToolBar* torn = bars->GetBarById(kTornBarId))
            torn->SetVisible(FALSE);
    }
}

TEST_F(PopupTearOffTest, ASecondTearOffShowsTheToolbarAgain)
{
    // The bar with the tear-off id still exists (hidden by its owner): it
    // is floated and shown again rather than made twice.
    CTKToolBar* first = bars->AddCustomToolBar(kTornTitle, kTornBarId, FALSE);
    ASSERT_NE(first, nullptr);
    first->SetVisible(FALSE);
    const int count = bars->GetCount();
    CTKPopupBar* menu = OpenTearOffMenu();
    ASSERT_NE(menu, nullptr);
    const CPoint away(StripCentre().x, StripCentre().y + kAway);
    Drag([&] {
        MoveTo(away);
        ReleaseAt(away);
    });
    EXPECT_EQ(menu->GetTornToolBar(), first);
    EXPECT_EQ(bars->GetCount(), count);
    EXPECT_TRUE(first->IsVisible());
    EXPECT_EQ(first->GetPosition(), kTKPositionFloating);
}

} // namespace
