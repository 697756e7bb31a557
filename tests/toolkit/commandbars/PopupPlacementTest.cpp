// Where popups go on a pinned work area: context menus at a point, submenus
// beside their item, drop-downs below their title; flipped, pushed back or
// scrolling at the edges, also on a work area that does not start at 0.

#include "toolkit/commandbars/CTKPopupPlacement.h"

#include <gtest/gtest.h>

namespace {

const CRect kWorkArea(0, 0, 1024, 768);
// A second monitor below the first.
const CRect kLowerWorkArea(0, 768, 1024, 1536);
constexpr DWORD kLeft = kTKPopupLeftwards;
constexpr DWORD kDrop = kTKPopupDropDown;

struct Case {
    const char* name;
    CRect workArea;
    CRect exclude;
    CPoint start;
    CSize size;
    DWORD flags;
    CPoint origin;
    int height;
    DWORD flagsAfter;
    BOOL scrolling;
};

CRect At(int x, int y)
{
    return CRect(x, y, x, y);
}

TEST(PopupPlacementTest, PlacesOnTheWorkArea)
{
    const Case cases[] = {
        {"context fits", kWorkArea, At(100, 100), {100, 100}, {150, 200}, 0, {100, 100}, 200, 0, FALSE},
        {"context lower half opens upwards", kWorkArea, At(100, 600), {100, 600}, {150, 300}, 0, {100, 300}, 300, 0,
         FALSE},
        {"context upper half is pushed up", kWorkArea, At(100, 300), {100, 300}, {150, 500}, 0, {100, 263}, 500, 0,
         FALSE},
        {"context below the work area", kWorkArea, At(100, 765), {100, 765}, {150, 200}, 0, {100, 565}, 200, 0,
         FALSE},
        {"context at the right edge", kWorkArea, At(950, 100), {950, 100}, {150, 200}, 0, {874, 100}, 200, 0, FALSE},
        {"context right of the work area", kWorkArea, At(1100, 100), {1100, 100}, {150, 200}, 0, {950, 100}, 200, 0,
         FALSE},
        {"context taller than the screen", kWorkArea, At(100, 50), {100, 50}, {150, 900}, 0, {100, 0}, 763, 0, TRUE},
        {"submenu fits", kWorkArea, {200, 100, 350, 120}, {350, 100}, {150, 200}, 0, {350, 100}, 200, 0, FALSE},
        {"submenu at the right edge opens leftwards", kWorkArea, {850, 100, 1000, 120}, {1000, 100}, {150, 200}, 0,
         {700, 100}, 200, kLeft, FALSE},
        {"leftwards submenu at the left edge opens rightwards", kWorkArea, {50, 100, 200, 120}, {200, 100},
         {150, 200}, kLeft, {200, 100}, 200, 0, FALSE},
        {"submenu at the bottom is pushed up", kWorkArea, {200, 700, 350, 720}, {350, 700}, {150, 200}, 0,
         {350, 563}, 200, 0, FALSE},
        {"drop-down at the bottom opens above", kWorkArea, {100, 700, 160, 720}, {100, 720}, {150, 200}, kDrop,
         {100, 500}, 200, kDrop, FALSE},
        {"drop-down scrolls below an upper title", kWorkArea, {100, 300, 160, 320}, {100, 320}, {150, 800}, kDrop,
         {100, 320}, 443, kDrop, TRUE},
        {"drop-down scrolls above a lower title", kWorkArea, {100, 600, 160, 620}, {100, 620}, {150, 800}, kDrop,
         {100, 0}, 600, kDrop, TRUE},
        {"leftwards drop-down aligns right edges", kWorkArea, {500, 100, 560, 120}, {560, 120}, {150, 200},
         kLeft | kDrop, {410, 120}, 200, kLeft | kDrop, FALSE},
        {"drop-down at the right edge", kWorkArea, {950, 10, 1000, 30}, {950, 30}, {150, 200}, kDrop, {874, 30}, 200,
         kLeft | kDrop, FALSE},
        // The halves of a work area that starts at 768 meet at 1152.
        {"lower monitor: context in the upper half", kLowerWorkArea, At(100, 1100), {100, 1100}, {150, 500}, 0,
         {100, 1031}, 500, 0, FALSE},
        {"lower monitor: context in the lower half", kLowerWorkArea, At(100, 1300), {100, 1300}, {150, 500}, 0,
         {100, 800}, 500, 0, FALSE},
        {"lower monitor: drop-down scrolls on the larger side", kLowerWorkArea, {100, 1100, 160, 1120}, {100, 1120},
         {150, 800}, kDrop, {100, 1120}, 411, kDrop, TRUE},
    };
    for (const Case& test : cases) {
        TKPOPUPPLACE place =
            CTKPopupPlacement::UpdatePosition(test.start, test.size, test.flags, test.exclude, test.workArea);
        EXPECT_EQ(place.origin.x, test.origin.x) << test.name;
        EXPECT_EQ(place.origin.y, test.origin.y) << test.name;
        EXPECT_EQ(place.size.cy, test.height) << test.name;
        EXPECT_EQ(place.size.cx, test.size.cx) << test.name;
        EXPECT_EQ(place.flags, test.flagsAfter) << test.name;
        EXPECT_EQ(place.scrolling, test.scrolling) << test.name;
        EXPECT_GE(place.origin.y, test.workArea.top) << test.name;
    }
}

} // namespace
