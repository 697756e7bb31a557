// The Office XP, Office 2003 and Windows XP bar themes: theme selection,
// the derived and luna colours, the expand glyph's channel rule, the state
// fills and menu-item measurement.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/draw/CTKBarRendererOffice2003.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/draw/CTKVisualStyles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

template <class T>
std::unique_ptr<T, Releaser> Make()
{
    return std::unique_ptr<T, Releaser>(new T);
}

class BarThemesTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override
    {
        CTKVisualStyles::PretendThemeName("", "");
        CTKSystemColors::Instance().RefreshColors(FALSE);
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
    }
};

TEST_F(BarThemesTest, EachNumberMakesItsThemeWithItsIconOptions)
{
    struct Case {
        int theme;
        int style;
        BOOL flat;
        BOOL faded;
        BOOL hotShadow;
    };
    const Case cases[] = {
        {kTKThemeOfficeXP, kTKThemeOfficeXP, TRUE, TRUE, TRUE},
        {kTKThemeOffice2003, kTKThemeOffice2003, TRUE, FALSE, FALSE},
        {kTKThemeWindowsXP, kTKThemeWindowsXP, FALSE, TRUE, FALSE},
        {kTKThemeClassic, kTKThemeClassic, FALSE, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        CTKBarRenderer::SelectTheme(c.theme);
        CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
        ASSERT_NE(renderer, nullptr);
        EXPECT_EQ(renderer->GetThemeStyle(), c.style) << c.theme;
        EXPECT_EQ(renderer->IsFlatStyle(), c.flat) << c.theme;
        EXPECT_EQ(renderer->m_bFadedIcons, c.faded) << c.theme;
        EXPECT_EQ(renderer->m_bHotIconShadow, c.hotShadow) << c.theme;
        CTKBarRenderer::SelectTheme(c.theme);
        EXPECT_EQ(CTKBarRenderer::GetCurrent(), renderer) << c.theme;
    }
}

TEST_F(BarThemesTest, ExpandGlyphChannelsTruncateTowardZero)
{
    const COLORREF shadow = RGB(200, 100, 50);
    const COLORREF highlight = RGB(100, 200, 250);
    struct Case {
        int level;
        COLORREF color;
    };
    const Case cases[] = {
        {0x00, shadow},
        // 200 - 100 * 144 / 255 = 200 - 56; 100 + 56; 50 + 112 (not 113).
        {0x90, RGB(144, 156, 162)},
        // 254: 200 - 99, 100 + 99, 50 + 199.
        {0xfe, RGB(101, 199, 249)},
        {0xff, RGB(0, 255, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTKBarRendererOffice2003::GlyphColor(shadow, highlight, c.level), c.color) << c.level;
}

TEST_F(BarThemesTest, Office2003DerivesItsColoursOrTakesTheLunaScheme)
{
    auto renderer = Make<CTKBarRendererOffice2003>();
    const COLORREF face = renderer->m_clr[COLOR_BTNFACE];
    const COLORREF window = renderer->m_clr[COLOR_WINDOW];
    EXPECT_FALSE(renderer->m_bLunaColors);
    EXPECT_EQ(renderer->m_clrDockLight, face);
    EXPECT_EQ(renderer->m_clrToolbarDark, face);
    EXPECT_EQ(renderer->m_clrDockDark, CTKSystemColors::BlendColors(face, window, 205));
    EXPECT_EQ(renderer->m_clrToolbarLight, renderer->m_clrDockDark);
    EXPECT_EQ(renderer->m_clrStatusPaneBorder, CTKSystemColors::BlendColors(face, window, 70));
    EXPECT_EQ(renderer->m_clrPopupedDark, CTKSystemColors::BlendColors(window, face, 550));
    EXPECT_EQ(renderer->m_clrToolbarShadow, renderer->m_clr[30]);
    EXPECT_EQ(renderer->GetExpandGlyph().GetImageCount(), 1);

    CTKVisualStyles::PretendThemeName("C:/Windows/Resources/Themes/Luna/Luna.msstyles", "Metallic");
    CTKSystemColors::Instance().RefreshColors(FALSE);
    renderer->RefreshMetrics();
    EXPECT_TRUE(renderer->m_bLunaColors);
    EXPECT_EQ(renderer->m_clrDockLight, RGB(215, 215, 229));
    EXPECT_EQ(renderer->m_clrDockDark, RGB(243, 243, 247));
    for (UINT entry : {32u, 37u, 50u})
        EXPECT_EQ(renderer->LookupColor(entry), RGB(75, 75, 111)) << entry;
    EXPECT_EQ(renderer->m_clrPopupShadow, RGB(36, 32, 41));

    CTKVisualStyles::PretendThemeName("C:/Windows/Resources/Themes/Luna/Luna.msstyles", "HomeStead");
    CTKSystemColors::Instance().RefreshColors(FALSE);
    renderer->RefreshMetrics();
    EXPECT_EQ(renderer->m_clrDockLight, RGB(217, 217, 167));

    CTKVisualStyles::PretendThemeName("", "");
    CTKSystemColors::Instance().RefreshColors(FALSE);
    renderer->RefreshMetrics();
    EXPECT_FALSE(renderer->m_bLunaColors);
    EXPECT_EQ(renderer->m_clrDockLight, face);
}

// The fill at the centre and the frame at the left edge of a 20 x 20 state.
struct Probe {
    COLORREF fill;
    COLORREF frame;
};

Probe DrawState(CTKBarRenderer* renderer, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked, BOOL popuped,
                BOOL inToolbar, int position)
{
    const COLORREF canvas = RGB(1, 2, 3);
    CQtImageDC dc(20, 20);
    dc.FillSolidRect(CRect(0, 0, 20, 20), canvas);
    renderer->DrawRectangle(&dc, CRect(0, 0, 20, 20), selected, pressed, enabled, checked, popuped, inToolbar,
                            position);
    return {ProbeColor(dc.GetImage(), 10, 10), ProbeColor(dc.GetImage(), 0, 10)};
}

TEST_F(BarThemesTest, OfficeXPStatesFillAndFrameInTheirEntries)
{
    CTKBarRenderer::SelectTheme(kTKThemeOfficeXP);
    CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
    const COLORREF canvas = RGB(1, 2, 3);
    struct Case {
        const char* what;
        BOOL selected;
        BOOL pressed;
        BOOL enabled;
        BOOL checked;
        BOOL popuped;
        BOOL inToolbar;
        UINT frame;
        UINT fill;
    };
    const Case cases[] = {
        {"disabled checked in a popup", 0, 0, 0, 1, 0, 0, 40, 30},
        {"disabled keyboard-selected on a toolbar", 2, 0, 0, 0, 0, 1, 32, 31},
        {"disabled keyboard-selected in a popup", 2, 0, 0, 0, 0, 0, 32, 41},
        {"popup open", 1, 0, 1, 0, 1, 1, 43, 30},
        {"checked idle", 0, 0, 1, 1, 0, 1, 50, 36},
        {"checked hot", 1, 0, 1, 1, 0, 1, 37, 33},
        {"executing", 0, 2, 1, 0, 0, 1, 50, 33},
        {"selected and pressed", 1, 1, 1, 0, 0, 1, 50, 33},
        {"hot", 1, 0, 1, 0, 0, 1, 32, 31},
        {"pressed only", 0, 1, 1, 0, 0, 1, 32, 31},
    };
    for (const Case& c : cases) {
        const Probe probe =
            DrawState(renderer, c.selected, c.pressed, c.enabled, c.checked, c.popuped, c.inToolbar, kTKPositionTop);
        EXPECT_EQ(probe.fill, renderer->LookupColor(c.fill)) << c.what;
        EXPECT_EQ(probe.frame, renderer->LookupColor(c.frame)) << c.what;
    }
    // Idle, disabled and a disabled checked toolbar button draw nothing.
    for (BOOL checked : {FALSE, TRUE}) {
        EXPECT_EQ(DrawState(renderer, 0, 0, 0, checked, 0, 1, kTKPositionTop).fill, canvas);
        EXPECT_EQ(DrawState(renderer, 0, 0, 1, 0, 0, 1, kTKPositionTop).fill, canvas);
    }
}

TEST_F(BarThemesTest, LunaGradientsOnlyOnDockedToolbars)
{
    CTKVisualStyles::PretendThemeName("C:/Windows/Resources/Themes/Luna/Luna.msstyles", "NormalColor");
    CTKSystemColors::Instance().RefreshColors(FALSE);
    auto renderer = Make<CTKBarRendererOffice2003>();
    ASSERT_TRUE(renderer->m_bLunaColors);
    const Probe docked = DrawState(renderer.get(), 1, 0, 1, 0, 0, 1, kTKPositionTop);
    EXPECT_EQ(docked.frame, renderer->LookupColor(32));
    EXPECT_NE(docked.fill, renderer->LookupColor(31));
    CQtImageDC dc(20, 20);
    renderer->DrawRectangle(&dc, CRect(0, 0, 20, 20), 1, 0, 1, 0, 0, 1, kTKPositionTop);
    // Blue falls from 200 at the top towards 151 at the bottom.
    const COLORREF top = ProbeColor(dc.GetImage(), 10, 1);
    const COLORREF bottom = ProbeColor(dc.GetImage(), 10, 18);
    EXPECT_GT(GetBValue(top), 190);
    EXPECT_LT(GetBValue(bottom), 165);
    EXPECT_EQ(GetRValue(top), 255);

    for (int position : {kTKPositionFloating, kTKPositionPopup}) {
        const Probe other = DrawState(renderer.get(), 1, 0, 1, 0, 0, 1, position);
        EXPECT_EQ(other.fill, renderer->LookupColor(31)) << position;
    }
    const Probe fromPopup = DrawState(renderer.get(), 1, 0, 1, 0, 0, 0, kTKPositionTop);
    EXPECT_EQ(fromPopup.fill, renderer->LookupColor(31));
}

TEST_F(BarThemesTest, MenuItemsAndSeparatorsMeasurePerTheme)
{
    class CPopupTypeBar : public CTKCommandBar {
    public:
        CPopupTypeBar()
        {
            m_nBarType = kTKBarPopup;
            m_nPosition = kTKPositionPopup;
        }
    };
    std::unique_ptr<CTKCommandBar, Releaser> bar(new CPopupTypeBar);
    CTKControl* item = bar->GetControls()->AddNewControl(kTKControlButton, 100);
    ASSERT_NE(item, nullptr);
    item->SetCaption("&Open");
    item->SetShortcutText("Ctrl+O");
    CTKBarRenderer::RefreshFonts();
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard font(&dc, &CTKBarRenderer::m_fontRegular);
    const int textWidth = dc.GetTextExtent("Open").cx + dc.GetTextExtent("Ctrl+O").cx;
    const int h = CTKBarRenderer::GetPopupLineHeight();

    struct Case {
        int theme;
        CSize item;
        int separator;
    };
    const Case cases[] = {
        {kTKThemeOfficeXP, CSize(textWidth + h + 44, std::max(h, 22)), 3},
        {kTKThemeOffice2003, CSize(textWidth + h + 44, std::max(h, 22)), 3},
        {kTKThemeWindowsXP, CSize(textWidth + 60, std::max(h - 4, 20)), 8},
    };
    for (const Case& c : cases) {
        CTKBarRenderer::SelectTheme(c.theme);
        CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
        CSize size;
        renderer->DrawControlPopupParent(&size, &dc, item, FALSE);
        EXPECT_EQ(size, c.item) << c.theme;
        renderer->DrawCommandBarSeparator(&size, &dc, bar.get(), item, FALSE);
        EXPECT_EQ(size.cy, c.separator) << c.theme;
    }
}

} // namespace
