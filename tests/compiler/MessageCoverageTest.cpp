// Every message code must be produced by some input of the compiler. Codes
// that no input produces yet are listed; a listed code that becomes
// reachable fails the test until it is removed.
#include "ProjectFolderFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CILCompiler.h"
#include "compiler/CILParseContext.h"
#include "compiler/CILToken.h"
#include "compiler/CPOUCompiler.h"
#include "compiler/CPOUPassCompiler.h"
#include "platform/ByteString.h"
#include "support/TempFolder.h"

#include <fstream>
#include <regex>
#include <set>

namespace {

const std::set<int> kNotReachableYet = {
    0, 6, 7, 13, 20, 21, 23, 27, 28, 31, 32, 33, 34, 35, 36, 40,
};

constexpr int FAMILY_INDEX_VC14 = 6;
const char kNetwork[] = "(* Network 0 *)\r\nLD %I0.0\r\nST %Q0.0\r\n";

class MessageCoverageTest : public ProjectFolderFixture {
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
                const std::string text = CCompileMessage::TextOfCode(code);
                // The phase lines show the text alone, the others after "$$$ ".
                if (line == text || line.rfind("$$$ " + text + ":", 0) == 0)
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

    // Whole compilations of small projects in the project folder.
    void CompileProject(const std::vector<std::string>& stems)
    {
        std::vector<std::string> list = FileList(stems);
        CILCompiler compiler(list.data(), int(list.size()));
        compiler.Compile();
    }

    void RunProjects()
    {
        // A clean project, then one whose MAIN has a line too long, a
        // label defined twice, a label that is no name, a call of a
        // subroutine that does not exist and a load of a word that the network
        // leaves hanging.
        WritePOU("MAIN_Main", kNetwork);
        CompileProject({"MAIN_Main"});
        WritePOU("MAIN_Main", std::string(kNetwork) + "LD" + std::string(MAX_PRECOMPILE_LINE, ' ') +
                                  "%I0.1\r\nL1:\r\nL1:\r\n1L:\r\nCAL SBR09\r\nLD %VW0\r\n");
        CompileProject({"MAIN_Main"});
        // Two subroutines that call each other.
        WritePOU("MAIN_Main", std::string(kNetwork) + "CAL SBR00\r\n");
        WritePOU("SBR00_Ping", std::string(kNetwork) + "CAL SBR01\r\n");
        WritePOU("SBR01_Pong", std::string(kNetwork) + "CAL SBR00\r\n");
        CompileProject({"MAIN_Main", "SBR00_Ping", "SBR01_Pong"});
        // Nothing but the project file: no instruction at all.
        CompileProject({});
        // A CANopen network with two slaves on one byte and a slave of an
        // unknown type.
        UseFamily(FAMILY_INDEX_VC14);
        CZULProject& project = m_app->Project;
        project.ResetCanOpenConfig();
        for (int slot = 0; slot < 2; ++slot) {
            project.CanOpenSlaves[slot].Name = "CANOPEN_IO";
            project.CanOpenSlaves[slot].RPDO[0].Rows[0].ODName = "uIO_inPut";
            project.CanOpenSlaves[slot].RPDO[0].Rows[0].Mem = "%VB0";
        }
        project.CanOpenSlaves[2].Name = "NO_SUCH_TYPE";
        WritePOU("MAIN_Main", kNetwork);
        CompileProject({"MAIN_Main"});
        CollectOutput();
    }

    // The object size limit, which no small project reaches.
    void RunObjectLimit()
    {
        CILCompiler compiler(nullptr, 0);
        g_CompileState.ObjectOffset = MAX_OBJECT_BYTES + 1;
        g_CompileState.InstructionCounter = 0;
        compiler.CheckLimits(false);
        CollectOutput();
    }

    std::set<int> m_codes;
};

TEST_F(MessageCoverageTest, EveryCodeIsProducedOrListedAsNotYetReachable)
{
    RunTokenChecks();
    RunStatements();
    RunCompileUnit();
    RunProjects();
    RunObjectLimit();
    for (int code = 0; code < COMPILE_MESSAGE_COUNT; ++code) {
        const bool listed = kNotReachableYet.count(code) != 0;
        const bool produced = m_codes.count(code) != 0;
        EXPECT_NE(listed, produced) << "code " << code << (listed ? " is produced: take it off the list"
                                                                  : " is produced by no input");
    }
}

} // namespace
