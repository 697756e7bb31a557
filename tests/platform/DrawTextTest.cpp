// Text layout on the recording device, whose cells are 6 by 12 for the
// default 12-pixel font: positions, ellipsis, measured rectangles, mnemonics.

#include "platform/CDrawText.h"
#include "platform/CRecordingDC.h"

#include <gtest/gtest.h>

namespace {

struct PrefixCase {
    const char* text;
    const char* shown;
    int mnemonic;
};

} // namespace

TEST(CDrawTextTest, PrefixMarksAreRemovedAndTheFirstMnemonicIsKept)
{
    const PrefixCase cases[] = {
        {"&File", "File", 0},
        {"Save &As", "Save As", 5},
        {"A&&B", "A&B", -1},
        {"R&&D &Tools", "R&D Tools", 4},
        {"End&", "End", -1},
        {"&One &Two", "One Two", 0},
        {"\xB2\xE2&\xCA\xD4", "\xB2\xE2\xCA\xD4", 2},
    };
    for (const PrefixCase& c : cases) {
        int mnemonic = 99;
        EXPECT_EQ(CDrawText::StripPrefix(c.text, &mnemonic), c.shown) << c.text;
        EXPECT_EQ(mnemonic, c.mnemonic) << c.text;
    }
}

TEST(CDrawTextTest, ALeadByteWithoutItsTrailDoesNotSwallowTheAmpersand)
{
    // 0x26 is never a trail byte, so the lead byte before it stands alone.
    int mnemonic = 0;
    EXPECT_EQ(CDrawText::StripPrefix("\x81&x", &mnemonic), "\x81x");
    EXPECT_EQ(mnemonic, 1);
}

TEST(CDrawTextTest, SingleLinePlacement)
{
    struct Case {
        UINT format;
        CPoint at;
    };
    const Case cases[] = {
        {DT_SINGLELINE, CPoint(0, 0)},
        {DT_SINGLELINE | DT_CENTER, CPoint(38, 0)},
        {DT_SINGLELINE | DT_RIGHT, CPoint(76, 0)},
        {DT_SINGLELINE | DT_VCENTER, CPoint(0, 9)},
        {DT_SINGLELINE | DT_VCENTER | DT_CENTER, CPoint(38, 9)},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, CPoint(76, 18)},
    };
    CRecordingDC dc;
    for (const Case& c : cases) {
        CRect rect(0, 0, 100, 30);
        std::vector<CTextPiece> pieces;
        CDrawText::Layout(dc, "abcd", &rect, c.format, &pieces);
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_EQ(pieces[0].at, c.at) << c.format;
        EXPECT_EQ(pieces[0].text, "abcd");
    }
}

TEST(CDrawTextTest, EndEllipsisCutsWholeCharactersUntilTheDotsFit)
{
    CRecordingDC dc;
    size_t kept = 0;
    EXPECT_EQ(CDrawText::EndEllipsis(dc, "abcdefghij", 40, &kept), "abc...");
    EXPECT_EQ(kept, 3u);
    EXPECT_EQ(CDrawText::EndEllipsis(dc, "abcdefghij", 60, &kept), "abcdefghij");
    // Two double-byte characters and "xyz": the second character would need 42.
    EXPECT_EQ(CDrawText::EndEllipsis(dc, "\xB2\xE2\xCA\xD4xyz", 41, &kept), "\xB2\xE2...");
    // Nothing fits: the dots alone.
    EXPECT_EQ(CDrawText::EndEllipsis(dc, "abcdef", 10, &kept), "...");
    EXPECT_EQ(kept, 0u);
}

TEST(CDrawTextTest, EllipsisAppliesOnlyWithItsFlagAndDropsACutOffMnemonic)
{
    CRecordingDC dc;
    CRect rect(0, 0, 40, 12);
    std::vector<CTextPiece> pieces;
    CDrawText::Layout(dc, "abcdefg&hij", &rect, DT_SINGLELINE, &pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].text, "abcdefghij");
    EXPECT_TRUE(pieces[0].underline);

    pieces.clear();
    CDrawText::Layout(dc, "abcdefg&hij", &rect, DT_SINGLELINE | DT_END_ELLIPSIS, &pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].text, "abc...");
    EXPECT_FALSE(pieces[0].underline);
}

TEST(CDrawTextTest, MnemonicUnderlineSpansItsCharacter)
{
    CRecordingDC dc;
    CRect rect(10, 0, 200, 12);
    std::vector<CTextPiece> pieces;
    CDrawText::Layout(dc, "Save &As", &rect, DT_SINGLELINE, &pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].underlineLeft, 40);
    EXPECT_EQ(pieces[0].underlineRight, 46);

    pieces.clear();
    CDrawText::Layout(dc, "Save &As", &rect, DT_SINGLELINE | DT_NOPREFIX, &pieces);
    EXPECT_EQ(pieces[0].text, "Save &As");
    EXPECT_FALSE(pieces[0].underline);
}

TEST(CDrawTextTest, CalcRectMeasuresWithoutDrawing)
{
    CRecordingDC dc;
    CRect rect(5, 7, 6, 8);
    EXPECT_EQ(dc.DrawText("ab\ncdef\r\nx", &rect, DT_CALCRECT), 36);
    EXPECT_EQ(rect, CRect(5, 7, 5 + 24, 7 + 36));

    CRect single(0, 0, 0, 0);
    dc.DrawText("&Open\nfile", &single, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(single, CRect(0, 0, 6 * 9, 12));

    CRect prefixed(0, 0, 0, 0);
    dc.DrawText("&Open", &prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), 24);

    // Only the DrawText call itself is recorded; nothing was drawn.
    for (const std::string& call : dc.Calls())
        EXPECT_EQ(call.rfind("DrawText(", 0), 0u) << call;
}

TEST(CDrawTextTest, LinesGoDownByTheFontHeightAndTheHeightIsReturned)
{
    CRecordingDC dc;
    CRect rect(0, 0, 100, 100);
    std::vector<CTextPiece> pieces;
    EXPECT_EQ(CDrawText::Layout(dc, "a\nbb\nccc", &rect, DT_RIGHT, &pieces), 36);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].at, CPoint(88, 12));
    EXPECT_EQ(pieces[2].at, CPoint(82, 24));
    // Vertical centring concerns single lines only.
    pieces.clear();
    CDrawText::Layout(dc, "a\nb", &rect, DT_VCENTER, &pieces);
    EXPECT_EQ(pieces[0].at.y, 0);
}
