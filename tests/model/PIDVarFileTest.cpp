#include "AppDataFixture.h"

#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <string>

namespace {

const std::string TUNE_NOTE = "(* PID\xD7\xD4\xD5\xFB\xB6\xA8\xCA\xB1\xA3\xAC\xC0\xE0\xD0\xCDVAR_INPUT\xA3\xAC\xB7\xF1\xD4\xF2VAR *)";
const std::string ANALOG_NOTE =
    "(* \xC4\xA3\xC4\xE2\xC1\xBF\xCA\xE4\xB3\xF6\xCA\xB1\xA3\xAC\xC0\xE0\xD0\xCDVAR_OUTPUT,\xB7\xF1\xD4\xF2VAR *) ";
const std::string SWITCHED_NOTE =
    "(* \xBF\xAA\xB9\xD8\xC1\xBF\xCA\xE4\xB3\xF6\xCA\xB1\xA3\xAC\xC0\xE0\xD0\xCDVAR_OUTPUT,\xB7\xF1\xD4\xF2VAR *) ";

struct VarFileCase {
    int loop;
    int mode;
    int analog;
    std::string text;
};

class PIDVarFileTest : public AppDataFixture {
protected:
    void Generate(int loop, int mode, int analog)
    {
        m_app->CurrentPIDLoop = loop;
        m_app->PIDGenerateMode = mode;
        m_app->PIDLoops[loop].AnalogOutput = analog;
    }

    TempFolder m_folder;
    std::string m_path = m_folder / "SBR93_PID_3.ilv";
};

// The declarations per loop, mode and output type, with their blanks and CR LF.
TEST_F(PIDVarFileTest, DeclaresTheLoopInterfaceByModeAndOutputType)
{
    const VarFileCase cases[] = {
        {3, 1, 0,
         "VAR_INPUT\r\n"
         "P3_PV  AT  %LW34 : INT ; (*  *) \r\n"
         "P3_SP  AT  %LW36 : INT ; (*  *)\r\n"
         "P3_AUTO  AT  %L1.4 : BOOL ; (*  *)\r\n"
         "END_VAR\r\nVAR_OUTPUT\r\n"
         "P3_D_OUT  AT  %L1.6 : BOOL ; " + SWITCHED_NOTE + "\r\n"
         "END_VAR\r\nVAR\r\n"
         "P3_A_OUT  AT  %LW38 : INT ; " + ANALOG_NOTE + "\r\n"
         "P3_TUNE  AT  %L1.5 : BOOL ; " + TUNE_NOTE + "\r\n"
         "P3_NAUTO  AT  %L1.7 : BOOL ; (*  *) \r\n"
         "END_VAR\r\n"},
        {0, 2, 1,
         "VAR_INPUT\r\n"
         "P0_PV  AT  %LW16 : INT ; (*  *) \r\n"
         "P0_SP  AT  %LW18 : INT ; (*  *)\r\n"
         "P0_AUTO  AT  %L0.0 : BOOL ; (*  *)\r\n"
         "P0_TUNE  AT  %L0.1 : BOOL ; " + TUNE_NOTE + "\r\n"
         "END_VAR\r\nVAR_OUTPUT\r\n"
         "P0_A_OUT  AT  %LW20 : INT ; " + ANALOG_NOTE + "\r\n"
         "END_VAR\r\nVAR\r\n"
         "P0_D_OUT  AT  %L0.2 : BOOL ; " + SWITCHED_NOTE + "\r\n"
         "P0_NAUTO  AT  %L0.3 : BOOL ; (*  *) \r\n"
         "END_VAR\r\n"},
        {7, 1, 1,
         "VAR_INPUT\r\n"
         "P7_PV  AT  %LW58 : INT ; (*  *) \r\n"
         "P7_SP  AT  %LW60 : INT ; (*  *)\r\n"
         "P7_AUTO  AT  %L3.4 : BOOL ; (*  *)\r\n"
         "END_VAR\r\nVAR_OUTPUT\r\n"
         "P7_A_OUT  AT  %LW62 : INT ; " + ANALOG_NOTE + "\r\n"
         "END_VAR\r\nVAR\r\n"
         "P7_D_OUT  AT  %L3.6 : BOOL ; " + SWITCHED_NOTE + "\r\n"
         "P7_TUNE  AT  %L3.5 : BOOL ; " + TUNE_NOTE + "\r\n"
         "P7_NAUTO  AT  %L3.7 : BOOL ; (*  *) \r\n"
         "END_VAR\r\n"},
        {5, 2, 0,
         "VAR_INPUT\r\n"
         "P5_PV  AT  %LW46 : INT ; (*  *) \r\n"
         "P5_SP  AT  %LW48 : INT ; (*  *)\r\n"
         "P5_AUTO  AT  %L2.4 : BOOL ; (*  *)\r\n"
         "P5_TUNE  AT  %L2.5 : BOOL ; " + TUNE_NOTE + "\r\n"
         "END_VAR\r\nVAR_OUTPUT\r\n"
         "P5_D_OUT  AT  %L2.6 : BOOL ; " + SWITCHED_NOTE + "\r\n"
         "END_VAR\r\nVAR\r\n"
         "P5_A_OUT  AT  %LW50 : INT ; " + ANALOG_NOTE + "\r\n"
         "P5_NAUTO  AT  %L2.7 : BOOL ; (*  *) \r\n"
         "END_VAR\r\n"},
    };
    for (const VarFileCase& c : cases) {
        Generate(c.loop, c.mode, c.analog);
        EXPECT_TRUE(m_app->WritePIDVarFile(m_path)) << c.loop;
        EXPECT_EQ(c.text, ReadFileText(m_path)) << c.loop;
        EXPECT_EQ(0, m_app->PIDGenerateMode) << c.loop;
    }
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

// Once written, the mode is down: a later read by a variable view leaves the file alone.
TEST_F(PIDVarFileTest, OutsideAGenerationTheFileIsLeftAlone)
{
    WriteFileText(m_path, "VAR\r\nEND_VAR\r\n");
    for (int mode : {0, 3, -1}) {
        Generate(3, mode, 1);
        EXPECT_FALSE(m_app->WritePIDVarFile(m_path)) << mode;
        EXPECT_EQ("VAR\r\nEND_VAR\r\n", ReadFileText(m_path)) << mode;
        EXPECT_EQ(mode, m_app->PIDGenerateMode);
    }
    Generate(3, 1, 1);
    ASSERT_TRUE(m_app->WritePIDVarFile(m_path));
    const std::string written = ReadFileText(m_path);
    WriteFileText(m_path, "edited by the user\r\n");
    EXPECT_FALSE(m_app->WritePIDVarFile(m_path));
    EXPECT_EQ("edited by the user\r\n", ReadFileText(m_path));
    EXPECT_NE(written, ReadFileText(m_path));
}

TEST_F(PIDVarFileTest, AReadOnlyFileIsReplacedAndLeftWritable)
{
    WriteFileText(m_path, "old");
    ASSERT_TRUE(FileSystem::SetAttributes(m_path, FILE_ATTRIBUTE_READONLY));
    Generate(3, 2, 1);
    EXPECT_TRUE(m_app->WritePIDVarFile(m_path));
    EXPECT_EQ(0u, FileSystem::GetAttributes(m_path) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0u, ReadFileText(m_path).find("VAR_INPUT\r\nP3_PV"));
}

// A loop outside 0 to 7 writes nothing; a file that cannot be replaced is
// reported and stays as it was. Either way the generation is over.
TEST_F(PIDVarFileTest, ARefusedLoopOrAnUnwritableFileLeavesTheFileAsItWas)
{
    WriteFileText(m_path, "old");
    for (int loop : {8, -1}) {
        m_app->CurrentPIDLoop = loop;
        m_app->PIDGenerateMode = 1;
        EXPECT_FALSE(m_app->WritePIDVarFile(m_path)) << loop;
        EXPECT_EQ("old", ReadFileText(m_path));
        EXPECT_EQ(0, m_app->PIDGenerateMode);
    }

    const std::string blocked = m_folder / "SBR90_PID_0.ilv";
    ASSERT_TRUE(FileSystem::CreateFolder(blocked));
    Generate(0, 1, 1);
    EXPECT_FALSE(m_app->WritePIDVarFile(blocked));
    EXPECT_TRUE(FileSystem::FolderExists(blocked));
    EXPECT_EQ(0, m_app->PIDGenerateMode);
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ("\xCE\xC4\xBC\xFE " + blocked + " \xB4\xB4\xBD\xA8\xCA\xA7\xB0\xDC ", m_ui.box.Messages()[0].text);
    EXPECT_EQ(MB_ICONSTOP, m_ui.box.Messages()[0].type & MB_ICONMASK);
}

} // namespace
