// Toolbar control layout: wrapping at group starts, single-row overflow,
// stretching, centring across rows, right-aligned controls, vertical
// columns, floating bars balanced by width or height, and measuring
// without committing.

#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControlButton.h"
#include "toolkit/commandbars/CTKControls.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A button of a fixed size, so that rows are easy to reckon.
class FixedButton : public CTKControlButton {
public:
    explicit FixedButton(CSize size) : m_size(size) {}
    CSize GetSize(CDC*) override { return m_size; }

private:
    CSize m_size;
};

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

struct ButtonShape {
    CSize size{23, 22};
    BOOL group = FALSE;
    DWORD flags = 0;
    DWORD hide = 0;
};

const CRect kBorders(2, 2, 2, 2);
constexpr DWORD kDockedCommit = kTKLayoutHorz | kTKLayoutHorzDock | kTKLayoutCommit;

class ControlLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }

    void Fill(const std::vector<ButtonShape>& shapes)
    {
        controls()->RemoveAll();
        for (const ButtonShape& shape : shapes) {
            CTKControl* control = controls()->InsertControl(new FixedButton(shape.size), 100);
            control->SetBeginGroup(shape.group);
            control->SetFlags(shape.flags);
            control->SetHideFlags(shape.hide);
        }
    }
    CTKControls* controls() const { return bar->GetControls(); }
    CRect RectOf(int index) const { return controls()->GetAt(index)->GetRect(); }
    std::vector<BOOL> RowStarts() const
    {
        std::vector<BOOL> starts;
        for (int i = 0; i < controls()->GetCount(); ++i)
            starts.push_back(controls()->GetAt(i)->GetRowStart());
        return starts;
    }
    std::vector<DWORD> HideFlags() const
    {
        std::vector<DWORD> flags;
        for (int i = 0; i < controls()->GetCount(); ++i)
            flags.push_back(controls()->GetAt(i)->GetHideFlags());
        return flags;
    }

    std::unique_ptr<CTKCommandBar, Releaser> bar{new CTKCommandBar};
};

TEST_F(ControlLayoutTest, ABarWithoutVisibleControlsHasTheEmptySize)
{
    struct Case {
        const char* what;
        DWORD mode;
        int minimum;
        CSize expected;
    };
    const Case cases[] = {
        {"docked", kDockedCommit, 0, {27, 26}},
        {"docked, row extent 30", kDockedCommit, 30, {27, 30}},
        {"vertical, row extent 30", kTKLayoutVertDock, 30, {30, 26}},
        {"floating", kTKLayoutHorz, 0, {27, 26}},
    };
    for (const Case& c : cases) {
        Fill({{{23, 22}, FALSE, 0, kTKHideCustomize}});
        EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 200, c.mode, kBorders, c.minimum), c.expected) << c.what;
    }
}

TEST_F(ControlLayoutTest, DockedRowsWrapAtTheLengthAndBreakAtGroupStarts)
{
    struct Case {
        const char* what;
        std::vector<ButtonShape> shapes;
        int length;
        DWORD mode;
        CSize size;
        std::vector<BOOL> rowStarts;
        std::vector<DWORD> hide;
    };
    const ButtonShape plain;
    const ButtonShape group{{23, 22}, TRUE};
    const ButtonShape wide{{80, 22}};
    const Case cases[] = {
        {"all fit", {plain, group, plain}, 200, kDockedCommit, {79, 26}, {0, 0, 0}, {0, 0, 0}},
        {"exact fit with the group gap", {plain, group, plain}, 79, kDockedCommit, {79, 26}, {0, 0, 0}, {0, 0, 0}},
        {"the group gap counts", {plain, group, plain}, 78, kDockedCommit, {78, 54}, {0, 1, 0}, {0, 0, 0}},
        {"break moves back to the group", {plain, group, plain}, 56, kDockedCommit, {56, 54}, {0, 1, 0}, {0, 0, 0}},
        {"a wide control stays alone", {wide, plain}, 40, kDockedCommit, {84, 48}, {0, 1}, {0, 0}},
        {"single row drops the rest", {plain, plain, plain, plain}, 60, kDockedCommit | kTKLayoutSingleRow,
         {60, 26}, {0, 0, 0, 0}, {0, 0, kTKHideWrap, kTKHideWrap}},
        {"single row keeps the first", {wide, plain}, 40, kDockedCommit | kTKLayoutSingleRow, {84, 26}, {0, 0},
         {0, kTKHideWrap}},
        {"hidden controls take no room", {plain, {{23, 22}, FALSE, 0, kTKHideCustomize}, plain}, 60, kDockedCommit,
         {50, 26}, {0, 0, 0}, {0, kTKHideCustomize, 0}},
        {"dropped before, fits now", {plain, {{23, 22}, FALSE, 0, kTKHideWrap}}, 60, kDockedCommit, {50, 26},
         {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        Fill(c.shapes);
        EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, c.length, c.mode, kBorders, 0), c.size) << c.what;
        EXPECT_EQ(RowStarts(), c.rowStarts) << c.what;
        EXPECT_EQ(HideFlags(), c.hide) << c.what;
    }
}

TEST_F(ControlLayoutTest, AWrappedDockedBarStretchesToTheLengthUnlessFloating)
{
    const std::vector<ButtonShape> three(3);
    Fill(three);
    EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 300, kDockedCommit, kBorders, 0), CSize(73, 26));
    EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 300, kDockedCommit | kTKLayoutStretch, kBorders, 0),
              CSize(300, 26));
    // Breaking a row takes the whole length.
    EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 60, kDockedCommit, kBorders, 0), CSize(60, 48));
    // A floating bar keeps its width whatever its wrapping does.
    EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 60, kTKLayoutHorz | kTKLayoutCommit, kBorders, 0),
              CSize(50, 48));
}

TEST_F(ControlLayoutTest, ControlsAreCentredAcrossTheirRow)
{
    Fill({{{23, 22}}, {{23, 10}}, {{23, 22}}, {{23, 16}}});
    controls()->CalcLayout(nullptr, nullptr, 56, kDockedCommit, kBorders, 0);
    EXPECT_EQ(RectOf(0), CRect(2, 2, 25, 24));
    EXPECT_EQ(RectOf(1), CRect(25, 8, 48, 18));
    EXPECT_EQ(RectOf(2), CRect(2, 24, 25, 46));
    EXPECT_EQ(RectOf(3), CRect(25, 27, 48, 43));
    EXPECT_EQ(controls()->GetAt(3)->GetRowRect(), CRect(2, 24, 54, 46));
}

TEST_F(ControlLayoutTest, OnlyTrailingRightAlignedControlsOfTheLastRowMove)
{
    const ButtonShape plain;
    const ButtonShape right{{23, 22}, FALSE, kTKFlagRightAlign};
    struct Case {
        const char* what;
        std::vector<ButtonShape> shapes;
        int length;
        std::vector<int> lefts;
    };
    const Case cases[] = {
        {"trailing pair", {plain, right, right}, 200, {2, 152, 175}},
        {"followed by a plain one", {plain, right, plain}, 200, {2, 25, 48}},
        {"only the last row", {plain, right, plain, right}, 56, {2, 25, 2, 31}},
    };
    for (const Case& c : cases) {
        Fill(c.shapes);
        controls()->CalcLayout(nullptr, nullptr, c.length, kDockedCommit | kTKLayoutStretch, kBorders, 0);
        std::vector<int> lefts;
        for (int i = 0; i < controls()->GetCount(); ++i)
            lefts.push_back(RectOf(i).left);
        EXPECT_EQ(lefts, c.lefts) << c.what;
    }
}

TEST_F(ControlLayoutTest, VerticalColumnsEndUpRightOfTheBorder)
{
    Fill({{{23, 22}}, {{23, 22}}, {{23, 22}}});
    const CSize size = controls()->CalcLayout(nullptr, nullptr, 50, kTKLayoutVertDock | kTKLayoutCommit, kBorders, 0);
    EXPECT_EQ(size, CSize(50, 50));
    EXPECT_EQ(RectOf(0), CRect(25, 2, 48, 24));
    EXPECT_EQ(RectOf(1), CRect(25, 24, 48, 46));
    EXPECT_EQ(RectOf(2), CRect(2, 2, 25, 24));
    EXPECT_EQ(RowStarts(), (std::vector<BOOL>{0, 0, 1}));
}

TEST_F(ControlLayoutTest, MeasuringLeavesTheControlsAlone)
{
    Fill({{{23, 22}}, {{23, 22}}, {{23, 22}}, {{23, 22}}});
    for (int i = 0; i < 4; ++i)
        controls()->GetAt(i)->SetRect(CRect(1, 1, 2, 2));
    EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 60, kTKLayoutHorz | kTKLayoutHorzDock | kTKLayoutSingleRow,
                                     kBorders, 0),
              CSize(60, 26));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(RectOf(i), CRect(1, 1, 2, 2)) << i;
    EXPECT_EQ(HideFlags(), (std::vector<DWORD>{0, 0, 0, 0}));
}

TEST_F(ControlLayoutTest, FloatingBarsBalanceTheirRows)
{
    const std::vector<ButtonShape> seven(7);
    struct Case {
        const char* what;
        int length;
        DWORD mode;
        CSize size;
    };
    const Case cases[] = {
        // Two rows at 150: 4 + 3, not 6 + 1.
        {"by width", 150, kTKLayoutHorz | kTKLayoutCommit, {96, 48}},
        {"one row when wide", 500, kTKLayoutHorz | kTKLayoutCommit, {165, 26}},
        {"narrowest", 0, kTKLayoutHorz | kTKLayoutCommit, {27, 158}},
        {"by height of three rows", 70, kTKLayoutHorz | kTKLayoutLengthY | kTKLayoutCommit, {73, 70}},
    };
    for (const Case& c : cases) {
        Fill(seven);
        EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, c.length, c.mode, kBorders, 0), c.size) << c.what;
    }
}

TEST_F(ControlLayoutTest, TheRememberedWidthReplacesTheLength)
{
    Fill(std::vector<ButtonShape>(4));
    bar->SetMRUWidth(52);
    EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 500, kTKLayoutHorz | kTKLayoutMRUWidth | kTKLayoutCommit,
                                     kBorders, 0),
              CSize(50, 48));
    bar->SetMRUWidth(30);
    EXPECT_EQ(controls()->CalcLayout(nullptr, nullptr, 0, kTKLayoutRememberedWidth | kTKLayoutCommit, kBorders, 0),
              CSize(27, 92));
}

} // namespace
