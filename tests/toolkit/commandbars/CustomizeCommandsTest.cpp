// The commands of a control's context menu while the bars are customised:
// the update rules with and without a selection, reset, delete, the styles
// and the group, the caption from the name box, images copied and pasted
// (between buttons and from another program's bitmap), a set chosen from
// Change Button Image, and images edited in the button editor.

#include "BarsFrame.h"

#include "platform/CClipboard.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKCustomizeSheet.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKButtonEditorDlg.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/commandbars/images/CTKImageEditorPicture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

const CRect kFrameRect(0, 0, 900, 500);
constexpr UINT kStandardBar = 123;
constexpr DWORD kOpaqueRed = 0xFFFF0000;

// A sheet whose button editor is worked by the test instead of the user.
class ScriptedSheet : public CTKCustomizeSheet {
public:
    using CTKCustomizeSheet::CTKCustomizeSheet;
    std::function<BOOL(CTKButtonEditorDlg&)> editor;
    int editors = 0;

protected:
    BOOL RunButtonEditor(CTKButtonEditorDlg& dialog) override
    {
        ++editors;
        dialog.OnInitDialog();
        return editor ? editor(dialog) : FALSE;
    }
};

class CustomizeCommandsTest : public ::testing::Test {
public:
    void SetUp() override
    {
        PinPlatformDefaults();
        CClipboard::Get().Empty();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        ASSERT_NO_FATAL_FAILURE(OpenFrameWithBars(frame, bars, kFrameRect));
        bar = bars->AddToolBar("Standard", kTKPositionTop, RUNTIME_CLASS(CTKToolBar));
        ASSERT_TRUE(bar && bar->LoadToolBar(kStandardBar));
        bars->RelayoutFrame(FALSE);
        ProcessEvents();
        sheet = std::make_unique<ScriptedSheet>(bars);
    }
    void TearDown() override
    {
        sheet.reset();
        frame->DestroyWindow();
        ProcessEvents();
        CClipboard::Get().Empty();
    }

    CTKControl* Control(int index) const { return bar->GetControl(index); }
    CTKCommandImages* Store() const { return bars->GetImageStore(); }
    CIconImage ImageOf(const CTKControl* control) const
    {
        CTKCommandIcon* icon = Store()->FindIcon(control->GetImageId(), 16);
        return icon ? icon->GetNormalImage().GetIcon() : CIconImage();
    }

    std::unique_ptr<CTKFixtureFrame> frame;
    CTKCommandBars* bars = nullptr;
    CTKToolBar* bar = nullptr;
    std::unique_ptr<ScriptedSheet> sheet;
};

// What an update left: "-" untouched, else enabled "E" or disabled "D",
// then "+" when checked, then the text in brackets when one was set.
std::string UpdateState(const CTKCustomizeSheet& sheet, UINT id, CTKControl* selected)
{
    CCmdUI ui(id);
    sheet.OnUpdateControlCommand(&ui, selected);
    std::string state = !ui.m_bEnableChanged ? "-" : ui.IsEnabled() ? "E" : "D";
    if (ui.GetCheck())
        state += "+";
    if (ui.IsTextSet())
        state += "[" + ui.GetText() + "]";
    return state;
}

TEST_F(CustomizeCommandsTest, UpdateRulesFollowTheSelectedControl)
{
    CTKControl* first = Control(0);
    CTKControl* other = Control(1);
    first->SetCaption(std::string());
    other->SetCaption("Go");
    other->SetCustomIconId(Store()->AddCustomIcon(CIconImage(16, 16, kOpaqueRed), FALSE));
    other->SetStyle(3);
    other->SetBeginGroup(TRUE);
    struct Case {
        UINT id;
        const char* none;
        const char* first;
        const char* other;
    };
    const Case cases[] = {
        {CTKCustomizeSheet::kResetCommand, "-", "D", "E"},
        {CTKCustomizeSheet::kDeleteCommand, "E", "E", "E"},
        {CTKCustomizeSheet::kNameCommand, "E[]", "E[]", "E[Go]"},
        {CTKCustomizeSheet::kCopyImageCommand, "-", "E", "E"},
        {CTKCustomizeSheet::kPasteImageCommand, "-", "D", "D"},
        {CTKCustomizeSheet::kResetImageCommand, "-", "D", "E"},
        {CTKCustomizeSheet::kEditImageCommand, "-", "E", "E"},
        {CTKCustomizeSheet::kChangeImageCommand, "-", "E", "E"},
        {CTKCustomizeSheet::kDefaultStyleCommand, "D", "E+", "E"},
        {CTKCustomizeSheet::kTextOnlyCommand, "D", "E", "E"},
        {CTKCustomizeSheet::kImageAndTextCommand, "D", "E", "E+"},
        {CTKCustomizeSheet::kBeginGroupCommand, "D", "D", "E+"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpdateState(*sheet, c.id, nullptr), c.none) << c.id;
        EXPECT_EQ(UpdateState(*sheet, c.id, first), c.first) << c.id;
        EXPECT_EQ(UpdateState(*sheet, c.id, other), c.other) << c.id;
    }
    // A bitmap on the clipboard makes Paste Button Image available.
    CClipboard::Get().SetBitmap(CIconImage(16, 16, kOpaqueRed));
    EXPECT_EQ(UpdateState(*sheet, CTKCustomizeSheet::kPasteImageCommand, first), "E");
    // The menu's items are the resource's.
    const CMenu* menu = CResourceStore::Instance().FindMenu(CTKCustomizeSheet::kContextMenu);
    ASSERT_NE(menu, nullptr);
}

TEST_F(CustomizeCommandsTest, CommandsChangeTheSelectedControl)
{
    CTKControl* control = Control(1);
    control->SetCaption("Go");
    control->SetCustomIconId(Store()->AddCustomIcon(CIconImage(16, 16, kOpaqueRed), FALSE));
    control->SetBeginGroup(FALSE);
    struct Case {
        UINT id;
        std::function<bool(CTKControl*)> holds;
    };
    const Case cases[] = {
        {CTKCustomizeSheet::kResetImageCommand, [](CTKControl* c) { return c->GetCustomIconId() == 0 && c->GetCaption() == "Go"; }},
        {CTKCustomizeSheet::kResetCommand, [](CTKControl* c) { return c->GetCaption().empty(); }},
        {CTKCustomizeSheet::kTextOnlyCommand, [](CTKControl* c) { return c->GetStyle() == 1; }},
        {CTKCustomizeSheet::kImageAndTextCommand, [](CTKControl* c) { return c->GetStyle() == 3; }},
        {CTKCustomizeSheet::kDefaultStyleCommand, [](CTKControl* c) { return c->GetStyle() == 0; }},
        {CTKCustomizeSheet::kBeginGroupCommand, [](CTKControl* c) { return c->GetBeginGroup() == TRUE; }},
        {CTKCustomizeSheet::kBeginGroupCommand, [](CTKControl* c) { return c->GetBeginGroup() == FALSE; }},
    };
    for (const Case& c : cases) {
        sheet->OnControlCommand(c.id, control);
        EXPECT_TRUE(c.holds(control)) << c.id;
    }
    sheet->OnControlNameEntered(control, "Named");
    EXPECT_EQ(control->GetCaption(), "Named");
    // Nothing happens without a selection.
    sheet->OnControlCommand(CTKCustomizeSheet::kDeleteCommand, nullptr);
    sheet->OnControlNameEntered(nullptr, "Lost");
    const int count = bar->GetControlCount();
    const UINT second = Control(2)->GetID();
    sheet->OnControlCommand(CTKCustomizeSheet::kDeleteCommand, control);
    EXPECT_EQ(bar->GetControlCount(), count - 1);
    EXPECT_EQ(Control(1)->GetID(), second);
}

TEST_F(CustomizeCommandsTest, ButtonImagesTravelThroughTheClipboard)
{
    // From one button to another: the store's own format carries the icon set.
    const CIconImage source = ImageOf(Control(0));
    ASSERT_FALSE(source.IsEmpty());
    sheet->OnControlCommand(CTKCustomizeSheet::kCopyImageCommand, Control(0));
    EXPECT_TRUE(CClipboard::Get().IsFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(CClipboard::Get().IsFormatAvailable(Store()->GetToolBarImageFormat()));
    sheet->OnControlCommand(CTKCustomizeSheet::kPasteImageCommand, Control(2));
    ASSERT_GE(Control(2)->GetCustomIconId(), CTKCommandImages::kFirstCustomId);
    EXPECT_EQ(ImageOf(Control(2)).Pixels(), source.Pixels());

    // Another program's bitmap: its button face becomes transparent.
    const COLORREF face = CTKSystemColors::Instance().LookupColor(COLOR_BTNFACE);
    CIconImage bitmap(16, 16, CIconImage::ArgbFromColor(face));
    bitmap.SetPixel(8, 8, kOpaqueRed);
    CClipboard::Get().Empty();
    CClipboard::Get().SetBitmap(bitmap);
    sheet->OnControlCommand(CTKCustomizeSheet::kPasteImageCommand, Control(3));
    const CIconImage pasted = ImageOf(Control(3));
    ASSERT_EQ(pasted.GetSize(), CSize(16, 16));
    EXPECT_EQ(pasted.GetPixel(8, 8), kOpaqueRed);
    EXPECT_EQ(CIconImage::AlphaOf(pasted.GetPixel(0, 0)), 0);

    // An alpha bitmap with the marker stays an alpha icon.
    CIconImage alpha(16, 16, 0x80FF0000);
    CClipboard::Get().Empty();
    CClipboard::Get().SetBitmap(alpha);
    CClipboard::Get().SetData(Store()->GetAlphaMarkerFormat(), std::vector<BYTE>(1, 0));
    sheet->OnControlCommand(CTKCustomizeSheet::kPasteImageCommand, Control(4));
    EXPECT_EQ(ImageOf(Control(4)).GetPixel(3, 3), 0x80FF0000u);

    // A set chosen from Change Button Image: its first icon becomes the control's own.
    sheet->OnControlImageChosen(Control(5), Control(0)->GetID());
    EXPECT_EQ(ImageOf(Control(5)).Pixels(), source.Pixels());
    const UINT before = Control(6)->GetCustomIconId();
    sheet->OnControlImageChosen(Control(6), 0xFFFF);
    EXPECT_EQ(Control(6)->GetCustomIconId(), before);
}

TEST_F(CustomizeCommandsTest, TheButtonEditorGivesTheControlItsEditedImage)
{
    CTKControl* control = Control(0);
    const UINT command = control->GetID();
    sheet->editor = [](CTKButtonEditorDlg& editor) {
        editor.GetPicture()->Clear();
        editor.OnCommand(CTKButtonEditorDlg::kFill);
        editor.GetPicture()->OnLButtonDown(CPoint(1, 1));
        return TRUE;
    };
    sheet->OnControlCommand(CTKCustomizeSheet::kEditImageCommand, control);
    EXPECT_EQ(sheet->editors, 1);
    const UINT custom = control->GetCustomIconId();
    ASSERT_GE(custom, CTKCommandImages::kFirstCustomId);
    EXPECT_EQ(ImageOf(control).GetPixel(5, 5), 0xFF000000u);   // filled black, opaque
    EXPECT_NE(Store()->FindIcon(command, 16), nullptr);

    // A second edit changes the custom icon in place.
    sheet->editor = [](CTKButtonEditorDlg& editor) {
        EXPECT_EQ(editor.GetPicture()->GetImage().GetPixel(5, 5) & 0x00FFFFFF, 0u);
        editor.OnCommand(CTKButtonEditorDlg::kPencil);
        editor.GetPicture()->OnLButtonDown(CPoint(1, 1));
        editor.GetPicture()->OnLButtonUp(CPoint(1, 1));
        return TRUE;
    };
    sheet->OnControlCommand(CTKCustomizeSheet::kEditImageCommand, control);
    EXPECT_EQ(control->GetCustomIconId(), custom);
    EXPECT_EQ(CIconImage::AlphaOf(ImageOf(control).GetPixel(0, 0)), 0);

    // Cancel, or an empty picture, keeps the image.
    sheet->editor = [](CTKButtonEditorDlg& editor) {
        editor.GetPicture()->Clear();
        return TRUE;
    };
    const CIconImage kept = ImageOf(control);
    sheet->OnControlCommand(CTKCustomizeSheet::kEditImageCommand, control);
    sheet->editor = {};
    sheet->OnControlCommand(CTKCustomizeSheet::kEditImageCommand, control);
    EXPECT_EQ(ImageOf(control).Pixels(), kept.Pixels());
    EXPECT_EQ(sheet->editors, 4);
}

} // namespace
