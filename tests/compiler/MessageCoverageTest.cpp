// Every message code must be produced by some input of the compiler. Codes
// that no part built so far can produce are listed; the list shrinks as the
// declaration, structure, instruction, pass and driver checks arrive, and a
// listed code that becomes reachable fails the test until it is removed.
#include "CompilerFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CILParseContext.h"
#include "compiler/CILToken.h"
#include "compiler/CPOUCompiler.h"
#include "support/TempFolder.h"

#include <fstream>
#include <regex>
#include <set>

namespace {

const std::set<int> kNotReachableYet = {
    0, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 23, 24, 27, 28,
    30, 31, 32, 33, 34, 35, 36, 37, 39, 40, 42, 43, 44,
};

class MessageCoverageTest : public CompilerFixture {
protected:
    void Collect(CILToken& token)
    {
        int code = 0, kind = 0;
        std::string text;
        while (token.NextMessage(code, kind, text))
            m_codes.insert(code);
    }
    void Collect(CILParseContext& context)
    {
        int code = 0, kind = 0;
        std::string text;
        while (context.GetNextMessage(code, kind, text))
            m_codes.insert(code);
    }
    // Codes of the lines written to the Compile list.
    void CollectOutput()
    {
        static const std::regex bracket(R"(\[(?:Error |Warning |E)(\d{3})\])");
        for (const std::string& line : CompileLines()) {
            std::smatch match;
            if (std::regex_search(line, match, bracket)) {
                m_codes.insert(std::stoi(match[1]));
                continue;
            }
            for (int code = 0; code < COMPILE_MESSAGE_COUNT; ++code) {
                if (line.rfind("$$$ " + CCompileMessage::TextOfCode(code) + ":", 0) == 0)
                    m_codes.insert(code);
            }
        }
    }

    void RunTokenChecks()
    {
        CILToken token("X");
        token.CheckUserIdentifier("__X", 1);
        Collect(token);
        token.CheckDirectAddress("%I0.8", OT_BOOL, false);
        Collect(token);
        CConstantValue value;
        token.CheckConstantOperand("1.0E-39", OT_REAL, value);
        Collect(token);
        CILToken unknown("NOTHING");
        unknown.Classify();
        COperandDesc desc;
        unknown.BuildOperand(OT_INPUT, desc, false);
        Collect(unknown);
    }

    void RunStatements()
    {
        CILParseContext context;
        g_CompileState.CurrentFileKind = FILE_KIND_MAIN_PROGRAM;
        context.CheckLine("X1 Y1");
        Collect(context);
        g_CompileState.CurrentFileKind = FILE_KIND_MAIN_VARS;
        g_CompileState.InDeclarationBlock = true;
        context.CheckLine("A : X ;");
        Collect(context);
        g_CompileState.InDeclarationBlock = false;
    }

    void RunCompileUnit()
    {
        TempFolder folder;
        const std::string project = folder / "DEMO.QPJ";
        const std::string vars = folder / "MAIN_MAIN.CIV";
        std::ofstream(vars) << "VAR\r\nEND_VAR\r\n";
        CPOUCompiler unit("", "");
        unit.CompileFile(nullptr, nullptr);
        for (const std::string& source : {folder / "MAIN_MAIN.TXT", folder / "MAIN_MAIN.ILP"}) {
            unit.SetFile(source, project);
            unit.CompileFile(nullptr, nullptr);
        }
        for (int i = 0; i <= PRECOMPILED_FILE_LIMIT; ++i) {
            unit.SetFile(vars, project);
            unit.CompileFile(nullptr, nullptr);
        }
        CollectOutput();
    }

    std::set<int> m_codes;
};

TEST_F(MessageCoverageTest, EveryCodeIsProducedOrListedAsNotYetReachable)
{
    RunTokenChecks();
    RunStatements();
    RunCompileUnit();
    for (int code = 0; code < COMPILE_MESSAGE_COUNT; ++code) {
        const bool listed = kNotReachableYet.count(code) != 0;
        const bool produced = m_codes.count(code) != 0;
        EXPECT_NE(listed, produced) << "code " << code << (listed ? " is produced: take it off the list"
                                                                  : " is produced by no input");
    }
}

} // namespace
