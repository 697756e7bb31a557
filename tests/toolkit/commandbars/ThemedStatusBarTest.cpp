// The themed status bar: its indicators with the status font and minimum
// height, the rectangles its panes are drawn in (stretching and fixed last
// pane, the size grip's room) and its painting in each bar theme.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/WinMessages.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKThemedStatusBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/draw/CTKBarRendererOffice2003.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kSizableParent = WS_OVERLAPPEDWINDOW;
constexpr DWORD kFixedParent = WS_CAPTION;
constexpr int kParentWidth = 700;
constexpr int kParentHeight = 200;
constexpr UINT kUnknownIndicator = 0xE7F0;
// Plain panes are a quarter of the pinned 1280-pixel screen; a fixed pane
// is drawn three 2-pixel edges wider than its text.
constexpr int kPlainPaneWidth = 320;
constexpr int kFixedPaneExtra = 6;
constexpr int kGripRoom = 16 + 2;

const UINT kFrameIndicators[] = {0, 0, 0, ID_INDICATOR_NUM};
const UINT kOnePlainPane[] = {0};

int StatusTextWidth(const std::string& text)
{
    CQtImageDC screen(1, 1);
    screen.SelectObject(&CTKBarRenderer::m_fontStatus);
    return screen.GetTextExtent(text).cx;
}

class ThemedStatusBarTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override
    {
        m_bar.reset();
        m_parent.reset();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
    }

    // A top-level parent of the given style with the bar along its bottom.
    CTKThemedStatusBar* Open(DWORD parentStyle, const UINT* ids, int count, int barWidth = kParentWidth)
    {
        m_bar.reset();
        m_parent = std::make_unique<CWnd>();
        if (!m_parent->Create(nullptr, CRect(0, 0, kParentWidth, kParentHeight), 0, parentStyle))
            return nullptr;
        m_parent->show();
        m_bar = std::make_unique<CTKThemedStatusBar>();
        if (!m_bar->CreateBar(m_parent.get(), kBarStyle))
            return nullptr;
        if (ids && !m_bar->SetIndicatorsWithFont(ids, count))
            return nullptr;
        m_bar->MoveWindow(CRect(0, 0, barWidth, m_bar->GetBarHeight()));
        ProcessEvents();
        return m_bar.get();
    }

    std::unique_ptr<CWnd> m_parent;
    std::unique_ptr<CTKThemedStatusBar> m_bar;
};

TEST_F(ThemedStatusBarTest, IndicatorsGetTheStatusFontAndTheMinimumHeightOnlyWhenSet)
{
    CTKThemedStatusBar* bar = Open(kSizableParent, nullptr, 0);
    ASSERT_NE(bar, nullptr);
    const int defaultHeight = bar->GetBarHeight();

    const UINT unknown[] = {0, kUnknownIndicator};
    EXPECT_FALSE(bar->SetIndicatorsWithFont(unknown, 2));
    EXPECT_FALSE(bar->SetIndicatorsWithFont(nullptr, 0));
    EXPECT_EQ(bar->GetCount(), 0);
    EXPECT_EQ(bar->GetBarHeight(), defaultHeight);

    ASSERT_TRUE(bar->SetIndicatorsWithFont(kFrameIndicators, 4));
    EXPECT_EQ(bar->GetBarFont(), &CTKBarRenderer::m_fontStatus);
    EXPECT_EQ(bar->GetBarHeight(), 20 + 2 * 2);
    EXPECT_GT(bar->GetBarHeight(), defaultHeight);

    // A failed change keeps the panes that were set.
    EXPECT_FALSE(bar->SetIndicatorsWithFont(unknown, 2));
    ASSERT_EQ(bar->GetCount(), 4);
    EXPECT_EQ(bar->GetItemID(3), ID_INDICATOR_NUM);

    struct Pane {
        UINT id;
        UINT style;
        int width;
    };
    const Pane expected[] = {
        {0, SBPS_STRETCH | SBPS_NOBORDERS, kPlainPaneWidth},
        {0, SBPS_NORMAL, kPlainPaneWidth},
        {0, SBPS_NORMAL, kPlainPaneWidth},
        {ID_INDICATOR_NUM, SBPS_NORMAL, StatusTextWidth("NUM")},
    };
    for (int i = 0; i < 4; ++i) {
        UINT id = 1;
        UINT style = 1;
        int width = -1;
        bar->GetPaneInfo(i, id, style, width);
        EXPECT_EQ(id, expected[i].id) << i;
        EXPECT_EQ(style, expected[i].style) << i;
        EXPECT_EQ(width, expected[i].width) << i;
    }
}

TEST_F(ThemedStatusBarTest, TheLastPaneIsDrawnByItsWidthOrUpToTheSizeGrip)
{
    const int numWidth = StatusTextWidth("NUM") + kFixedPaneExtra;
    struct Case {
        const char* name;
        DWORD parentStyle;
        const UINT* ids;
        int count;
        int barWidth;
        BOOL maximised;
        int lastWidth;   // -1: up to the right edge less the grip's room
        BOOL grip;
    };
    const Case cases[] = {
        {"fixed pane, wide bar", kSizableParent, kFrameIndicators, 4, kParentWidth, FALSE, numWidth, TRUE},
        {"fixed pane, bar too narrow", kSizableParent, kFrameIndicators, 4, 300, FALSE, numWidth, TRUE},
        {"stretching pane with grip", kSizableParent, kOnePlainPane, 1, kParentWidth, FALSE, -1, TRUE},
        {"stretching pane, maximised", kSizableParent, kOnePlainPane, 1, kParentWidth, TRUE, -1, FALSE},
        {"stretching pane, fixed frame", kFixedParent, kOnePlainPane, 1, kParentWidth, FALSE, 0, FALSE},
    };
    for (const Case& c : cases) {
        CTKThemedStatusBar* bar = Open(c.parentStyle, c.ids, c.count, c.barWidth);
        ASSERT_NE(bar, nullptr) << c.name;
        if (c.maximised)
            m_parent->setWindowState(Qt::WindowMaximized);
        const int last = bar->GetCount() - 1;
        const CRect item = bar->GetItemRect(last);
        const CRect drawn = bar->GetPaneDrawRect(last);
        EXPECT_EQ(drawn.left, item.left) << c.name;
        EXPECT_EQ(drawn.top, item.top) << c.name;
        EXPECT_EQ(drawn.bottom, item.bottom) << c.name;
        if (c.lastWidth > 0)
            EXPECT_EQ(drawn.Width(), c.lastWidth) << c.name;
        else
            EXPECT_EQ(drawn.right, c.barWidth - (c.lastWidth < 0 ? kGripRoom : 0)) << c.name;
        EXPECT_EQ(bar->IsGripperShown(), c.grip) << c.name;
        for (int i = 0; i < last; ++i)
            EXPECT_EQ(bar->GetPaneDrawRect(i), bar->GetItemRect(i)) << c.name << " pane " << i;
    }
}

TEST_F(ThemedStatusBarTest, EachThemePaintsPaneFramesAndTheGripInTheBarsCorner)
{
    struct Case {
        int theme;
        const char* shot;
        UINT frameTopLeft;       // colour table entries; 0 means the Office 2003 pane border
        UINT frameBottomRight;
        BOOL officeGrip;
    };
    const Case cases[] = {
        {kTKThemeClassic, "status_classic.png", 16, 20, FALSE},
        {kTKThemeWindowsXP, "status_windowsxp.png", 16, 20, FALSE},
        {kTKThemeOfficeXP, "status_officexp.png", 16, 16, FALSE},
        {kTKThemeOffice2003, "status_office2003.png", 0, 0, TRUE},
    };
    for (const BOOL maximised : {FALSE, TRUE}) {
        for (const Case& c : cases) {
            CTKBarRenderer::SelectTheme(c.theme);
            CTKThemedStatusBar* bar = Open(kSizableParent, kFrameIndicators, 4);
            ASSERT_NE(bar, nullptr) << c.shot;
            if (maximised)
                m_parent->setWindowState(Qt::WindowMaximized);
            bar->SetPaneText(0, "Ready");
            const QImage image = bar->grab().toImage();
            if (!maximised)
                SaveArtefact(image, c.shot);
            CTKBarRenderer* renderer = CTKBarRenderer::GetCurrent();
            auto color = [&](UINT entry) {
                if (entry == 0)
                    return static_cast<CTKBarRendererOffice2003*>(renderer)->m_clrStatusPaneBorder;
                return renderer->LookupColor(entry);
            };
            const CRect pane = bar->GetPaneDrawRect(3);
            // Above the size grip's lines.
            const int middle = pane.top + 2;
            EXPECT_EQ(ProbeColor(image, pane.left, middle), color(c.frameTopLeft)) << c.shot;
            EXPECT_EQ(ProbeColor(image, pane.right - 1, middle), color(c.frameBottomRight)) << c.shot;
            const COLORREF fill = ProbeColor(image, pane.left - 1, middle);
            EXPECT_NE(fill, color(c.frameTopLeft)) << c.shot;
            // The stretching first pane has no frame.
            EXPECT_EQ(ProbeColor(image, 0, middle), ProbeColor(image, 1, middle)) << c.shot;

            const int w = image.width();
            const int h = image.height();
            const CPoint shadow = c.officeGrip ? CPoint(w - 2, h - 1) : CPoint(w - 3, h - 2);
            const CPoint highlight = c.officeGrip ? CPoint(w - 3, h - 1) : CPoint(w - 5, h - 2);
            if (maximised) {
                // Without the grip the corner looks like the rest of the pane's row.
                const int away = 20;
                EXPECT_EQ(ProbeColor(image, shadow.x, shadow.y), ProbeColor(image, shadow.x - away, shadow.y))
                    << c.shot << " maximised";
                EXPECT_EQ(ProbeColor(image, highlight.x, highlight.y),
                          ProbeColor(image, highlight.x - away, highlight.y))
                    << c.shot << " maximised";
                continue;
            }
            EXPECT_EQ(ProbeColor(image, shadow.x, shadow.y), GetSysColor(COLOR_BTNSHADOW)) << c.shot;
            EXPECT_EQ(ProbeColor(image, highlight.x, highlight.y), GetSysColor(COLOR_BTNHIGHLIGHT)) << c.shot;
        }
    }
}

} // namespace
