// The program's four toolbars in the fixture frame, in Classic: one top
// row; narrowing the frame pushes, compresses (expand button) and wraps;
// a toolbar dragged off the dock bar floats and docks again; a floating
// one resizes by its edges and docks back on a double click; print preview
// hides and restores the bars; the options and the row placement rules;
// the Add or Remove Buttons list and the icon sizes of the options.

#include "BarsFrame.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWinApp.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKAddRemoveButtonItem.h"
#include "toolkit/commandbars/CTKBarDragTracker.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKDockBar.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKToolBarCloseButton.h"
#include "toolkit/commandbars/CTKToolBarExpandButton.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <QTest>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const CRect kWideFrame(0, 0, 1000, 500);

// Points $XDG_CONFIG_HOME at a temporary folder while it lives.
class ConfigHome {
public:
    ConfigHome()
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            m_old = old;
        setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
    }
    ~ConfigHome()
    {
        if (m_old.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", m_old.c_str(), 1);
    }

private:
    TempFolder m_home;
    std::string m_old;
};

// Counts the frame's layout passes.
class LayoutCounter : public CWnd {
public:
    int passes = 0;

protected:
    LRESULT OnSizeParent(WPARAM, LPARAM) override
    {
        ++passes;
        return 0;
    }
};

class ToolBarFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        frame = std::make_unique<CTKFixtureFrame>();
        ASSERT_TRUE(frame->Open(kWideFrame));
        ASSERT_TRUE(CreateProgramBars());
        ProcessEvents();
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        ProcessEvents();
    }

    // The program's creation sequence, without the menu bar.
    BOOL CreateProgramBars()
    {
        auto* created = new CTKCommandBars;
        frame->SetCommandBars(created);
        bars = created;
        bars->SetFrame(frame.get());
        if (!bars->CreateDockBars())
            return FALSE;
        bars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
        bars->GetCommandBarsOptions()->bToolBarScreenTips = TRUE;
        CTKToolBar* previous = nullptr;
        for (const ProgramBar& program : kProgramBars) {
            CTKToolBar* bar = bars->AddToolBar(program.title, kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
            if (!bar || !bar->LoadToolBar(program.id))
                return FALSE;
            if (previous)
                DockRightOf(*bars, *frame, previous, bar);
            previous = bar;
        }
        bars->RelayoutFrame(FALSE);
        return TRUE;
    }

    CTKToolBar* Bar(int index) const { return bars->GetBarAt(index); }
    CRect WindowRect(const CWnd* wnd) const
    {
        CRect rect;
        wnd->GetWindowRect(&rect);
        return rect;
    }
    CTKDockBar* Top() const { return bars->GetDockBar(kTKPositionTop); }
    static int Dropped(const CTKToolBar* bar)
    {
        int dropped = 0;
        for (int i = 0; i < bar->GetControlCount(); ++i)
            dropped += bar->GetControl(i)->GetHideFlags() == kTKHideWrap;
        return dropped;
    }
    static BOOL ExpandShown(const CTKToolBar* bar)
    {
        const CTKControl* expand = bar->GetControls()->FindControl(kTKExpandButtonId);
        return expand && expand->GetHideFlags() == 0;
    }
    void Resize(int width)
    {
        frame->MoveWindow(CRect(0, 0, width, kWideFrame.Height()));
        frame->RecalcLayout();
        ProcessEvents();
    }
    // The left edge of a docked bar's gripper, in screen coordinates.
    CPoint Gripper(const CTKToolBar* bar) const
    {
        const CRect rect = WindowRect(bar);
        return CPoint(rect.left + 3, rect.top + rect.Height() / 2);
    }

    std::unique_ptr<CTKFixtureFrame> frame;
    CTKCommandBars* bars = nullptr;
};

TEST_F(ToolBarFrameTest, TheProgramToolbarsShareTheFirstTopRowInOrder)
{
    ASSERT_EQ(bars->GetCount(), 4);
    const int buttons[] = {11, 12, 9, 6};
    int previousRight = 0;
    for (int i = 0; i < 4; ++i) {
        CTKToolBar* bar = Bar(i);
        EXPECT_EQ(bar->GetBarTitle(), kProgramBars[i].title);
        EXPECT_EQ(bar->GetDockBar(), Top()) << i;
        EXPECT_EQ(bar->GetPosition(), kTKPositionTop) << i;
        // Commands go to the frame, not to the dock bar that holds the bar.
        EXPECT_EQ(bar->GetOwnerSite(), frame.get()) << i;
        EXPECT_EQ(bar->GetFrameSite(), frame.get()) << i;
        EXPECT_EQ(bar->GetControls()->GetVisibleCount(TRUE), buttons[i]) << i;
        EXPECT_FALSE(ExpandShown(bar)) << i;
        const CRect rect = WindowRect(bar);
        EXPECT_EQ(rect.top, WindowRect(Top()).top) << i;
        EXPECT_GE(rect.left, previousRight) << i;
        previousRight = rect.right;
    }
    // One row: the dock bar is as high as a bar.
    EXPECT_EQ(WindowRect(Top()).Height(), WindowRect(Bar(0)).Height());
    const CTKCommandImages& images = CTKCommandImages::Global();
    EXPECT_NE(const_cast<CTKCommandImages&>(images).FindIcon(32695, 16), nullptr);
    EXPECT_NE(const_cast<CTKCommandImages&>(images).FindIcon(32810, 16), nullptr);
    SaveScreenshot("toolbars_wide.png");
    // The Classic gripper: a raised stripe at the bar's left.
    const QImage image = Bar(0)->grab().toImage();
    const int middle = image.height() / 2;
    EXPECT_EQ(ProbeColor(image, 3, middle), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ProbeColor(image, 5, middle), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ProbeColor(image, 1, middle), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ToolBarFrameTest, NarrowingPushesCompressesAndWraps)
{
    int natural = 0;
    for (int i = 0; i < 4; ++i)
        natural += WindowRect(Bar(i)).Width();
    const int rowHeight = WindowRect(Top()).Height();

    // A little short: the last bar hides its last buttons behind the expand button.
    Resize(natural - 40);
    EXPECT_EQ(WindowRect(Top()).Height(), rowHeight);
    EXPECT_TRUE(ExpandShown(Bar(3)));
    EXPECT_GT(Dropped(Bar(3)), 0);
    EXPECT_LE(WindowRect(Bar(3)).right, WindowRect(frame.get()).right);
    SaveScreenshot("toolbars_narrow.png");
    // The expand button sits in the last 11 pixels of the bar, drawn on the face colour.
    const CRect expand = Bar(3)->GetControls()->FindControl(kTKExpandButtonId)->GetRect();
    EXPECT_EQ(expand.right, WindowRect(Bar(3)).Width() - 2);
    EXPECT_GE(expand.left, WindowRect(Bar(3)).Width() - 13);

    // Shorter than the bars' narrowest (gripper, first button, expand button each): they wrap.
    Resize(140);
    EXPECT_GT(WindowRect(Top()).Height(), rowHeight);
    EXPECT_GT(WindowRect(Bar(3)).top, WindowRect(Bar(0)).top);

    // Wide again: one row, nothing hidden.
    Resize(kWideFrame.Width());
    EXPECT_EQ(WindowRect(Top()).Height(), rowHeight);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Dropped(Bar(i)), 0) << i;
        EXPECT_FALSE(ExpandShown(Bar(i))) << i;
    }
}

TEST_F(ToolBarFrameTest, ADraggedToolbarFloatsDocksAgainAndResizesByItsEdge)
{
    CTKToolBar* bar = Bar(2);
    CTKBarDragTracker* tracker = bar->GetDragTracker();
    ASSERT_NE(tracker, nullptr);
    const CPoint start = Gripper(bar);
    tracker->BeginMove(start.x, start.y);
    const CPoint away(start.x + 40, start.y + 200);
    tracker->MoveStep(away.x, away.y);
    tracker->EndMove();
    ProcessEvents();
    EXPECT_EQ(bar->GetPosition(), kTKPositionFloating);
    EXPECT_EQ(bar->GetDockBar(), nullptr);
    EXPECT_TRUE(bar->isWindow());
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_TRUE(WindowRect(bar).PtInRect(away) || WindowRect(bar).BottomRight() == away);
    // The caption's close button: 3 pixels below the top, as wide as the caption is high.
    const CTKControl* close = bar->GetControls()->FindControl(kTKCloseButtonId);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->GetRect().top, 3);
    EXPECT_EQ(close->GetRect().Width(), close->GetRect().Height());
    EXPECT_EQ(tracker->GetMRUDockId(), kTKPositionTop);
    SaveScreenshot("toolbar_floating.png");

    // Narrower by the right edge: the right edge moves in, the bar grows downwards.
    const CRect before = WindowRect(bar);
    tracker->BeginResize(HTRIGHT, before.right, before.top + 10);
    tracker->ResizeStep(before.right - before.Width() / 2, before.top + 10);
    tracker->EndResize();
    ProcessEvents();
    const CRect narrowed = WindowRect(bar);
    EXPECT_LT(narrowed.Width(), before.Width());
    EXPECT_GT(narrowed.Height(), before.Height());
    EXPECT_EQ(narrowed.TopLeft(), before.TopLeft());
    EXPECT_EQ(bar->GetMRUWidth(), narrowed.Width());

    // Wider by the left edge: the right edge stays.
    tracker->BeginResize(HTLEFT, narrowed.left, narrowed.top + 10);
    tracker->ResizeStep(narrowed.left - 200, narrowed.top + 10);
    tracker->EndResize();
    ProcessEvents();
    EXPECT_EQ(WindowRect(bar).right, narrowed.right);
    EXPECT_GT(WindowRect(bar).Width(), narrowed.Width());

    // Dragged back over the top dock bar it docks there.
    const CPoint grip(WindowRect(bar).left + 10, WindowRect(bar).top + 5);
    tracker->BeginMove(grip.x, grip.y);
    const CRect top = WindowRect(Top());
    tracker->MoveStep(top.left + 300, top.top + 5);
    tracker->EndMove();
    ProcessEvents();
    EXPECT_EQ(bar->GetDockBar(), Top());
    EXPECT_EQ(bar->GetPosition(), kTKPositionTop);
    EXPECT_FALSE(bar->isWindow());
}

TEST_F(ToolBarFrameTest, TheMouseDragsAToolbarByItsGripperUntilTheButtonIsReleased)
{
    CTKToolBar* bar = Bar(2);
    const CPoint grip = Gripper(bar);
    CPoint client = grip;
    bar->ScreenToClient(&client);
    const QPoint origin = frame->mapToGlobal(QPoint(0, 0));
    const QPoint away(grip.x + 40 - origin.x(), grip.y + 200 - origin.y());
    QTimer::singleShot(0, frame.get(), [&] {
        QTest::mouseMove(frame.get(), away);
        QTest::mouseRelease(frame.get(), Qt::LeftButton, {}, away);
    });
    // Should the release go astray, Escape ends the drag where it is.
    QTimer::singleShot(5000, frame.get(), [&] { QTest::keyClick(frame.get(), Qt::Key_Escape); });
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(client.x, client.y));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(bar->GetPosition(), kTKPositionFloating);
    EXPECT_EQ(bar->GetDockBar(), nullptr);
    EXPECT_EQ(bar->GetDragTracker()->GetMRUDockId(), kTKPositionTop);
}

TEST_F(ToolBarFrameTest, ABarDockedAtTheSideRunsTopToBottom)
{
    CTKToolBar* bar = Bar(3);
    ASSERT_TRUE(bar->SetPosition(kTKPositionLeft));
    frame->RecalcLayout();
    ProcessEvents();
    CTKDockBar* left = bars->GetDockBar(kTKPositionLeft);
    EXPECT_EQ(bar->GetDockBar(), left);
    EXPECT_EQ(bar->GetPosition(), kTKPositionLeft);
    const CRect rect = WindowRect(bar);
    EXPECT_GT(rect.Height(), rect.Width());
    EXPECT_EQ(WindowRect(left).Width(), rect.Width());
    EXPECT_GE(rect.top, WindowRect(Top()).bottom);
    SaveScreenshot("toolbar_left.png");
    // Its buttons stand one below the other, inside the bar.
    for (int i = 1; i < bar->GetControlCount(); ++i) {
        const CTKControl* control = bar->GetControl(i);
        if (!control->IsVisible() || control->GetID() == kTKExpandButtonId)
            continue;
        EXPECT_GE(control->GetRect().left, 0) << i;
        EXPECT_GT(control->GetRect().top, bar->GetControl(0)->GetRect().top) << i;
    }
}

TEST_F(ToolBarFrameTest, ABarThatMayNotDockAtTheTopStaysFloatingOverIt)
{
    CTKToolBar* bar = Bar(1);
    bar->EnableDocking(kTKDockLeft | kTKDockRight | kTKDockFloat);
    CTKBarDragTracker* tracker = bar->GetDragTracker();
    const CPoint start = Gripper(bar);
    tracker->BeginMove(start.x, start.y);
    tracker->MoveStep(start.x + 300, start.y + 200);
    EXPECT_EQ(bar->GetPosition(), kTKPositionFloating);
    const CRect top = WindowRect(Top());
    tracker->MoveStep(top.left + 400, top.top + 5);
    tracker->EndMove();
    EXPECT_EQ(bar->GetPosition(), kTKPositionFloating);
    EXPECT_EQ(bar->GetDockBar(), nullptr);
    // The same point again moves nothing.
    const CRect floating = WindowRect(bar);
    tracker->BeginMove(top.left + 400, top.top + 5);
    tracker->MoveStep(top.left + 400, top.top + 5);
    EXPECT_EQ(WindowRect(bar), floating);
}

TEST_F(ToolBarFrameTest, AFloatingBarSizesByItsEdgesAndFollowsTheFrameWithoutTakingActivation)
{
    CTKToolBar* bar = Bar(1);
    EXPECT_EQ(bar->SendMessage(WM_MOUSEACTIVATE), 0);
    ASSERT_TRUE(bars->FloatBar(bar));
    bar->OnRecalcLayout();
    ProcessEvents();
    EXPECT_EQ(bar->SendMessage(WM_MOUSEACTIVATE), MA_NOACTIVATE);
    EXPECT_EQ(bar->SendMessage(WM_NCACTIVATE, TRUE), 0);

    const CRect window = WindowRect(bar);
    const CPoint centre = window.CenterPoint();
    struct Case {
        CPoint point;
        LRESULT hit;
    };
    const Case edges[] = {
        {{centre.x, window.top}, HTTOP},
        {{centre.x, window.top + 2}, HTTOP},
        {{centre.x, window.bottom - 3}, HTBOTTOM},
        {{window.left + 1, centre.y}, HTLEFT},
        {{window.right - 1, centre.y}, HTRIGHT},
        {{centre.x, window.top + 3}, HTCLIENT},
    };
    for (const Case& c : edges)
        EXPECT_EQ(bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.point.x, c.point.y)), c.hit)
            << c.point.x << "," << c.point.y;

    EXPECT_EQ(bar->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), TRUE);
    bar->SendMessage(WM_FLOATSTATUS, FS_HIDE);
    EXPECT_FALSE(bar->IsWindowVisible());
    bar->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_TRUE(bar->IsWindowVisible());
    bar->SendMessage(WM_FLOATSTATUS, FS_DISABLE);
    EXPECT_FALSE(bar->IsWindowEnabled());
    bar->SendMessage(WM_FLOATSTATUS, FS_ENABLE);
    EXPECT_TRUE(bar->IsWindowEnabled());
    // The frame's deactivation hides a floating bar while the frame is not active; its activation shows it.
    QApplication::setActiveWindow(nullptr);
    frame->SendMessage(WM_ACTIVATE, 0, 0);
    EXPECT_FALSE(bar->IsWindowVisible());
    EXPECT_TRUE(bar->IsVisible());
    QApplication::setActiveWindow(frame.get());
    frame->SendMessage(WM_ACTIVATE, 1, 0);
    EXPECT_EQ(bar->IsWindowVisible(), frame->isActiveWindow());
    bar->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    // Closing the window does nothing: only the close button or the toolbars menu hide it.
    bar->SendMessage(WM_CLOSE);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_TRUE(bar->IsWindowVisible());
}

TEST_F(ToolBarFrameTest, TheMouseResizesAFloatingBarByItsEdgeAndADoubleClickDocksIt)
{
    CTKToolBar* bar = Bar(1);
    ASSERT_TRUE(bars->FloatBar(bar));
    bar->OnRecalcLayout();
    frame->RecalcLayout();
    ProcessEvents();
    const CRect before = WindowRect(bar);
    const QPoint edge(before.Width() - 1, before.Height() / 2);
    const QPoint inward(before.Width() / 2, before.Height() / 2);
    QTimer::singleShot(0, bar, [&] {
        QTest::mouseMove(bar, inward);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, inward);
    });
    QTimer::singleShot(5000, frame.get(), [&] { QTest::keyClick(frame.get(), Qt::Key_Escape); });
    QTest::mousePress(bar, Qt::LeftButton, {}, edge);
    const CRect after = WindowRect(bar);
    EXPECT_EQ(after.left, before.left);
    EXPECT_LT(after.Width(), before.Width());
    EXPECT_GT(after.Height(), before.Height());

    // A double click on the caption docks the bar back where it was.
    const QPoint caption(10, 5);
    QMouseEvent click(QEvent::MouseButtonDblClick, caption, bar->mapToGlobal(caption), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &click);
    ProcessEvents();
    EXPECT_EQ(bar->GetDockBar(), Top());
    EXPECT_EQ(bar->GetPosition(), kTKPositionTop);
}

TEST_F(ToolBarFrameTest, ADoubleClickDocksAFloatingBarBackButNeverFloatsADockedOne)
{
    CTKToolBar* bar = Bar(1);
    CTKBarDragTracker* tracker = bar->GetDragTracker();
    EXPECT_FALSE(tracker->ToggleDocking());
    EXPECT_EQ(bar->GetDockBar(), Top());

    ASSERT_TRUE(bars->FloatBar(bar));
    bar->OnRecalcLayout();
    frame->RecalcLayout();
    ProcessEvents();
    EXPECT_EQ(bar->GetPosition(), kTKPositionFloating);
    EXPECT_TRUE(tracker->ToggleDocking());
    ProcessEvents();
    EXPECT_EQ(bar->GetDockBar(), Top());
    EXPECT_EQ(Top()->FindBar(bar, -1) >= 0, true);
}

TEST_F(ToolBarFrameTest, PrintPreviewHidesTheBarsAndRestoresOnlyTheVisibleOnes)
{
    Bar(3)->SetVisible(FALSE);
    for (int i = 0; i < bars->GetCount(); ++i)
        Bar(i)->HideForPrintPreview(TRUE);
    for (int i = 0; i < bars->GetCount(); ++i)
        EXPECT_FALSE(Bar(i)->IsVisible()) << i;
    for (int i = 0; i < bars->GetCount(); ++i)
        Bar(i)->HideForPrintPreview(FALSE);
    frame->RecalcLayout();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Bar(i)->IsVisible()) << i;
        EXPECT_TRUE(Bar(i)->IsWindowVisible()) << i;
    }
    EXPECT_FALSE(Bar(3)->IsVisible());
    EXPECT_FALSE(Bar(3)->IsWindowVisible());
}

TEST_F(ToolBarFrameTest, GetDockBarAtTakesTwentyPixelsAroundEachDockBar)
{
    const CRect top = WindowRect(Top());
    struct Case {
        const char* what;
        CPoint point;
        CTKDockBar* preferred;
        CTKDockBar* expected;
    };
    const Case cases[] = {
        {"inside", CPoint(top.left + 50, top.top + 5), nullptr, Top()},
        {"20 above", CPoint(top.left + 50, top.top - 20), nullptr, Top()},
        {"21 above", CPoint(top.left + 50, top.top - 21), nullptr, nullptr},
        {"19 below the last row", CPoint(top.left + 50, top.bottom + 19), nullptr, Top()},
        {"20 below the last row", CPoint(top.left + 50, top.bottom + 20), nullptr, nullptr},
        {"far inside the frame", CPoint(top.left + 300, top.bottom + 150), nullptr, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bars->GetDockBarAt(c.point.x, c.point.y, c.preferred), c.expected) << c.what;
    // Near the top left corner, the left dock bar (empty, no width) counts too; the preferred one wins.
    CTKDockBar* left = bars->GetDockBar(kTKPositionLeft);
    const CPoint corner(top.left + 5, top.bottom + 5);
    EXPECT_EQ(bars->GetDockBarAt(corner.x, corner.y, left), left);
    EXPECT_EQ(bars->GetDockBarAt(corner.x, corner.y, nullptr), Top());
}

TEST_F(ToolBarFrameTest, RowsOpenBeforeBetweenAndAfterAndCloseWhenEmptied)
{
    const CRect top = WindowRect(Top());
    const int rowHeight = top.Height();
    CTKToolBar* moved = Bar(3);
    // Above every row: a new first row.
    CRect above = WindowRect(moved);
    above.OffsetRect(0, -(rowHeight + 10));
    bars->DockBar(moved, &above, Top());
    frame->RecalcLayout();
    EXPECT_EQ(Top()->GetBarAt(1), moved);
    EXPECT_EQ(Top()->GetBarAt(2), nullptr);
    EXPECT_EQ(WindowRect(Top()).Height(), 2 * rowHeight);

    // Exactly on the boundary between the two rows: a new row between them.
    CTKToolBar* second = Bar(2);
    CRect boundary = WindowRect(second);
    const int boundaryY = top.top + rowHeight;
    boundary.OffsetRect(0, boundaryY - boundary.CenterPoint().y);
    bars->DockBar(second, &boundary, Top());
    frame->RecalcLayout();
    EXPECT_EQ(WindowRect(Top()).Height(), 3 * rowHeight);
    EXPECT_LT(WindowRect(moved).top, WindowRect(second).top);
    EXPECT_LT(WindowRect(second).top, WindowRect(Bar(0)).top);

    // Floating the only bar of a row removes the row.
    bars->FloatBar(moved);
    frame->RecalcLayout();
    EXPECT_EQ(WindowRect(Top()).Height(), 2 * rowHeight);
    for (int i = 1; i < Top()->GetEntryCount(); ++i)
        EXPECT_FALSE(Top()->GetBarAt(i - 1) == nullptr && Top()->GetBarAt(i) == nullptr) << i;

    // A dock bar without visible bars takes no space.
    EXPECT_EQ(WindowRect(bars->GetDockBar(kTKPositionBottom)).Height(), 0);
}

TEST_F(ToolBarFrameTest, ResetAsksAndPutsBackTheLoadedButtons)
{
    CScopedUi ui;
    CTKToolBar* bar = Bar(0);
    const int loaded = bar->GetControls()->GetVisibleCount(TRUE);
    bar->GetControls()->Remove(0);
    ui.box.Answer(IDCANCEL);
    bar->Reset();
    EXPECT_EQ(bar->GetControls()->GetVisibleCount(TRUE), loaded - 1);
    ui.box.Answer(IDOK);
    bar->Reset();
    EXPECT_EQ(bar->GetControls()->GetVisibleCount(TRUE), loaded);
    EXPECT_EQ(bar->GetControl(0)->GetID(), 32695u);
    const std::vector<RecordedMessage> asked = ui.box.Messages();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, "Are you sure you want to reset the changes made to the 'Standard' toolbar?");
    EXPECT_EQ(asked[1].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
    // A bar the user made is not reset.
    bar->SetBuiltIn(FALSE);
    bar->Reset();
    EXPECT_EQ(ui.box.Messages().size(), 2u);
}

TEST_F(ToolBarFrameTest, AStripWithFewerPicturesThanButtonsLoadsWhatFits)
{
    for (UINT strip : {kMaskedStripId, kAlphaStripId}) {
        CTKCommandImages::Global().RemoveAll();
        CTKToolBar* bar = bars->AddToolBar("Short", kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
        ASSERT_NE(bar, nullptr);
        bar->LoadToolBar(strip);
        EXPECT_EQ(bar->GetControls()->GetVisibleCount(TRUE), 7) << strip;
        const CToolBarResource* list = CResourceStore::Instance().FindToolBar(strip);
        ASSERT_NE(list, nullptr);
        int pictured = 0;
        for (UINT command : list->commands)
            pictured += command != 0 && CTKCommandImages::Global().FindIcon(command, 16) != nullptr;
        EXPECT_EQ(pictured, 5) << strip;
        bars->RemoveBar(bar);
    }
}

TEST_F(ToolBarFrameTest, BarsRememberedAtTheSamePlaceKeepTheOrderTheyJoinedIn)
{
    // All four remember the row start: equal edges. A bar joins its row at
    // the row's start, so the row follows the entries from the last one.
    for (int i = 0; i < 4; ++i)
        Bar(i)->GetDragTracker()->SetMRUDockRect(CRect());
    std::vector<CTKToolBar*> entries;
    for (int i = Top()->GetEntryCount() - 1; i >= 0; --i)
        if (CTKToolBar* bar = Top()->GetBarAt(i))
            entries.push_back(bar);
    ASSERT_EQ(entries.size(), 4u);
    std::vector<CRect> first;
    for (int pass = 0; pass < 3; ++pass) {
        frame->RecalcLayout();
        std::vector<CRect> rects;
        int previousRight = 0;
        for (CTKToolBar* bar : entries) {
            rects.push_back(WindowRect(bar));
            EXPECT_GE(rects.back().left, previousRight) << pass;
            previousRight = rects.back().right;
        }
        if (pass == 0)
            first = rects;
        EXPECT_EQ(rects, first) << pass;
    }
}

TEST_F(ToolBarFrameTest, RefreshingAllBarsLaysTheFrameOutOnceAtTheEnd)
{
    LayoutCounter counter;
    ASSERT_TRUE(counter.Create(frame.get(), CRect(), 0, WS_CHILD | WS_VISIBLE));
    bars->RelayoutFrame(FALSE);
    EXPECT_EQ(counter.passes, 1);
    bars->RelayoutFrame(TRUE);
    EXPECT_EQ(counter.passes, 1);
    EXPECT_TRUE(frame->IsLayoutPending());
    frame->RecalcLayout();
    // Every docked bar asks for a frame layout as it lays itself out again: one pass in all.
    counter.passes = 0;
    bars->RefreshAllBars();
    EXPECT_EQ(counter.passes, 1);
    EXPECT_FALSE(bars->IsLayoutLocked());
    counter.DestroyWindow();
}

TEST_F(ToolBarFrameTest, ATemporaryBarFloatsAndGoesWhenHidden)
{
    CTKToolBar* torn = bars->AddCustomToolBar("Torn", 9001, TRUE);
    ASSERT_NE(torn, nullptr);
    EXPECT_EQ(bars->GetCount(), 5);
    EXPECT_EQ(torn->GetPosition(), kTKPositionFloating);
    EXPECT_FALSE(torn->IsBuiltIn());
    EXPECT_EQ(bars->GetBarById(9001), torn);
    EXPECT_EQ(bars->GetBarById(0), nullptr);
    EXPECT_EQ(bars->GetBarAt(5), nullptr);
    EXPECT_EQ(bars->GetBarAt(-1), nullptr);
    torn->SetVisible(FALSE);
    EXPECT_EQ(bars->GetCount(), 4);
    EXPECT_EQ(bars->GetBarById(9001), nullptr);

    CTKToolBar* kept = bars->AddCustomToolBar("Mine", 9002, FALSE);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetDockBar(), Top());
    kept->SetVisible(FALSE);
    EXPECT_EQ(bars->GetCount(), 5);
}

TEST_F(ToolBarFrameTest, TheFrameAnswersTheBarsPrivateMessagesWithZero)
{
    TKNMCONTROL record;
    record.hdr.idFrom = 32695;
    record.hdr.code = kTKExecuteCode;
    record.pControl = Bar(0)->GetControl(0);
    // No handler takes the execution: the control's WM_COMMAND follows.
    EXPECT_EQ(frame->SendMessage(WM_TK_EXECUTE, 0, reinterpret_cast<LPARAM>(&record)), 0);
    for (UINT message = 0x052F; message <= 0x0533; ++message)
        EXPECT_EQ(frame->SendMessage(message, 1, 0), 0) << message;
    EXPECT_EQ(frame->GetCommandBars(), bars);
}

TEST(CommandBarsRulesTest, MoveRectToIncludePointShiftsByTheLeastAmount)
{
    struct Case {
        CPoint point;
        CRect expected;
    };
    const CRect rect(10, 20, 110, 60);
    const Case cases[] = {
        {{50, 40}, rect},
        {{10, 20}, rect},
        {{110, 60}, rect},
        {{0, 40}, {0, 20, 100, 60}},
        {{130, 40}, {30, 20, 130, 60}},
        {{50, 5}, {10, 5, 110, 45}},
        {{120, 70}, {20, 30, 120, 70}},
    };
    for (const Case& c : cases) {
        CRect moved = rect;
        MoveRectToIncludePoint(&moved, c.point.x, c.point.y);
        EXPECT_EQ(moved, c.expected) << c.point.x << "," << c.point.y;
    }
}

TEST(CommandBarsRulesTest, AHiddenCommandCountsAsUsedOnceExecuted)
{
    std::unique_ptr<CTKCommandBars, void (*)(CTKCommandBars*)> bars(new CTKCommandBars,
                                                                      [](CTKCommandBars* b) { b->InternalRelease(); });
    bars->GetCommandBarsOptions()->hiddenCommands = {32806, 32809};
    EXPECT_TRUE(bars->IsHiddenCommand(32806));
    EXPECT_FALSE(bars->IsHiddenCommand(32793));
    bars->SetCommandUsed(32793);
    bars->SetCommandUsed(32806);
    EXPECT_FALSE(bars->IsHiddenCommand(32806));
    EXPECT_TRUE(bars->IsHiddenCommand(32809));
    EXPECT_EQ(bars->GetCommandBarsOptions()->usedCommands, (std::set<UINT>{32806}));
}

TEST(CommandBarsRulesTest, UsedCommandsAreStoredInHashBucketOrder)
{
    std::unique_ptr<CTKCommandBars, void (*)(CTKCommandBars*)> bars(new CTKCommandBars,
                                                                      [](CTKCommandBars* b) { b->InternalRelease(); });
    // Buckets (id >> 4) % 17: 0x10 -> 1, 0x120 -> 1, 0x20 -> 2, 0x00 -> 0.
    bars->GetCommandBarsOptions()->usedCommands = {0x20, 0x120, 0x10, 0x00};
    const std::vector<BYTE> expected = {4, 0,                    // count
                                        0x00, 0, 0, 0, 1, 0, 0, 0,     // bucket 0
                                        0x10, 0, 0, 0, 1, 0, 0, 0,     // bucket 1
                                        0x20, 0x01, 0, 0, 1, 0, 0, 0,  // bucket 1
                                        0x20, 0, 0, 0, 1, 0, 0, 0};    // bucket 2
    EXPECT_EQ(bars->UsedCommandsBytes(), expected);

    bars->GetCommandBarsOptions()->usedCommands = {7};
    EXPECT_TRUE(bars->MergeUsedCommands(expected));
    EXPECT_EQ(bars->GetCommandBarsOptions()->usedCommands, (std::set<UINT>{0x00, 0x07, 0x10, 0x20, 0x120}));
    // Cut short: nothing merges.
    const std::vector<BYTE> truncated(expected.begin(), expected.begin() + 12);
    EXPECT_FALSE(bars->MergeUsedCommands(truncated));
    EXPECT_EQ(bars->GetCommandBarsOptions()->usedCommands.size(), 5u);
}

TEST(CommandBarsRulesTest, TheOptionsArchiveHoldsTheFlagsSizesHiddenCommandsAndRendererOptions)
{
    PinPlatformDefaults();
    CTKBarRenderer::SelectTheme(kTKThemeClassic);
    BOOL* rendererOptions = CTKBarRenderer::GetCurrent()->GetOptionBlock();
    rendererOptions[0] = TRUE;
    rendererOptions[1] = FALSE;
    rendererOptions[2] = FALSE;
    CTKCommandBarsOptions stored(nullptr);
    stored.bLargeIcons = TRUE;
    stored.bShowExpandButtonAlways = FALSE;
    stored.szIcons = CSize(24, 22);
    stored.hiddenCommands = {0x10};
    CArchive out;
    stored.Serialize(out);
    const std::vector<BYTE> expected = {
        6, 0, 0, 0,                                                  // version
        1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,              // full menus, delay, tips, accel tips
        1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,                          // large icons, hide floating, expand
        24, 0, 0, 0, 22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,            // small and large icon sizes
        1, 0, 0x10, 0, 0, 0, 1, 0, 0, 0,                             // hidden commands
        0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,                          // renderer options, third first
    };
    EXPECT_EQ(out.GetBuffer(), expected);

    rendererOptions[0] = FALSE;
    CTKCommandBarsOptions loaded(nullptr);
    CArchive in(expected);
    loaded.Serialize(in);
    EXPECT_TRUE(in.IsOK());
    EXPECT_TRUE(loaded.bLargeIcons);
    EXPECT_FALSE(loaded.bShowExpandButtonAlways);
    EXPECT_EQ(loaded.szIcons, CSize(24, 22));
    EXPECT_EQ(loaded.hiddenCommands, (std::set<UINT>{0x10}));
    EXPECT_TRUE(rendererOptions[0]);

    // A short archive changes neither the hidden commands nor the renderer.
    rendererOptions[0] = FALSE;
    CTKCommandBarsOptions damaged(nullptr);
    CArchive cut(std::vector<BYTE>(expected.begin(), expected.end() - 6));
    damaged.Serialize(cut);
    EXPECT_FALSE(cut.IsOK());
    EXPECT_TRUE(damaged.hiddenCommands.empty());
    EXPECT_FALSE(rendererOptions[0]);
}

TEST(CommandBarsRulesTest, OptionsRoundTripThroughTheProfile)
{
    ConfigHome home;
    CWinApp app{"ToolkitTest"};
    app.SetRegistryKey("OrvelToolkitTest");
    auto release = [](CTKCommandBars* b) { b->InternalRelease(); };
    std::unique_ptr<CTKCommandBars, decltype(release)> saved(new CTKCommandBars, release);
    // Nothing used yet: no "UsedCommands" value.
    saved->SaveOptions("ZULCommandBars");
    CSettingsStore store(CSettingsStore::ProfileFilePath("OrvelToolkitTest"), "ToolkitTest");
    EXPECT_TRUE(store.HasSection("ZULCommandBars-Options"));
    EXPECT_FALSE(store.HasEntry("ZULCommandBars-Options", "UsedCommands"));

    CTKCommandBarsOptions& options = *saved->GetCommandBarsOptions();
    options.bLargeIcons = TRUE;
    options.bToolBarAccelTips = TRUE;
    options.nAnimationType = 3;
    options.usedCommands = {32806, 57609};
    saved->SaveOptions("ZULCommandBars");
    EXPECT_TRUE(store.HasEntry("ZULCommandBars-Options", "UsedCommands"));

    std::unique_ptr<CTKCommandBars, decltype(release)> loaded(new CTKCommandBars, release);
    loaded->GetCommandBarsOptions()->usedCommands = {1};
    loaded->LoadOptions("ZULCommandBars");
    const CTKCommandBarsOptions& read = *loaded->GetCommandBarsOptions();
    EXPECT_TRUE(read.bLargeIcons);
    EXPECT_TRUE(read.bToolBarAccelTips);
    EXPECT_EQ(read.nAnimationType, 3);
    EXPECT_EQ(read.usedCommands, (std::set<UINT>{1, 32806, 57609}));
}

TEST_F(ToolBarFrameTest, ARightClickOnTheDockBarOpensTheToolbarsMenu)
{
    struct Case {
        const char* name;
        int choose;   // the line chosen with Down and Enter; -1 Escape
        BOOL visibleAfter;
    };
    const Case cases[] = {
        {"escape keeps every toolbar", -1, TRUE},
        {"choosing Project hides it", 1, FALSE},
        {"choosing it again shows it", 1, TRUE},
    };
    for (const Case& test : cases) {
        std::vector<std::string> captions;
        std::vector<BOOL> checked;
        QTimer::singleShot(0, [&] {
            const auto& tracked = CTKPopupTracker::Get().GetTrackedBars();
            ASSERT_EQ(tracked.size(), 1u) << test.name;
            for (int i = 0; i < tracked.front()->GetControlCount(); ++i) {
                captions.push_back(tracked.front()->GetControl(i)->GetCaption());
                checked.push_back(tracked.front()->GetControl(i)->GetChecked());
            }
            for (int i = 0; i <= test.choose; ++i)
                QTest::keyClick(frame.get(), Qt::Key_Down);
            QTest::keyClick(frame.get(), test.choose < 0 ? Qt::Key_Escape : Qt::Key_Return);
        });
        const CRect top = WindowRect(Top());
        // Right of the last toolbar the dock bar is empty.
        Top()->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(top.Width() - 5, top.Height() / 2));
        EXPECT_EQ(captions, (std::vector<std::string>{"Standard", "Project", "LD", "Debug"})) << test.name;
        EXPECT_EQ(checked.size(), 4u) << test.name;
        EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty()) << test.name;
        EXPECT_EQ(Bar(1)->IsVisible(), test.visibleAfter) << test.name;
    }
}

TEST_F(ToolBarFrameTest, TheExpandButtonShowsTheHiddenButtonsInAPopup)
{
    int natural = 0;
    for (int i = 0; i < 4; ++i)
        natural += WindowRect(Bar(i)).Width();
    Resize(natural - 40);
    const int dropped = Dropped(Bar(3));
    ASSERT_GT(dropped, 0);

    struct Case {
        const char* name;
        BOOL addRemove;
    };
    const Case cases[] = {{"hidden buttons only", FALSE}, {"with Add or Remove Buttons", TRUE}};
    for (const Case& test : cases) {
        bars->GetCommandBarsOptions()->bShowExpandButtonAlways = test.addRemove;
        bars->RelayoutFrame(FALSE);
        // Every toolbar of the row gives its hidden buttons.
        int rowDropped = 0;
        for (int i = 0; i < 4; ++i)
            rowDropped += Dropped(Bar(i));
        ASSERT_GE(rowDropped, dropped) << test.name;
        CTKControl* expand = Bar(3)->GetControls()->FindControl(kTKExpandButtonId);
        const CPoint centre = expand->GetRect().CenterPoint();
        Bar(3)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        ProcessEvents();
        CTKCommandBar* popup = expand->GetCommandBar();
        ASSERT_NE(popup, nullptr) << test.name;
        ASSERT_TRUE(CTKPopupTracker::Get().IsTracked(popup)) << test.name;
        EXPECT_EQ(popup->GetControlCount(), rowDropped + (test.addRemove ? 1 : 0)) << test.name;
        for (int i = 0; i < rowDropped; ++i) {
            EXPECT_TRUE(popup->GetControl(i)->IsVisible()) << test.name << i;
        }
        if (test.addRemove) {
            CTKControl* last = popup->GetControl(popup->GetControlCount() - 1);
            EXPECT_EQ(last->GetCaption(), "&Add or Remove Buttons") << test.name;
            ASSERT_NE(last->GetCommandBar(), nullptr);
            EXPECT_EQ(last->GetCommandBar()->GetControlCount(), 4) << "one item per toolbar of the row";
            SaveScreenshot("toolbar_expand_popup.png");
        }
        // Below the button, its right edge at the button's.
        CRect button = expand->GetRect();
        Bar(3)->ClientToScreen(&button);
        const CRect rect = WindowRect(popup);
        EXPECT_GE(rect.top, button.bottom - 2) << test.name;
        CTKPopupTracker::Get().CloseTrackedBars();
        EXPECT_FALSE(popup->IsWindow()) << test.name;
    }
}

} // namespace

TEST_F(ToolBarFrameTest, EachThemeRepaintsTheBarsWithItsGripper)
{
    struct Case {
        int theme;
        const char* shot;
        CPoint dark;
        UINT darkEntry;
        CPoint light;
        UINT lightEntry;
    };
    const Case cases[] = {
        // Office 2003: dots, dark top-left over a light square one pixel lower right.
        {kTKThemeOffice2003, "theme_office2003.png", CPoint(5, 5), 38, CPoint(7, 7), 20},
        // Office XP: short lines every second row on the bar background.
        {kTKThemeOfficeXP, "theme_officexp.png", CPoint(3, 5), 38, CPoint(3, 6), 30},
        // Windows XP without visual styles: the Classic raised stripe.
        {kTKThemeWindowsXP, "theme_windowsxp.png", CPoint(5, 10), COLOR_BTNSHADOW, CPoint(3, 10),
         COLOR_BTNHIGHLIGHT},
    };
    for (const Case& c : cases) {
        CTKBarRenderer::SelectTheme(c.theme);
        CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
        bars->RefreshAllBars();
        ProcessEvents();
        SaveScreenshot(c.shot);
        const QImage image = Bar(0)->grab().toImage();
        EXPECT_EQ(ProbeColor(image, c.dark.x, c.dark.y), renderer->LookupColor(c.darkEntry)) << c.shot;
        EXPECT_EQ(ProbeColor(image, c.light.x, c.light.y), renderer->LookupColor(c.lightEntry)) << c.shot;
    }
}

namespace {

// The Add or Remove Buttons list of a bar, made afresh.
struct AddRemoveList {
    explicit AddRemoveList(CTKCommandBars* bars, CTKToolBar* bar) : popup(CTKPopupBar::NewPopupBar(bars))
    {
        bar->BuildAddRemoveList(popup);
    }
    ~AddRemoveList() { popup->InternalRelease(); }
    CTKAddRemoveButtonItem* Item(int index) const
    {
        return dynamic_cast<CTKAddRemoveButtonItem*>(popup->GetControl(index));
    }
    CTKPopupBar* popup;
};

// The commands of the bar's buttons, in order, and which of them the user hid.
std::vector<UINT> ButtonIds(const CTKToolBar* bar, DWORD hideFlag = 0)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        const CTKControl* control = bar->GetControl(i);
        const BOOL listed = control->GetID() != kTKExpandButtonId && control->GetID() != kTKCloseButtonId;
        if (listed && (hideFlag == 0 || (control->GetHideFlags() & hideFlag)))
            ids.push_back(control->GetID());
    }
    return ids;
}

} // namespace

TEST_F(ToolBarFrameTest, AddOrRemoveButtonsListsEveryLoadedButtonWithItsCheckAndReset)
{
    CTKToolBar* bar = Bar(0);
    const std::vector<UINT> loaded = ButtonIds(bar);
    ASSERT_FALSE(loaded.empty());
    {
        const AddRemoveList list(bars, bar);
        ASSERT_EQ(list.popup->GetControlCount(), static_cast<int>(loaded.size()) + 1);
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            CTKAddRemoveButtonItem* item = list.Item(static_cast<int>(i));
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->GetTarget()->GetID(), loaded[i]);
            EXPECT_EQ(item->GetIconId(), static_cast<int>(loaded[i]));
            EXPECT_TRUE(item->GetChecked());
            EXPECT_TRUE(item->GetEnabled());
            EXPECT_EQ(item->GetCaption(), item->GetTarget()->GetDisplayCaption());
        }
        CTKAddRemoveButtonItem* reset = list.Item(static_cast<int>(loaded.size()));
        ASSERT_NE(reset, nullptr);
        EXPECT_TRUE(reset->IsResetItem());
        EXPECT_EQ(reset->GetCaption(), "Reset");
        EXPECT_TRUE(reset->GetBeginGroup());

        // Choosing a line hides its button and clears the check.
        list.Item(1)->Execute();
        EXPECT_FALSE(list.Item(1)->GetChecked());
        EXPECT_EQ(ButtonIds(bar, kTKHideCustomize), std::vector<UINT>{loaded[1]});
    }
    // The hidden button keeps its place in the next list, unchecked.
    {
        const AddRemoveList list(bars, bar);
        EXPECT_EQ(ButtonIds(bar), loaded);
        ASSERT_EQ(list.popup->GetControlCount(), static_cast<int>(loaded.size()) + 1);
        EXPECT_EQ(list.Item(1)->GetTarget()->GetID(), loaded[1]);
        EXPECT_FALSE(list.Item(1)->GetChecked());
        EXPECT_TRUE(list.Item(0)->GetChecked());
        list.Item(1)->Execute();
        EXPECT_TRUE(ButtonIds(bar, kTKHideCustomize).empty());
    }
    // A button the bar lost comes back hidden; one the bar did not load is listed but greyed.
    constexpr UINT kNotLoaded = 39999;
    bar->GetControls()->Remove(0);
    bar->GetControls()->AddNewControl(kTKControlButton, kNotLoaded);
    {
        const AddRemoveList list(bars, bar);
        EXPECT_EQ(bar->GetControl(0)->GetID(), loaded[0]);
        EXPECT_EQ(ButtonIds(bar, kTKHideCustomize), std::vector<UINT>{loaded[0]});
        EXPECT_FALSE(list.Item(0)->GetChecked());
        const int added = static_cast<int>(loaded.size());
        ASSERT_NE(list.Item(added), nullptr);
        EXPECT_EQ(list.Item(added)->GetTarget()->GetID(), kNotLoaded);
        EXPECT_FALSE(list.Item(added)->GetEnabled());

        // Reset asks, then puts back the loaded buttons.
        CScopedUi ui;
        ui.box.Answer(IDOK);
        list.Item(added + 1)->Execute();
        EXPECT_EQ(ui.box.Messages().size(), 1u);
        EXPECT_EQ(ButtonIds(bar), loaded);
        EXPECT_TRUE(ButtonIds(bar, kTKHideCustomize).empty());
    }
    // A bar the user made has no Reset line.
    bar->SetBuiltIn(FALSE);
    const AddRemoveList list(bars, bar);
    EXPECT_EQ(list.popup->GetControlCount(), static_cast<int>(loaded.size()));
}

TEST_F(ToolBarFrameTest, IconSizeAndTextLabelsFollowTheOptions)
{
    CTKToolBar* bar = Bar(0);
    CTKCommandBarsOptions* options = bars->GetCommandBarsOptions();
    struct Case {
        const char* name;
        BOOL large;
        CSize small;
        CSize largeSize;
        CSize expected;
    };
    const Case cases[] = {
        {"defaults", FALSE, CSize(), CSize(), CSize(16, 16)},
        {"large icons, no large size", TRUE, CSize(), CSize(), CSize(32, 32)},
        {"large icons twice a set small size", TRUE, CSize(20, 18), CSize(), CSize(40, 36)},
        {"the large size set", TRUE, CSize(20, 18), CSize(24, 24), CSize(24, 24)},
        {"a set small size", FALSE, CSize(20, 18), CSize(24, 24), CSize(20, 18)},
    };
    CTKPopupBar* menu = CTKPopupBar::NewPopupBar(bars);
    for (const Case& test : cases) {
        options->bLargeIcons = test.large;
        options->szIcons = test.small;
        options->szLargeIcons = test.largeSize;
        EXPECT_EQ(bar->GetButtonIconSize(), test.expected) << test.name;
        EXPECT_EQ(menu->GetButtonIconSize(), CSize(16, 16)) << test.name << ": menus keep small icons";
    }
    menu->InternalRelease();
    options->bLargeIcons = FALSE;
    options->szIcons = CSize();
    options->szLargeIcons = CSize();

    // Text labels: the bar's own setting, else the options'.
    for (BOOL labels : {FALSE, TRUE}) {
        options->bShowTextBelowIcons = labels;
        bar->SetTextLabels(2);
        EXPECT_EQ(bar->ShowsButtonText(), labels);
        bar->SetTextLabels(0);
        EXPECT_FALSE(bar->ShowsButtonText());
        bar->SetTextLabels(1);
        EXPECT_TRUE(bar->ShowsButtonText());
    }
}

TEST_F(ToolBarFrameTest, TheIdleUpdateShowsButtonsOnlyForTheirDocumentTypes)
{
    constexpr UINT kLadderMenu = 286;
    constexpr UINT kListMenu = 284;
    CMDIChildWnd* active = frame->MDIGetActive();
    ASSERT_NE(active, nullptr);
    CTKToolBar* bar = Bar(0);
    CTKControl* ladderOnly = bar->GetControl(0);
    CTKControl* notForLadder = bar->GetControl(1);
    ladderOnly->ShownDocumentTypes().insert(kLadderMenu);
    notForLadder->HiddenDocumentTypes().insert(kLadderMenu);
    const struct {
        UINT menu;
        BOOL ladderShown;
    } cases[] = {{kLadderMenu, TRUE}, {kListMenu, FALSE}, {kLadderMenu, TRUE}};
    for (const auto& test : cases) {
        active->SetResourceId(test.menu);
        bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ((ladderOnly->GetHideFlags() & kTKHideDocumentType) == 0, test.ladderShown) << test.menu;
        EXPECT_EQ((notForLadder->GetHideFlags() & kTKHideDocumentType) != 0, test.ladderShown) << test.menu;
    }
}
