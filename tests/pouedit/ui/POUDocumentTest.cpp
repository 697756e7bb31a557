// The POU document on real files: framing, names and titles, the save
// prompt, attributes after opening, unreadable and unwritable files, and
// the language switch through the program factory.

#include "POUWindowFixture.h"

#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "platform/FileSystem.h"
#include "platform/ui/CMultiDocTemplate.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string IL_FILE = "(*1*)\r\n"
                            "(* Network 0 *)\r\n"
                            "LD      %I0.0\r\n"
                            "ST      %Q0.0\r\n"
                            "\r\n";

CILProgram* ILProgramOf(CPOUEditorDoc& doc)
{
    return dynamic_cast<CILProgram*>(doc.GetProgram());
}

BOOL OwnerMayWrite(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) ? TRUE : FALSE;
}

} // namespace

class POUDocumentTest : public POUWindowFixture {};

TEST_F(POUDocumentTest, ILFileOpensWithCodeViewAndSavesBackByteForByte)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));

    ASSERT_NE(ILProgramOf(*m_doc), nullptr);
    EXPECT_EQ(m_doc->GetEditorView(), m_view);
    EXPECT_EQ(m_view->GetEditor(), m_doc->GetProgram()->GetEditor());
    EXPECT_EQ(ILProgramOf(*m_doc)->GetLines(),
              (std::vector<std::string> {"(* Network 0 *)", "LD      %I0.0", "ST      %Q0.0", ""}));
    EXPECT_EQ(m_doc->GetVarPathName(), m_folder / "MAIN_MAIN.ilv");

    const std::string copy = m_folder / "MAIN_COPY.ilp";
    ASSERT_TRUE(m_doc->OnSaveDocument(copy));
    EXPECT_EQ(ReadFileText(copy), IL_FILE);
}

TEST_F(POUDocumentTest, LanguageLineIsDroppedOnlyWhenItIsOne)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"(*2*)\r\nLD      %I0.0\r\n", {"(* Network 0 *)", "LD      %I0.0"}},
        {"(*17*)\nLD      %I0.0\r\n", {"(* Network 0 *)", "LD      %I0.0"}},
        // A hand-made file keeps its first line.
        {"LD      %I0.0\r\nST      %Q0.0\r\n", {"(* Network 0 *)", "LD      %I0.0", "ST      %Q0.0"}},
        {"(* Network 0 *)\r\nLD      %I0.0\r\n", {"(* Network 0 *)", "LD      %I0.0"}},
        {"(*x*)\r\nLD      %I0.0\r\n", {"(* Network 0 *)", "(*x*)", "LD      %I0.0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = m_folder / "MAIN_MAIN.ilp";
        WriteFileText(path, c.text);
        ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));
        EXPECT_EQ(ILProgramOf(*m_doc)->GetLines(), c.lines);
        CloseWindow();
    }
}

TEST_F(POUDocumentTest, RowOfAFileWithoutLanguageLineLeadsToItsProgramLine)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, "LD      %I0.0\r\nST      %Q0.0\r\n");
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));

    ASSERT_TRUE(m_doc->GoToLine(3));
    CILProgram& program = *ILProgramOf(*m_doc);
    EXPECT_EQ(program.GetLines()[program.GetILEditor().GetGoToLine()], "ST      %Q0.0");
    EXPECT_FALSE(m_doc->GoToLine(4));
}

TEST_F(POUDocumentTest, NamesAndTitlesComeFromTheFileName)
{
    struct Case {
        const char* file;
        const char* name;
    };
    const Case cases[] = {
        {"SBR03_PUMP.ilp", "PUMP"},
        {"MAIN_MAIN.ilp", "MAIN"},
        {"INT01_TIMER_A.ilp", "TIMER_A"},
        {"PLAIN.ilp", "PLAIN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = m_folder / c.file;
        WriteFileText(path, IL_FILE);
        ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));
        EXPECT_EQ(m_doc->GetPOUName(), c.name);
        EXPECT_EQ(m_doc->GetTitle(), c.name);
        m_doc->SetModifiedFlag(TRUE);
        EXPECT_EQ(m_doc->GetTitle(), std::string(c.name) + " *");
        m_doc->SetModifiedFlag(FALSE);
        EXPECT_EQ(m_doc->GetTitle(), c.name);
        CloseWindow();
    }
}

TEST_F(POUDocumentTest, VariableFilePathFollowsOnlyAPouFileExtension)
{
    const std::string path = m_folder / "SBR01_MOTOR.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL, NODE_SUBROUTINE));
    EXPECT_TRUE(m_doc->IsSubroutine());

    ASSERT_TRUE(m_doc->OnSaveDocument(m_folder / "SBR01_OTHER.ILP"));
    EXPECT_EQ(m_doc->GetVarPathName(), m_folder / "SBR01_OTHER.ilv");
    ASSERT_TRUE(m_doc->OnSaveDocument(m_folder / "SBR01_OTHER.txt"));
    EXPECT_EQ(m_doc->GetVarPathName(), m_folder / "SBR01_OTHER.ilv");
}

TEST_F(POUDocumentTest, SavePromptFollowsTheAnswer)
{
    const std::string path = m_folder / "SBR03_PUMP.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));
    const std::string expectedText = "Do you want to save the changes to PUMP  ?";

    EXPECT_TRUE(m_doc->SaveModified());
    EXPECT_TRUE(m_ui.box.Messages().empty()) << "an unmodified POU closes without asking";

    m_frame->activateWindow();
    m_doc->SetModifiedFlag(TRUE);
    ILProgramOf(*m_doc)->GetLines()[2] = "LD      %I0.1";
    m_ui.box.Answer(IDCANCEL);
    EXPECT_FALSE(m_doc->SaveModified());
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note");
    EXPECT_EQ(m_ui.box.Messages()[0].text, expectedText);
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    WaitFor([&] { return m_view->hasFocus(); });
    EXPECT_TRUE(m_view->hasFocus());
    EXPECT_EQ(ReadFileText(path), IL_FILE);

    m_ui.box.Answer(IDYES);
    EXPECT_TRUE(m_doc->SaveModified());
    EXPECT_NE(ReadFileText(path).find("LD      %I0.1"), std::string::npos);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_doc->GetTitle(), "PUMP");
}

TEST_F(POUDocumentTest, DecliningToSaveDiscardsTheProgramsChanges)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, "(*2*)\r\n(* Network 0 *)\r\n");
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_LD));
    auto* program = dynamic_cast<CRecordingProgram*>(m_doc->GetProgram());
    ASSERT_NE(program, nullptr);

    m_doc->SetModifiedFlag(TRUE);
    m_ui.box.Answer(IDNO);
    EXPECT_TRUE(m_doc->SaveModified());
    EXPECT_EQ(program->discards, 1);
    EXPECT_EQ(ReadFileText(path), "(*2*)\r\n(* Network 0 *)\r\n");
}

TEST_F(POUDocumentTest, OpenedFilesBecomeWritable)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    const std::string varPath = m_folder / "MAIN_MAIN.ilv";
    WriteFileText(path, IL_FILE);
    WriteFileText(varPath, "VAR\r\nEND_VAR\r\n");
    ASSERT_EQ(chmod(path.c_str(), S_IRUSR), 0);
    ASSERT_EQ(chmod(varPath.c_str(), S_IRUSR), 0);

    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));
    EXPECT_TRUE(OwnerMayWrite(path));
    EXPECT_TRUE(OwnerMayWrite(varPath));
}

TEST_F(POUDocumentTest, UnreadableFileIsReportedAndTheDocumentStaysAsItWas)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));
    const std::vector<std::string> before = ILProgramOf(*m_doc)->GetLines();

    EXPECT_FALSE(m_doc->OnOpenDocument(m_folder / "MAIN_GONE.ilp"));
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error");
    EXPECT_NE(m_ui.box.Messages()[0].text.find("MAIN_GONE.ilp"), std::string::npos);
    EXPECT_EQ(ILProgramOf(*m_doc)->GetLines(), before);
    EXPECT_EQ(m_doc->GetVarPathName(), m_folder / "MAIN_MAIN.ilv");
}

TEST_F(POUDocumentTest, UnwritableFileIsReportedAndNothingIsLost)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));
    ILProgramOf(*m_doc)->GetLines()[2] = "LD      %I0.1";
    m_doc->SetModifiedFlag(TRUE);
    const std::vector<std::string> before = ILProgramOf(*m_doc)->GetLines();

    // A folder in the file's place cannot be replaced by a file (even for root).
    const std::string blocked = m_folder / "MAIN_BLOCKED.ilp";
    ASSERT_TRUE(FileSystem::CreateFolder(blocked));
    EXPECT_FALSE(m_doc->OnSaveDocument(blocked));

    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error");
    EXPECT_NE(m_ui.box.Messages()[0].text.find("MAIN_BLOCKED.ilp"), std::string::npos);
    EXPECT_TRUE(FileSystem::FolderExists(blocked));
    EXPECT_EQ(ReadFileText(path), IL_FILE);
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(ILProgramOf(*m_doc)->GetLines(), before);
}

TEST_F(POUDocumentTest, FileTimesAreLocalTimesOfTheFile)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));

    std::string created = "unchanged";
    std::string modified = "unchanged";
    m_doc->GetFileTimes(created, modified);
    const auto isTimeText = [](const std::string& text) {
        return text.size() == 20 && text[4] == '-' && text[7] == '-' && text.substr(10, 2) == "  " &&
               text[14] == ':' && text[17] == ':';
    };
    EXPECT_TRUE(isTimeText(created)) << created;
    EXPECT_TRUE(isTimeText(modified)) << modified;

    m_doc->SetPathName(m_folder / "MAIN_GONE.ilp");
    created = modified = "unchanged";
    m_doc->GetFileTimes(created, modified);
    EXPECT_EQ(created, "unchanged");
    EXPECT_EQ(modified, "unchanged");
}

TEST_F(POUDocumentTest, SwitchToLadderThroughTheFactory)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));

    ASSERT_TRUE(RunCommand(ID_LANGUAGE_LD));
    EXPECT_EQ(m_doc->GetLanguage(), POU_LANGUAGE_LD);
    EXPECT_EQ(m_node.language, POU_LANGUAGE_LD);
    EXPECT_EQ(m_factory.convertedLines,
              (std::vector<std::string> {"(* Network 0 *)", "LD      %I0.0", "ST      %Q0.0", ""}));
    ASSERT_NE(Recorder(), nullptr);
    EXPECT_EQ(m_view->GetEditor(), Recorder());
    EXPECT_EQ(Recorder()->GetView(), m_view);
    EXPECT_EQ(Recorder()->log.front(), "OnInitialUpdate");
    std::erase(m_workbench.calls, "SelectTreeNode");
    EXPECT_EQ(m_workbench.calls, (std::vector<std::string> {"ResetFindState", "RebuildInstructionTree:1",
                                                            "AddSubroutinesToInstructionTree"}));
    EXPECT_TRUE(IsChecked(ID_LANGUAGE_LD));
    EXPECT_FALSE(IsChecked(ID_LANGUAGE_IL));

    // Back to IL: the ladder program's IL lines laid out in columns.
    m_workbench.calls.clear();
    ASSERT_TRUE(RunCommand(ID_LANGUAGE_IL));
    ASSERT_NE(ILProgramOf(*m_doc), nullptr);
    EXPECT_EQ(m_node.language, POU_LANGUAGE_IL);
    EXPECT_EQ(ILProgramOf(*m_doc)->GetLines()[1], "LD      %I0.0");
    EXPECT_EQ(m_view->GetEditor(), m_doc->GetProgram()->GetEditor());
    std::erase(m_workbench.calls, "SelectTreeNode");
    EXPECT_EQ(m_workbench.calls, (std::vector<std::string> {"ResetFindState", "RebuildInstructionTree:0",
                                                            "AddSubroutinesToInstructionTree"}));
}

TEST_F(POUDocumentTest, FailedConversionLeavesThePouAndItsTreeNodeInIL)
{
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL));
    CPOUProgram* before = m_doc->GetProgram();
    m_factory.conversionSucceeds = FALSE;

    ASSERT_TRUE(RunCommand(ID_LANGUAGE_LD));
    EXPECT_EQ(m_doc->GetProgram(), before);
    EXPECT_EQ(m_doc->GetLanguage(), POU_LANGUAGE_IL);
    EXPECT_EQ(m_node.language, POU_LANGUAGE_IL);
    EXPECT_EQ(m_view->GetEditor(), before->GetEditor());

    ASSERT_TRUE(m_doc->OnSaveDocument(path));
    EXPECT_EQ(ReadFileText(path), IL_FILE);
}

TEST_F(POUDocumentTest, LadderRefusedForAnILProgramWithAnErrorLine)
{
    const std::string path = m_folder / "SBR02_PUMP.ilp";
    WriteFileText(path, "(*1*)\r\n(* Network 0 *)\r\nNONSENSE %I0.0\r\n");
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL, NODE_SUBROUTINE));

    ASSERT_TRUE(RunCommand(ID_LANGUAGE_LD));
    EXPECT_EQ(m_ui.output.Lines(1),
              (std::vector<std::string> {"$$$ Some errors exist in ' PUMP ' , and unable to convert.  "}));
    EXPECT_EQ(m_doc->GetLanguage(), POU_LANGUAGE_IL);
    EXPECT_EQ(m_node.language, POU_LANGUAGE_IL);
    EXPECT_TRUE(m_factory.convertedLines.empty());
}

TEST_F(POUDocumentTest, LocalVariablesGoThroughTheVariablePane)
{
    const std::string path = m_folder / "SBR01_MOTOR.ilp";
    WriteFileText(path, IL_FILE);
    ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL, NODE_SUBROUTINE));
    EXPECT_EQ(m_doc->GetVarView(), m_varView);
    m_varView->symbols["SPEED"] = OT_WORD | OT_INPUT;

    OperandTypeFlags flags = 0;
    EXPECT_TRUE(m_doc->LookupLocalSymbolType("speed", flags));
    EXPECT_EQ(flags, OT_WORD | OT_INPUT);
    EXPECT_FALSE(m_doc->LookupLocalSymbolType("OTHER", flags));

    std::vector<std::string> lines {"kept"};
    m_doc->GetLocalVarDeclLines(lines);
    EXPECT_EQ(lines, std::vector<std::string> {"kept"}) << "no complete declaration leaves the lines alone";
    m_varView->declarations = {"VAR_INPUT", "    SPEED : WORD;", "END_VAR"};
    m_doc->GetLocalVarDeclLines(lines);
    EXPECT_EQ(lines, m_varView->declarations);

    ASSERT_TRUE(m_doc->OnSaveDocument(path));
    m_doc->CommitLocalVars(FALSE);
    EXPECT_EQ(m_varView->commits, (std::vector<BOOL> {TRUE, FALSE}));
}

namespace {

// The POU frame as the template creates it.
class CTemplateFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTemplateFrame)
};
IMPLEMENT_DYNCREATE(CTemplateFrame, CFrameWnd)

constexpr UINT POU_RESOURCE_ID = 130;

} // namespace

TEST_F(POUDocumentTest, TemplateOpensPouFilesInFramesOfTheirOwn)
{
    CMultiDocTemplate pouTemplate(
        POU_RESOURCE_ID, [&] { return std::make_unique<CPOUEditorDoc>(*m_app, &m_workbench, &m_factory); },
        RUNTIME_CLASS(CTemplateFrame), RUNTIME_CLASS(CPOUEditorView));
    EXPECT_EQ(pouTemplate.GetResourceId(), POU_RESOURCE_ID);
    const std::string path = m_folder / "SBR04_FILL.ilp";
    WriteFileText(path, IL_FILE);

    auto* opened = dynamic_cast<CPOUEditorDoc*>(pouTemplate.OpenDocumentFile(path, nullptr));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetTitle(), "FILL");
    ASSERT_NE(opened->GetEditorView(), nullptr);
    EXPECT_EQ(pouTemplate.GetFrameOf(opened)->GetActiveView(), opened->GetEditorView());
    EXPECT_EQ(ILProgramOf(*opened)->GetLines()[1], "LD      %I0.0");

    auto* created = dynamic_cast<CPOUEditorDoc*>(pouTemplate.OpenDocumentFile("", nullptr));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(ILProgramOf(*created)->GetLines(), (std::vector<std::string> {"(* Network 0 *)", ""}));
    EXPECT_EQ(pouTemplate.GetDocuments(), (std::vector<CDocument*> {opened, created}));

    // A file that cannot be read leaves no document and no frame behind.
    EXPECT_EQ(pouTemplate.OpenDocumentFile(m_folder / "SBR05_GONE.ilp", nullptr), nullptr);
    EXPECT_EQ(pouTemplate.GetDocuments().size(), 2u);

    pouTemplate.CloseDocument(opened);
    EXPECT_EQ(pouTemplate.GetDocuments(), std::vector<CDocument*> {created});
}
