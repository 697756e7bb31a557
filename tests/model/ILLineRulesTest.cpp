#include "model/CILLineParser.h"
#include "model/InstrSignature.h"
#include "model/OperandTypeFlags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

InstrSignature Query(const char* name, std::vector<DWORD> masks)
{
    InstrSignature query {};
    std::strncpy(query.name, name, sizeof query.name - 1);
    query.kind = -1;
    query.operandCount = int(masks.size());
    for (size_t i = 0; i < masks.size(); ++i)
        query.operandMasks[i] = masks[i];
    return query;
}

constexpr DWORD VW = OT_WORD | OT_AREA_V | OT_DIRECT;

} // namespace

TEST(CILLineParserTest, Comments)
{
    const CILLineParser parser;
    const struct {
        const char* line;
        const char* stripped;
    } cases[] = {
        {"LD %I0.0 (* start *)", "LD %I0.0"},
        {"  (* only a comment *)  ", ""},
        {"A (* open", "A (* open"},
        {"(* a (* b *) c *)", "c *)"},
        {"LD(*)X", "LD X"},
        {"A (* 1 *) B (* 2 *) C", "A   B   C"},
        {"\t\r\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parser.StripComments(c.line), c.stripped) << c.line;
}

TEST(CILLineParserTest, NetworkHeaders)
{
    const CILLineParser parser;
    const struct {
        const char* line;
        BOOL header;
        const char* number;
    } cases[] = {
        {"(* Network 12 *)", TRUE, "12"},
        {"(*NETWORK 3*)", TRUE, "3"},
        {"(*network007*)", TRUE, "007"},
        {"(* Network 0 *)", TRUE, "0"},
        {"(*NETWORK1*)", TRUE, "1"},
        {"(*NETWORK*)", FALSE, ""},
        {"(* Network *)", FALSE, ""},
        {"(* Network 1a *)", FALSE, ""},
        {"(* Network 1 *) LD X", FALSE, ""},
        {"(* Net 1 *)", FALSE, ""},
    };
    for (const auto& c : cases) {
        std::string number;
        EXPECT_EQ(parser.IsNetworkHeader(c.line, number), c.header) << c.line;
        EXPECT_EQ(number, c.number) << c.line;
    }
    EXPECT_TRUE(parser.IsDecimalDigits("0123"));
    EXPECT_FALSE(parser.IsDecimalDigits(""));
    EXPECT_FALSE(parser.IsDecimalDigits("1\xB0"));
}

TEST(CILLineParserTest, SplittingLinesAndTokens)
{
    const CILLineParser parser;
    std::vector<std::string> parts;
    EXPECT_TRUE(parser.SplitAtDelimiter("A\r\n\r\n  B  \r\n", "\r\n", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"A", "B"}));
    parts.clear();
    EXPECT_TRUE(parser.SplitAtDelimiter("LD X  \r\n  ST Y", "\r\n", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"LD X  ", "ST Y"}));
    parts.clear();
    EXPECT_TRUE(parser.SplitAtDelimiter("\r\n", "\r\n", parts));
    EXPECT_TRUE(parts.empty());
    EXPECT_FALSE(parser.SplitAtDelimiter("", "\r\n", parts));
    EXPECT_FALSE(parser.SplitAtDelimiter("A", "", parts));

    std::vector<std::string> tokens{"kept"};
    EXPECT_TRUE(parser.SplitAtBlanks("  LD   %I0.0 ", tokens));
    EXPECT_EQ(tokens, (std::vector<std::string>{"kept", "LD", "%I0.0"}));
    tokens.clear();
    EXPECT_TRUE(parser.SplitAtBlanks("LD\t%I0.0", tokens));
    EXPECT_EQ(tokens, (std::vector<std::string>{"LD\t%I0.0"}));
    EXPECT_FALSE(parser.SplitAtBlanks(" \t ", tokens));
}

TEST(StripCallMnemonicTest, LongestPrefixGoes)
{
    const struct {
        const char* text;
        BOOL result;
        const char* rest;
    } cases[] = {
        {"CAL MOTOR", TRUE, " MOTOR"}, {"CALC MOTOR", TRUE, " MOTOR"}, {"CALCN MOTOR", TRUE, " MOTOR"},
        {"CAL", FALSE, ""},           {"CALC", FALSE, ""},            {"CALCN", FALSE, ""},
        {"CALIBRATE", TRUE, "IBRATE"}, {"LD %I0.0", TRUE, "LD %I0.0"}, {"cal X", TRUE, "cal X"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(StripCallMnemonic(text), c.result) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(MatchInstructionSignatureTest, TableIsSortedForTheBinarySearch)
{
    for (int i = 1; i < INSTR_SIGNATURE_COUNT; ++i)
        EXPECT_LT(std::strcmp(g_InstrSignatureTable[i - 1].name, g_InstrSignatureTable[i].name), 0) << i;
}

TEST(MatchInstructionSignatureTest, PointerOperandsNarrowAndPair)
{
    // MOVE *VD100, VW0: the pointer narrows to the types it may address, the
    // pairing leaves WORD for both.
    InstrSignature move = Query("MOVE", {OT_POINTER, VW});
    ASSERT_TRUE(MatchInstructionSignature(&move));
    EXPECT_EQ(move.kind, 1);
    EXPECT_EQ(move.operandMasks[0], OT_WORD);
    EXPECT_EQ(move.operandMasks[1], OT_WORD);

    InstrSignature alone = Query("INC", {OT_POINTER});
    ASSERT_TRUE(MatchInstructionSignature(&alone));
    EXPECT_EQ(alone.kind, 2);
    EXPECT_EQ(alone.operandMasks[0], 0x32u);

    // ADD *VD0, *VD4: both pointers address INT, DINT or REAL.
    InstrSignature add = Query("ADD", {OT_POINTER, OT_POINTER});
    ASSERT_TRUE(MatchInstructionSignature(&add));
    EXPECT_EQ(add.operandMasks[0], 0x70u);

    const struct {
        const char* name;
        std::vector<DWORD> masks;
    } refused[] = {
        {"MOV", {OT_POINTER, VW}},            // no such row
        {"move", {OT_POINTER, VW}},           // names are exact
        {"MOVE", {OT_POINTER}},               // operand count
        {"SQRT", {OT_POINTER, VW}},           // WORD is no REAL
        {"MOVE", {OT_POINTER, OT_WORD}},      // no common area
        {"AND", {OT_POINTER, OT_INT | OT_AREA_V}},   // no common type
        {"MOVE", {OT_BYTE | OT_AREA_V, OT_DWORD | OT_AREA_V}}, // kind 1: nothing in common
    };
    for (const auto& r : refused) {
        InstrSignature query = Query(r.name, r.masks);
        EXPECT_FALSE(MatchInstructionSignature(&query)) << r.name;
    }
    EXPECT_FALSE(MatchInstructionSignature(nullptr));

    InstrSignature block = Query("SHL_BLK", {OT_BOOL | OT_AREA_I, OT_POINTER, OT_BOOL | OT_AREA_M, OT_CONSTANT | OT_INT});
    ASSERT_TRUE(MatchInstructionSignature(&block));
    EXPECT_EQ(block.operandMasks[1], OT_INT);
    EXPECT_EQ(block.operandMasks[3], OT_INT);
}
