#include "platform/ByteString.h"
#include "platform/Gbk.h"

#include <gtest/gtest.h>

using namespace ByteString;

namespace {
// "中文" in GBK and UTF-8.
const std::string kChineseGbk = "\xD6\xD0\xCE\xC4";
const std::string kChineseUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";
} // namespace

TEST(GbkTest, ChineseTextConvertsToUtf8AndBackUnchanged)
{
    const std::string gbk = "MAIN " + kChineseGbk + " (SBR01)";
    const std::string utf8 = GbkToUtf8(gbk);
    EXPECT_EQ(utf8, "MAIN " + kChineseUtf8 + " (SBR01)");
    EXPECT_EQ(Utf8ToGbk(utf8), gbk);
}

TEST(GbkTest, UnconvertibleInputIsReplacedNotDropped)
{
    EXPECT_EQ(GbkToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
    EXPECT_EQ(Utf8ToGbk("A\xF0\x9F\x98\x80" "B"), "A?B") << "an emoji has no GBK form";
    // A stray continuation byte or a cut sequence takes no following character with it.
    EXPECT_EQ(Utf8ToGbk("A\x80" "BC"), "A?BC");
    EXPECT_EQ(Utf8ToGbk("A\xE4\xB8" "BC"), "A?BC");
    EXPECT_EQ(Utf8ToGbk("\xC3" "A"), "?A");
    EXPECT_FALSE(Utf8FitsGbk("\xF0\x9F\x98\x80"));
    EXPECT_TRUE(Utf8FitsGbk(kChineseUtf8));
}

TEST(GbkTest, CutNeverSeparatesLeadFromTrail)
{
    // "A" + two double-byte characters + "B": byte offsets 0, 1-2, 3-4, 5.
    const std::string text = "A" + kChineseGbk + "B";
    const struct { size_t max; size_t expected; } cases[] = {
        {0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 5}, {6, 6}, {100, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GbkSafeLength(text, c.max), c.expected) << "max " << c.max;
    EXPECT_FALSE(GbkIsTrailAt(text, 1));
    EXPECT_TRUE(GbkIsTrailAt(text, 2));
    EXPECT_TRUE(GbkIsTrailAt(text, 4));
    EXPECT_FALSE(GbkIsTrailAt(text, 5));
}

TEST(ByteStringTest, UpperCaseLeavesDoubleByteCharactersAlone)
{
    // 0xB0 0x61 is one character whose trail byte is the ASCII code of 'a'.
    EXPECT_EQ(Upper("ld \xB0\x61 x"), "LD \xB0\x61 X");
    EXPECT_EQ(Lower("LD %I0.0"), "ld %i0.0");
    EXPECT_TRUE(EqualsNoCase("Main", "MAIN"));
}

TEST(ByteStringTest, SubstringsClampInsteadOfFailing)
{
    EXPECT_EQ(Mid("ABCDEF", 2, 3), "CDE");
    EXPECT_EQ(Mid("ABCDEF", 4, 10), "EF");
    EXPECT_EQ(Mid("ABCDEF", 10), "");
    EXPECT_EQ(Mid("ABCDEF", -2, 2), "AB");
    EXPECT_EQ(Left("ABC", 5), "ABC");
    EXPECT_EQ(Right("ABC", 2), "BC");
    EXPECT_EQ(Right("ABC", -1), "");
    EXPECT_EQ(Trim(" \t LD X \r\n"), "LD X");
    EXPECT_EQ(Find("ABCABC", "C", 3), 5);
    EXPECT_EQ(Find("ABC", 'Z'), -1);
    EXPECT_EQ(Find("ABC", "A", 9), -1);
    EXPECT_EQ(ReverseFind("a.b.c", '.'), 3);
}

TEST(ByteStringTest, TrimAndCharacterSearchAtTheEdges)
{
    struct TrimCase {
        std::string text;
        std::string trimmed;
    };
    const TrimCase trims[] = {
        {"", ""}, {" \t\r\n", ""}, {"LD", "LD"}, {"  LD", "LD"}, {"LD \v\f", "LD"}, {" " + kChineseGbk + " ", kChineseGbk},
    };
    for (const TrimCase& c : trims)
        EXPECT_EQ(Trim(c.text), c.trimmed) << c.text;

    struct FindCase {
        std::string text;
        char c;
        int start;
        int found;
    };
    const FindCase finds[] = {
        {"A.B.C", '.', 0, 1}, {"A.B.C", '.', 2, 3}, {"A.B.C", '.', -4, 1}, {"A.B.C", '.', 4, -1},
        {"A.B.C", 'C', 5, -1}, {"A.B.C", 'A', 6, -1}, {"", '.', 0, -1},
    };
    for (const FindCase& c : finds)
        EXPECT_EQ(Find(c.text, c.c, c.start), c.found) << c.text << " from " << c.start;
}

TEST(ByteStringTest, ReplaceAndRemoveCountWhatTheyChange)
{
    std::string s = "a b  c";
    EXPECT_EQ(Remove(s, ' '), 3);
    EXPECT_EQ(s, "abc");
    std::string t = "%I0.0,%I0.1";
    EXPECT_EQ(Replace(t, "%I", "%Q"), 2);
    EXPECT_EQ(t, "%Q0.0,%Q0.1");
    EXPECT_EQ(Replace(t, "", "x"), 0);
}

TEST(ByteStringTest, FloatingFormsHaveThreeDigitExponents)
{
    const struct { const char* fmt; double value; const char* expected; } cases[] = {
        {"%e", 1e10, "1.000000e+010"},
        {"%E", 1.5e-5, "1.500000E-005"},
        {"%G", 1e10, "1E+010"},
        {"%g", 123.0, "123"},
        {"%.3e", 1e100, "1.000e+100"},
        {"%15e", -2.0, " -2.000000e+000"},
        {"%-15e", 2.0, "2.000000e+000  "},
        {"%015e", -2.0, "-02.000000e+000"},
        {"%f", 0.5, "0.500000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDouble(c.fmt, c.value), c.expected) << c.fmt;
    // Anything but one floating conversion is no number form.
    EXPECT_EQ(FormatDouble("%d", 1.0), "");
    EXPECT_EQ(FormatDouble("%e%s", 1.0), "");
}

TEST(ByteStringTest, FormatHandlesIntegersStringsAndWidths)
{
    EXPECT_EQ(Format("%d errors, %d warnings. Total instructions %d .", 0, 2, 31),
              "0 errors, 2 warnings. Total instructions 31 .");
    EXPECT_EQ(Format("SBR%02d_%s", 3, "SBR_3"), "SBR03_SBR_3");
    EXPECT_EQ(Format("%04X|%-4s|%5.1f|%c|%%", 0xABu, "ab", 2.25, 'Q'), "00AB|ab  |  2.2|Q|%");
    EXPECT_EQ(Format("%*d|%ld|%lld", 4, 7, 123456789L, 1234567890123LL), "   7|123456789|1234567890123");
}
