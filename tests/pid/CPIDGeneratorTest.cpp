#include "PIDGeneratorFixture.h"

#include "pid/CPIDGenerator.h"
#include "pid/PIDTemplate.h"

#include "platform/FileSystem.h"

namespace {

using Names = std::vector<std::string>;

const char* const REGENERATED_0 =
    "\xD2\xD1\xBE\xAD\xD6\xD8\xD0\xC2\xC9\xFA\xB3\xC9PID 0 \xB5\xC4\xB3\xCC\xD0\xF2\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9"
    "\xD4\xDAMAIN\xD6\xD0\xB5\xC4PID 0 \xB5\xC4\xB5\xF7\xD3\xC3\xCA\xC7\xB7\xF1\xD0\xE8\xD2\xAA\xD0\xDE\xB8\xC4";

class CPIDGeneratorTest : public PIDGeneratorFixture {
protected:
    BOOL Generate(int mode)
    {
        CPIDGenerator generator(*m_app, m_host);
        return generator.GeneratePIDCode(mode);
    }

    std::string TemplateProgram() const
    {
        std::vector<std::string> lines;
        BuildCurrentPIDLoopIL(*m_app, lines);
        return CPIDGenerator::ProgramText(lines);
    }

    std::string VarFileText() const
    {
        std::string text;
        EXPECT_TRUE(m_app->BuildPIDVarFileText(text));
        return text;
    }

    Names Texts() const { return m_ui.box.Texts(); }
};

struct InterfaceCase {
    int loop;
    int mode;
    int analog;
    Names inputs;
    Names outputs;
};

// Both files rewritten in place, the interface rebuilt from the new variable
// file, the catalogue refreshed and the user told to check the call in MAIN.
TEST_F(CPIDGeneratorTest, AnExistingSubroutineIsRegeneratedInPlace)
{
    const InterfaceCase cases[] = {
        {0, PID_GENERATE_AUTOTUNE, 1, {"EN", "P0_PV", "P0_SP", "P0_AUTO", "P0_TUNE"}, {"ENO", "P0_A_OUT"}},
        {3, PID_GENERATE_WIZARD, 0, {"EN", "P3_PV", "P3_SP", "P3_AUTO"}, {"ENO", "P3_D_OUT"}},
        {7, PID_GENERATE_AUTOTUNE, 0, {"EN", "P7_PV", "P7_SP", "P7_AUTO", "P7_TUNE"}, {"ENO", "P7_D_OUT"}},
    };
    for (const InterfaceCase& c : cases) {
        AddPIDSubroutine(c.loop);
        m_app->PIDLoops[c.loop].AnalogOutput = c.analog;
        m_app->PIDLoops[c.loop].KP = 1.5f;
        m_host.calls.clear();
        m_ui.box.Clear();

        EXPECT_TRUE(Generate(c.mode)) << c.loop;

        EXPECT_EQ(TemplateProgram(), ReadFileText(ProgramPath())) << c.loop;
        EXPECT_NE(std::string::npos, ReadFileText(ProgramPath()).find("MOVE    1.500000, %VR")) << c.loop;
        m_app->PIDGenerateMode = c.mode;
        EXPECT_EQ(VarFileText(), ReadFileText(VarPath())) << c.loop;
        m_app->PIDGenerateMode = PID_GENERATE_NONE;
        CZULFunc* function = nullptr;
        ASSERT_TRUE(Project().POUs.FindSubroutineInterface(ByteString::Format("PID_%d", c.loop), function));
        EXPECT_EQ(90 + c.loop, function->number);
        EXPECT_EQ(c.inputs, ParamNames(function->inputs)) << c.loop;
        EXPECT_EQ(c.outputs, ParamNames(function->outputs)) << c.loop;
        EXPECT_EQ((Names{ByteString::Format("select SBR%d", 90 + c.loop), "catalogue"}), m_host.calls);
        ASSERT_EQ(1u, m_ui.box.Messages().size());
        EXPECT_EQ(MB_ICONSTOP, m_ui.box.Messages()[0].type & MB_ICONMASK);
        EXPECT_EQ(0, m_app->PIDGenerateMode);
    }
}

TEST_F(CPIDGeneratorTest, TheFinalMessageNamesTheLoopAndTheProgramHoldsTheGoldenTemplate)
{
    AddPIDSubroutine(0);
    ASSERT_TRUE(Generate(PID_GENERATE_WIZARD));
    EXPECT_TRUE(FilesEqual(std::string(PID_GOLDEN_DIR) + "/SBR90_PID_0.ilp", ProgramPath()));
    EXPECT_EQ(Names{REGENERATED_0}, Texts());
}

struct OpenDocumentCase {
    const char* what;
    bool modified;
    int answer;
    BOOL saved;
    bool regenerated;
    Names calls;
};

// An open window of the subroutine shows the old program: unsaved edits are
// asked about, and the window closes once the files hold the template.
TEST_F(CPIDGeneratorTest, AnOpenDocumentIsAskedAboutAndClosed)
{
    const OpenDocumentCase cases[] = {
        {"unmodified", false, 0, TRUE, true,
         {"select SBR92", "discard SBR92_PID_2.ilp", "close SBR92_PID_2.ilp", "catalogue"}},
        {"saved first", true, IDYES, TRUE, true,
         {"save SBR92_PID_2.ilp", "select SBR92", "discard SBR92_PID_2.ilp", "close SBR92_PID_2.ilp", "catalogue"}},
        {"discarded", true, IDNO, TRUE, true,
         {"select SBR92", "discard SBR92_PID_2.ilp", "close SBR92_PID_2.ilp", "catalogue"}},
        {"cancelled", true, IDCANCEL, TRUE, false, {}},
        {"save failed", true, IDYES, FALSE, false, {"save SBR92_PID_2.ilp"}},
    };
    for (const OpenDocumentCase& c : cases) {
        AddPIDSubroutine(2);
        m_host.calls.clear();
        m_ui.box.Clear();
        m_host.openDocuments = {InProject("MAIN_MAIN.ilp"), ProgramPath()};
        m_host.modified.clear();
        if (c.modified)
            m_host.modified.insert(ProgramPath());
        m_host.saveResult = c.saved;
        if (c.answer)
            m_ui.box.Answer(c.answer);

        EXPECT_EQ(c.regenerated, Generate(PID_GENERATE_WIZARD) == TRUE) << c.what;

        EXPECT_EQ(c.calls, m_host.calls) << c.what;
        EXPECT_EQ(!c.regenerated, FilesAreOld()) << c.what;
        const std::vector<RecordedMessage> messages = m_ui.box.Messages();
        ASSERT_EQ(size_t(c.modified) + size_t(c.regenerated), messages.size()) << c.what;
        if (c.modified) {
            EXPECT_EQ(MB_YESNOCANCEL, messages[0].type & MB_TYPEMASK) << c.what;
            EXPECT_NE(std::string::npos, messages[0].text.find(ProgramPath())) << c.what;
        }
        EXPECT_EQ(0, m_app->PIDGenerateMode) << c.what;
    }
}

TEST_F(CPIDGeneratorTest, ReadOnlyFilesAreReplacedAndLeftWritable)
{
    AddPIDSubroutine(1);
    ASSERT_TRUE(FileSystem::SetAttributes(ProgramPath(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(FileSystem::SetAttributes(VarPath(), FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(Generate(PID_GENERATE_WIZARD));

    EXPECT_EQ(TemplateProgram(), ReadFileText(ProgramPath()));
    EXPECT_EQ(0u, ReadFileText(VarPath()).find("VAR_INPUT\r\nP1_PV  AT  %LW22"));
    EXPECT_EQ(0u, FileSystem::GetAttributes(ProgramPath()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0u, FileSystem::GetAttributes(VarPath()) & FILE_ATTRIBUTE_READONLY);
}

// The first failure stops the regeneration: program and variable file stay
// as they were, nothing is refreshed and no success is announced.
TEST_F(CPIDGeneratorTest, AFileThatCannotBeWrittenLeavesBothFilesAsTheyWere)
{
    AddPIDSubroutine(4);
    const std::string program = ProgramPath();
    const std::string variables = VarPath();

    FileSystem::DeleteFile(program);
    ASSERT_TRUE(FileSystem::CreateFolder(program));
    EXPECT_FALSE(Generate(PID_GENERATE_WIZARD));
    EXPECT_EQ(OLD_VARIABLES, ReadFileText(variables));
    EXPECT_TRUE(FileSystem::FolderExists(program));
    EXPECT_EQ(Names{"\xCE\xC4\xBC\xFE " + program + " \xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC"}, Texts());
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_EQ(0, m_app->PIDGenerateMode);

    ASSERT_TRUE(FileSystem::DeleteTree(program));
    WriteFileText(program, OLD_PROGRAM);
    FileSystem::DeleteFile(variables);
    ASSERT_TRUE(FileSystem::CreateFolder(variables));
    m_ui.box.Clear();
    EXPECT_FALSE(Generate(PID_GENERATE_AUTOTUNE));
    EXPECT_EQ(OLD_PROGRAM, ReadFileText(program));
    EXPECT_EQ(Names{"\xCE\xC4\xBC\xFE " + variables + " \xB4\xB4\xBD\xA8\xCA\xA7\xB0\xDC "}, Texts());
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_EQ(0, m_app->PIDGenerateMode);
}

TEST_F(CPIDGeneratorTest, ALoopOutsideTheRangeIsRefusedAndNothingIsWritten)
{
    AddPIDSubroutine(0);
    for (int loop : {8, -1}) {
        m_app->CurrentPIDLoop = loop;
        m_ui.box.Clear();
        EXPECT_FALSE(Generate(PID_GENERATE_WIZARD)) << loop;
        CPIDGenerator generator(*m_app, m_host);
        m_app->PIDGenerateMode = PID_GENERATE_WIZARD;
        EXPECT_FALSE(generator.RegeneratePIDProgram(InProject("SBR90_PID_0.ilp"))) << loop;
        EXPECT_EQ(2u, Texts().size()) << loop;
        EXPECT_NE(std::string::npos, Texts()[0].find(std::to_string(loop))) << loop;
    }
    m_app->CurrentPIDLoop = 0;
    EXPECT_TRUE(FilesAreOld());
    EXPECT_TRUE(m_host.calls.empty());
}

TEST_F(CPIDGeneratorTest, AMissingSubroutineIsCreatedThroughTheProjectTree)
{
    m_app->CurrentPIDLoop = 5;
    EXPECT_TRUE(Generate(PID_GENERATE_AUTOTUNE));
    EXPECT_EQ(Names{"new POU"}, m_host.calls);
    EXPECT_EQ(PID_GENERATE_AUTOTUNE, m_host.modeDuringNewPOU);
    EXPECT_EQ(0, m_app->PIDGenerateMode);
    EXPECT_TRUE(Texts().empty());
}

// Without its tree item the files are still written; the interface and the
// catalogue are left as they were.
TEST_F(CPIDGeneratorTest, ASubroutineMissingFromTheTreeStillGetsItsFiles)
{
    AddPIDSubroutine(6);
    m_host.treeNode = nullptr;
    EXPECT_TRUE(Generate(PID_GENERATE_WIZARD));
    EXPECT_EQ(TemplateProgram(), ReadFileText(ProgramPath()));
    EXPECT_NE(OLD_VARIABLES, ReadFileText(VarPath()));
    EXPECT_EQ(Names{"select SBR96"}, m_host.calls);
    CZULFunc* function = nullptr;
    ASSERT_TRUE(Project().POUs.FindSubroutineInterface("PID_6", function));
    EXPECT_EQ(0, function->GetInputCount());
    EXPECT_EQ(1u, Texts().size());
}

} // namespace
