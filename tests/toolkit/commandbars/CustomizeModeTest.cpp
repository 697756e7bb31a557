// Customising the bars as the user does it, in a frame that handles the
// Customize command: the sheet opens and the bars enter customise mode;
// buttons dragged with the mouse move to another bar, are copied with Ctrl
// and vanish when dropped away, with the drop marker shown on the way; the
// right button's context menu renames, restyles, groups and gives a button
// new images; commands dragged out of the Commands page land on a toolbar;
// toolbars made on the Toolbars page take drops, Reset brings a built-in
// bar back; and the customised bars come back through SaveState and
// LoadState.

#include "BarsFrame.h"

#include "platform/CImageList.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CWinApp.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlDragTracker.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKCustomizeCommandsPage.h"
#include "toolkit/commandbars/CTKCustomizeMenuEdit.h"
#include "toolkit/commandbars/CTKCustomizeSheet.h"
#include "toolkit/commandbars/CTKCustomizeToolbarsPage.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupToolBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKToolbarNameDlg.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/images/CTKButtonEditorDlg.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/commandbars/images/CTKImageEditorPicture.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

const CRect kFrameRect(0, 0, 900, 500);
const CRect kSheetRect(520, 200, 1000, 620);
constexpr UINT kFirstBarId = 123;
constexpr UINT kSecondBarId = 284;
constexpr DWORD kOpaqueRed = 0xFFFF0000;
constexpr DWORD kOpaqueBlue = 0xFF0000FF;
constexpr int kImageChoices = 9;
// A safety net: a drag or a menu whose ending went astray is ended with Escape.
constexpr int kRescueMs = 5000;

// A frame with a handler for the Customize command: it opens the sheet as
// a window of its own beside the frame.
class CustomizingFrame : public CTKFixtureFrame {
public:
    CustomizingFrame()
    {
        using Cmd = CCmdEntry<CustomizingFrame>;
        static const Cmd kCommands[] = {Cmd::Command(kTKCustomizeCommand, &CustomizingFrame::OnCustomize)};
        AddCommandTable(kCommands);
    }
    CTKCustomizeSheet* Sheet() const { return m_sheet.get(); }
    void CloseSheet() { m_sheet.reset(); }

private:
    void OnCustomize()
    {
        m_sheet = std::make_unique<CTKCustomizeSheet>(GetCommandBars());
        // The images offered by Change Button Image.
        CImageList& images = m_sheet->GetImageList();
        images.Create(16, 16, ILC_COLOR24 | ILC_MASK);
        for (int i = 0; i < kImageChoices; ++i)
            images.Add(CIconImage(16, 16, 0xFF000000u | static_cast<DWORD>(0x1C * (i + 1)) << 8));
        m_sheet->Create(nullptr, WS_VISIBLE);
        m_sheet->MoveWindow(kSheetRect, TRUE);
    }

    std::unique_ptr<CTKCustomizeSheet> m_sheet;
};

CPoint ScreenCentre(CTKCommandBar* bar, int index)
{
    CPoint point = bar->GetControl(index)->GetRect().CenterPoint();
    bar->ClientToScreen(&point);
    return point;
}

QPoint Local(QWidget* widget, CPoint screen)
{
    return widget->mapFromGlobal(QPoint(screen.x, screen.y));
}

// Works the next modal dialog of the type as soon as it is up; the dialog
// is found by looking again at every turn of its event loop.
template <class Dialog>
void WhenModal(QObject* context, std::function<void(Dialog*)> work)
{
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, work] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        work(dialog);
    });
    poll->start(0);
}

class CustomizeModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            oldHome = old;
        setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
        app = std::make_unique<CWinApp>("CustomizeModeTest");
        app->SetRegistryKey("OrvelCustomizeModeTest");
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeOfficeXP);
        Open();
    }
    void TearDown() override
    {
        Close();
        app.reset();
        if (oldHome.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", oldHome.c_str(), 1);
    }

    void Open()
    {
        ASSERT_NO_FATAL_FAILURE(OpenFrameWithBars(frame, bars, kFrameRect));
        ASSERT_NO_FATAL_FAILURE(AddLoadedToolBars(*bars, *frame, {kFirstBarId, kSecondBarId}));
    }
    void Close()
    {
        if (!frame)
            return;
        frame->CloseSheet();
        frame->DestroyWindow();
        ProcessEvents();
        frame.reset();
        bars = nullptr;
    }
    void OpenSheet()
    {
        frame->SendMessage(WM_COMMAND, kTKCustomizeCommand, 0);
        ASSERT_NE(frame->Sheet(), nullptr);
        ProcessEvents();
    }

    CTKToolBar* First() const { return bars->GetBarAt(0); }
    CTKToolBar* Second() const { return bars->GetBarAt(1); }

    // Presses the left button at the screen point over the widget and, once
    // the drag runs, moves to the target, holds Ctrl when asked and
    // releases there; during is called before the release.
    static void Drag(QWidget* pressed, CPoint from, CPoint to, BOOL ctrl, const std::function<void()>& during = {})
    {
        QTimer::singleShot(0, pressed, [=] {
            QTest::mouseMove(pressed, Local(pressed, to) + QPoint(1, 0));
            QTest::mouseMove(pressed, Local(pressed, to));
            if (ctrl)
                QTest::keyPress(pressed, Qt::Key_Control);
            if (during)
                during();
            QTest::mouseRelease(pressed, Qt::LeftButton, {}, Local(pressed, to));
            if (ctrl)
                QTest::keyRelease(pressed, Qt::Key_Control);
        });
        QTimer rescue;
        rescue.setSingleShot(true);
        QObject::connect(&rescue, &QTimer::timeout, pressed, [pressed] { QTest::keyClick(pressed, Qt::Key_Escape); });
        rescue.start(kRescueMs);
        QTest::mousePress(pressed, Qt::LeftButton, {}, Local(pressed, from));
        ProcessEvents();
    }

    // Opens the context menu of the bar's control with the right button and
    // runs inMenu with the open menu; the menu is closed afterwards.
    static void WithContextMenu(CTKCommandBar* bar, int index, const std::function<void(CTKPopupBar*)>& inMenu)
    {
        const QPoint at = Local(bar, ScreenCentre(bar, index));
        QTimer::singleShot(0, bar, [&] {
            const auto& tracked = CTKPopupTracker::Get().GetTrackedBars();
            auto* popup = tracked.empty() ? nullptr : dynamic_cast<CTKPopupBar*>(tracked.front());
            EXPECT_NE(popup, nullptr);
            if (popup)
                inMenu(popup);
            if (!CTKPopupTracker::Get().GetTrackedBars().empty())
                CTKPopupTracker::Get().CloseTrackedBars();
        });
        QTest::mousePress(bar, Qt::RightButton, {}, at);
        QTest::mouseRelease(bar, Qt::RightButton, {}, at);
        ProcessEvents();
    }

    // Clicks the control of the menu as the user does.
    static void ClickControl(CTKCommandBar* menu, const CTKControl* item)
    {
        const QPoint centre(item->GetRect().CenterPoint().x, item->GetRect().CenterPoint().y);
        QTest::mouseMove(menu, centre);
        // A button of a toolbar-like bar holds the press until the release.
        QTimer::singleShot(0, menu, [menu, centre] { QTest::mouseRelease(menu, Qt::LeftButton, {}, centre); });
        QTest::mousePress(menu, Qt::LeftButton, {}, centre);
        ProcessEvents();
    }
    static void ClickItem(CTKCommandBar* menu, UINT id)
    {
        CTKControl* item = menu->GetControls()->FindControl(0, id, TRUE, FALSE);
        ASSERT_NE(item, nullptr) << id;
        ClickControl(menu, item);
    }
    // The controls the user may drag: neither the bar's own buttons nor temporary ones.
    static int CustomisableCount(const CTKCommandBar* bar)
    {
        int count = 0;
        for (int i = 0; i < bar->GetControlCount(); ++i) {
            const CTKControl* control = bar->GetControl(i);
            if (!control->IsTemporary() && !(control->GetFlags() & kTKFlagNoCustomize))
                ++count;
        }
        return count;
    }

    TempFolder home;
    std::string oldHome;
    std::unique_ptr<CWinApp> app;
    std::unique_ptr<CustomizingFrame> frame;
    CTKCommandBars* bars = nullptr;
};

TEST_F(CustomizeModeTest, TheCustomizeCommandOpensTheSheetAndTheBarsEnterCustomiseMode)
{
    EXPECT_TRUE(bars->IsCustomizeAvailable());
    EXPECT_FALSE(bars->IsCustomizeMode());
    // Every toolbar takes drops, newest last.
    const auto& targets = bars->GetCustomizeContext()->GetDropTargets();
    const auto first = std::find(targets.begin(), targets.end(), First());
    const auto second = std::find(targets.begin(), targets.end(), Second());
    ASSERT_NE(first, targets.end());
    ASSERT_NE(second, targets.end());
    EXPECT_LT(first, second);

    OpenSheet();
    CTKCustomizeSheet* sheet = frame->Sheet();
    EXPECT_TRUE(bars->IsCustomizeMode());
    EXPECT_TRUE(First()->IsCustomizeMode());
    EXPECT_EQ(bars->GetCustomizeContext()->GetCustomizeWindow(), sheet);
    SaveScreenshot("customize-sheet-toolbars.png");
    // The frame refuses to close under the sheet.
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(frame->IsWindow());

    // The Commands page: the toolbars' categories and all commands, drawn rows.
    ASSERT_TRUE(sheet->SetActivePage(&sheet->GetCommandsPage()));
    ProcessEvents();
    CTKCustomizeCommandsPage& page = sheet->GetCommandsPage();
    ASSERT_NE(page.GetCategoriesList(), nullptr);
    EXPECT_EQ(page.GetCategoriesList()->count(), 3);
    EXPECT_EQ(page.GetCategoriesList()->item(2)->text().toStdString(), "All Commands");
    EXPECT_EQ(page.GetCommandsList().GetCount(), CustomisableCount(First()));
    EXPECT_GE(page.GetCommandsList().GetItemHeight(), 22);
    SaveScreenshot("customize-sheet-commands.png");

    frame->CloseSheet();
    EXPECT_FALSE(bars->IsCustomizeMode());
    EXPECT_EQ(bars->GetCustomizeContext()->GetCustomizeWindow(), nullptr);
}

TEST_F(CustomizeModeTest, ButtonsDraggedWithTheMouseMoveCopyOrVanish)
{
    OpenSheet();
    enum Target { kOtherBar, kAway, kOwnPlace };
    struct Case {
        const char* name;
        Target target;
        BOOL ctrl;
        int firstChange;
        int secondChange;
    };
    const Case cases[] = {
        {"moved to the other bar", kOtherBar, FALSE, -1, 1},
        {"copied with Ctrl", kOtherBar, TRUE, 0, 1},
        {"dropped away from every bar", kAway, FALSE, -1, 0},
        {"dropped on its own place", kOwnPlace, FALSE, 0, 0},
    };
    BOOL screenshot = FALSE;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int firstCount = First()->GetControlCount();
        const int secondCount = Second()->GetControlCount();
        const UINT dragged = First()->GetControl(1)->GetID();
        const CPoint from = ScreenCentre(First(), 1);
        CPoint to = from;
        if (c.target == kOtherBar)
            to = ScreenCentre(Second(), 2);
        else if (c.target == kAway)
            to = CPoint(from.x, from.y + 250);
        BOOL marker = FALSE;
        Drag(First(), from, to, c.ctrl, [&] {
            marker = !Second()->GetDropMarker().IsRectEmpty();
            if (marker && !screenshot) {
                Second()->UpdateWindow();
                SaveScreenshot("customize-drag.png");
                screenshot = TRUE;
            }
        });
        EXPECT_EQ(marker, c.target == kOtherBar);
        EXPECT_EQ(First()->GetControlCount(), firstCount + c.firstChange);
        EXPECT_EQ(Second()->GetControlCount(), secondCount + c.secondChange);
        if (c.secondChange) {
            EXPECT_EQ(Second()->GetControl(2)->GetID(), dragged);
        }
        EXPECT_TRUE(Second()->GetDropMarker().IsRectEmpty());
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        // The pressed control stays selected unless it left its bar.
        const CTKControl* selection = bars->GetCustomizeSelection();
        EXPECT_EQ(selection != nullptr, c.firstChange == 0);
    }
    // The bar's own expand button is no customisable control: a press neither selects nor drags it.
    CTKControl* expand = nullptr;
    for (int i = 0; i < First()->GetControlCount() && !expand; ++i)
        if (First()->GetControl(i)->GetFlags() & kTKFlagNoCustomize)
            expand = First()->GetControl(i);
    ASSERT_NE(expand, nullptr);
    const int count = First()->GetControlCount();
    const QPoint onExpand = Local(First(), ScreenCentre(First(), expand->GetIndex()));
    QTest::mousePress(First(), Qt::LeftButton, {}, onExpand);
    QTest::mouseRelease(First(), Qt::LeftButton, {}, onExpand);
    EXPECT_NE(bars->GetCustomizeSelection(), expand);
    EXPECT_EQ(First()->GetControlCount(), count);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // The first control of a bar never begins a group after a move.
    First()->GetControl(1)->SetBeginGroup(TRUE);
    Drag(First(), ScreenCentre(First(), 0), ScreenCentre(Second(), 1), FALSE);
    EXPECT_FALSE(First()->GetControl(0)->GetBeginGroup());
}

TEST_F(CustomizeModeTest, TheContextMenuRenamesRestylesGroupsAndReplacesImages)
{
    OpenSheet();
    CTKCustomizeSheet* sheet = frame->Sheet();
    CTKCommandImages* store = bars->GetImageStore();

    // The menu's items and their states for the first and a later control.
    struct Rule {
        UINT id;
        BOOL enabledOnFirst;
        BOOL enabledOnSecond;
    };
    const Rule rules[] = {
        {CTKCustomizeSheet::kDeleteCommand, TRUE, TRUE},
        {CTKCustomizeSheet::kResetImageCommand, FALSE, FALSE},
        {CTKCustomizeSheet::kCopyImageCommand, TRUE, TRUE},
        {CTKCustomizeSheet::kDefaultStyleCommand, TRUE, TRUE},
        {CTKCustomizeSheet::kBeginGroupCommand, FALSE, TRUE},
    };
    for (int index : {0, 1}) {
        WithContextMenu(First(), index, [&](CTKPopupBar* menu) {
            EXPECT_EQ(bars->GetCustomizeSelection(), First()->GetControl(index));
            EXPECT_EQ(menu->GetOwnerSite(), sheet);
            EXPECT_NE(dynamic_cast<CTKCustomizeMenuEdit*>(
                          menu->GetControls()->FindControl(0, CTKCustomizeSheet::kNameCommand, FALSE, FALSE)),
                      nullptr);
            menu->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            for (const Rule& rule : rules) {
                CTKControl* item = menu->GetControls()->FindControl(0, rule.id, FALSE, FALSE);
                ASSERT_NE(item, nullptr) << rule.id;
                EXPECT_EQ(item->GetEnabled(), index == 0 ? rule.enabledOnFirst : rule.enabledOnSecond) << rule.id;
            }
            if (index == 0)
                SaveScreenshot("customize-context-menu.png");
        });
    }

    // Clicked items change the selected control.
    CTKControl* control = First()->GetControl(1);
    control->SetBeginGroup(FALSE);
    WithContextMenu(First(), 1, [](CTKPopupBar* menu) { ClickItem(menu, CTKCustomizeSheet::kImageAndTextCommand); });
    EXPECT_EQ(control->GetStyle(), 3);
    WithContextMenu(First(), 1, [](CTKPopupBar* menu) { ClickItem(menu, CTKCustomizeSheet::kBeginGroupCommand); });
    EXPECT_TRUE(control->GetBeginGroup());
    EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty());

    // The name box: the typed text becomes the caption on Enter.
    WithContextMenu(First(), 1, [](CTKPopupBar* menu) {
        menu->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        auto* edit = dynamic_cast<CTKControlEdit*>(
            menu->GetControls()->FindControl(0, CTKCustomizeSheet::kNameCommand, FALSE, FALSE));
        ASSERT_NE(edit, nullptr);
        edit->SetEditText("Renamed");
        edit->Execute();
    });
    EXPECT_EQ(control->GetCaption(), "Renamed");

    // Change Button Image: a square of the sheet's images; the chosen one
    // becomes the control's own image.
    WithContextMenu(First(), 1, [&](CTKPopupBar* menu) {
        auto* change = dynamic_cast<CTKControlPopup*>(
            menu->GetControls()->FindControl(0, CTKCustomizeSheet::kChangeImageCommand, FALSE, FALSE));
        ASSERT_NE(change, nullptr);
        auto* images = dynamic_cast<CTKPopupToolBar*>(change->GetCommandBar());
        ASSERT_NE(images, nullptr);
        EXPECT_EQ(images->GetControlCount(), kImageChoices);
        EXPECT_EQ(images->GetMRUWidth(), 3 * (16 + 7) + 6);
        EXPECT_EQ(images->GetControl(4)->GetIconId(), static_cast<int>(CTKCustomizeSheet::kFirstImageChoiceId + 4));
        ClickControl(menu, change);
        ASSERT_TRUE(images->IsWindow() && images->IsWindowVisible());
        ClickControl(images, images->GetControl(4));
    });
    ASSERT_GE(control->GetCustomIconId(), CTKCommandImages::kFirstCustomId);
    CTKCommandIcon* chosen = store->FindIcon(control->GetCustomIconId(), 16);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->GetNormalImage().GetIcon().GetPixel(3, 3),
              sheet->GetImageList().GetIcon(4).GetPixel(3, 3));

    // Edit Button Image: the editor's OK puts its icon on the button.
    WithContextMenu(First(), 1, [sheet](CTKPopupBar* menu) {
        // The editor runs modally once the item is clicked.
        WhenModal<CTKButtonEditorDlg>(sheet, [](CTKButtonEditorDlg* editor) {
            // Filled black, then the pencil on the current colour erases the corner.
            editor->GetPicture()->Clear();
            editor->OnCommand(CTKButtonEditorDlg::kFill);
            editor->GetPicture()->OnLButtonDown(CPoint(1, 1));
            editor->OnCommand(CTKButtonEditorDlg::kPencil);
            editor->GetPicture()->OnLButtonDown(CPoint(1, 1));
            editor->GetPicture()->OnLButtonUp(CPoint(1, 1));
            SaveArtefact(editor->grab().toImage(), "customize-button-editor.png");
            editor->accept();
        });
        ClickItem(menu, CTKCustomizeSheet::kEditImageCommand);
    });
    CTKCommandIcon* edited = store->FindIcon(control->GetCustomIconId(), 16);
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(CIconImage::AlphaOf(edited->GetNormalImage().GetIcon().GetPixel(0, 0)), 0);
    EXPECT_EQ(edited->GetNormalImage().GetIcon().GetPixel(8, 8), 0xFF000000u);

    // Delete takes the control away and clears the selection.
    const int count = First()->GetControlCount();
    WithContextMenu(First(), 1, [](CTKPopupBar* menu) { ClickItem(menu, CTKCustomizeSheet::kDeleteCommand); });
    EXPECT_EQ(First()->GetControlCount(), count - 1);
    EXPECT_EQ(bars->GetCustomizeSelection(), nullptr);
}

TEST_F(CustomizeModeTest, EveryThemeGivesCommandRowsAHeightAndMarksTheSelectedRow)
{
    constexpr int kRowWidth = 200;
    constexpr int kMinRowHeight = 20;
    const int themes[] = {kTKThemeOfficeXP, kTKThemeClassic, kTKThemeOffice2003, kTKThemeWindowsXP};
    for (int theme : themes) {
        SCOPED_TRACE(theme);
        CTKBarRenderer::SelectTheme(theme);
        CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
        // The list asks without a control: the rows must not vanish.
        CSize row;
        renderer->DrawListBoxControl(&row, nullptr, nullptr, CRect(), FALSE, FALSE);
        ASSERT_GE(row.cy, kMinRowHeight);
        const CRect rect(0, 0, kRowWidth, row.cy);
        CQtImageDC plain(kRowWidth, row.cy);
        CQtImageDC selected(kRowWidth, row.cy);
        CSize drawn;
        renderer->DrawListBoxControl(&drawn, &plain, First()->GetControl(0), rect, FALSE, TRUE);
        renderer->DrawListBoxControl(&drawn, &selected, First()->GetControl(0), rect, TRUE, TRUE);
        EXPECT_NE(plain.GetImage(), selected.GetImage());
    }
    CTKBarRenderer::SelectTheme(kTKThemeOfficeXP);
}

TEST_F(CustomizeModeTest, CommandsDraggedFromTheCommandsPageLandOnAToolbar)
{
    OpenSheet();
    CTKCustomizeSheet* sheet = frame->Sheet();
    ASSERT_TRUE(sheet->SetActivePage(&sheet->GetCommandsPage()));
    ProcessEvents();
    CTKCustomizeCommandsList& list = sheet->GetCommandsPage().GetCommandsList();
    ASSERT_GT(list.GetCount(), 2);
    // The second category: the other toolbar's commands.
    sheet->GetCommandsPage().GetCategoriesList()->setCurrentRow(1);
    EXPECT_EQ(list.GetCount(), CustomisableCount(Second()));

    struct Case {
        const char* name;
        int row;   // -1: beside the rows
        int added;
    };
    const Case cases[] = {{"a command", 1, 1}, {"an empty part of the list", -1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int count = First()->GetControlCount();
        CPoint from;
        if (c.row >= 0) {
            from = list.GetItemRect(c.row).CenterPoint();
        } else {
            CRect client;
            list.GetClientRect(&client);
            from = CPoint(client.CenterPoint().x, client.bottom - 2);
            ASSERT_EQ(list.ItemFromPoint(from), -1);
        }
        list.ClientToScreen(&from);
        Drag(&list, from, ScreenCentre(First(), 2), FALSE);
        EXPECT_EQ(First()->GetControlCount(), count + c.added);
        if (c.added) {
            EXPECT_EQ(First()->GetControl(2)->GetID(), list.GetItemData(c.row)->GetID());
            EXPECT_EQ(list.GetCurSel(), c.row);
        }
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
    }
}

TEST_F(CustomizeModeTest, ANewToolbarTakesDroppedButtonsAndResetRestoresABuiltInOne)
{
    OpenSheet();
    CTKCustomizeToolbarsPage& page = frame->Sheet()->GetToolbarsPage();
    WhenModal<CTKToolbarNameDlg>(frame->Sheet(), [](CTKToolbarNameDlg* dialog) {
        EXPECT_EQ(dialog->GetName(), "Custom 1");
        dialog->OnOK();
    });
    page.OnNew();
    ProcessEvents();
    ASSERT_EQ(bars->GetCount(), 3);
    CTKToolBar* custom = bars->GetBarAt(2);
    EXPECT_EQ(custom->GetBarTitle(), "Custom 1");
    EXPECT_EQ(custom->GetBarID(), 0xE800u);
    const auto& targets = bars->GetCustomizeContext()->GetDropTargets();
    EXPECT_NE(std::find(targets.begin(), targets.end(), custom), targets.end());
    CRect where;
    custom->GetWindowRect(&where);
    const int before = custom->GetControlCount();
    Drag(First(), ScreenCentre(First(), 0), where.CenterPoint(), TRUE);
    ASSERT_EQ(custom->GetControlCount(), before + 1);
    EXPECT_EQ(custom->GetControl(0)->GetID(), First()->GetControl(0)->GetID());

    // Reset brings a built-in bar's buttons back once the question is answered with OK.
    const int original = CustomisableCount(First());
    const UINT gone = First()->GetControl(1)->GetID();
    Drag(First(), ScreenCentre(First(), 1), ScreenCentre(First(), 1) + CSize(0, 250), FALSE);
    ASSERT_EQ(CustomisableCount(First()), original - 1);
    CScriptedMessageBox messages;
    CUserInterface::SetMessageBox(&messages);
    page.GetList()->setCurrentRow(0);
    for (int answer : {IDCANCEL, IDOK}) {
        messages.Answer(answer);
        page.OnReset();
    }
    CUserInterface::SetMessageBox(nullptr);
    EXPECT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(CustomisableCount(First()), original);
    EXPECT_EQ(First()->GetControl(1)->GetID(), gone);
}

TEST_F(CustomizeModeTest, CustomisedBarsSurviveSaveStateAndLoadState)
{
    OpenSheet();
    // Moved, renamed, restyled and grouped buttons and a new toolbar with a copy.
    const UINT moved = First()->GetControl(1)->GetID();
    Drag(First(), ScreenCentre(First(), 1), ScreenCentre(Second(), 1), FALSE);
    CTKControl* renamed = Second()->GetControl(2);
    const UINT renamedId = renamed->GetID();
    frame->Sheet()->OnControlNameEntered(renamed, "Renamed");
    frame->Sheet()->OnControlCommand(CTKCustomizeSheet::kTextOnlyCommand, renamed);
    frame->Sheet()->OnControlCommand(CTKCustomizeSheet::kBeginGroupCommand, renamed);
    const BOOL grouped = renamed->GetBeginGroup();
    CTKToolBar* custom = bars->AddCustomToolBar("Custom 1", 0xE800, FALSE);
    ASSERT_NE(custom, nullptr);
    bars->RelayoutFrame(FALSE);
    ProcessEvents();
    CRect where;
    custom->GetWindowRect(&where);
    Drag(First(), ScreenCentre(First(), 0), where.CenterPoint(), TRUE);
    ASSERT_EQ(CustomisableCount(custom), 1);
    const UINT copied = custom->GetControl(0)->GetID();
    const int firstCount = First()->GetControlCount();
    const int secondCount = Second()->GetControlCount();
    frame->CloseSheet();
    bars->SaveState("ZULCommandBars");
    Close();

    Open();
    bars->LoadState("ZULCommandBars", TRUE);
    ProcessEvents();
    ASSERT_EQ(bars->GetCount(), 3);
    EXPECT_EQ(First()->GetControlCount(), firstCount);
    EXPECT_EQ(Second()->GetControlCount(), secondCount);
    EXPECT_EQ(Second()->GetControl(1)->GetID(), moved);
    const CTKControl* restored = Second()->GetControl(2);
    EXPECT_EQ(restored->GetID(), renamedId);
    EXPECT_EQ(restored->GetCaption(), "Renamed");
    EXPECT_EQ(restored->GetStyle(), 1);
    EXPECT_EQ(restored->GetBeginGroup(), grouped);
    CTKToolBar* loaded = bars->GetBarAt(2);
    EXPECT_EQ(loaded->GetBarTitle(), "Custom 1");
    ASSERT_EQ(CustomisableCount(loaded), 1);
    EXPECT_EQ(loaded->GetControl(0)->GetID(), copied);
}

} // namespace
