// Text on the device: fixed-pitch fonts keep to their cell grid (a GBK
// double-byte character takes two cells), so that text ends where the
// editors' caret column says; widths up to each character come from one
// measuring pass and agree with the whole text's extent.

#include "platform/Gbk.h"
#include "platform/ui/CQtImageDC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The leftmost and rightmost columns with ink in the rows of the text, -1 when none.
std::pair<int, int> InkColumns(const CQtImageDC& dc, int left, int right, int top, int bottom)
{
    std::pair<int, int> columns(-1, -1);
    for (int x = left; x < right; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (dc.GetPixel(x, y) == kWhite)
                continue;
            if (columns.first < 0)
                columns.first = x;
            columns.second = x;
            break;
        }
    }
    return columns;
}

TEST(TextGridTest, FixedPitchTextKeepsToItsCellGrid)
{
    const int heights[] = {-13, -16, -20};
    const std::string chinese = Utf8ToGbk("中文");
    for (const int height : heights) {
        SCOPED_TRACE(height);
        CQtImageDC dc(1000, 60);
        CFont font;
        font.CreateFont(height, FW_NORMAL, FALSE, FALSE, "DejaVu Sans Mono");
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        TEXTMETRIC metrics;
        dc.GetTextMetrics(&metrics);
        const int cell = metrics.tmAveCharWidth;
        ASSERT_GT(cell, 0);

        const std::string line = std::string(49, ' ') + "H";
        EXPECT_EQ(dc.GetTextExtent(line).cx, 50 * cell);
        EXPECT_EQ(dc.GetTextExtent(chinese).cx, 4 * cell);
        std::vector<int> ends;
        dc.GetCharacterEnds("a" + chinese + "b", &ends);
        EXPECT_EQ(ends, (std::vector<int> {cell, 3 * cell, 5 * cell, 6 * cell}));

        // The 50th character is drawn in the 50th cell: nothing drifts off the grid.
        dc.TextOut(0, 0, line);
        const std::pair<int, int> last = InkColumns(dc, 48 * cell, 60 * cell, 0, metrics.tmHeight);
        EXPECT_GE(last.first, 49 * cell);
        EXPECT_LT(last.second, 50 * cell);

        // A double-byte character stays inside its two cells, the next one starts after them.
        dc.TextOut(0, 30, chinese + "H");
        const std::pair<int, int> first = InkColumns(dc, 0, 2 * cell, 30, 30 + metrics.tmHeight);
        EXPECT_GE(first.first, 0);
        const std::pair<int, int> next = InkColumns(dc, 4 * cell, 6 * cell, 30, 30 + metrics.tmHeight);
        EXPECT_GE(next.first, 4 * cell);
        EXPECT_LT(next.second, 5 * cell);
    }
}

TEST(TextGridTest, CharacterEndsOfProportionalTextMeetItsExtent)
{
    CQtImageDC dc(400, 40);
    CFont font;
    font.CreateFont(-14, FW_NORMAL, FALSE, FALSE, "DejaVu Sans");
    dc.SelectObject(&font);
    const std::string text = "Wiki " + Utf8ToGbk("中") + "lm";
    std::vector<int> ends;
    dc.GetCharacterEnds(text, &ends);
    ASSERT_EQ(ends.size(), 8u);
    for (size_t i = 1; i < ends.size(); ++i)
        EXPECT_GT(ends[i], ends[i - 1]) << i;
    EXPECT_NEAR(ends.back(), dc.GetTextExtent(text).cx, 1);
    EXPECT_NEAR(ends[0], dc.GetTextExtent("W").cx, 1);
}

} // namespace
