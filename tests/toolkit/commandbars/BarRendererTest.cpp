// The bar renderer: theme selection, the colour copy, the shared fonts and
// their face and height rules with pinned system fonts, mnemonic stripping,
// toolbar button measurement, and the Classic state drawing.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/draw/CTKBarRendererClassic.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

// A bar of popup type, as menus are.
class CMenuTypeBar : public CTKCommandBar {
public:
    CMenuTypeBar()
    {
        m_nBarType = kTKBarPopup;
        m_nPosition = kTKPositionPopup;
    }
};

// A bar of any type at any position.
class CPlacedBar : public CTKCommandBar {
public:
    CPlacedBar(int type, int position)
    {
        m_nBarType = type;
        m_nPosition = position;
    }
};

std::string Face(const CFont& font)
{
    return font.GetRecord().lfFaceName;
}

class BarRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
    }
    void TearDown() override
    {
        CSystemMetrics::Instance().Reset();
        CTKBarRenderer::RefreshFonts();
    }
};

TEST_F(BarRendererTest, SelectThemeKeepsTheSameNumberAndReplacesAnyOther)
{
    CTKBarRenderer* classic = CTKBarRenderer::GetCurrent();
    ASSERT_NE(classic, nullptr);
    classic->m_bNoEmbossedDisabled = TRUE;
    CTKBarRenderer::SelectTheme(kTKThemeClassic);
    EXPECT_EQ(CTKBarRenderer::GetCurrent(), classic);
    EXPECT_TRUE(CTKBarRenderer::GetCurrent()->m_bNoEmbossedDisabled);

    for (int theme : {7, 5, kTKThemeClassic}) {
        CTKBarRenderer::SelectTheme(theme);
        CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
        ASSERT_NE(renderer, nullptr);
        EXPECT_EQ(renderer->m_nTheme, theme);
        EXPECT_EQ(renderer->GetThemeStyle(), kTKThemeClassic);
        EXPECT_FALSE(renderer->m_bNoEmbossedDisabled);
    }
    CTKBarRenderer::ReleaseTheme();
    EXPECT_EQ(CTKBarRenderer::GetCurrent(), nullptr);
}

TEST_F(BarRendererTest, ColoursAreACopyThatIndexesOrPassesLiteralsThrough)
{
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    EXPECT_EQ(renderer->LookupColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(renderer->LookupColor(55), CTKSystemColors::Instance().LookupColor(55));
    EXPECT_EQ(renderer->LookupColor(56), 56u);
    EXPECT_EQ(renderer->LookupColor(RGB(1, 2, 3)), RGB(1, 2, 3));

    const UINT indices[] = {COLOR_BTNFACE, 40};
    const COLORREF values[] = {RGB(9, 9, 9), RGB(8, 8, 8)};
    renderer->SetColors(2, indices, values);
    EXPECT_EQ(renderer->LookupColor(COLOR_BTNFACE), RGB(9, 9, 9));
    EXPECT_EQ(renderer->LookupColor(40), RGB(8, 8, 8));
    // The colour manager keeps its own table.
    EXPECT_EQ(CTKSystemColors::Instance().LookupColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    renderer->RefreshMetrics();
    EXPECT_EQ(renderer->LookupColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));

    BOOL* options = renderer->GetOptionBlock();
    EXPECT_EQ(&options[0], &renderer->m_bHotIconShadow);
    EXPECT_EQ(&options[1], &renderer->m_bNoEmbossedDisabled);
    EXPECT_EQ(&options[2], &renderer->m_bFadedIcons);
}

TEST_F(BarRendererTest, FontsFollowTheHeightAndFaceRules)
{
    struct Case {
        const char* what;
        const char* menuFace;
        LONG menuHeight;
        bool tahomaInstalled;
        LONG regularHeight;
        const char* regularFace;
        const char* verticalFace;
    };
    const Case cases[] = {
        {"small heights grow to 11", "DejaVu Sans", -8, true, -11, "DejaVu Sans", "Tahoma"},
        {"large heights stay", "DejaVu Sans", -14, true, -14, "DejaVu Sans", "Tahoma"},
        {"positive heights stay", "DejaVu Sans", 12, true, 12, "DejaVu Sans", "Tahoma"},
        {"Arial menus keep Arial upright", "Arial", -12, true, -12, "Arial", "Arial"},
        {"without Tahoma", "DejaVu Sans", -12, false, -12, "DejaVu Sans", "Arial"},
        {"a Tahoma menu", "Tahoma", -12, true, -12, "Tahoma", "Tahoma"},
    };
    for (const Case& c : cases) {
        CSystemMetrics& metrics = CSystemMetrics::Instance();
        LOGFONT menu = metrics.GetMenuFont();
        menu.lfHeight = c.menuHeight;
        CFont::SetFaceName(menu, c.menuFace);
        metrics.SetMenuFont(menu);
        std::vector<std::string> families = {"DejaVu Sans", "Arial"};
        if (c.tahomaInstalled)
            families.push_back("Tahoma");
        metrics.SetFontFamilies(families);
        CTKBarRenderer::RefreshFonts();

        const LOGFONT& regular = CTKBarRenderer::m_fontRegular.GetRecord();
        EXPECT_EQ(regular.lfHeight, c.regularHeight) << c.what;
        EXPECT_EQ(Face(CTKBarRenderer::m_fontRegular), c.regularFace) << c.what;
        EXPECT_EQ(CTKBarRenderer::m_fontBold.GetRecord().lfWeight, FW_BOLD) << c.what;
        EXPECT_EQ(Face(CTKBarRenderer::m_fontVert), c.verticalFace) << c.what;
        EXPECT_EQ(Face(CTKBarRenderer::m_fontVertBold), c.verticalFace) << c.what;
        EXPECT_EQ(CTKBarRenderer::m_fontVert.GetRecord().lfEscapement, 2700) << c.what;
        EXPECT_EQ(CTKBarRenderer::m_fontVert.GetRecord().lfOrientation, 900) << c.what;
        EXPECT_EQ(CTKBarRenderer::m_fontVertBold.GetRecord().lfWeight, FW_BOLD) << c.what;
    }
    const LOGFONT iconTitle = CSystemMetrics::Instance().GetIconTitleFont();
    EXPECT_EQ(Face(CTKBarRenderer::m_fontMarlett), "Marlett");
    EXPECT_EQ(CTKBarRenderer::m_fontMarlett.GetRecord().lfHeight, iconTitle.lfHeight);
    EXPECT_EQ(CTKBarRenderer::m_fontMarlett.GetRecord().lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(CTKBarRenderer::m_fontIconTitleBold.GetRecord().lfWeight, FW_BOLD);
}

TEST_F(BarRendererTest, ThePopupLineHeightIsTheTextHeightPlusSix)
{
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard font(&dc, &CTKBarRenderer::m_fontRegular);
    EXPECT_EQ(CTKBarRenderer::GetPopupLineHeight(), dc.GetTextExtent(" ").cy + 6);
    EXPECT_GT(CTKBarRenderer::GetPopupLineHeight(), 6);
}

TEST_F(BarRendererTest, StripMnemonicAmpersandsKeepsOnlyDoubledOnes)
{
    struct Case {
        const char* text;
        const char* stripped;
    };
    const Case cases[] = {
        {"&Save", "Save"},
        {"Save && &Close", "Save & Close"},
        {"&&&Print", "&Print"},
        {"Tail&", "Tail"},
        {"", ""},
        {"\xB1\xA3\xB4\xE6(&S)", "\xB1\xA3\xB4\xE6(S)"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        CTKBarRenderer::StripMnemonicAmpersands(text);
        EXPECT_EQ(text, c.stripped) << c.text;
    }
}

TEST_F(BarRendererTest, ToolbarButtonsMeasureByTypeCaptionAndImage)
{
    std::unique_ptr<CTKCommandBar, Releaser> bar(new CTKCommandBar);
    CTKControls* controls = bar->GetControls();
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard font(&dc, &CTKBarRenderer::m_fontRegular);
    const CSize text = dc.GetTextExtent("Build");

    struct Case {
        const char* what;
        int type;
        const char* caption;
        CSize size;
    };
    const Case cases[] = {
        // Without an image the icon box counts as 23 by 23.
        {"no caption, no image", kTKControlButton, "", CSize(23, 23)},
        {"split button", kTKControlSplitButtonPopup, "", CSize(34, 23)},
        {"button popup", kTKControlButtonPopup, "", CSize(23, 23)},
        {"captioned button", kTKControlButton, "&Build", CSize(7 + text.cx, std::max(23, static_cast<int>(text.cy) + 6))},
        {"captioned split button", kTKControlSplitButtonPopup, "Build",
         CSize(7 + text.cx + 11, std::max(23, static_cast<int>(text.cy) + 6))},
    };
    for (const Case& c : cases) {
        controls->RemoveAll();
        CTKControl* control = controls->InsertControl(new CTKControlButton, 0);
        control->SetType(c.type);
        control->SetCaption(c.caption);
        CSize size;
        renderer->DrawControl(&size, &dc, control, FALSE);
        EXPECT_EQ(size.cx, c.size.cx) << c.what;
        EXPECT_EQ(size.cy, c.size.cy) << c.what;
    }
}

TEST_F(BarRendererTest, ClassicStatesDrawTheirEdges)
{
    auto* classic = dynamic_cast<CTKBarRendererClassic*>(CTKBarRenderer::GetCurrent());
    ASSERT_NE(classic, nullptr);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    enum Look { kFlat, kRaised, kSunken, kHalftone };
    struct Case {
        const char* what;
        BOOL selected;
        BOOL pressed;
        BOOL enabled;
        BOOL checked;
        BOOL popuped;
        BOOL inToolbar;
        Look look;
    };
    const Case cases[] = {
        {"idle", FALSE, FALSE, TRUE, FALSE, FALSE, TRUE, kFlat},
        {"hot", TRUE, FALSE, TRUE, FALSE, FALSE, TRUE, kRaised},
        {"held off the button", FALSE, TRUE, TRUE, FALSE, FALSE, TRUE, kRaised},
        {"pressed", TRUE, TRUE, TRUE, FALSE, FALSE, TRUE, kSunken},
        {"executing", FALSE, kTKPressedExecuting, TRUE, FALSE, FALSE, TRUE, kSunken},
        {"popup open", FALSE, FALSE, TRUE, FALSE, TRUE, TRUE, kSunken},
        {"checked", FALSE, FALSE, TRUE, TRUE, FALSE, TRUE, kHalftone},
        {"checked and hot", TRUE, FALSE, TRUE, TRUE, FALSE, TRUE, kSunken},
        {"disabled and checked in a popup", FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, kSunken},
        {"disabled and checked on a toolbar", FALSE, FALSE, FALSE, TRUE, FALSE, TRUE, kFlat},
        {"disabled, keyboard selected", kTKSelectedKeyboard, FALSE, FALSE, FALSE, FALSE, TRUE, kSunken},
        {"disabled, hot", kTKSelectedHot, FALSE, FALSE, FALSE, FALSE, TRUE, kFlat},
    };
    const CRect rect(2, 2, 18, 18);
    for (const Case& c : cases) {
        CQtImageDC dc(20, 20);
        dc.FillSolidRect(CRect(0, 0, 20, 20), face);
        classic->DrawRectangle(&dc, rect, c.selected, c.pressed, c.enabled, c.checked, c.popuped, c.inToolbar,
                               kTKPositionTop);
        const QImage& image = dc.GetImage();
        const COLORREF topLeft = ProbeColor(image, 2, 8);
        const COLORREF bottomRight = ProbeColor(image, 17, 8);
        switch (c.look) {
        case kFlat:
            EXPECT_EQ(topLeft, face) << c.what;
            EXPECT_EQ(bottomRight, face) << c.what;
            break;
        case kRaised:
            EXPECT_EQ(topLeft, light) << c.what;
            EXPECT_EQ(bottomRight, shadow) << c.what;
            break;
        case kSunken:
        case kHalftone:
            EXPECT_EQ(topLeft, shadow) << c.what;
            EXPECT_EQ(bottomRight, light) << c.what;
            break;
        }
        const BOOL checkerboard = ProbeColor(image, 8, 8) != ProbeColor(image, 9, 8);
        EXPECT_EQ(checkerboard, c.look == kHalftone) << c.what;
    }
}

TEST_F(BarRendererTest, DisabledMenuCaptionsAreEmbossedUnlessSelected)
{
    auto* classic = dynamic_cast<CTKBarRendererClassic*>(CTKBarRenderer::GetCurrent());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    auto countLight = [&](BOOL selected, BOOL enabled) {
        CQtImageDC dc(80, 20);
        dc.FillSolidRect(CRect(0, 0, 80, 20), face);
        CTKDCSelectGuard font(&dc, &CTKBarRenderer::m_fontRegular);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        CRect rect(2, 0, 78, 20);
        classic->DrawTextLine(&dc, "Monitor", &rect, 0, TRUE, selected, enabled);
        int count = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 80; ++x)
                count += ProbeColor(dc.GetImage(), x, y) == light ? 1 : 0;
        return count;
    };
    EXPECT_GT(countLight(FALSE, FALSE), 0);
    EXPECT_EQ(countLight(TRUE, FALSE), 0);
    EXPECT_EQ(countLight(FALSE, TRUE), 0);
}

TEST_F(BarRendererTest, PopupAnimationsEndOnTheFinishedImage)
{
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    renderer->m_nAnimationSteps = 4;
    renderer->m_nAnimationDuration = 0;
    const COLORREF under = RGB(0, 0, 0);
    const COLORREF popup = RGB(200, 100, 40);
    const CRect rect(5, 6, 25, 36);
    struct Case {
        int type;
        COLORREF inside;
    };
    // A fade stops one step short: the caller shows the finished image.
    const int alpha = 255 * 3 / 4;
    const COLORREF faded = RGB((200 * alpha) >> 8, (100 * alpha) >> 8, (40 * alpha) >> 8);
    const Case cases[] = {
        {kTKAnimateUnfold, popup},
        {kTKAnimateSlide, popup},
        {kTKAnimateFade, faded},
        {1, under},
    };
    for (const Case& c : cases) {
        CQtImageDC target(40, 40);
        target.FillSolidRect(CRect(0, 0, 40, 40), under);
        CQtImageDC image(rect.Width(), rect.Height());
        image.FillSolidRect(CRect(0, 0, rect.Width(), rect.Height()), popup);
        renderer->AnimatePopup(&target, &image, rect, c.type);
        EXPECT_EQ(ProbeColor(target.GetImage(), rect.left, rect.top), c.inside) << c.type;
        EXPECT_EQ(ProbeColor(target.GetImage(), rect.right - 1, rect.bottom - 1), c.inside) << c.type;
        EXPECT_EQ(ProbeColor(target.GetImage(), rect.right, rect.bottom), under) << c.type;
    }
}

TEST_F(BarRendererTest, ExpandingGrowsTheBandsOfExpandedOnlyItems)
{
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    renderer->m_nAnimationSteps = 2;
    renderer->m_nAnimationDuration = 0;
    std::unique_ptr<CTKCommandBar, Releaser> popup(new CTKCommandBar);
    ASSERT_TRUE(popup->Create(nullptr, CRect(0, 0, 30, 60), 0, WS_POPUP));
    // Three items of 20 pixels; the middle one is shown only when expanded.
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    CQtImageDC image(30, 60);
    for (int i = 0; i < 3; ++i) {
        CTKControl* item = popup->GetControls()->AddNewControl(kTKControlButton, static_cast<UINT>(i + 1));
        item->SetRect(CRect(0, 20 * i, 30, 20 * i + 20));
        item->SetHiddenCommand(i == 1);
        image.FillSolidRect(item->GetRect(), colours[i]);
    }
    CQtImageDC target(30, 60);
    renderer->AnimateExpanding(popup.get(), &target, &image);
    // The last frame shows every band at full height.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ProbeColor(target.GetImage(), 15, 20 * i + 10), colours[i]) << i;
    popup->DestroyWindow();
}

TEST_F(BarRendererTest, ClassicMenuItemsMeasureAndShowTheirStates)
{
    std::unique_ptr<CTKCommandBar, Releaser> menu(new CMenuTypeBar);
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    const char* const captions[] = {"&Monitor\tF6", "&Download...\tF8", "&Upload", "Symbolic &Addressing"};
    for (int i = 0; i < 4; ++i) {
        CTKControl* item = menu->GetControls()->AddNewControl(kTKControlButton, static_cast<UINT>(100 + i));
        item->SetCaption(captions[i]);
    }
    CTKControl* monitor = menu->GetControl(0);
    CTKControl* download = menu->GetControl(1);
    CTKControl* upload = menu->GetControl(2);
    CTKControl* symbolic = menu->GetControl(3);

    constexpr int kWidth = 200;
    const int lineHeight = std::max(CTKBarRenderer::GetPopupLineHeight() - 4, 20);
    CQtImageDC dc(kWidth, 4 * lineHeight);
    CTKDCSelectGuard font(&dc, &CTKBarRenderer::m_fontRegular);
    CSize size;
    renderer->DrawControl(&size, &dc, monitor, FALSE);
    CRect caption;
    CRect shortcut;
    dc.DrawText("&Monitor", &caption, DT_CALCRECT | DT_SINGLELINE);
    dc.DrawText("F6", &shortcut, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(size.cx, caption.Width() + shortcut.Width() + 60);
    EXPECT_EQ(size.cy, lineHeight);

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    dc.FillSolidRect(CRect(0, 0, kWidth, 4 * lineHeight), face);
    download->SetSelected(kTKSelectedKeyboard);
    upload->SetEnabled(FALSE);
    symbolic->SetChecked(TRUE);
    for (int i = 0; i < 4; ++i) {
        CTKControl* item = menu->GetControl(i);
        item->SetRect(CRect(0, i * lineHeight, kWidth, (i + 1) * lineHeight));
        renderer->DrawControl(&size, &dc, item, TRUE);
    }
    constexpr int kZoom = 3;
    SaveArtefact(dc.GetImage().scaled(dc.GetImage().size() * kZoom), "menu_items_classic_zoomed.png");
    const QImage& image = dc.GetImage();

    // The selected item's caption area is filled with the highlight colour.
    const CRect selected = download->GetRect();
    EXPECT_EQ(ProbeColor(image, selected.left + 22, selected.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ProbeColor(image, selected.right - 2, selected.bottom - 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ProbeColor(image, selected.left + 10, selected.top + 1), face);
    // A checked item without an image: a sunken icon column with a black check mark.
    const CRect checked = symbolic->GetRect();
    const int boxTop = checked.top + (checked.Height() - 20) / 2;
    EXPECT_EQ(ProbeColor(image, checked.left, checked.top + 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ProbeColor(image, checked.left + 8, boxTop + 11), RGB(0, 0, 0));
    EXPECT_EQ(ProbeColor(image, checked.left + 12, boxTop + 7), RGB(0, 0, 0));
    // The plain item is left as the bar's face.
    EXPECT_EQ(ProbeColor(image, monitor->GetRect().left + 10, monitor->GetRect().top + 2), face);
}

TEST_F(BarRendererTest, ClassicBarPartsMeasureByPosition)
{
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    struct Case {
        const char* what;
        int type;
        int position;
        CSize gripper;       // cx -1: the floating caption's width is the bar's
        int border;
        CRect exclude;       // (10, 10, 30, 30) adjusted
    };
    const Case cases[] = {
        {"docked top", kTKBarToolbar, kTKPositionTop, CSize(6, 0), 2, CRect(9, 10, 31, 30)},
        {"docked bottom", kTKBarToolbar, kTKPositionBottom, CSize(6, 0), 2, CRect(9, 10, 31, 30)},
        {"docked left", kTKBarToolbar, kTKPositionLeft, CSize(0, 8), 2, CRect(10, 9, 30, 31)},
        {"docked right", kTKBarToolbar, kTKPositionRight, CSize(0, 8), 2, CRect(10, 9, 30, 31)},
        {"no position", kTKBarToolbar, kTKPositionNone, CSize(0, 0), 2, CRect(9, 10, 31, 30)},
        {"popup", kTKBarPopup, kTKPositionPopup, CSize(0, 0), 3, CRect(11, 10, 29, 30)},
    };
    CQtImageDC dc(1, 1);
    for (const Case& c : cases) {
        std::unique_ptr<CTKCommandBar, Releaser> bar(new CPlacedBar(c.type, c.position));
        CSize gripper;
        renderer->DrawCommandBarGripper(&gripper, &dc, bar.get(), FALSE);
        EXPECT_EQ(gripper.cx, c.gripper.cx) << c.what;
        EXPECT_EQ(gripper.cy, c.gripper.cy) << c.what;
        CRect borders;
        renderer->GetCommandBarBorders(&borders, bar.get());
        EXPECT_EQ(borders, CRect(c.border, c.border, c.border, c.border)) << c.what;
        CTKControl* control = bar->GetControls()->AddNewControl(kTKControlButton, 1);
        CRect exclude(10, 10, 30, 30);
        renderer->AdjustExcludeRect(exclude, control);
        EXPECT_EQ(exclude, c.exclude) << c.what;
        CSize separator;
        renderer->DrawCommandBarSeparator(&separator, &dc, bar.get(), control, FALSE);
        EXPECT_EQ(separator.cy, 8) << c.what;
    }
    CSize tearOff;
    renderer->DrawTearOffTitle(&tearOff, &dc, CRect(0, 0, 50, 8), FALSE, FALSE);
    EXPECT_EQ(tearOff.cy, 8);
}

TEST_F(BarRendererTest, AFloatingBarHasACaptionWithItsTitle)
{
    std::unique_ptr<CTKCommandBar, Releaser> bar(new CPlacedBar(kTKBarToolbar, kTKPositionFloating));
    ASSERT_TRUE(bar->Create(nullptr, CRect(0, 0, 120, 40), 0, WS_POPUP));
    bar->SetTitle("Standard");
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    CQtImageDC dc(120, 40);
    renderer->FillCommandBarEntry(&dc, bar.get());
    CSize caption;
    renderer->DrawCommandBarGripper(&caption, &dc, bar.get(), TRUE);
    EXPECT_GE(caption.cy, 15 + 3);
    const QImage& image = dc.GetImage();
    // Face and black outside, raised inside, then the active caption.
    EXPECT_EQ(ProbeColor(image, 0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ProbeColor(image, 119, 39), RGB(0, 0, 0));
    EXPECT_EQ(ProbeColor(image, 1, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ProbeColor(image, 118, 3), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ProbeColor(image, 110, 4), GetSysColor(COLOR_ACTIVECAPTION));
    int titleInk = 0;
    for (int x = 5; x < 60; ++x)
        for (int y = 3; y < caption.cy; ++y)
            titleInk += ProbeColor(image, x, y) == GetSysColor(COLOR_BTNHIGHLIGHT) ? 1 : 0;
    EXPECT_GT(titleInk, 10);
    bar->DestroyWindow();
}

} // namespace
