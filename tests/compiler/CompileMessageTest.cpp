#include "CompilerFixture.h"

#include "compiler/CCompileMessage.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

struct FormatCase {
    int code;
    int kind;
    int row;
    const char* detail;
    const char* path;
    int ladder; // LadderSourceFlag
    const char* line;
};

class CompileMessageTest : public CompilerFixture {
protected:
    std::string Format(const FormatCase& c)
    {
        g_CompileState.LadderSourceFlag = c.ladder;
        CCompileMessage message({c.code, c.kind, c.row, c.detail, c.path});
        switch (c.kind) {
        case MESSAGE_KIND_ERROR: return message.FormatError();
        case MESSAGE_KIND_WARNING: return message.FormatWarning();
        default: return message.FormatInfo();
        }
    }
};

TEST_F(CompileMessageTest, LinesByKindRowAndFile)
{
    AddPOU("SBR03", "Pump", 3, POU_KIND_SUBROUTINE);
    g_CompileState.CurrentNetwork = 4;
    const FormatCase cases[] = {
        {30, 0, -2, "", "", 2, "$$$ [Error 030]The object file exceed 64k bytes:."},
        {42, 1, -2, "x", "", 2, "$$$ [Warning 042]Recursion call:x."},
        {8, 0, -1, "d", "/P/PROJ.CGV", 2, "        Global variable: [Error 008]File error;  d."},
        {8, 0, -1, "d", "/P/PROJ.QPJ", 2, "        In project: [Error 008]File error;  d."},
        {10, 0, -1, "", "/P/SBR03_PUMP.ILV", 2,
         "        Variable of the POU \"Pump\": [Error 010]The file does not exist;  ."},
        {25, 0, 7, "v", "/P/PROJ.CGV", 2, "        Global variable: [Error 025]Variable definition error;  v."},
        {25, 0, 7, "v", "/P/MAIN_MAIN.LDV", 2,
         "        Variable of the POU \"MAIN\": [Error 025]Variable definition error;  v."},
        {19, 0, 12, "\"X\" - Undefined variable", "/P/SBR03_PUMP.ILP", 1,
         "        POU \"Pump\" (NetWork: 4): [Error 019]Invalid operand;  \"X\" - Undefined variable."},
        {19, 0, 12, "z", "/P/SBR03_PUMP.ILP", 2, "        POU \"Pump\" (row 12): [Error 019]Invalid operand;  z."},
        {19, 0, 12, "z", "/P/SBR09_OTHER.ILP", 2,
         "        POU \"OTHER\" (row 12): [Error 019]Invalid operand;  z."},
        {8, 1, -1, "w", "/P/PROJ.QGV", 2, "        Global variable: [Error 008]File error;  w."},
        {8, 1, -1, "w", "/P/PROJ.QPJ", 2, "        In project: [Warning 008]File error;  w."},
        {8, 1, -1, "w", "/P/SBR03_PUMP.ILV", 2, "        Variable of the POU \"Pump\": [Error 008]File error;  w."},
        {27, 1, 3, "w", "/P/PROJ.CGV", 2, "        Global variable: [E027]Too long identifier, cut down to ;  w."},
        {27, 1, 3, "w", "/P/SBR03_PUMP.ILV", 2,
         "        Variable of the POU \"Pump\": [Error 027]Too long identifier, cut down to ;  w."},
        {39, 1, 3, "w", "/P/MAIN_MAIN.ILP", 1, "        POU \"MAIN\" (NetWork: 4): [Warning 039]Invalid network;  w."},
        {39, 1, 3, "w", "/P/MAIN_MAIN.ILP", 2, "        POU \"MAIN\" (row 3): [Warning 039]Invalid network;  w."},
        {2, 2, -2, "ignored", "", 2, "$$$ Handling variable $$$"},
        {5, 2, -2, "ignored", "", 2, " "},
        {7, 2, -1, "-d", "/P/SBR03_PUMP.ILP", 2, "$$$ Pump-d Compilation Finished "},
        {11, 2, -2, " 0 errors, 0 warnings. Total instructions 12 .", "", 2,
         "$$$ Compilation successful   :  0 errors, 0 warnings. Total instructions 12 ."},
        {12, 2, -2, "s", "", 2, "$$$ Compilation failed   : s"},
        {1, 2, -1, "", "/P/PROJ.CGV", 2, "$$$ compiling   : global variable ..."},
        {1, 2, -1, "", "/P/SBR03_PUMP.ILV", 2, "$$$ compiling   : The variable of POU \"Pump\" ..."},
        {1, 2, -1, "", "/P/MAIN_MAIN.ILP", 2, "$$$ compiling   : POU \"MAIN\" ..."},
        {45, 0, -2, "d", "", 2, "$$$ [Error 045]\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3!:d."},
        {-1, 2, -1, "", "/P/MAIN_MAIN.ILP", 2, "$$$ \xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3!: POU \"MAIN\" ..."},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(Format(c), c.line) << c.line;
}

TEST_F(CompileMessageTest, EveryCodeHasItsFixedText)
{
    EXPECT_EQ(CCompileMessage::TextOfCode(0), "Compilation successful ");
    EXPECT_EQ(CCompileMessage::TextOfCode(12), "Compilation failed   ");
    EXPECT_EQ(CCompileMessage::TextOfCode(28), "Data type does not match the \"load instruction\"");
    EXPECT_EQ(CCompileMessage::TextOfCode(44), "Pay attention");
    EXPECT_EQ(CCompileMessage::TextOfCode(20), CCompileMessage::TextOfCode(26));
    for (int code = 0; code < COMPILE_MESSAGE_COUNT; ++code)
        EXPECT_NE(CCompileMessage::TextOfCode(code), "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3!") << code;
}

TEST_F(CompileMessageTest, WriteCountsAndReachesTheListAndTheOutput)
{
    TempFolder folder;
    const std::string list = folder / "PROJ.COI";
    ASSERT_TRUE(CCompileMessageList::Open(list));
    CCompileMessage({19, MESSAGE_KIND_ERROR, 1, "a", "/P/MAIN_MAIN.ILP"}).Write();
    CCompileMessage({42, MESSAGE_KIND_WARNING, -2, "b", ""}).Write();
    CCompileMessage({2, MESSAGE_KIND_INFO, -2, "", ""}).Write();
    CCompileMessage({19, 3, 1, "nothing", "/P/MAIN_MAIN.ILP"}).Write();
    CCompileMessageList::Close();

    EXPECT_EQ(g_CompileState.FileErrorCount, 1);
    EXPECT_EQ(g_CompileState.FileWarningCount, 1);
    const std::vector<std::string> expected = {
        "        POU \"MAIN\" (row 1): [Error 019]Invalid operand;  a.",
        "$$$ [Warning 042]Recursion call:b.",
        "$$$ Handling variable $$$",
    };
    EXPECT_EQ(CompileLines(), expected);
    std::string text;
    for (const std::string& line : expected)
        text += line + "\r\n";
    EXPECT_EQ(ReadFileBytes(list), std::vector<BYTE>(text.begin(), text.end()));
}

TEST_F(CompileMessageTest, ClosedListStillShowsTheLine)
{
    CCompileMessage({44, MESSAGE_KIND_WARNING, -2, "", ""}).Write();
    EXPECT_EQ(CompileLines(), std::vector<std::string>{"$$$ [Warning 044]Pay attention:."});
}

} // namespace
