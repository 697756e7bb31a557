// Drawing compared call by call on the recording device: the branch lines
// of a parallel node, the element text anchors and the focus rectangle.

#include "LadderFixture.h"
#include "platform/CFont.h"
#include "platform/CRecordingDC.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

CLDElement* ContactRun(int cells)
{
    CLDElement* next = nullptr;
    for (int i = cells; i > 0; --i)
        next = Contact("X" + std::to_string(i), LD_LINK_SERIES, next);
    return next;
}

class LDDrawingTest : public LadderFixture {
protected:
    void SetUp() override
    {
        LadderFixture::SetUp();
        LOGFONT font {};
        font.lfHeight = 16;
        CFont::SetFaceName(font, "Text");
        m_app->Fonts[1] = font;
    }

    CRecordingDC m_dc;
};

TEST_F(LDDrawingTest, BranchLinesJoinTheEndsOfBothBranches)
{
    const struct {
        const char* shape;
        std::function<CLDElement*()> upper;
        int lowerCells;
        std::vector<std::string> lines;
    } cases[] = {
        {"upper longer: down at its end, back along the lower rung", [] { return ContactRun(3); }, 1,
         {"MoveTo(100,25)", "LineTo(100,105)", "MoveTo(400,25)", "LineTo(400,105)", "LineTo(200,105)"}},
        {"lower longer: along the upper rung, then down", [] { return ContactRun(1); }, 3,
         {"MoveTo(100,25)", "LineTo(100,105)", "MoveTo(200,25)", "LineTo(400,25)", "LineTo(400,105)"}},
        {"equal: one line down", [] { return ContactRun(2); }, 2,
         {"MoveTo(100,25)", "LineTo(100,105)", "MoveTo(300,25)", "LineTo(300,105)"}},
        {"two rows high upper branch",
         [] { return Contact("A", LD_LINK_PARALLEL, Contact("B", LD_LINK_PARALLEL)); }, 1,
         {"MoveTo(100,25)", "LineTo(100,145)", "MoveTo(200,25)", "LineTo(200,145)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        CLogicNode* node = Parallel(c.upper(), ContactRun(c.lowerCells));
        node->SetLayoutRect(CLDCellRect(1, 0, 0, 1));
        m_dc.ClearCalls();
        node->LayoutAndDraw(LD_CELL_WIDTH, LD_CELL_HEIGHT, 0, 0, "MAIN", nullptr, &m_dc, FALSE);
        std::vector<std::string> expected = {"SelectPen(0,1,RGB(0,0,0))"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        expected.push_back("SelectPen(0,0,RGB(0,0,0))");
        EXPECT_EQ(m_dc.Calls(), expected);
        node->DeleteTree(FALSE);
    }
}

TEST_F(LDDrawingTest, HighlightedBranchLinesAreLightOnBlackAndOffsetByTheOrigin)
{
    CLogicNode* node = Parallel(ContactRun(1), Contact("D", LD_LINK_PARALLEL));
    node->SetLayoutRect(CLDCellRect(3, 5, 0, 1));
    node->LayoutAndDraw(LD_CELL_WIDTH, LD_CELL_HEIGHT, 2, 4, "MAIN", nullptr, &m_dc, TRUE);
    const std::vector<std::string> expected = {
        "SelectPen(0,1,RGB(250,250,250))",
        "SetBkColor(RGB(0,0,0))",
        "MoveTo(100,65)",
        "LineTo(100,145)",
        "MoveTo(200,65)",
        "LineTo(200,145)",
        "SelectPen(0,0,RGB(0,0,0))",
        "SetBkColor(RGB(255,255,255))",
    };
    EXPECT_EQ(m_dc.Calls(), expected);
    node->DeleteTree(FALSE);
}

TEST_F(LDDrawingTest, TextAnchorsInsideTheElementCell)
{
    // Text cells of 8 x 16 pixels: "ABCD" is 32 x 16.
    const struct {
        int alignment;
        BOOL inverse;
        BOOL printing;
        std::vector<std::string> calls;
    } cases[] = {
        {LD_TEXT_LEFT, FALSE, FALSE, {"SelectFont(Text,16,0)", "TextOut(255,92,\"ABCD\")"}},
        {LD_TEXT_RIGHT, FALSE, FALSE, {"SelectFont(Text,16,0)", "TextOut(215,92,\"ABCD\")"}},
        {LD_TEXT_CENTRE, FALSE, FALSE, {"SelectFont(Text,16,0)", "TextOut(234,91,\"ABCD\")"}},
        {LD_TEXT_LEFT, TRUE, FALSE,
         {"SelectFont(Text,16,0)", "SetBkColor(RGB(0,0,0))", "SetTextColor(RGB(250,250,250))",
          "TextOut(255,92,\"ABCD\")", "SetTextColor(RGB(0,0,0))", "SetBkColor(RGB(255,255,255))"}},
        {LD_TEXT_LEFT, FALSE, TRUE,
         {"SelectFont(Text,16,0)", "SetTextColor(RGB(0,0,0))", "TextOut(255,92,\"ABCD\")",
          "SetTextColor(RGB(0,0,0))", "SetBkColor(RGB(255,255,255))"}},
    };
    CTestElement element(LD_KIND_CONTACT, "A");
    element.SetPosition(CLDCellRect(3, 4, 0, 1));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alignment);
        m_dc.SetPrinting(c.printing);
        m_dc.ClearCalls();
        element.DrawText("ABCD", 50, 20, c.alignment, &m_dc, 1, 2, LD_CELL_WIDTH, LD_CELL_HEIGHT, c.inverse);
        std::vector<std::string> expected = c.calls;
        expected.push_back("SelectFont(DejaVu Sans,-12,400)");
        EXPECT_EQ(m_dc.Calls(), expected);
    }
}

TEST_F(LDDrawingTest, FocusRectangleIsInsetFromTheElementCells)
{
    CLDElement* chain = Contact("A", LD_LINK_SERIES, Contact("B"));
    CLogicNode* node = Parallel(chain, nullptr);
    node->SetLayoutRect(CLDCellRect(2, 3, 0, 1));
    node->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    chain->DrawFocus(LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_dc, 1, 1);
    EXPECT_EQ(m_dc.Calls(), std::vector<std::string> {"DrawFocusRect(102,82,198,118)"});
    node->DeleteTree(FALSE);
}

} // namespace
