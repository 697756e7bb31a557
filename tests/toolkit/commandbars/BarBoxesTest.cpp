// Windows on a toolbar: an edit box (typing past the frame's accelerators,
// Enter executes with the text, Escape brings the old text back, copy and
// paste commands, focus back only to a living window) and a custom control
// hosting a slider (size with margins, the vertical behaviours, a window
// the application destroys, the window found again by its id). A fixture
// frame of its own carries the toolbar and an accelerator on a plain letter.

#include "platform/CClipboard.h"
#include "platform/CMemoryClipboard.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/StandardCommands.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControlCustom.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kAcceleratorsId = 4100;
constexpr UINT kLetterCommand = 5101;
constexpr UINT kEditId = 5102;
constexpr UINT kSliderCommand = 5103;
constexpr UINT kSliderWindowId = 5104;
constexpr UINT kButtonId = 5105;
constexpr int kEditWidth = 120;
constexpr int kWaitMs = 2000;
const CSize kSliderSize(100, 20);
const CRect kSliderMargins(2, 1, 2, 1);
const CRect kFrameRect(0, 0, 900, 400);

const char kAccelerators[] = "4100 ACCELERATORS\nBEGIN\n    \"A\", 5101, VIRTKEY\nEND\n";

// A stand-in slider: a plain child window of a fixed size.
class FixtureSlider : public CWnd {
public:
    int mouseMoves = 0;

protected:
    void OnMouseMove(UINT, CPoint) override { ++mouseMoves; }
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, RGB(0, 128, 0));
    }
};

// The second fixture frame: records the commands it gets and the edit
// box's text at the time of each.
class BoxesFrame : public CTKFixtureFrame {
public:
    std::vector<UINT> commands;
    std::vector<std::string> texts;
    CTKControlEdit* edit = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        if (id == kLetterCommand || id == kEditId || id == kSliderCommand || id == kButtonId) {
            commands.push_back(id);
            texts.push_back(edit ? edit->GetEditText() : std::string());
            return TRUE;
        }
        return CTKFixtureFrame::OnCommand(wParam, lParam);
    }
};

class BarBoxesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        std::string error;
        ASSERT_TRUE(CResourceStore::Instance().LoadText(kAccelerators, "boxes", &error)) << error;
        CClipboard::Set(&m_clipboard);
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        frame = std::make_unique<BoxesFrame>();
        ASSERT_TRUE(frame->Open(kFrameRect));
        ASSERT_TRUE(frame->LoadAccelTable(kAcceleratorsId));
        bars = AttachCommandBars(*frame);
        ASSERT_NE(bars, nullptr);
        bar = bars->AddToolBar("Boxes", kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
        ASSERT_NE(bar, nullptr);
        CTKControls* controls = bar->GetControls();
        // The frame has no update handlers: the controls keep their own state.
        CTKControl* button = controls->AddNewControl(kTKControlButton, kButtonId);
        ASSERT_NE(button, nullptr);
        button->SetFlags(kTKFlagNoUpdate);
        edit = dynamic_cast<CTKControlEdit*>(controls->AddNewControl(kTKControlEdit, kEditId));
        ASSERT_NE(edit, nullptr);
        edit->SetFlags(kTKFlagNoUpdate);
        edit->SetCaption("Find");
        edit->SetWidth(kEditWidth);
        frame->edit = edit;
        slider = new FixtureSlider;
        ASSERT_TRUE(slider->Create(frame.get(), CRect(CPoint(0, 0), kSliderSize), kSliderWindowId, WS_CHILD));
        custom = dynamic_cast<CTKControlCustom*>(controls->AddNewControl(kTKControlCustom, kSliderCommand));
        ASSERT_NE(custom, nullptr);
        custom->SetFlags(custom->GetFlags() | kTKFlagNoUpdate);
        custom->SetBorders(kSliderMargins);
        custom->SetControl(slider);
        Relayout();
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        ProcessEvents();
        CClipboard::Set(nullptr);
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
    }

    void Relayout()
    {
        bars->RelayoutFrame(FALSE);
        frame->RecalcLayout();
        ProcessEvents();
    }
    CTKEdit* Box() const { return edit->GetEditCtrl(); }
    // Clicks into the edit box, as the user does to start typing; TRUE once it has the focus.
    bool ClickIntoBox()
    {
        QWidget* line = Box() ? Box()->findChild<QLineEdit*>() : nullptr;
        if (!line)
            return false;
        QTest::mouseClick(line, Qt::LeftButton);
        return QTest::qWaitFor([&]() { return CWnd::GetFocus() == Box(); }, kWaitMs);
    }
    static bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, kWaitMs); }

    CMemoryClipboard m_clipboard;
    std::unique_ptr<BoxesFrame> frame;
    CTKCommandBars* bars = nullptr;
    CTKToolBar* bar = nullptr;
    CTKControlEdit* edit = nullptr;
    CTKControlCustom* custom = nullptr;
    FixtureSlider* slider = nullptr;
};

TEST_F(BarBoxesTest, TheCollectionMakesEditAndCustomControlsByCreationCode)
{
    EXPECT_EQ(edit->GetType(), kTKControlEdit);
    EXPECT_EQ(edit->GetID(), kEditId);
    // The hosted window keeps the button type and is left out of customisation.
    EXPECT_EQ(custom->GetType(), kTKControlButton);
    EXPECT_EQ(custom->GetFlags() & ~kTKFlagNoUpdate, kTKFlagNoCustomize);
    EXPECT_EQ(custom->GetID(), kSliderCommand);
    EXPECT_EQ(custom->GetControlID(), kSliderWindowId);
    EXPECT_EQ(custom->GetControlSize(), kSliderSize);
}

TEST_F(BarBoxesTest, TheBoxSitsInTheFieldAfterTheLabelAndTheSliderInsideItsMargins)
{
    const CRect rc = edit->GetRect();
    ASSERT_FALSE(rc.IsRectEmpty());
    ASSERT_NE(Box(), nullptr);
    EXPECT_EQ(Box()->GetParent(), bar);
    EXPECT_TRUE(Box()->IsWindowVisible());
    CRect box;
    Box()->GetWindowRect(&box);
    bar->ScreenToClient(&box);
    EXPECT_EQ(box, CRect(rc.left + edit->GetLabelWidth() + 4, rc.top + 3, rc.right - 3, rc.bottom - 3));

    const CRect cc = custom->GetRect();
    EXPECT_EQ(cc.Size(), CSize(104, 22));
    EXPECT_EQ(slider->GetParent(), bar);
    EXPECT_TRUE(slider->IsWindowVisible());
    CRect hosted;
    slider->GetWindowRect(&hosted);
    bar->ScreenToClient(&hosted);
    EXPECT_EQ(hosted, CRect(cc.left + 2, cc.top + 1, cc.right - 2, cc.bottom - 1));
}

TEST_F(BarBoxesTest, EachThemeMeasuresTheBoxByTheIconTitleFontAndItsLabel)
{
    const CSize space = [] {
        CQtImageDC screen(1, 1);
        screen.SelectObject(&CTKBarRenderer::m_fontIconTitle);
        return screen.GetTextExtent(" ");
    }();
    const int caption = [] {
        CQtImageDC screen(1, 1);
        screen.SelectObject(&CTKBarRenderer::m_fontIconTitle);
        return screen.GetTextExtent("Find").cx;
    }();
    struct Case {
        int theme;
        BOOL showLabel;
        int labelWidth;
    };
    const Case cases[] = {
        {kTKThemeClassic, TRUE, caption + 5},   {kTKThemeClassic, FALSE, 0},
        {kTKThemeOfficeXP, TRUE, caption + 5},  {kTKThemeOffice2003, FALSE, 0},
        {kTKThemeWindowsXP, TRUE, caption + 5},
    };
    for (const Case& c : cases) {
        CTKBarRenderer::SelectTheme(c.theme);
        edit->SetShowLabel(c.showLabel);
        CQtImageDC dc(1, 1);
        const CSize size = edit->GetSize(&dc);
        EXPECT_EQ(edit->GetLabelWidth(), c.labelWidth) << c.theme;
        EXPECT_EQ(size, CSize(kEditWidth + c.labelWidth, space.cy + 8)) << c.theme;
    }

    // In a menu the label leaves room for the icon column.
    CTKPopupBar* popup = CTKPopupBar::NewPopupBar(bars);
    ASSERT_NE(popup, nullptr);
    CTKControl* inMenu = popup->GetControls()->AddClone(edit, -1, FALSE);
    ASSERT_NE(inMenu, nullptr);
    CQtImageDC dc(1, 1);
    const CSize size = inMenu->GetSize(&dc);
    EXPECT_EQ(static_cast<CTKControlEdit*>(inMenu)->GetLabelWidth(), caption + 29);
    EXPECT_EQ(size.cx, kEditWidth + caption + 29);
    popup->InternalRelease();
}

TEST_F(BarBoxesTest, TypingGoesPastTheAcceleratorsEscapeRestoresAndEnterExecutes)
{
    edit->SetEditText("old");
    ASSERT_TRUE(ClickIntoBox());
    EXPECT_EQ(bar->GetTrackingMode(), 1);
    EXPECT_EQ(bar->GetKeyReceiver(), edit);
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 1);
    EXPECT_EQ(bar->GetSelectedIndex(), edit->GetIndex());

    Box()->SetSel(0, -1);
    QTest::keyClicks(Box(), "aha");
    EXPECT_EQ(edit->GetEditText(), "aha");
    EXPECT_TRUE(frame->commands.empty());

    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&]() { return CWnd::GetFocus() != Box(); }));
    EXPECT_EQ(edit->GetEditText(), "old");
    EXPECT_EQ(bar->GetTrackingMode(), 0);
    EXPECT_EQ(bar->GetKeyReceiver(), nullptr);
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);
    EXPECT_TRUE(frame->commands.empty());

    ASSERT_TRUE(ClickIntoBox());
    Box()->SetSel(0, -1);
    QTest::keyClicks(Box(), "alarm");
    QTest::keyClick(Box(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&]() { return !frame->commands.empty(); }));
    ASSERT_EQ(frame->commands, std::vector<UINT>{kEditId});
    EXPECT_EQ(frame->texts.front(), "alarm");
    EXPECT_EQ(edit->GetEditText(), "alarm");
    EXPECT_TRUE(WaitFor([&]() { return CWnd::GetFocus() != Box(); }));
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);

    // Outside the box the letter is the frame's accelerator again.
    QTest::keyClick(frame.get(), Qt::Key_A);
    EXPECT_EQ(frame->commands.back(), kLetterCommand);
}

TEST_F(BarBoxesTest, TheTypedTextOutlivesTheBoxAndReachesACopy)
{
    ASSERT_TRUE(ClickIntoBox());
    QTest::keyClicks(Box(), "kept");
    QPointer<CTKEdit> box = Box();
    bar->DestroyWindow();
    ProcessEvents();
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);
    EXPECT_TRUE(box.isNull() || !box->IsWindow());
    EXPECT_EQ(edit->GetEditText(), "kept");
    CTKControl* copy = edit->Clone(FALSE);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(static_cast<CTKControlEdit*>(copy)->GetEditText(), "kept");
    copy->InternalRelease();
}

TEST_F(BarBoxesTest, CopyCutAndPasteGoToTheFocusedBoxAndAreEnabledByItsState)
{
    edit->SetEditText("hello world");
    ASSERT_TRUE(ClickIntoBox());
    auto enabled = [&](UINT id) {
        CCmdUI state(id);
        EXPECT_TRUE(Box()->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr));
        return state.IsEnabled();
    };
    Box()->SetSel(0, 0);
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_EDIT_CUT));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));

    Box()->SetSel(0, 5);
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_CUT));
    EXPECT_EQ(frame->SendMessage(WM_COMMAND, ID_EDIT_CUT), 1);
    std::string clip;
    ASSERT_TRUE(m_clipboard.GetText(&clip));
    EXPECT_EQ(clip, "hello");
    EXPECT_EQ(edit->GetEditText(), " world");
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));

    Box()->SetSel(6, 6);
    EXPECT_EQ(frame->SendMessage(WM_COMMAND, ID_EDIT_PASTE), 1);
    EXPECT_EQ(edit->GetEditText(), " worldhello");
    // Other commands are not the box's: they reach the frame.
    frame->SendMessage(WM_COMMAND, kButtonId);
    EXPECT_EQ(frame->commands, std::vector<UINT>{kButtonId});
}

TEST_F(BarBoxesTest, EscapeGivesTheFocusBackOnlyToAWindowThatStillExists)
{
    auto* other = new CWnd;
    ASSERT_TRUE(other->Create(frame.get(), CRect(10, 300, 60, 320), 0, WS_CHILD | WS_VISIBLE));
    other->setFocusPolicy(Qt::StrongFocus);
    other->SetFocus();
    ASSERT_TRUE(WaitFor([&]() { return CWnd::GetFocus() == other; }));
    ASSERT_TRUE(ClickIntoBox());
    EXPECT_EQ(bar->GetSavedFocus(), other);

    delete other;
    EXPECT_EQ(bar->GetSavedFocus(), nullptr);
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&]() { return CWnd::GetFocus() != Box(); }));
    EXPECT_EQ(bar->GetTrackingMode(), 0);
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);
}

TEST_F(BarBoxesTest, AVerticalBarHidesTheBoxAndTreatsTheSliderByItsSetting)
{
    struct Case {
        int option;
        BOOL controlShown;
        BOOL sliderShown;
    };
    const Case cases[] = {
        {kTKCustomVerticalHide, FALSE, FALSE},
        {kTKCustomVerticalKeep, TRUE, TRUE},
        {kTKCustomVerticalButton, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        custom->SetVerticalPositionOption(c.option);
        ASSERT_TRUE(bar->SetPosition(kTKPositionLeft));
        Relayout();
        EXPECT_EQ(edit->GetHideFlags(), kTKHideVertical) << c.option;
        EXPECT_FALSE(Box()->IsWindowVisible()) << c.option;
        EXPECT_EQ(custom->IsVisible(), c.controlShown) << c.option;
        EXPECT_EQ(slider->IsWindowVisible(), c.sliderShown) << c.option;
        if (c.option == kTKCustomVerticalButton) {
            // A button measures by the renderer, not by the slider.
            CQtImageDC dc(1, 1);
            EXPECT_NE(custom->GetSize(&dc), CSize(104, 22));
        }
        SaveScreenshot("boxes_left_" + std::to_string(c.option) + ".png");

        ASSERT_TRUE(bar->SetPosition(kTKPositionTop));
        Relayout();
        EXPECT_EQ(edit->GetHideFlags(), 0u) << c.option;
        EXPECT_TRUE(Box()->IsWindowVisible()) << c.option;
        EXPECT_TRUE(custom->IsVisible()) << c.option;
        EXPECT_TRUE(slider->IsWindowVisible()) << c.option;
    }
}

TEST_F(BarBoxesTest, TheSliderKeepsTheBarsHotTrackingAndIsIgnoredAsAButtonWhileShown)
{
    // Two points, so that the pointer moves whichever place it had.
    QTest::mouseMove(slider, QPoint(3, 3));
    QTest::mouseMove(slider, QPoint(12, 10));
    ASSERT_TRUE(WaitFor([&]() { return slider->mouseMoves > 0; }));
    EXPECT_EQ(bar->GetSelectedIndex(), custom->GetIndex());
    custom->OnClick(FALSE, CPoint());
    custom->OnClick(TRUE, CPoint());
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(BarBoxesTest, ADestroyedSliderLeavesAnOrdinaryButtonAndIsFoundAgainById)
{
    CQtImageDC dc(1, 1);
    EXPECT_EQ(custom->GetSize(&dc), CSize(104, 22));
    CTKControl* copy = bar->GetControls()->AddClone(custom, -1, FALSE);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(static_cast<CTKControlCustom*>(copy)->GetControl(), slider);

    delete slider;
    slider = nullptr;
    EXPECT_EQ(custom->GetControl(), nullptr);
    EXPECT_EQ(static_cast<CTKControlCustom*>(copy)->GetControl(), nullptr);
    Relayout();
    const CSize button = custom->GetSize(&dc);
    EXPECT_NE(button, CSize(104, 22));
    custom->Draw(&dc);
    custom->OnClick(TRUE, CPoint());
    EXPECT_EQ(frame->commands, std::vector<UINT>{kSliderCommand});

    // Not found: the control stays a button.
    EXPECT_FALSE(custom->FindControlWindow(bars));
    // A child of the frame with the stored id, else one of a bar.
    struct Case {
        BOOL onFrame;
    };
    for (const Case c : {Case{TRUE}, Case{FALSE}}) {
        auto* again = new FixtureSlider;
        CWnd* parent = c.onFrame ? static_cast<CWnd*>(frame.get()) : static_cast<CWnd*>(bar);
        ASSERT_TRUE(again->Create(parent, CRect(CPoint(0, 0), kSliderSize), kSliderWindowId, WS_CHILD));
        EXPECT_TRUE(custom->FindControlWindow(bars)) << c.onFrame;
        EXPECT_EQ(custom->GetControl(), again) << c.onFrame;
        delete again;
    }
}

TEST_F(BarBoxesTest, ACustomControlDropsIntoMenusOnly)
{
    CTKPopupBar* popup = CTKPopupBar::NewPopupBar(bars);
    ASSERT_NE(popup, nullptr);
    DWORD effect = 1;
    EXPECT_TRUE(custom->IsCustomizeDragOverAvail(popup, CPoint(), &effect));
    EXPECT_EQ(effect, 1u);
    EXPECT_FALSE(custom->IsCustomizeDragOverAvail(bar, CPoint(), &effect));
    EXPECT_EQ(effect, 0u);
    popup->InternalRelease();
}

TEST_F(BarBoxesTest, EachThemeDrawsTheFieldAroundTheBox)
{
    struct Case {
        int theme;
        const char* shot;
        UINT frameEntry;
        UINT fillEntry;
    };
    const Case cases[] = {
        {kTKThemeClassic, "boxes_classic.png", COLOR_BTNSHADOW, COLOR_WINDOW},
        {kTKThemeWindowsXP, "boxes_windowsxp.png", COLOR_BTNSHADOW, COLOR_WINDOW},
        {kTKThemeOfficeXP, "boxes_officexp.png", 5, 5},
        {kTKThemeOffice2003, "boxes_office2003.png", 5, 5},
    };
    for (const Case& c : cases) {
        CTKBarRenderer::SelectTheme(c.theme);
        bars->RefreshAllBars();
        Relayout();
        SaveScreenshot(c.shot);
        const QImage image = bar->grab().toImage();
        CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
        const CRect rc = edit->GetRect();
        const int fieldLeft = rc.left + edit->GetLabelWidth() + 1;
        const int middle = (rc.top + rc.bottom) / 2;
        EXPECT_EQ(ProbeColor(image, fieldLeft, middle), renderer->LookupColor(c.frameEntry)) << c.shot;
        EXPECT_EQ(ProbeColor(image, fieldLeft + 2, middle), renderer->LookupColor(c.fillEntry)) << c.shot;
    }
}

} // namespace
