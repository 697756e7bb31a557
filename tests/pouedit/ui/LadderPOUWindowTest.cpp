// LD POUs in the POU window with the ladder library's own programs: files
// written by the LD editor open as networks and save back unchanged, also
// after undo, redo and a new network; the IL and LD commands convert for
// real; the files an upload writes open as networks; a file that gives no
// network opens nothing; a failed save leaves the POU modified.

#include "LadderWindowFixture.h"

#include "../../plclink/ObjectCodeBuilder.h"

#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CLDProgram.h"
#include "plclink/CProjectCompiler.h"
#include "plclink/ICompileAllHost.h"
#include "plclink/UploadedPOUs.h"
#include "pouedit/CILProgram.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

namespace {

using B = ObjectCodeBuilder;

// The lines of a file with their line ends, runs of blanks and outer blanks
// dropped: what the compiler reads of them.
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(text)) {
        std::string words;
        for (char c : line) {
            if (c == '\r')
                continue;
            if (c == ' ' && (words.empty() || words.back() == ' '))
                continue;
            words += c;
        }
        while (!words.empty() && words.back() == ' ')
            words.pop_back();
        if (!words.empty())
            lines.push_back(words);
    }
    return lines;
}

class LadderPOUWindowTest : public LadderWindowFixture {
protected:
    // The file the LD editor writes for a program given as loose IL.
    std::string EditorFile(const std::string& il) { return LadderFile(SplitLines(il)); }

    int KeptAsIL() const
    {
        int kept = 0;
        const auto& items = Ladder()->GetItems();
        for (size_t i = 1; i < items.size(); i += 2)
            kept += static_cast<const CCoil*>(items[i].get())->GetGraphicalFlag() == 0 ? 1 : 0;
        return kept;
    }

    std::string SaveAndRead(const std::string& path)
    {
        EXPECT_TRUE(m_doc->OnSaveDocument(path));
        return ReadFileText(path);
    }

    CScopedUi m_ui;
};

const char* const LADDER_SOURCE = "(* Network 0 *)\n(*start\x01the pump*)\n"
                                  "LD %I0.0\nOR %I0.1\nAND(\nLD %I0.2\nOR %I0.3\n)\n"
                                  "MOVE %MW0, %MW2\nST %Q0.0\nS %Q0.1\n"
                                  "(* Network 1 *)\nLD %I0.4\nST %Q0.2\nAND %I0.5\n"
                                  "(* Network 2 *)\nLD %I1.0\nTON T19, %MW30\n"
                                  "__CR_EQ_1\nMOVE T19, %MW26\n__CR_RESTORE\nST %Q1.0";

TEST_F(LadderPOUWindowTest, AnEditorFileOpensAsNetworksAndSavesBackByteForByte)
{
    const std::string file = EditorFile(LADDER_SOURCE);
    ASSERT_FALSE(file.empty());
    const std::string path = m_folder / "MAIN_Pump.ilp";
    WriteFileText(path, file);

    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));
    ASSERT_NE(Ladder(), nullptr);
    EXPECT_EQ(m_view->GetEditor(), Ladder()->GetEditor());
    EXPECT_EQ(Ladder()->GetNetworkCount(), 3);
    EXPECT_EQ(KeptAsIL(), 1);
    EXPECT_EQ(Ladder()->GetName(), "Pump");
    EXPECT_EQ(Ladder()->GetUndoCount(), 1);
    EXPECT_EQ(SaveAndRead(path), file);

    // A new network, then undo and redo through the view's commands.
    ASSERT_TRUE(Ladder()->InsertNetwork());
    Ladder()->PushUndoSnapshot();
    const std::string grown = SaveAndRead(path);
    EXPECT_NE(grown, file);
    EXPECT_NE(grown.find("(* Network 3 *)"), std::string::npos);
    ASSERT_TRUE(RunCommand(ID_EDIT_UNDO));
    EXPECT_EQ(KeptAsIL(), 1);
    EXPECT_EQ(SaveAndRead(path), file);
    ASSERT_TRUE(RunCommand(ID_EDIT_REDO));
    EXPECT_EQ(SaveAndRead(path), grown);
}

TEST_F(LadderPOUWindowTest, TheILAndLDCommandsConvertThroughTheILText)
{
    const std::string file = EditorFile(LADDER_SOURCE);
    const std::string path = m_folder / "MAIN_Pump.ilp";
    WriteFileText(path, file);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));

    ASSERT_TRUE(RunCommand(ID_LANGUAGE_IL));
    auto* il = dynamic_cast<CILProgram*>(m_doc->GetProgram());
    ASSERT_NE(il, nullptr);
    EXPECT_EQ(m_node.language, POU_LANGUAGE_IL);
    EXPECT_EQ(il->GetLines()[0], "(* Network 0 *)");
    EXPECT_EQ(il->GetLines()[2], "LD      %I0.0");

    ASSERT_TRUE(RunCommand(ID_LANGUAGE_LD));
    ASSERT_NE(Ladder(), nullptr);
    EXPECT_EQ(m_node.language, POU_LANGUAGE_LD);
    EXPECT_EQ(m_view->GetEditor(), Ladder()->GetEditor());
    EXPECT_EQ(Ladder()->GetNetworkCount(), 3);
    EXPECT_EQ(KeptAsIL(), 1);
    EXPECT_EQ(Ladder()->GetUndoCount(), 1);
    // The IL editor laid out the lines of the network kept as IL in its columns.
    const std::string saved = SaveAndRead(path);
    EXPECT_EQ(Words(saved), Words(file));
    EXPECT_NE(saved.find("\r\nLD      %I0.4\r\n"), std::string::npos) << saved;
}

TEST_F(LadderPOUWindowTest, LadderIsRefusedWhileAnILLineHasAnError)
{
    const std::string path = m_folder / "SBR02_PUMP.ilp";
    WriteFileText(path, "(*1*)\r\n(* Network 0 *)\r\nNONSENSE %I0.0\r\n");
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL, NODE_SUBROUTINE));

    ASSERT_TRUE(RunCommand(ID_LANGUAGE_LD));
    EXPECT_EQ(m_ui.output.Lines(1),
              (std::vector<std::string> {"$$$ Some errors exist in ' PUMP ' , and unable to convert.  "}));
    EXPECT_NE(dynamic_cast<CILProgram*>(m_doc->GetProgram()), nullptr);
    EXPECT_EQ(m_node.language, POU_LANGUAGE_IL);
}

TEST_F(LadderPOUWindowTest, UploadedLadderPOUsOpenAsNetworksAndSaveTheirLines)
{
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF, 2).Op(B::NETWORK).Op(B::LD).Addr("%I0.0").Op(B::AND).Addr("%I0.1")
                                       .Op(B::ST).Addr("%Q0.0").Op(B::NETWORK).Op(B::LD).Addr("%I0.2")
                                       .Op(B::AND_OPEN).Op(B::LD).Addr("%I0.3").Op(B::CLOSE).Op(B::ST).Addr("%Q0.1")
                                       .Op(B::NETWORK).Op(B::LD).Addr("%I0.5").Op(B::ST).Addr("%Q0.3")
                                       .Op(B::AND).Addr("%I0.6").Op(B::ST).Addr("%Q0.4").Op(B::MPEND)
                                       .Pou(2, 1, 2).Op(B::NETWORK).Op(B::LD).Addr("%I0.4").Op(B::ST).Addr("%Q0.2")
                                       .Op(B::NETWORK).Op(B::LBL).Word(3).Op(B::SPEND)
                                       .Finish();
    ASSERT_TRUE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), nullptr, 0, m_app->Project));

    struct Pou {
        const char* file;
        int kind;
        int networks;
        int keptAsIL;
    };
    const Pou pous[] = {{"MAIN_MAIN.ilp", NODE_MAIN, 3, 2}, {"SBR01_SBR_1.ilp", NODE_SUBROUTINE, 2, 0}};
    for (const Pou& pou : pous) {
        SCOPED_TRACE(pou.file);
        const std::string path = m_folder / pou.file;
        const std::string uploaded = ReadFileText(path);
        ASSERT_EQ(uploaded.compare(0, 5, "(*2*)"), 0) << uploaded;
        ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD, pou.kind));
        ASSERT_NE(Ladder(), nullptr);
        EXPECT_EQ(Ladder()->GetNetworkCount(), pou.networks);
        EXPECT_EQ(KeptAsIL(), pou.keptAsIL);
        const std::string saved = SaveAndRead(path);
        EXPECT_EQ(Words(saved), Words(uploaded));
        CloseWindow();

        ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD, pou.kind));
        EXPECT_EQ(SaveAndRead(path), saved);
        CloseWindow();
    }
}

TEST_F(LadderPOUWindowTest, AFileThatGivesNoNetworkOpensNothingAndStaysAsItIs)
{
    const std::string texts[] = {"(*2*)\r\n\r\n", "(*2*)\r\n   \r\n\r\n"};
    for (const std::string& text : texts) {
        const std::string path = m_folder / "MAIN_Broken.ilp";
        WriteFileText(path, text);
        EXPECT_FALSE(OpenWindow(path, POU_LANGUAGE_LD));
        EXPECT_EQ(ReadFileText(path), text);
        CloseWindow();
    }
    EXPECT_FALSE(OpenWindow(m_folder / "MAIN_Missing.ilp", POU_LANGUAGE_LD));
    EXPECT_FALSE(FileSystem::FileExists(m_folder / "MAIN_Missing.ilp"));
}

TEST_F(LadderPOUWindowTest, OnlyASuccessfulSaveClearsTheModifiedMark)
{
    const std::string path = m_folder / "MAIN_Pump.ilp";
    const std::string file = EditorFile(LADDER_SOURCE);
    WriteFileText(path, file);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));
    m_doc->SetModifiedFlag(TRUE);

    EXPECT_FALSE(m_doc->OnSaveDocument(m_folder / "gone/MAIN_Pump.ilp"));
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(ReadFileText(path), file);
    EXPECT_TRUE(m_doc->OnSaveDocument(path));
    EXPECT_FALSE(m_doc->IsModified());
}

} // namespace

namespace {

class CSilentCompileHost : public ICompileAllHost {
public:
    void EndPendingEdit() override {}
    void ShowOutputPane() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    BOOL SaveAllProjectFiles() override { return TRUE; }
    void ScrollCompileListToEnd() override {}
    void RefreshCrossReference(int, int) override {}
};

// Drawable networks, and one that stays IL (a bracket around a lone load).
const char* const COMPILED_SOURCE = "(* Network 0 *)\n(*start*)\nLD %I0.0\nOR %I0.1\nAND(\nLD %I0.2\nOR %I0.3\n)\n"
                                    "MOVE %MW0, %MW2\nST %Q0.0\nS %Q0.1\n"
                                    "(* Network 1 *)\nLD %I0.4\nAND(\nLD %I0.5\n)\nST %Q0.2\n"
                                    "(* Network 2 *)\nLD %I1.0\nTON T19, %MW30\nST %Q1.0";

// A project whose MAIN is the LD program; its object code is what an upload reads back.
TEST_F(LadderPOUWindowTest, UploadedLadderSavedUnchangedCompilesToTheUploadedObjectCode)
{
    std::string path;
    ASSERT_TRUE(CreateLadderMainProject(&path));
    CZULProject& project = m_app->Project;
    WriteFileText(path, EditorFile(COMPILED_SOURCE));
    WriteFileText(project.ProjectFolder + "/MAIN_MAIN.ilv", "VAR\r\nEND_VAR\r\n");

    CSilentCompileHost host;
    auto compile = [&]() {
        CProjectCompiler compiler(*m_app, host);
        const BOOL compiled = compiler.CompileAll();
        const std::vector<std::string> lines = m_ui.output.Lines(1);
        std::string all;
        for (const std::string& line : lines)
            all += line + "\n";
        EXPECT_TRUE(compiled) << all;
        return ReadFileBytes(project.ProjectFolder + "/demo.EPL");
    };
    const std::vector<unsigned char> code = compile();
    ASSERT_FALSE(code.empty());

    ASSERT_TRUE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), nullptr, 0, project));
    // The window takes the language from the tree node, not from the file.
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));
    ASSERT_NE(Ladder(), nullptr);
    EXPECT_EQ(Ladder()->GetNetworkCount(), 3);
    EXPECT_EQ(KeptAsIL(), 1);
    ASSERT_TRUE(m_doc->OnSaveDocument(path));
    CloseWindow();

    EXPECT_EQ(compile(), code);
}

} // namespace
