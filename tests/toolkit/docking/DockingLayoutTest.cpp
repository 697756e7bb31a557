// The split arithmetic of a group and the automatic tab colours of panes.

#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SplitCase {
    const char* name;
    std::vector<int> extents;
    int clientIndex;
    int room;
    std::vector<CTKDockingPaneSplitGroup::Span> spans;
};

TEST(DockingSplitTest, ChildrenShareTheRoomByTheirExtents)
{
    const SplitCase cases[] = {
        {"pane and client", {100, 0}, 1, 500, {{0, 100}, {104, 500}}},
        {"client first", {0, 120}, 0, 500, {{0, 376}, {380, 500}}},
        {"two panes shrink by the ratio", {300, 300}, -1, 404, {{0, 199}, {203, 404}}},
        {"three panes grow by the ratio", {100, 100, 100}, -1, 608, {{0, 201}, {205, 406}, {410, 608}}},
        {"client between two panes", {230, 0, 160}, 1, 800, {{0, 230}, {234, 636}, {640, 800}}},
        // Too little room: the client child keeps at least an empty span.
        {"client squeezed out", {300, 0, 300}, 1, 400, {{0, 196}, {200, 200}, {204, 400}}},
        {"no room at all", {100, 0}, 1, 0, {{0, 0}, {4, 4}}},
    };
    for (const SplitCase& c : cases) {
        std::vector<int> extents = c.extents;
        const auto spans = CTKDockingPaneSplitGroup::ComputeSpans(&extents, c.clientIndex, 0, c.room);
        ASSERT_EQ(spans.size(), c.spans.size()) << c.name;
        for (std::size_t i = 0; i < spans.size(); ++i) {
            EXPECT_EQ(spans[i].start, c.spans[i].start) << c.name << " child " << i;
            EXPECT_EQ(spans[i].end, c.spans[i].end) << c.name << " child " << i;
            EXPECT_GE(spans[i].end, spans[i].start) << c.name << " child " << i;
        }
    }
}

TEST(DockingSplitTest, SpansStartWhereTheRectangleStarts)
{
    std::vector<int> extents {100, 0};
    const auto spans = CTKDockingPaneSplitGroup::ComputeSpans(&extents, 1, 40, 500);
    EXPECT_EQ(extents[1], 396);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].start, 40);
    EXPECT_EQ(spans[0].end, 140);
    EXPECT_EQ(spans[1].start, 144);
    EXPECT_EQ(spans[1].end, 540);
}

TEST(DockingTabColorTest, PaneIdsPickFromTheAutomaticPalette)
{
    struct Case {
        int id;
        COLORREF color;
    };
    const Case cases[] = {
        {32690, 0x1000002},
        {32692, 0x1000004},
        {32554, 0x1000002},
        {32845, 0x1000005},
        {8, 0x1000000},
        {-3, 0x1000000 - 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTKDockingPaneTabbedContainer::TabColorForId(c.id), c.color) << c.id;
}

} // namespace
