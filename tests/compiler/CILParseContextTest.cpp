#include "CompilerFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CILParseContext.h"

namespace {

// Records which handler each statement reached.
class RecordingContext : public CILParseContext {
public:
    std::vector<std::string> handled;
    std::string warnOn;        // an instruction with this mnemonic queues a warning
    bool consumeNothing = false;

protected:
    BOOL CheckSectionStart() override { return Handled("section", CILParseContext::CheckSectionStart()); }
    BOOL CheckSectionEnd() override { return Handled("end", CILParseContext::CheckSectionEnd()); }
    BOOL CheckDeclaration() override { return Handled("declaration", CILParseContext::CheckDeclaration()); }
    BOOL CheckInstanceDeclaration() override
    {
        return Handled("instance", CILParseContext::CheckInstanceDeclaration());
    }
    BOOL CheckInstruction() override
    {
        if (consumeNothing) {
            handled.push_back("stuck");
            return FALSE;
        }
        const std::string mnemonic = m_cursor->GetText(false);
        if (mnemonic == warnOn)
            AddMessage(MSG_PAY_ATTENTION, MESSAGE_KIND_WARNING, "w");
        return Handled("instruction " + mnemonic, CILParseContext::CheckInstruction());
    }
    BOOL CheckLabel() override { return Handled("label", CILParseContext::CheckLabel()); }

private:
    BOOL Handled(const std::string& name, BOOL result)
    {
        handled.push_back(name);
        return result;
    }
};

class CILParseContextTest : public CompilerFixture {
protected:
    void SetUp() override
    {
        CompilerFixture::SetUp();
        CompilingFile(FILE_KIND_MAIN_PROGRAM, "MAIN");
    }

    static std::vector<std::string> Tokens(CILParseContext& context, const std::string& line)
    {
        context.SetLine(line);
        context.ClearLine();
        context.Tokenize();
        std::vector<std::string> texts;
        for (CILToken* token = context.GetFirstToken(); token; token = token->GetNext())
            texts.push_back(token->GetText(true));
        return texts;
    }

    static std::vector<std::string> Messages(CILParseContext& context)
    {
        std::vector<std::string> texts;
        int code = 0, kind = 0;
        std::string text;
        while (context.GetNextMessage(code, kind, text))
            texts.push_back(std::to_string(code) + "/" + std::to_string(kind) + " " + text);
        return texts;
    }
};

TEST_F(CILParseContextTest, LinesSplitAtTheSeparators)
{
    struct SplitCase {
        const char* line;
        std::vector<std::string> tokens;
    } const cases[] = {
        {"L1: LD %I0.0", {"L1", ":", "LD", "%I0.0"}},
        {"AND VB0, VB1", {"AND", "VB0", ",", "VB1"}},
        {"  A:=B ;", {"A", ":=", "B", ";"}},
        {"X\tY", {"X", "Y"}},
        {"LD(*c*)X", {"LD", "(*", "c", "*)", "X"}},
        {"AND( %I0.0", {"AND(", "%I0.0"}},
        {"A AT %VB0 : BYTE := 5;", {"A", "AT", "%VB0", ":", "BYTE", ":=", "5", ";"}},
        {"   ", {}},
    };
    for (const SplitCase& c : cases) {
        CILParseContext context;
        EXPECT_EQ(Tokens(context, c.line), c.tokens) << c.line;
    }
    // A separator is looked for in the first 1024 characters of the rest only.
    const std::string word1023(1023, 'X');
    const std::string word1024(1024, 'X');
    const std::string word2000(2000, 'X');
    struct LongCase {
        std::string line;
        std::vector<std::string> tokens;
    } const longCases[] = {
        {word1023 + " Y", {word1023, "Y"}},
        {word1024 + " Y", {word1024 + " Y"}},
        {"A " + word2000 + ",B", {"A", word2000 + ",B"}},
    };
    for (const LongCase& c : longCases) {
        CILParseContext context;
        EXPECT_EQ(Tokens(context, c.line), c.tokens) << c.line.size();
    }
}

TEST_F(CILParseContextTest, LineTokensAreClassified)
{
    AddLabel("MAIN.L1");
    struct ClassCase {
        const char* line;
        std::vector<int> classes;
    } const cases[] = {
        {"L1: LD %I0.0", {TOKEN_LABEL, TOKEN_KEYWORD, TOKEN_KEYWORD, TOKEN_DIRECT_ADDRESS}},
        {"ADD VW0, 16#FF", {TOKEN_FUNCTION, TOKEN_UNCLASSIFIED, TOKEN_SEPARATOR, TOKEN_CONSTANT}},
        {"ST %Q0.0 ; JMP L1", {TOKEN_KEYWORD, TOKEN_DIRECT_ADDRESS, TOKEN_KEYWORD, TOKEN_KEYWORD, TOKEN_LABEL}},
    };
    for (const ClassCase& c : cases) {
        CILParseContext context;
        Tokens(context, c.line);
        std::vector<int> classes;
        for (CILToken* token = context.GetFirstToken(); token; token = token->GetNext())
            classes.push_back(token->GetClass());
        EXPECT_EQ(classes, c.classes) << c.line;
    }
}

TEST_F(CILParseContextTest, StatementsGoToTheirHandlers)
{
    struct DispatchCase {
        int fileKind;
        bool inBlock;
        const char* line;
        std::vector<std::string> handled;
        std::vector<std::string> messages;
    } const cases[] = {
        {FILE_KIND_MAIN_PROGRAM, false, "LD %I0.0 ; ST %Q0.0", {"instruction LD", "instruction ST"}, {}},
        {FILE_KIND_MAIN_PROGRAM, false, "L1: LD %I0.0", {"label", "instruction LD"}, {}},
        {FILE_KIND_MAIN_PROGRAM, false, "ADD VW0, VW2", {"instruction ADD"}, {}},
        {FILE_KIND_MAIN_PROGRAM, false, "", {}, {}},
        {FILE_KIND_MAIN_PROGRAM, false, ";", {}, {}},
        {FILE_KIND_MAIN_PROGRAM, false, "X1 Y1", {}, {"22/0 \"X1\""}},
        {FILE_KIND_MAIN_PROGRAM, false, "x1 Y1 ; LD %I0.0", {"instruction LD"}, {"22/0 \"x1\""}},
        {FILE_KIND_MAIN_PROGRAM, false, "LD %I0.8", {"instruction LD"},
         {"41/0 \"%I0.8\" - Direct address is out of range"}},
        {FILE_KIND_MAIN_VARS, false, "VAR_INPUT", {"section"}, {}},
        {FILE_KIND_MAIN_VARS, true, "END_VAR", {"end"}, {}},
        {FILE_KIND_MAIN_VARS, true, "A AT %VB0 : BYTE ;", {"declaration"}, {}},
        {FILE_KIND_MAIN_VARS, true, "T37, T38 : TON;", {"instance"}, {}},
        {FILE_KIND_MAIN_VARS, true, "A : X", {"label"}, {"25/0 \"X\" - Invalid variable definition"}},
        {FILE_KIND_MAIN_VARS, true, "A : X ;", {}, {"25/0 \"A\" - Invalid variable definition"}},
        {FILE_KIND_MAIN_VARS, false, "A : X ;", {"label"}, {"22/0 \"X\""}},
    };
    for (const DispatchCase& c : cases) {
        g_CompileState.CurrentFileKind = c.fileKind;
        g_CompileState.InDeclarationBlock = c.inBlock;
        RecordingContext context;
        EXPECT_EQ(context.CheckLine(c.line), c.messages.empty()) << c.line;
        EXPECT_EQ(context.handled, c.handled) << c.line;
        EXPECT_EQ(Messages(context), c.messages) << c.line;
    }
}

TEST_F(CILParseContextTest, AWarningAloneFailsTheLine)
{
    RecordingContext context;
    context.warnOn = "ST";
    EXPECT_FALSE(context.CheckLine("LD %I0.0 ; ST %Q0.0"));
    EXPECT_EQ(Messages(context), std::vector<std::string>{"44/1 w"});
    EXPECT_TRUE(context.CheckLine("LD %I0.0"));
    EXPECT_EQ(context.GetMessageCount(), 0);
}

TEST_F(CILParseContextTest, CheckLineKeepsTheStoredLineWhenGivenNone)
{
    RecordingContext context;
    context.SetLine("X1 Y1");
    EXPECT_FALSE(context.CheckLine(""));
    EXPECT_EQ(context.GetLine(), "X1 Y1");
    EXPECT_FALSE(context.CheckAndEmitLine(1));
    EXPECT_EQ(Messages(context), std::vector<std::string>{"22/0 \"X1\""});
}

TEST_F(CILParseContextTest, AHandlerThatConsumesNothingDoesNotHoldTheLine)
{
    RecordingContext context;
    context.consumeNothing = true;
    EXPECT_TRUE(context.CheckLine("LD %I0.0 ; ST %Q0.0"));
    EXPECT_EQ(context.handled, std::vector<std::string>{"stuck"});
}

TEST_F(CILParseContextTest, StatementMarkingAndSearch)
{
    CILParseContext context;
    Tokens(context, "A , B ; C");
    EXPECT_EQ(context.FindText("B")->GetText(true), "B");
    EXPECT_EQ(context.FindSubClass(SUBCLASS_STATEMENT_END)->GetText(true), ";");
    context.MarkStatement(";");
    EXPECT_EQ(context.FindText("C")->GetText(true), ";"); // the statement end comes first
    EXPECT_FALSE(context.AdvanceCursor());
    EXPECT_EQ(context.FindText("C")->GetText(true), "C");
    EXPECT_EQ(context.FindText("Z"), nullptr);
    context.MarkStatement(";");
    EXPECT_TRUE(context.AdvanceCursor());
}

TEST_F(CILParseContextTest, POULabelIsShared)
{
    CILParseContext context;
    context.SetPOULabel("SBR02");
    EXPECT_EQ(context.GetPOULabel(), "SBR02");
    EXPECT_EQ(g_CompileState.CurrentPOULabel, "SBR02");
}

} // namespace
