// IL text turned into ladder networks and written back: the first pass's
// networks, marks and messages, the tree shapes of the logic lines, every
// contact, coil and box form both ways, networks kept as IL with their own
// lines, refusals, and random drawable networks that must survive the trip.

#include "ElementFixture.h"
#include "ladder/CBlock.h"
#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CContact.h"
#include "ladder/CILBlockBuilder.h"
#include "ladder/CILToLDConverter.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "support/ScriptedUi.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char* const MARK = CILToLDConverter::INVALID_MARK;

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// The tree in one line: a coil "C", a contact its operand ("|" after a
// parallel link), a box "[name]", nodes "S" and "P"; children as (A,B).
std::string Describe(const CLDElement* element)
{
    if (!element)
        return "-";
    std::string text;
    switch (element->GetKind()) {
    case LD_KIND_COIL:
        text = "C";
        break;
    case LD_KIND_CONTACT:
        text = element->GetOperand() + (element->GetLink() == LD_LINK_PARALLEL ? "|" : "");
        break;
    case LD_KIND_BLOCK:
        text = "[" + static_cast<const CBlock*>(element)->GetName() + "]";
        break;
    default:
        text = element->GetLink() == LD_LINK_SERIES ? "S" : "P";
        break;
    }
    if (element->GetChildA() || element->GetChildB())
        text += "(" + Describe(element->GetChildA()) + "," + Describe(element->GetChildB()) + ")";
    return text;
}

// Every element with its type, operand, link and, for boxes, every operand.
std::string Detail(const CLDElement* element)
{
    if (!element)
        return "-";
    const std::string type = element->GetKind() == LD_KIND_BLOCK ? static_cast<const CBlock*>(element)->GetName()
                                                                 : element->GetTypeText();
    std::string text = type + "<" + element->GetOperand() + ">" + std::to_string(element->GetLink());
    if (element->GetKind() == LD_KIND_BLOCK) {
        const auto* block = static_cast<const CBlock*>(element);
        for (int i = 0; i < block->GetInputCount(); ++i)
            text += " i" + std::to_string(i) + "=" + block->GetInputOperand(i);
        for (int j = 0; j < block->GetOutputCount(); ++j)
            text += " o" + std::to_string(j) + "=" + block->GetOutputOperand(j);
    }
    if (element->GetKind() == LD_KIND_COIL) {
        const auto* coil = static_cast<const CCoil*>(element);
        text += "g" + std::to_string(coil->GetGraphicalFlag()) + "{" + coil->GetHeldILText() + "}";
    }
    return text + "(" + Detail(element->GetChildA()) + "," + Detail(element->GetChildB()) + ")";
}

struct Converted {
    BOOL parsed = FALSE;
    BOOL built = FALSE;
    std::string errorText;
    std::vector<LDItemPtr> items;

    std::string IL() const
    {
        std::string text;
        for (const LDItemPtr& item : items)
            text += item->GetILText();
        return text;
    }
    const CLDElement* Root(size_t network = 0) const
    {
        return 2 * network + 1 < items.size() ? items[2 * network + 1].get() : nullptr;
    }
    const CComment* Header(size_t network = 0) const
    {
        return 2 * network < items.size() ? static_cast<const CComment*>(items[2 * network].get()) : nullptr;
    }
    std::string Details() const
    {
        std::string text;
        for (const LDItemPtr& item : items)
            text += Detail(item.get()) + "\n";
        return text;
    }
};

// How the text is read: as a program file (networks that cannot be built
// kept as IL), or as a POU switched from IL or pasted text (they fail).
enum class Reading { FILE, SWITCH };

} // namespace

class ILToLDConverterTest : public ElementFixture {
protected:
    Converted Convert(const std::vector<std::string>& lines, const std::vector<int>* pasteValues = nullptr,
                      Reading reading = Reading::SWITCH) const
    {
        Converted result;
        CILToLDConverter converter(*m_context);
        if (pasteValues)
            converter.SetPasteMode(pasteValues);
        if (reading == Reading::FILE)
            converter.KeepUnbuildableNetworks();
        result.parsed = converter.Parse(lines, &result.errorText);
        if (result.parsed)
            result.built = converter.Build();
        result.items = converter.TakeResults();
        return result;
    }

    Converted Convert(const std::string& text, Reading reading = Reading::SWITCH) const
    {
        return Convert(SplitLines(text), nullptr, reading);
    }
};

// ---- First pass --------------------------------------------------------------

TEST_F(ILToLDConverterTest, ParseSplitsNetworksAndFindsHeaderTextsAndCoilLines)
{
    CILToLDConverter converter(*m_context);
    std::string error;
    ASSERT_TRUE(converter.Parse(SplitLines("(* Network 0 *)\n"
                                           "(*Motor start*)\n"
                                           "LD I0.0\n"
                                           "  \n"
                                           "(* a note *)\n"
                                           "OR I0.1\n"
                                           "ST Q0.0\n"
                                           "(* Network 1 *)\n"
                                           "(* Network 2 *)\n"
                                           "LD a\n"
                                           "MOVW VW0, VW2 (* copy *)\n"
                                           "(* Network 1a *)\n"
                                           "L1:\n"
                                           "(* Network 3 *)"),
                                &error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(converter.GetCollectedLines(),
              (std::vector<std::string> {"(* Network 0 *)", "LD I0.0", "OR I0.1", "ST Q0.0", "(* Network 1 *)",
                                         "LD a", "MOVW VW0  VW2", "L1:"}));
    EXPECT_EQ(converter.GetNetworkStarts(), (std::vector<int> {0, 4}));
    EXPECT_EQ(converter.GetFirstCoilLines(), (std::vector<int> {3, 7}));
    EXPECT_EQ(converter.GetHeaderTexts(), (std::vector<std::string> {"Motor start", ""}));
}

TEST_F(ILToLDConverterTest, ParseOfAnEmptyTextFailsAndOfAHeaderAloneGivesTheDefaultNetwork)
{
    CILToLDConverter converter(*m_context);
    std::string error;
    EXPECT_FALSE(converter.Parse({}, &error));

    const Converted header = Convert("(* Network 0 *)");
    ASSERT_TRUE(header.built);
    ASSERT_EQ(header.items.size(), 2u);
    EXPECT_EQ(Describe(header.Root()), "C(????,-)");
    EXPECT_EQ(header.Root()->GetTypeText(), "-(NUL)");
}

struct ParseCase {
    const char* name;
    const char* text;
    const char* error; // the message, %d replaced, CR LF as \n
    bool marked;
};

class ILToLDParseMessages : public ILToLDConverterTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(ILToLDParseMessages, MarksTheNetworkAndWritesTheMessage)
{
    const ParseCase& c = GetParam();
    CILToLDConverter converter(*m_context);
    std::string error;
    ASSERT_TRUE(converter.Parse(SplitLines(c.text), &error));
    EXPECT_EQ(error, WithCrLf(c.error)) << c.name;
    EXPECT_EQ(converter.IsNetworkMarked(0), c.marked ? TRUE : FALSE) << c.name;
    EXPECT_EQ(converter.IsNetworkMarked(1), FALSE) << c.name;
}

// The messages in GBK.
#define MSG_LINE(n) "\xB2\xBB\xC4\xDC\xD7\xAA\xBB\xBB\xB5\xDA" #n "\xD0\xD0!\n"
#define MSG_LOAD_FIRST "OR() \xBB\xF2\xD5\xDF AND() \xD6\xD0\xB5\xDA\xD2\xBB\xCC\xF5\xD6\xB8\xC1\xEE\xB1\xD8\xD0\xEB\xCA\xC7LD\xD6\xB8\xC1\xEE!"
#define MSG_COIL_LAST(n)                                                                                               \
    "\xB2\xBB\xC4\xDC\xD7\xAA\xB5\xDA" #n "\xD0\xD0\n\xCF\xDF\xC8\xA6\xD6\xB8\xC1\xEE\xD6\xBB\xC4\xDC\xB3\xF6\xCF\xD6\xD4"  \
    "\xDA\xC3\xBF\xB8\xF6\xCC\xDD\xBC\xB6\xB5\xC4\xD7\xEE\xBA\xF3\xA1\xA3\n"
#define MSG_LOAD_ONLY_FIRST                                                                                            \
    "LD\xC0\xE0\xD6\xB8\xC1\xEE\xD6\xBB\xD4\xCA\xD0\xED\xD4\xDA\xD2\xBB\xB8\xF6\xCD\xF8\xC2\xE7\xA1\xA2OR\xBF\xE9\xBB\xF2" \
    "\xD5\xDF"                                                                                                         \
    "AND\xBF\xE9\xB5\xC4\xB5\xDA\xD2\xBB\xD0\xD0\xCA\xB9\xD3\xC3\xA1\xA3"
#define MSG_BLOCK_END                                                                                                  \
    "ADN\xBF\xE9\xD7\xEE\xBA\xF3\xD6\xB8\xC1\xEE\xB1\xD8\xD0\xEB\xCA\xC7\xB2\xA2\xC1\xAA\xC0\xE0\xD0\xCD\xD6\xB8\xC1\xEE" \
    ",OR\xBF\xE9\xD7\xEE\xBA\xF3\xD2\xBB\xCC\xF5\xD6\xB8\xC1\xEE\xB1\xD8\xD0\xEB\xCA\xC7\xB4\xAE\xC1\xAA\xC0\xE0\xD0\xCD" \
    "\xD6\xB8\xC1\xEE"

const ParseCase PARSE_CASES[] = {
    {"accepted", "(* Network 0 *)\nLD I0.0\nOR I0.1\nST Q0.0\n(* Network 1 *)\nLD a\nST b", "", false},
    {"coil before logic", "(* Network 0 *)\nLD I0.0\nST Q0.0\nAND I0.1\n(* Network 1 *)\nLD a\nST b",
     MSG_COIL_LAST(3), true},
    {"second load", "(* Network 0 *)\nLD I0.0\nLD I0.1\nST Q0.0\n(* Network 1 *)\nLD a\nST b",
     MSG_LINE(2) MSG_LOAD_ONLY_FIRST, true},
    {"block starts without load",
     "(* Network 0 *)\nLD a\nLDN x\nAND(\nOR b\n)\nST d\n(* Network 1 *)\nLD a\nST b", MSG_LINE(4) MSG_LOAD_FIRST,
     true},
    {"OR block ending in series", "(* Network 0 *)\nLD a\nOR(\nLD b\nAND c\n)\nST d", "", false},
    {"OR block ending in parallel", "(* Network 0 *)\nLD a\nOR(\nLD b\nOR c\n)\nST d", MSG_BLOCK_END, true},
    {"AND block ending in parallel", "(* Network 0 *)\nLD a\nAND(\nLD b\nOR c\n)\nST d", "", false},
    {"AND block ending in series", "(* Network 0 *)\nLD a\nAND(\nLD b\nAND c\n)\nST d", MSG_BLOCK_END, true},
    {"AND block ending in a closed OR block", "(* Network 0 *)\nLD a\nAND(\nLD b\nOR(\nLD c\nAND e\n)\n)\nST d", "",
     false},
    {"network without load", "(* Network 0 *)\nAND a\nST d\n(* Network 1 *)\nLD a\nST b",
     MSG_LINE(1) MSG_LOAD_FIRST, true},
    {"close without open", "(* Network 0 *)\nLD a\n)\nST d\n(* Network 1 *)\nLD a\nST b", "", true},
    {"block open into the next network", "(* Network 0 *)\nLD a\nOR(\nLD b\n(* Network 1 *)\nLD a\nST b", "",
     true},
};

INSTANTIATE_TEST_SUITE_P(Cases, ILToLDParseMessages, ::testing::ValuesIn(PARSE_CASES));

TEST_F(ILToLDConverterTest, MessagesOneAndFourReplaceWhatCameBefore)
{
    CILToLDConverter converter(*m_context);
    std::string error;
    ASSERT_TRUE(converter.Parse(SplitLines("(* Network 0 *)\nLD a\nLD b\nAND(\nOR c\n)\nST d"), &error));
    EXPECT_EQ(error, WithCrLf(MSG_LINE(4) MSG_LOAD_FIRST));
}

// ---- Shapes ----------------------------------------------------------------

struct ShapeCase {
    const char* logic; // the network's logic lines as the writers lay them out
    const char* tree;
};

class ILToLDShapes : public ILToLDConverterTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ILToLDShapes, BuildsTheTreeAndWritesTheSameLines)
{
    const ShapeCase& c = GetParam();
    const std::string il = WithCrLf(std::string("(* Network 0 *)\n") + c.logic + "ST   q\n");
    const Converted first = Convert(il);
    ASSERT_TRUE(first.built) << c.logic;
    ASSERT_EQ(first.items.size(), 2u);
    EXPECT_EQ(Describe(first.Root()), c.tree) << c.logic;
    EXPECT_EQ(first.IL(), il);
    const Converted second = Convert(first.IL());
    EXPECT_EQ(second.Details(), first.Details());
}

const ShapeCase SHAPE_CASES[] = {
    {"LD    a\nAND    b\n", "C(a(b,-),-)"},
    {"LD    a\nOR    b\n", "C(S(-,a|(-,b|)),-)"},
    {"LD    a\nOR    b\nAND    c\n", "C(S(c,a|(-,b|)),-)"},
    {"LD    a\nAND    b\nOR    c\n", "C(S(-,P(a(b,-),c|)),-)"},
    {"LD    a\nAND    b\nOR    c\nAND    d\n", "C(S(d,P(a(b,-),c|)),-)"},
    {"LD    a\nOR(\nLD    b\nAND    c\n)\n", "C(S(-,a|(-,P(b(c,-),-))),-)"},
    {"LD    a\nAND(\nLD    b\nOR    c\n)\n", "C(a(S(-,b|(-,c|)),-),-)"},
    {"LD    a\nAND(\nLD    b\nAND    c\nOR    d\n)\n", "C(a(S(-,P(b(c,-),d|)),-),-)"},
    {"LD    a\nAND(\nLD    b\nOR    c\n)\nAND    d\n", "C(a(S(d,b|(-,c|)),-),-)"},
    {"LD    a\nOR    b\nAND(\nLD    c\nOR    d\n)\n", "C(S(S(-,c|(-,d|)),a|(-,b|)),-)"},
};

INSTANTIATE_TEST_SUITE_P(Table, ILToLDShapes, ::testing::ValuesIn(SHAPE_CASES));

// ---- Coils -----------------------------------------------------------------

TEST_F(ILToLDConverterTest, CoilLinesBecomeAChainAndWriteBackTheirLines)
{
    struct CoilCase {
        const char* line;
        const char* type;
        const char* operand;
    };
    const CoilCase cases[] = {
        {"ST   %Q0.0", "-( )", "%Q0.0"},       {"STN   %Q0.1", "-(/)", "%Q0.1"},  {"STI   %Q0.2", "-(I)", "%Q0.2"},
        {"S    %M0.0", "-(S)", "%M0.0"},       {"SI    %Q0.3", "-(SI)", "%Q0.3"}, {"R    %M0.1", "-(R)", "%M0.1"},
        {"RI    %Q0.4", "-(RI)", "%Q0.4"},     {"JMP    L1", "-(JMP)", "L1"},    {"JMPC    L2", "-(JMPC)", "L2"},
        {"JMPCN    L3", "-(JMPCN)", "L3"},     {"NEXT", "-(NEXT)", "????"},
        {"RETC", "-(RETC)", "????"},           {"RETCN", "-(RETCN)", "????"},    {"END", "-(END)", "????"},
        {"STOP", "-(STOP)", "????"},           {"WDR", "-(WDR)", "????"},        {"ENI", "-(ENI)", "????"},
        {"DISI", "-(DISI)", "????"},
    };
    for (const CoilCase& c : cases) {
        const std::string il = WithCrLf(std::string("(* Network 0 *)\nLD    %I0.0\n") + c.line + "\n");
        const Converted one = Convert(il);
        ASSERT_TRUE(one.built) << c.line;
        EXPECT_EQ(one.Root()->GetTypeText(), c.type) << c.line;
        EXPECT_EQ(one.Root()->GetOperand(), c.operand) << c.line;
        EXPECT_EQ(one.Root()->GetLink(), LD_LINK_SERIES) << c.line;
        EXPECT_EQ(one.IL(), il) << c.line;
    }

    const Converted chain = Convert(WithCrLf("(* Network 0 *)\nLD    %I0.0\nST   %Q0.0\nS    %Q0.1\nR    %Q0.2\n"));
    ASSERT_TRUE(chain.built);
    const CLDElement* coil = chain.Root();
    for (const char* type : {"-( )", "-(S)", "-(R)"}) {
        ASSERT_NE(coil, nullptr);
        EXPECT_EQ(coil->GetTypeText(), type);
        EXPECT_EQ(coil->GetLink(), LD_LINK_PARALLEL);
        coil = coil->GetChildB();
    }
    EXPECT_EQ(chain.IL(), WithCrLf("(* Network 0 *)\nLD    %I0.0\nST   %Q0.0\nS    %Q0.1\nR    %Q0.2\n"));
}

TEST_F(ILToLDConverterTest, InternalStoresLabelsAndMissingCoilsBecomeTheirCoils)
{
    for (const char* line : {"ST   %BR0.0", "ST BR1.0"}) {
        const Converted nul = Convert(std::string("(* Network 0 *)\nLD    %I0.0\n") + line);
        ASSERT_TRUE(nul.built);
        EXPECT_EQ(nul.Root()->GetTypeText(), "-(NUL)") << line;
        EXPECT_EQ(nul.IL(), WithCrLf("(* Network 0 *)\nLD    %I0.0\nST   %BR0.0\n"));
    }

    const Converted label = Convert("(* Network 0 *)\nL1:");
    ASSERT_TRUE(label.built);
    EXPECT_EQ(label.Root()->GetTypeText(), "-(LBL)");
    EXPECT_EQ(label.Root()->GetOperand(), "L1");
    EXPECT_EQ(label.Root()->GetChildA(), nullptr);
    EXPECT_EQ(label.IL(), WithCrLf("(* Network 0 *)\nL1:\n"));

    const Converted noCoil = Convert("(* Network 0 *)\nLD    %I0.0\nAND    %I0.1");
    ASSERT_TRUE(noCoil.built);
    EXPECT_EQ(noCoil.Root()->GetTypeText(), "-(NUL)");
    EXPECT_EQ(noCoil.IL(), WithCrLf("(* Network 0 *)\nLD    %I0.0\nAND    %I0.1\nST   %BR0.0\n"));
}

TEST_F(ILToLDConverterTest, HeaderCommentsKeepTheirLineBreaksAndPasteTakesTheCallersNumbers)
{
    const Converted comment = Convert("(* Network 0 *)\n(*first\x01second*)\nLD    a\nST   q");
    ASSERT_TRUE(comment.built);
    EXPECT_EQ(comment.Header()->GetText(), "first\r\nsecond");
    EXPECT_EQ(comment.IL(), WithCrLf("(* Network 0 *)\n(*first\x01second*)\nLD    a\nST   q\n"));

    const std::vector<int> values {7, 9};
    const Converted pasted = Convert(SplitLines("(* Network 0 *)\nLD a\nST q\n(* Network 1 *)\nLD b\nST r"), &values);
    ASSERT_TRUE(pasted.built);
    EXPECT_EQ(pasted.Header(0)->GetNetworkNumber(), 7);
    EXPECT_EQ(pasted.Header(1)->GetNetworkNumber(), 9);
}

// ---- Contacts and boxes, both ways -------------------------------------------

TEST_F(ILToLDConverterTest, ContactFormsComeBackAsTheirContacts)
{
    struct ContactCase {
        const char* logic;
        const char* type; // of the last contact
    };
    const ContactCase cases[] = {
        {"LD    a\n", "-| |-"},           {"LDN    a\n", "-|/|-"},           {"LDI    a\n", "-|I|-"},
        {"LDNI    a\n", "-|/I|-"},        {"LD    a\nAND    b\n", "-| |-"},   {"LD    a\nANDN    b\n", "-|/|-"},
        {"LD    a\nANDI    b\n", "-|I|-"}, {"LD    a\nANDNI    b\n", "-|/I|-"}, {"LD    a\nOR    b\n", "-| |-"},
        {"LD    a\nORN    b\n", "-|/|-"},  {"LD    a\nORI    b\n", "-|I|-"},   {"LD    a\nORNI    b\n", "-|/I|-"},
        {"LD    a\nNOT    \n", "-|NOT|-"},
    };
    for (const ContactCase& c : cases) {
        const std::string il = WithCrLf(std::string("(* Network 0 *)\n") + c.logic + "ST   q\n");
        const Converted one = Convert(il);
        ASSERT_TRUE(one.built) << c.logic;
        const CLDElement* last = one.Root()->GetChildA();
        while (last && (last->GetChildA() || last->GetChildB()))
            last = last->GetChildA() ? last->GetChildA() : last->GetChildB();
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->GetKind(), LD_KIND_CONTACT) << c.logic;
        EXPECT_EQ(last->GetTypeText(), c.type) << c.logic;
        EXPECT_EQ(one.IL(), il) << c.logic;
    }
}

TEST_F(ILToLDConverterTest, ANotLineWithoutOperandIsANotContactAndWithOperandABox)
{
    const Converted contact = Convert("(* Network 0 *)\nLD a\nNOT\nST q");
    ASSERT_TRUE(contact.built);
    EXPECT_EQ(Describe(contact.Root()), "C(a(,-),-)");
    EXPECT_EQ(contact.Root()->GetChildA()->GetChildA()->GetTypeText(), "-|NOT|-");

    const Converted box = Convert("(* Network 0 *)\nLD a\nNOT %MW0\nST q");
    ASSERT_TRUE(box.built);
    EXPECT_EQ(Describe(box.Root()), "C(a([NOT],-),-)");
}

class ILToLDBoxes : public ILToLDConverterTest {
protected:
    void SetUp() override
    {
        ILToLDConverterTest::SetUp();
        AddSubroutine("MOTOR", 1, 3, 2);
    }

    void AddSubroutine(const std::string& name, int number, int inputs, int outputs)
    {
        auto function = std::make_unique<CZULFunc>();
        function->name = name;
        function->number = number;
        for (int i = 0; i < inputs; ++i) {
            auto* para = new CZULFBPara;
            para->SetNameAndFlags(i == 0 ? "EN" : "IN" + std::to_string(i), i == 0 ? OT_EN_PARAM : 0x80A010);
            function->AddInput(para);
        }
        for (int j = 0; j < outputs; ++j) {
            auto* para = new CZULFBPara;
            para->SetNameAndFlags(j == 0 ? "ENO" : "OUT" + std::to_string(j), j == 0 ? OT_ENO_PARAM : 0x81C010);
            function->AddOutput(para);
        }
        Project().POUs.RegisterSubroutineInterface(function.release());
    }
};

struct BoxCase {
    const char* lines;    // the box's lines as the writer lays them out
    const char* operands; // the box's operands in Detail form
};

TEST_F(ILToLDBoxes, EveryBoxFormComesBackAsItsBoxAndWritesTheSameLines)
{
    const BoxCase cases[] = {
        {"MOVE    %MW0, %MW2\n", "MOVE<>1 i0= i1=%MW0 o0= o1=%MW2"},
        {"MOVE    %MW0, %MW2\nADD    %MW4, %MW2\n", "ADD<>1 i0= i1=%MW0 i2=%MW4 o0= o1=%MW2"},
        {"ADD    %MW4, %MW2\n", "ADD<>1 i0= i1=%MW2 i2=%MW4 o0= o1=%MW2"},
        {"MOVE    %MW0, %MW2\nINC    %MW2\n", "INC<>1 i0= i1=%MW0 o0= o1=%MW2"},
        {"NOT    %MW2\nINC    %MW2\nADD    %MW0, %MW2\n", "SUB<>1 i0= i1=%MW0 i2=%MW2 o0= o1=%MW2"},
        {"DIV    %MW0, %MW2, %MW2\n", "DIV<>1 i0= i1=%MW0 i2=%MW2 o0= o1=%MW2"},
        {"MOD    %MW0, %MW2, %MW2\n", "MOD<>1 i0= i1=%MW0 i2=%MW2 o0= o1=%MW2"},
        {"MOVE    %MW0, %MW2\nAND    %MW4, %MW2\n", "AND<>1 i0= i1=%MW0 i2=%MW4 o0= o1=%MW2"},
        {"MOVE   %MW0, %MW2\nSHL  %MW2, 3\n", "SHL<>1 i0= i1=%MW0 i2=3 o0= o1=%MW2"},
        {"SHL  %MW2, 3\n", "SHL<>1 i0= i1=%MW2 i2=3 o0= o1=%MW2"},
        {"BLKMOVE  %MW0, %MW10, 4\n", "BLKMOVE<>1 i0= i1=%MW0 i2=4 o0= o1=%MW10"},
        {"GT    %MW0, %MW2\n", "GT<>1 i0= i1=%MW0 i2=%MW2 o0="},
        {"R_TRIG\n", "R_TRIG<>1 i0= o0="},
        {"TON   T19, %MW30\n__CR_EQ_1\nMOVE    T19, %MW26\n__CR_RESTORE\n", "TON<T19>1 i0= i1=%MW30 o0= o1=%MW26"},
        {"TON   T19, %MW30\n", "TON<T19>1 i0= i1=%MW30 o0= o1="},
        {"CTU   C3, %I0.1, 5\n__CR_EQ_1\nMOVE    C3, %MW8\n__CR_RESTORE\n",
         "CTU<C3>1 i0= i1=%I0.1 i2=5 o0= o1=%MW8"},
        {"RS   RS1   %I0.2\n", "RS<RS1>1 i0= i1=%I0.2 o0="},
        {"CAL    SBR01    %MW0, %MW2, %MW4\n", "MOTOR<>1 i0= i1=%MW0 i2=%MW2 o0= o1=%MW4"},
        {"ATCH    INT02, 10\n", "ATCH<>1 i0= i1=INT02 i2=10 o0="},
    };
    for (const BoxCase& c : cases) {
        const std::string il = WithCrLf(std::string("(* Network 0 *)\nLD    %I0.0\n") + c.lines + "ST   %Q0.0\n");
        const Converted one = Convert(il);
        ASSERT_TRUE(one.built) << c.lines;
        const CLDElement* box = one.Root()->GetChildA()->GetChildA();
        ASSERT_NE(box, nullptr) << c.lines;
        ASSERT_EQ(box->GetKind(), LD_KIND_BLOCK) << c.lines;
        EXPECT_EQ(Detail(box), std::string(c.operands) + "(-,-)") << c.lines;
        EXPECT_EQ(one.IL(), il) << c.lines;
        const Converted two = Convert(one.IL());
        EXPECT_EQ(two.Details(), one.Details()) << c.lines;
    }
}

TEST_F(ILToLDBoxes, MoveStaysItsOwnBoxWhereTheNextLineDoesNotContinueIt)
{
    struct SplitCase {
        const char* lines;
        const char* tree;
    };
    const SplitCase cases[] = {
        {"MOVE %MW0, %MW2\nADD %MW4, %MW6", "C(a([MOVE]([ADD],-),-),-)"},
        {"MOVE %MW0, %MW2\nNOT %MW2\nINC %MW2\nADD %MW4, %MW2", "C(a([MOVE]([SUB],-),-),-)"},
        {"MOVE %MW0, %MW2\nMUL -1.0, %MD2\nADD %MD4, %MD2", "C(a([MOVE]([SUB],-),-),-)"},
        {"MOVE %MW0, %MW2\nSHL %MW8, 3", "C(a([MOVE]([SHL],-),-),-)"},
        {"NOT %MW2\nINC %MW2", "C(a([NOT]([INC],-),-),-)"},
        {"MUL -1.0, %MD2", "C(a([MUL],-),-)"},
        {"MUL -1.0, %MD2\nADD %MD4, %MD2", "C(a([SUB],-),-)"},
    };
    for (const SplitCase& c : cases) {
        const Converted one = Convert(std::string("(* Network 0 *)\nLD a\n") + c.lines + "\nST q");
        ASSERT_TRUE(one.built) << c.lines;
        EXPECT_EQ(Describe(one.Root()), c.tree) << c.lines;
    }
}

TEST_F(ILToLDBoxes, AnInterruptAliasBecomesTheRoutineName)
{
    auto* node = new CProjTreeNode;
    node->name = "TIMERINT";
    node->number = 2;
    Project().POUs.AddInterruptNode(node);
    const Converted one = Convert("(* Network 0 *)\nLD a\nATCH INT02 10\nST q");
    ASSERT_TRUE(one.built);
    EXPECT_EQ(static_cast<const CBlock*>(one.Root()->GetChildA()->GetChildA())->GetInputOperand(1), "TIMERINT");
}

TEST_F(ILToLDBoxes, AnUnknownInstructionRefusesTheWholeText)
{
    const Converted one = Convert("(* Network 0 *)\nLD a\nST q\n(* Network 1 *)\nLD a\nFROB %MW0\nST q");
    EXPECT_TRUE(one.parsed);
    EXPECT_FALSE(one.built);
    EXPECT_TRUE(one.items.empty());

    const Converted nested = Convert("(* Network 0 *)\nLD a\nAND(\nLD b\nOR(\nLD c\nFROB %MW0\n)\n)\nST q");
    EXPECT_FALSE(nested.built);
    EXPECT_TRUE(nested.items.empty());
}

TEST_F(ILToLDBoxes, AMissingSubroutineKeepsItsParametersInALoadedFileAndIsNamedWhilePasting)
{
    const std::string text = "(* Network 0 *)\nLD    a\nCAL    GONE, %MW0, %MW2\nST   q\n";
    const Converted loaded = Convert(text, Reading::FILE);
    ASSERT_TRUE(loaded.built);
    EXPECT_EQ(loaded.Header()->GetValidFlag(), 0);
    EXPECT_EQ(loaded.IL(), WithCrLf(text));

    const Converted bare = Convert("(* Network 0 *)\nLD a\nCAL GONE\nST q");
    ASSERT_TRUE(bare.built);
    EXPECT_EQ(Describe(bare.Root()), "C(a([GONE],-),-)");

    CScopedUi ui;
    m_app->PastingIL = 1;
    const Converted pasted = Convert(text);
    m_app->PastingIL = 0;
    ASSERT_TRUE(pasted.built);
    EXPECT_EQ(Describe(pasted.Root()), "C(a([GONE],-),-)");
    EXPECT_EQ(static_cast<const CBlock*>(pasted.Root()->GetChildA()->GetChildA())->GetInputCount(), 0);
    ASSERT_EQ(ui.box.Texts().size(), 1u);
    EXPECT_EQ(ui.box.Texts()[0],
              "\xB9\xA4\xB3\xCC\xD6\xD0\xB2\xBB\xB4\xE6\xD4\xDA\xD7\xD3\xB3\xCC\xD0\xF2\xA1\xB0GONE\xA1\xB1\xA3\xAC\xD7"
              "\xD3\xB3\xCC\xD0\xF2\xB5\xC4\xCA\xB5\xB2\xCE\xBD\xAB\xB1\xBB\xC9\xBE\xB3\xFD\xA1\xA3");
}

// ---- Networks kept as IL -------------------------------------------------------

// A network that the first pass accepts but that cannot be built is kept as
// IL only when a program file is read; switching a POU from IL (and pasting)
// fails instead, so the POU stays IL and nothing of it is lost.
TEST_F(ILToLDConverterTest, ANetworkThatCannotBeBuiltIsKeptOnlyWhenAFileIsRead)
{
    struct Case {
        const char* name;
        const char* network; // the lines after the header
    };
    const Case cases[] = {
        {"unknown instruction", "LD a\nFROB %MW0\nST q"},
        {"return is no coil", "LD a\nRET"},
        {"missing subroutine with parameters", "LD a\nCAL GONE, %MW0, %MW2\nST q"},
        {"unknown instruction nested in AND(", "LD a\nAND(\nLD b\nOR(\nLD c\nFROB %MW0\n)\n)\nST q"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = std::string("(* Network 0 *)\nLD    x\nST   y\n(* Network 1 *)\n") + c.network + "\n";
        const Converted switched = Convert(text, Reading::SWITCH);
        EXPECT_TRUE(switched.parsed);
        EXPECT_FALSE(switched.built);
        EXPECT_TRUE(switched.items.empty());
        const Converted file = Convert(text, Reading::FILE);
        ASSERT_TRUE(file.built);
        ASSERT_EQ(file.items.size(), 4u);
        EXPECT_EQ(file.Header(0)->GetValidFlag(), 1);
        EXPECT_EQ(file.Header(1)->GetValidFlag(), 0);
        EXPECT_EQ(file.IL(), WithCrLf(text));
    }
}

TEST_F(ILToLDConverterTest, NetworksThatCannotBeDrawnKeepTheirOwnLines)
{
    struct KeptCase {
        const char* name;
        const char* network; // the lines after the header
    };
    const KeptCase cases[] = {
        {"coil before logic", "LD a, b (* first *)\nST q\nAND c"},
        {"close without open", "LD a\n)\nST q"},
        {"block left open", "LD a\nOR(\nLD b\nST q"},
        {"second load", "LD    a\n(* why *)\nLD    b\nST   q"},
    };
    for (const KeptCase& c : cases) {
        const std::string text = std::string("(* Network 0 *)\n(*note*)\n") + c.network
            + "\n(* Network 1 *)\nLD    x\nST   y\n";
        const Converted one = Convert(text);
        ASSERT_TRUE(one.built) << c.name;
        ASSERT_EQ(one.items.size(), 4u) << c.name;
        EXPECT_EQ(one.Header(0)->GetValidFlag(), 0) << c.name;
        EXPECT_EQ(one.Header(0)->GetText(), "note") << c.name;
        EXPECT_EQ(static_cast<const CCoil*>(one.Root(0))->GetGraphicalFlag(), 0) << c.name;
        EXPECT_EQ(one.Header(1)->GetValidFlag(), 1) << c.name;
        EXPECT_EQ(one.IL(), WithCrLf(text)) << c.name;
        EXPECT_EQ(one.Header(0)->GetText().find(MARK), std::string::npos);
    }
}

TEST_F(ILToLDConverterTest, InstructionsBeforeTheFirstHeaderFormNetworkZero)
{
    const Converted one = Convert("LD a\nST q\n(* Network 0 *)\nLD b\nST r");
    ASSERT_TRUE(one.built);
    ASSERT_EQ(one.items.size(), 4u);
    EXPECT_EQ(Describe(one.Root(0)), "C(a,-)");
    EXPECT_EQ(Describe(one.Root(1)), "C(b,-)");
    EXPECT_EQ(one.Header(1)->GetNetworkNumber(), 1);

    const Converted bad = Convert("AND a\n(* Network 0 *)\nLD b\nST r");
    ASSERT_TRUE(bad.built);
    EXPECT_EQ(bad.Header(0)->GetValidFlag(), 0);
    EXPECT_EQ(static_cast<const CCoil*>(bad.Root(0))->GetHeldILText(), "AND a\r\n");
}

// ---- Random drawable networks -------------------------------------------------

namespace {

// Writes random logic in the writers' layout: contacts, OR and AND blocks
// nested a few levels, and boxes, so that every line is one the writers make.
class RandomLogic {
public:
    explicit RandomLogic(unsigned seed) : m_random(seed) {}

    std::string Network()
    {
        m_operand = 0;
        std::string text = Load();
        Series(text, 0);
        const int coils = Pick(3) + 1;
        for (int k = 0; k < coils; ++k)
            text += "ST   %Q0." + std::to_string(k) + "\n";
        return text;
    }

private:
    int Pick(int n) { return int(m_random() % unsigned(n)); }
    std::string Operand()
    {
        const int next = m_operand++;
        return "%I" + std::to_string(next / 8) + "." + std::to_string(next % 8);
    }
    std::string Load() { return std::string(Pick(2) ? "LD" : "LDN") + "    " + Operand() + "\n"; }

    // Parts after a load in a series context (an OR block's content too).
    void Series(std::string& text, int depth)
    {
        const int parts = Pick(4);
        for (int k = 0; k < parts; ++k) {
            const int choice = Pick(depth < 2 ? 6 : 4);
            if (choice == 0)
                text += "AND    " + Operand() + "\n";
            else if (choice == 1)
                text += "OR    " + Operand() + "\n";
            else if (choice == 2)
                text += "ANDN    " + Operand() + "\n";
            else if (choice == 3)
                text += "MOVE    %MW" + std::to_string(2 * Pick(8)) + ", %MW20\nADD    %MW30, %MW20\n";
            else if (choice == 4)
                OrBlock(text, depth);
            else
                AndBlock(text, depth);
        }
    }

    // An AND block's content ends in a parallel line or a closed OR block.
    void AndBlock(std::string& text, int depth)
    {
        text += "AND(\n" + Load();
        const int parts = Pick(3);
        for (int k = 0; k < parts; ++k)
            text += Pick(2) ? "AND    " + Operand() + "\n" : "ORN    " + Operand() + "\n";
        if (Pick(2))
            OrBlock(text, depth + 1);
        else
            text += "OR    " + Operand() + "\n";
        text += ")\n";
    }

    // An OR block's content ends in a series line.
    void OrBlock(std::string& text, int depth)
    {
        text += "OR(\n" + Load();
        Series(text, depth + 1);
        text += "AND    " + Operand() + "\n)\n";
    }

    std::mt19937 m_random;
    int m_operand = 0;
};

} // namespace

TEST_F(ILToLDConverterTest, RandomDrawableNetworksSurviveLDToILToLD)
{
    constexpr unsigned NETWORKS = 300;
    for (unsigned seed = 1; seed <= NETWORKS; ++seed) {
        RandomLogic random(seed);
        const std::string text = "(* Network 0 *)\n" + random.Network() + "(* Network 1 *)\n" + random.Network();
        const Converted first = Convert(text);
        ASSERT_TRUE(first.built) << text;
        const Converted second = Convert(first.IL());
        ASSERT_TRUE(second.built) << first.IL();
        EXPECT_EQ(second.Details(), first.Details()) << text;
        EXPECT_EQ(second.IL(), first.IL()) << text;
        if (first.Header(0)->GetValidFlag()) {
            EXPECT_EQ(first.IL(), WithCrLf(text)) << text;
        }
    }
}
