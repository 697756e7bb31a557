// Tab labels measured and drawn on a recording device, where every byte of
// a caption is a cell half as wide as the font is high: 6 pixels for the
// pinned 12-pixel font.

#include "TestTabSet.h"
#include "platform/CRecordingDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/docking/tabs/CTKTabLook.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kCell = 6;

class TabLabelTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override { CSystemMetrics::Instance().Reset(); }

    // The recorded text outputs.
    static std::vector<std::string> Texts(const CRecordingDC& dc)
    {
        std::vector<std::string> texts;
        for (const std::string& call : dc.Calls()) {
            if (call.rfind("TextOut", 0) == 0 || call.rfind("DrawText", 0) == 0)
                texts.push_back(call);
        }
        return texts;
    }

    CTKTabRenderer renderer;
};

TEST_F(TabLabelTest, ExtentsWorkedByHand)
{
    struct Case {
        int position;
        BOOL boldSelected;
        const char* caption;
        BOOL icon;
        int expected;
    };
    const Case cases[] = {
        {CTKTabRenderer::kTop, FALSE, "Main", FALSE, 4 * kCell + 12},
        {CTKTabRenderer::kTop, FALSE, "Program", TRUE, 7 * kCell + 16 + 12},
        {CTKTabRenderer::kTop, TRUE, "Program", TRUE, 7 * kCell + 16 + 12},
        {CTKTabRenderer::kLeft, FALSE, "Main", FALSE, 4 * kCell + 12},
        {CTKTabRenderer::kRight, FALSE, "Program", TRUE, 7 * kCell + 16 + 12},
        {CTKTabRenderer::kBottom, FALSE, "", FALSE, 12},
    };
    for (const Case& c : cases) {
        renderer.SetPosition(c.position);
        renderer.SetBoldSelected(c.boldSelected);
        CTestTabSet set(&renderer);
        CTKTabItem* tab = set.Add(c.caption, c.icon);
        set.SetSelectedTab(tab);
        CRecordingDC dc;
        EXPECT_EQ(renderer.GetLook()->GetTabExtent(&dc, tab), c.expected) << c.caption << " " << c.position;
    }
}

TEST_F(TabLabelTest, CaptionsAreDrawnAfterTheIndentAndIconWithAnEllipsis)
{
    // Single line, centred vertically, cut with an ellipsis, no prefix.
    const std::string format = std::to_string(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    struct Case {
        BOOL icon;
        CRect insets;
        int position;
        CRect rect;
        std::string expected;
    };
    const Case cases[] = {
        // 6 in from the left, 2 short of the right: 32 pixels for 42 of text.
        {FALSE, CRect(), CTKTabRenderer::kTop, CRect(0, 0, 40, 20), "DrawText(\"Program\",6,0,38,20," + format + ")"},
        // The icon takes 16 + 2.
        {TRUE, CRect(), CTKTabRenderer::kTop, CRect(0, 0, 100, 20), "DrawText(\"Program\",24,0,98,20," + format + ")"},
        // Insets: left and right along the strip, top and bottom across it.
        {FALSE, CRect(3, 1, 4, 2), CTKTabRenderer::kTop, CRect(0, 0, 100, 20),
         "DrawText(\"Program\",9,1,94,18," + format + ")"},
        // At the bottom the insets across the strip are exchanged.
        {FALSE, CRect(3, 1, 4, 2), CTKTabRenderer::kBottom, CRect(0, 0, 100, 20),
         "DrawText(\"Program\",9,2,94,19," + format + ")"},
    };
    for (const Case& c : cases) {
        renderer.SetTabInsets(c.insets);
        renderer.SetPosition(c.position);
        CTestTabSet set(&renderer);
        CTKTabItem* tab = set.Add("Program", c.icon);
        CRecordingDC dc;
        renderer.DrawTabLabel(&dc, tab, c.rect, TRUE);
        const std::vector<std::string> texts = Texts(dc);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0], c.expected);
    }
}

TEST_F(TabLabelTest, NoCaptionWhenTheIconLeavesNoRoom)
{
    CTestTabSet set(&renderer);
    CTKTabItem* tab = set.Add("Program", TRUE);
    CRecordingDC dc;
    renderer.DrawTabLabel(&dc, tab, CRect(0, 0, 20, 20), TRUE);
    EXPECT_TRUE(Texts(dc).empty());
    // The icon did not fit either.
    const auto& calls = dc.Calls();
    EXPECT_TRUE(std::none_of(calls.begin(), calls.end(),
                             [](const std::string& call) { return call.rfind("FillSolidRect", 0) == 0; }));

    // Only the selected tab shows its caption in the selected-caption mode.
    renderer.SetLayoutMode(CTKTabRenderer::kLayoutSelectedCaption);
    CTKTabItem* other = set.Add("Other");
    set.SetSelectedTab(tab);
    dc.ClearCalls();
    renderer.DrawTabLabel(&dc, other, CRect(0, 0, 100, 20), TRUE);
    EXPECT_TRUE(Texts(dc).empty());
}

} // namespace
