// Windows on a toolbar: an edit box (typing past the frame's accelerators,
// Enter executes with the text, Escape brings the old text back, copy and
// paste commands, focus back only to a living window), an editable and a
// fixed combo box (the list below the control, its height, picking with
// keys and mouse) and a custom control hosting a slider (size with
// margins, the vertical behaviours, a window the application destroys, the
// window found again by its id), and their stored forms. A fixture frame
// of its own carries the toolbar and an accelerator on a plain letter.

#include "platform/CClipboard.h"
#include "platform/CMemoryClipboard.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/StandardCommands.h"
#include "toolkit/ToolkitFixture.h"
#include "platform/CArchive.h"
#include "platform/ui/CListBox.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControlComboBox.h"
#include "toolkit/commandbars/CTKControlComboBoxList.h"
#include "toolkit/commandbars/CTKControlCustom.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kAcceleratorsId = 4100;
constexpr UINT kBoxesBarId = 4101;
constexpr UINT kLetterCommand = 5101;
constexpr UINT kEditId = 5102;
constexpr UINT kSliderCommand = 5103;
constexpr UINT kSliderWindowId = 5104;
constexpr UINT kButtonId = 5105;
constexpr UINT kEditComboId = 5106;
constexpr UINT kFixedComboId = 5107;
constexpr int kComboWidth = 110;
constexpr int kEditWidth = 120;
constexpr int kWaitMs = 2000;
const CSize kSliderSize(100, 20);
const CRect kSliderMargins(2, 1, 2, 1);
const CRect kFrameRect(0, 0, 900, 400);

const char kAccelerators[] = "4100 ACCELERATORS\nBEGIN\n    \"A\", 5101, VIRTKEY\nEND\n";

// The extent of a text in the icon title font, by which the boxes measure their labels.
CSize IconTitleExtent(const char* text)
{
    CQtImageDC screen(1, 1);
    screen.SelectObject(&CTKBarRenderer::m_fontIconTitle);
    return screen.GetTextExtent(text);
}

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

// The second fixture frame: records the commands it gets and, for each,
// the text the owner reads: the edit box's, the editable combo's text or
// the fixed combo's chosen item.
class BoxesFrame : public CTKFixtureFrame {
public:
    std::vector<UINT> commands;
    std::vector<std::string> texts;
    CTKControlEdit* edit = nullptr;
    CTKControlComboBox* editCombo = nullptr;
    CTKControlComboBox* fixedCombo = nullptr;
    // The popups announced before they open: the owner may fill a list then.
    std::vector<LPARAM> openingPopups;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_TK_POPUP_OPENING)
            openingPopups.push_back(lParam);
        return CTKFixtureFrame::OnWndMsg(message, wParam, lParam, result);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        const UINT known[] = {kLetterCommand, kEditId, kSliderCommand, kButtonId, kEditComboId, kFixedComboId};
        if (std::find(std::begin(known), std::end(known), id) == std::end(known))
            return CTKFixtureFrame::OnCommand(wParam, lParam);
        commands.push_back(id);
        if (id == kEditComboId && editCombo)
            texts.push_back(editCombo->GetEditText());
        else if (id == kFixedComboId && fixedCombo)
            texts.push_back(fixedCombo->GetSelectedItemText());
        else
            texts.push_back(edit ? edit->GetEditText() : std::string());
        return TRUE;
    }
};

// The strings "Item 1" to "Item n".
std::vector<std::string> Items(int count)
{
    std::vector<std::string> items;
    for (int i = 1; i <= count; ++i)
        items.push_back("Item " + std::to_string(i));
    return items;
}

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
        // Its id names the toolbar in the stored bar state.
        bar->SetBarID(kBoxesBarId);
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
        editCombo = AddCombo(kEditComboId, "Zoom", TRUE);
        ASSERT_NE(editCombo, nullptr);
        editCombo->SetLabelStyle(CTKControlComboBox::kLabelShown);
        fixedCombo = AddCombo(kFixedComboId, "Unit", FALSE);
        ASSERT_NE(fixedCombo, nullptr);
        frame->editCombo = editCombo;
        frame->fixedCombo = fixedCombo;
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
    CTKControlComboBox* AddCombo(UINT id, const char* caption, BOOL editable)
    {
        auto* combo = dynamic_cast<CTKControlComboBox*>(bar->GetControls()->AddNewControl(kTKControlComboBox, id));
        if (!combo)
            return nullptr;
        combo->SetFlags(kTKFlagNoUpdate);
        combo->SetCaption(caption);
        combo->SetWidth(kComboWidth);
        combo->SetEditable(editable);
        for (const std::string& item : Items(3))
            combo->AddString(item);
        return combo;
    }
    static void FillList(CTKControlComboBox* combo, int count)
    {
        combo->GetList()->ResetContent();
        for (const std::string& item : Items(count))
            combo->AddString(item);
    }
    // Presses and releases the mouse on the combo's drop-down button, as the user opens the list.
    void ClickComboButton(CTKControlComboBox* combo)
    {
        const CRect rc = combo->GetRect();
        const QPoint point(rc.right - 4, (rc.top + rc.bottom) / 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, point + QPoint(bar->GetClientOrigin().x, bar->GetClientOrigin().y));
    }
    // The list's window on the screen.
    static CRect ListRect(CTKControlComboBox* combo)
    {
        CRect rect;
        combo->GetList()->GetWindowRect(&rect);
        return rect;
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
    CTKControlComboBox* editCombo = nullptr;
    CTKControlComboBox* fixedCombo = nullptr;
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
    const CSize space = IconTitleExtent(" ");
    const int caption = IconTitleExtent("Find").cx;
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
    struct Case {
        const char* name;
        CTKControl* control;
        CTKEdit* box;
    };
    const Case cases[] = {{"edit", edit, Box()}, {"combo", editCombo, editCombo->GetEditCtrl()}};
    for (const Case& c : cases) {
        auto* other = new CWnd;
        ASSERT_TRUE(other->Create(frame.get(), CRect(10, 300, 60, 320), 0, WS_CHILD | WS_VISIBLE));
        other->setFocusPolicy(Qt::StrongFocus);
        other->SetFocus();
        ASSERT_TRUE(WaitFor([&]() { return CWnd::GetFocus() == other; })) << c.name;
        QTest::mouseClick(c.box->findChild<QLineEdit*>(), Qt::LeftButton);
        ASSERT_TRUE(WaitFor([&]() { return CWnd::GetFocus() == c.box; })) << c.name;
        EXPECT_EQ(bar->GetKeyReceiver(), c.control) << c.name;
        EXPECT_EQ(bar->GetSavedFocus(), other) << c.name;

        delete other;
        EXPECT_EQ(bar->GetSavedFocus(), nullptr) << c.name;
        QTest::keyClick(c.box, Qt::Key_Escape);
        EXPECT_TRUE(WaitFor([&]() { return CWnd::GetFocus() != c.box; })) << c.name;
        EXPECT_EQ(bar->GetTrackingMode(), 0) << c.name;
        EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0) << c.name;
    }
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
        EXPECT_EQ(editCombo->GetHideFlags(), kTKHideVertical) << c.option;
        EXPECT_EQ(fixedCombo->GetHideFlags(), kTKHideVertical) << c.option;
        EXPECT_FALSE(editCombo->GetEditCtrl()->IsWindowVisible()) << c.option;
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
        EXPECT_TRUE(editCombo->IsVisible()) << c.option;
        EXPECT_TRUE(fixedCombo->IsVisible()) << c.option;
        EXPECT_TRUE(editCombo->GetEditCtrl()->IsWindowVisible()) << c.option;
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

TEST_F(BarBoxesTest, ComboBoxesAreMadeByCreationCodeWithTheirListMadeOnce)
{
    struct Case {
        CTKControlComboBox* combo;
        UINT id;
        BOOL editBox;
    };
    const Case cases[] = {{editCombo, kEditComboId, TRUE}, {fixedCombo, kFixedComboId, FALSE}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.combo->GetType(), kTKControlComboBox) << c.id;
        EXPECT_EQ(c.combo->GetID(), c.id);
        CTKControlComboBoxList* list = c.combo->GetList();
        ASSERT_NE(list, nullptr) << c.id;
        EXPECT_EQ(list->GetType(), kTKBarPopup) << c.id;
        EXPECT_EQ(list->GetPosition(), kTKPositionList) << c.id;
        EXPECT_TRUE(list->IsWindow()) << c.id;
        EXPECT_FALSE(list->IsWindowVisible()) << c.id;
        EXPECT_EQ(c.combo->GetCount(), 3) << c.id;
        EXPECT_EQ(c.combo->GetEditCtrl() != nullptr, c.editBox) << c.id;
    }
    // The editable combo's box sits in the field, clear of the label and the button.
    const CRect rc = editCombo->GetRect();
    CRect box;
    editCombo->GetEditCtrl()->GetWindowRect(&box);
    bar->ScreenToClient(&box);
    EXPECT_EQ(box, CRect(rc.left + editCombo->GetLabelWidth() + 4, rc.top + 3,
                         rc.right - editCombo->GetDropDownWidth() - 3, rc.bottom - 3));

    // The list window stays the same from one opening to the next: it is only hidden.
    CListBox* listBox = fixedCombo->GetList()->GetListBox();
    for (int opening = 0; opening < 2; ++opening) {
        ClickComboButton(fixedCombo);
        ASSERT_TRUE(WaitFor([&]() { return fixedCombo->GetList()->IsWindowVisible(); })) << opening;
        EXPECT_TRUE(fixedCombo->IsListDropped());
        QTest::keyClick(frame.get(), Qt::Key_Escape);
        ASSERT_TRUE(WaitFor([&]() { return !fixedCombo->GetList()->IsWindowVisible(); })) << opening;
        EXPECT_EQ(fixedCombo->GetList()->GetListBox(), listBox);
        EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);
    }
    const LPARAM list = reinterpret_cast<LPARAM>(static_cast<CTKPopupBar*>(fixedCombo->GetList()));
    EXPECT_EQ(frame->openingPopups, std::vector<LPARAM>(2, list));

    // A deep copy has a list of its own with the same strings; a plain copy shares the list.
    struct CopyCase {
        BOOL recursive;
        BOOL sharesList;
    };
    for (const CopyCase c : {CopyCase{TRUE, FALSE}, CopyCase{FALSE, TRUE}}) {
        auto* copy = static_cast<CTKControlComboBox*>(fixedCombo->Clone(c.recursive));
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetList() == fixedCombo->GetList(), c.sharesList) << c.recursive;
        EXPECT_EQ(copy->GetCount(), 3) << c.recursive;
        EXPECT_EQ(copy->GetListText(2), "Item 3") << c.recursive;
        copy->InternalRelease();
    }
}

TEST_F(BarBoxesTest, EachThemeMeasuresTheComboAndOpensAListOfAtMostTwelveRowsBelowIt)
{
    const CSize space = IconTitleExtent(" ");
    const int caption = IconTitleExtent("Zoom").cx;
    struct Theme {
        int theme;
        const char* name;
    };
    const Theme themes[] = {
        {kTKThemeClassic, "classic"},
        {kTKThemeWindowsXP, "windowsxp"},
        {kTKThemeOfficeXP, "officexp"},
        {kTKThemeOffice2003, "office2003"},
    };
    struct Rows {
        int items;
        int shown;
    };
    const Rows rows[] = {{0, 1}, {3, 3}, {12, 12}, {30, 12}};
    for (const Theme& t : themes) {
        CTKBarRenderer::SelectTheme(t.theme);
        bars->RefreshAllBars();
        Relayout();
        CQtImageDC dc(1, 1);
        EXPECT_EQ(editCombo->GetSize(&dc), CSize(kComboWidth + caption + 5, space.cy + 8)) << t.name;
        EXPECT_EQ(editCombo->GetLabelWidth(), caption + 5) << t.name;
        EXPECT_EQ(fixedCombo->GetSize(&dc), CSize(kComboWidth, space.cy + 8)) << t.name;
        EXPECT_EQ(fixedCombo->GetLabelWidth(), 0) << t.name;
        EXPECT_EQ(fixedCombo->GetDropDownWidth(), space.cy + 2) << t.name;

        for (const Rows& r : rows) {
            FillList(fixedCombo, r.items);
            fixedCombo->SetCurSel(r.items > 0 ? 0 : -1);
            ClickComboButton(fixedCombo);
            ASSERT_TRUE(WaitFor([&]() { return fixedCombo->GetList()->IsWindowVisible(); })) << t.name;
            CRect control = fixedCombo->GetRect();
            bar->ClientToScreen(&control);
            const CRect list = ListRect(fixedCombo);
            const int itemHeight = fixedCombo->GetList()->GetListBox()->GetItemHeight();
            EXPECT_EQ(list.TopLeft(), CPoint(control.left, control.bottom)) << t.name << " " << r.items;
            EXPECT_EQ(list.Size(), CSize(control.Width(), itemHeight * r.shown + 4)) << t.name << " " << r.items;
            if (r.items == 30)
                SaveScreenshot(std::string("boxes_combo_") + t.name + ".png");
            QTest::keyClick(frame.get(), Qt::Key_Escape);
            ASSERT_TRUE(WaitFor([&]() { return !fixedCombo->GetList()->IsWindowVisible(); })) << t.name;
        }
    }
}

TEST_F(BarBoxesTest, TheFixedListPicksWithKeysAndKeepsItsItemWhenClosedWithoutAChoice)
{
    fixedCombo->SetCurSel(0);
    EXPECT_EQ(fixedCombo->GetEditText(), "Item 1");

    ClickComboButton(fixedCombo);
    ASSERT_TRUE(WaitFor([&]() { return fixedCombo->IsListDropped(); }));
    QTest::keyClick(frame.get(), Qt::Key_Down);
    EXPECT_EQ(fixedCombo->GetCurSel(), 1);
    EXPECT_EQ(fixedCombo->GetEditText(), "Item 2");
    QTest::keyClick(frame.get(), Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&]() { return !fixedCombo->IsListDropped(); }));
    EXPECT_EQ(fixedCombo->GetCurSel(), 0);
    EXPECT_EQ(fixedCombo->GetEditText(), "Item 1");
    EXPECT_TRUE(frame->commands.empty());

    ClickComboButton(fixedCombo);
    ASSERT_TRUE(WaitFor([&]() { return fixedCombo->IsListDropped(); }));
    QTest::keyClick(frame.get(), Qt::Key_Down);
    QTest::keyClick(frame.get(), Qt::Key_Down);
    // Typing a letter is the list's, never the frame's accelerator.
    QTest::keyClick(frame.get(), Qt::Key_A);
    QTest::keyClick(frame.get(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&]() { return !frame->commands.empty(); }));
    EXPECT_EQ(frame->commands, std::vector<UINT>{kFixedComboId});
    EXPECT_EQ(frame->texts.back(), "Item 3");
    EXPECT_TRUE(WaitFor([&]() { return !fixedCombo->GetList()->IsWindowVisible(); }));
    EXPECT_EQ(fixedCombo->GetCurSel(), 2);
    EXPECT_EQ(fixedCombo->GetEditText(), "Item 3");
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);
}

TEST_F(BarBoxesTest, TheListPicksTheRowUnderTheMouse)
{
    FillList(fixedCombo, 5);
    fixedCombo->SetCurSel(0);
    ClickComboButton(fixedCombo);
    ASSERT_TRUE(WaitFor([&]() { return fixedCombo->GetList()->IsWindowVisible(); }));
    auto* view = fixedCombo->GetList()->GetListBox()->findChild<QAbstractItemView*>();
    ASSERT_NE(view, nullptr);
    // The pointer moves over the rows (sent to the rows straight: the
    // offscreen desktop moves no pointer over a window above another).
    auto moveTo = [&](int row) {
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        return at;
    };
    moveTo(1);
    EXPECT_EQ(fixedCombo->GetCurSel(), 1);
    const QPoint fourth = moveTo(3);
    EXPECT_EQ(fixedCombo->GetCurSel(), 3);
    EXPECT_EQ(fixedCombo->GetEditText(), "Item 1");
    EXPECT_TRUE(frame->commands.empty());

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, fourth);
    ASSERT_TRUE(WaitFor([&]() { return !frame->commands.empty(); }));
    EXPECT_EQ(frame->commands, std::vector<UINT>{kFixedComboId});
    EXPECT_EQ(frame->texts.back(), "Item 4");
    EXPECT_EQ(fixedCombo->GetEditText(), "Item 4");
    EXPECT_TRUE(WaitFor([&]() { return !fixedCombo->GetList()->IsWindowVisible(); }));
}

TEST_F(BarBoxesTest, TheEditableComboTakesTypingAndItsListFillsTheBox)
{
    editCombo->SetEditText("100%");
    QWidget* line = editCombo->GetEditCtrl()->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    auto clickIntoBox = [&]() {
        QTest::mouseClick(line, Qt::LeftButton);
        return WaitFor([&]() { return CWnd::GetFocus() == editCombo->GetEditCtrl(); });
    };
    ASSERT_TRUE(clickIntoBox());
    EXPECT_EQ(bar->GetKeyReceiver(), editCombo);
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 1);
    editCombo->GetEditCtrl()->SetSel(0, -1);
    QTest::keyClicks(editCombo->GetEditCtrl(), "a75");
    EXPECT_EQ(editCombo->GetEditText(), "a75");
    EXPECT_TRUE(frame->commands.empty());
    QTest::keyClick(editCombo->GetEditCtrl(), Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&]() { return CWnd::GetFocus() != editCombo->GetEditCtrl(); }));
    EXPECT_EQ(editCombo->GetEditText(), "100%");
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);

    ASSERT_TRUE(clickIntoBox());
    editCombo->GetEditCtrl()->SetSel(0, -1);
    QTest::keyClicks(editCombo->GetEditCtrl(), "50%");
    QTest::keyClick(editCombo->GetEditCtrl(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&]() { return !frame->commands.empty(); }));
    EXPECT_EQ(frame->commands, std::vector<UINT>{kEditComboId});
    EXPECT_EQ(frame->texts.back(), "50%");
    EXPECT_TRUE(WaitFor([&]() { return CWnd::GetFocus() != editCombo->GetEditCtrl(); }));

    // A choice from the list becomes the box's text.
    ClickComboButton(editCombo);
    ASSERT_TRUE(WaitFor([&]() { return editCombo->IsListDropped(); }));
    QTest::keyClick(frame.get(), Qt::Key_Down);
    EXPECT_EQ(editCombo->GetEditText(), "Item 1");
    QTest::keyClick(frame.get(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&]() { return frame->commands.size() == 2; }));
    EXPECT_EQ(frame->commands.back(), kEditComboId);
    EXPECT_EQ(frame->texts.back(), "Item 1");
    EXPECT_EQ(CTKPopupTracker::Get().GetModalDepth(), 0);
}

TEST_F(BarBoxesTest, TheStoredFormKeepsTheBoxesTheListStringsAndTheSlidersWindowId)
{
    edit->SetWidth(150);
    edit->SetShowLabel(FALSE);
    editCombo->SetWidth(90);
    FillList(fixedCombo, 5);
    custom->SetVerticalPositionOption(kTKCustomVerticalButton);
    const std::vector<BYTE> stored = bars->StoreControlsArchive();
    ASSERT_FALSE(stored.empty());

    struct Case {
        const char* name;
        BOOL sliderAgain;
    };
    const Case cases[] = {{"found again", TRUE}, {"not found", FALSE}};
    for (const Case& c : cases) {
        // The program starts again: its bar is empty and the slider is a new window.
        bar->GetControls()->RemoveAll();
        delete slider;
        slider = nullptr;
        if (c.sliderAgain) {
            slider = new FixtureSlider;
            ASSERT_TRUE(slider->Create(frame.get(), CRect(CPoint(0, 0), kSliderSize), kSliderWindowId, WS_CHILD));
        }
        ASSERT_TRUE(bars->LoadControlsArchive(stored, TRUE)) << c.name;
        Relayout();
        CTKControls* controls = bar->GetControls();
        auto* loadedEdit = dynamic_cast<CTKControlEdit*>(controls->FindControl(kEditId));
        auto* loadedEditCombo = dynamic_cast<CTKControlComboBox*>(controls->FindControl(kEditComboId));
        auto* loadedFixedCombo = dynamic_cast<CTKControlComboBox*>(controls->FindControl(kFixedComboId));
        auto* loadedCustom = dynamic_cast<CTKControlCustom*>(controls->FindControl(kSliderCommand));
        ASSERT_NE(loadedEdit, nullptr) << c.name;
        ASSERT_NE(loadedEditCombo, nullptr) << c.name;
        ASSERT_NE(loadedFixedCombo, nullptr) << c.name;
        ASSERT_NE(loadedCustom, nullptr) << c.name;
        frame->edit = loadedEdit;
        frame->editCombo = loadedEditCombo;
        frame->fixedCombo = loadedFixedCombo;

        EXPECT_EQ(loadedEdit->GetWidth(), 150) << c.name;
        EXPECT_FALSE(loadedEdit->GetShowLabel()) << c.name;
        EXPECT_TRUE(loadedEditCombo->IsEditable()) << c.name;
        EXPECT_NE(loadedEditCombo->GetEditCtrl(), nullptr) << c.name;
        EXPECT_EQ(loadedEditCombo->GetWidth(), 90) << c.name;
        EXPECT_EQ(loadedEditCombo->GetLabelStyle(), CTKControlComboBox::kLabelShown) << c.name;
        EXPECT_EQ(loadedEditCombo->GetCount(), 3) << c.name;
        EXPECT_FALSE(loadedFixedCombo->IsEditable()) << c.name;
        EXPECT_EQ(loadedFixedCombo->GetEditCtrl(), nullptr) << c.name;
        ASSERT_EQ(loadedFixedCombo->GetCount(), 5) << c.name;
        EXPECT_EQ(loadedFixedCombo->GetListText(4), "Item 5") << c.name;
        EXPECT_EQ(loadedFixedCombo->GetList()->GetPosition(), kTKPositionList) << c.name;

        EXPECT_EQ(loadedCustom->GetControlID(), kSliderWindowId) << c.name;
        EXPECT_EQ(loadedCustom->GetBorders(), kSliderMargins) << c.name;
        EXPECT_EQ(loadedCustom->GetControlSize(), kSliderSize) << c.name;
        EXPECT_EQ(loadedCustom->GetVerticalPositionOption(), kTKCustomVerticalButton) << c.name;
        EXPECT_EQ(loadedCustom->GetControl(), slider) << c.name;
        CQtImageDC dc(1, 1);
        EXPECT_EQ(loadedCustom->GetSize(&dc) == CSize(104, 22), c.sliderAgain) << c.name;
        if (slider) {
            EXPECT_EQ(slider->GetParent(), bar) << c.name;
        }
    }
}

} // namespace
