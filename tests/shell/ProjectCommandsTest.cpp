#include "ShellFixture.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "model/SharedStrings.h"
#include "platform/FileSystem.h"
#include "shell/ProjectFolders.h"
#include "support/FileBytes.h"

#include <algorithm>

namespace {

class ProjectCommandsTest : public ShellFixture {
protected:
    // A folder inside the test folder whose files make path of exactly length characters.
    std::string PathOfLength(std::size_t length, const std::string& fileName)
    {
        const std::size_t fixed = m_folder.Path().size() + 2 + fileName.size();
        const std::string folder = m_folder / std::string(length - fixed, 'd');
        FileSystem::CreateFolder(folder);
        return folder + "/" + fileName;
    }
};

TEST_F(ProjectCommandsTest, NewProjectCreatesFilesWithoutBlanksAndOpensIt)
{
    NewProject(m_folder / "my proj.qpj");

    const CFileDialogRequest& request = m_host.requests.at(0);
    EXPECT_EQ(request.title, "New Project...");
    EXPECT_EQ(request.initialFolder, m_folder / "data/OrvelBuilder/Q7Proj");
    EXPECT_EQ(request.proposedName.rfind("project-", 0), 0u);
    EXPECT_EQ(FileSystem::ExtensionOf(request.proposedName), ".qpj");

    EXPECT_EQ(m_app->ProjectOpen, 1);
    EXPECT_EQ(Project().ProjectPath, m_folder / "myproj.qpj");
    EXPECT_EQ(Project().ProjectName, "myproj");
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "myproj.qpj"));
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "myproj/myproj.qgv"));
    ASSERT_EQ(Project().Modules.size(), 1u);
    EXPECT_EQ(Project().CPUFamilyIndex, 1) << "default CPU row 8 is a VB14";
    EXPECT_EQ(Project().LocalBitUsage.size(), 128u);
    EXPECT_EQ(Project().LocalByteUsage.size(), 256u);
    EXPECT_EQ(m_host.Count("CreateMainProgram"), 1);
    EXPECT_EQ(m_recent.GetEntry(0), m_folder / "myproj.qpj");
    EXPECT_EQ(m_profile.GetProfileString(kSectionConfiguration, kKeyPrevProj, ""), m_folder.Path());
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(ProjectCommandsTest, NewProjectEndsOnCancelOrBlankTitle)
{
    m_commands.OnNewProject();
    NewProject(m_folder / "   .qpj");
    EXPECT_EQ(m_app->ProjectOpen, 0);
    EXPECT_TRUE(FileSystem::ListFolder(m_folder.Path()).empty());
}

TEST_F(ProjectCommandsTest, PathLengthChecksRefuseBeforeClosing)
{
    NewProject(m_folder / "open.qpj");
    // A name of five characters keeps the longest POU path at path length + 16.
    const std::string fits = PathOfLength(242, "a.qpj");
    const std::string tooLong = PathOfLength(243, "b.qpj");

    NewProject(tooLong);
    EXPECT_EQ(Project().ProjectPath, m_folder / "open.qpj");
    ASSERT_EQ(m_ui.box.Texts().size(), 1u);
    EXPECT_EQ(m_ui.box.Texts()[0], "Unable to create file because the file name or path is too long.");

    NewProject(fits);
    EXPECT_EQ(Project().ProjectPath, fits);
    EXPECT_EQ(m_app->LongestPOUPathLength, 258);
    EXPECT_EQ(m_ui.box.Texts().size(), 1u);

    m_host.fileAnswers.push_back(PathOfLength(243, "c.qpj"));
    m_commands.OnSaveProjectAs();
    ASSERT_EQ(m_ui.box.Messages().size(), 2u);
    EXPECT_EQ(m_ui.box.Messages()[1].caption, "Error");
    EXPECT_EQ(m_ui.box.Messages()[1].text, "Unable to save file because the file name or path is too long.");
    EXPECT_EQ(Project().ProjectPath, fits);
}

TEST_F(ProjectCommandsTest, CloseAsksAboutUnsavedChanges)
{
    NewProject(m_folder / "p.qpj");
    const auto savedBytes = ReadFileBytes(m_folder / "p.qpj");

    m_document.SetModifiedFlag(TRUE);
    m_ui.box.Answer(IDCANCEL);
    EXPECT_FALSE(m_commands.CloseProject());
    EXPECT_EQ(m_app->ProjectOpen, 1);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note");
    EXPECT_EQ(m_ui.box.Messages()[0].text, "Do you want to save the changes to your project?");
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);

    m_host.hardwareConsistent = FALSE;
    m_ui.box.Answer(IDYES);
    EXPECT_FALSE(m_commands.CloseProject()) << "a failed save keeps the project open";
    EXPECT_EQ(m_app->ProjectOpen, 1);

    m_ui.box.Answer(IDNO);
    EXPECT_TRUE(m_commands.CloseProject());
    EXPECT_EQ(m_app->ProjectOpen, 0);
    EXPECT_TRUE(Project().ProjectPath.empty());
    EXPECT_EQ(ReadFileBytes(m_folder / "p.qpj"), savedBytes);
    EXPECT_EQ(m_host.Count("DestroySingletonWindows"), 1);
    EXPECT_EQ(ReplyTimeout, DEFAULT_REPLY_TIMEOUT);
    EXPECT_EQ(ProbeTimeout, DEFAULT_PROBE_TIMEOUT);

    // A modified POU document marks the project modified before the question.
    NewProject(m_folder / "q.qpj");
    m_host.documentModified = TRUE;
    m_ui.box.Answer(IDCANCEL);
    EXPECT_FALSE(m_commands.CloseProject());
    EXPECT_TRUE(m_document.IsModified());
}

TEST_F(ProjectCommandsTest, OpenReopensProjectAndIgnoresTheOpenOne)
{
    NewProject(m_folder / "p.qpj");
    ASSERT_TRUE(m_commands.CloseProject());

    m_host.fileAnswers.push_back("  " + (m_folder / "p.qpj") + " ");
    m_commands.OnOpenProject();
    EXPECT_EQ(m_host.requests.back().title, "Open Project...");
    EXPECT_EQ(m_app->ProjectOpen, 1);
    EXPECT_EQ(Project().ProjectName, "p");
    EXPECT_EQ(m_host.Count("FillProjectTree"), 1);

    // Opening the open project again does nothing, even when it was modified.
    m_document.SetModifiedFlag(TRUE);
    m_commands.OpenProjectByPath(m_folder / "p.qpj");
    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_EQ(m_host.Count("FillProjectTree"), 1);
    EXPECT_TRUE(m_document.IsModified());
}

TEST_F(ProjectCommandsTest, RecentEntryThatFailsToOpenIsDropped)
{
    NewProject(m_folder / "p.qpj");
    m_recent.Add(m_folder / "gone.qpj");
    ASSERT_EQ(m_recent.GetEntry(0), m_folder / "gone.qpj");

    m_app->Monitoring = 1;
    m_commands.OnOpenRecentProject(0);
    ASSERT_EQ(m_ui.box.Texts().size(), 1u);
    EXPECT_EQ(m_ui.box.Texts()[0], "Please stop monitoring befor opening another project.");
    EXPECT_EQ(m_app->ProjectOpen, 1);
    m_app->Monitoring = 0;

    m_commands.OnOpenRecentProject(0);
    EXPECT_EQ(m_app->ProjectOpen, 0);
    EXPECT_EQ(m_recent.GetSize(), 1);
    EXPECT_EQ(m_recent.GetEntry(0), m_folder / "p.qpj");

    m_commands.OnOpenRecentProject(0);
    EXPECT_EQ(m_app->ProjectOpen, 1);
    EXPECT_EQ(m_recent.GetSize(), 1);
}

TEST_F(ProjectCommandsTest, SaveAsCopiesThenMovesAndKeepsForeignFiles)
{
    NewProject(m_folder / "old.qpj");
    WriteFileText(m_folder / "old/MAIN_MAIN.ilp", "(*2*)\r\n");
    m_document.SetModifiedFlag(TRUE);

    // A non-empty target folder is asked about; No changes nothing.
    FileSystem::CreateFolder(m_folder / "new");
    WriteFileText(m_folder / "new/notes.txt", "mine");
    m_host.fileAnswers.push_back(m_folder / "new.qpj");
    m_ui.box.Answer(IDNO);
    m_commands.OnSaveProjectAs();
    EXPECT_EQ(Project().ProjectPath, m_folder / "old.qpj");
    EXPECT_FALSE(FileSystem::FileExists(m_folder / "new.qpj"));
    EXPECT_TRUE(m_document.IsModified()) << "a refused Save As leaves the modified flag";

    m_host.fileAnswers.push_back(m_folder / "new.qpj");
    m_ui.box.Answer(IDYES);
    m_commands.OnSaveProjectAs();
    EXPECT_EQ(m_host.requests.back().title, "Save Project As...");
    EXPECT_EQ(Project().ProjectPath, m_folder / "new.qpj");
    EXPECT_EQ(Project().ProjectFolder, m_folder / "new");
    EXPECT_EQ(Project().ProjectName, "new");
    EXPECT_EQ(ReadFileText(m_folder / "new/notes.txt"), "mine");
    EXPECT_EQ(ReadFileText(m_folder / "new/MAIN_MAIN.ilp"), "(*2*)\r\n");
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "new/new.qgv"));
    EXPECT_FALSE(FileSystem::FileExists(m_folder / "new/old.qgv"));
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "old/old.qgv")) << "the old project stays whole";
    EXPECT_EQ(m_host.rootText, "Project: new");
    EXPECT_EQ(m_recent.GetEntry(0), m_folder / "new.qpj");
    EXPECT_FALSE(m_document.IsModified());
}

TEST_F(ProjectCommandsTest, SaveAsToTheOpenPathSavesAndCancelChangesNothing)
{
    NewProject(m_folder / "p.qpj");
    m_document.SetModifiedFlag(TRUE);
    m_commands.OnSaveProjectAs();
    EXPECT_TRUE(m_document.IsModified()) << "a cancelled dialog leaves the modified flag";

    FileSystem::DeleteFile(m_folder / "p/p.qgv");
    m_host.fileAnswers.push_back(m_folder / "p.qpj");
    m_commands.OnSaveProjectAs();
    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "p/p.qgv"));
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(Project().ProjectPath, m_folder / "p.qpj");
}

TEST_F(ProjectCommandsTest, NewProjectTakesItsFamilyFromTheDefaultCpuRow)
{
    struct RowFamily {
        int row;
        int family;
    };
    const RowFamily cases[] = {{0, 5}, {1, 0}, {3, 0}, {4, 1}, {10, 4}, {13, 2}, {17, 6}, {19, 7}, {22, 7}};
    for (const RowFamily& c : cases) {
        m_app->DefaultCPU = c.row;
        NewProject(m_folder / ("row" + std::to_string(c.row) + ".qpj"));
        EXPECT_EQ(Project().CPUFamilyIndex, c.family) << "row " << c.row;
        ASSERT_EQ(Project().Modules.size(), 1u) << "row " << c.row;
        const CZUL_Q7_PLC& cpu = *Project().Modules[0];
        EXPECT_EQ(cpu.kindMask, MODULE_KIND_CPU) << "row " << c.row;
        EXPECT_EQ(cpu.iStart, 0) << "row " << c.row;
        EXPECT_EQ(cpu.iEnd, (cpu.diCount + 7) / 8 - 1) << "row " << c.row;
        EXPECT_EQ(cpu.qStart, 0) << "row " << c.row;
        EXPECT_EQ(cpu.qEnd, (cpu.doCount + 7) / 8 - 1) << "row " << c.row;
    }
}

TEST_F(ProjectCommandsTest, FailedCopyKeepsTheProjectWhereItWas)
{
    NewProject(m_folder / "old.qpj");
    // A folder where the copy needs to put a file stops the copy.
    FileSystem::CreateFolder(m_folder / "new/old.qgv/inner");
    m_ui.box.Answer(IDYES);
    EXPECT_FALSE(m_commands.SaveProjectAs(m_folder / "new.qpj"));
    EXPECT_EQ(Project().ProjectPath, m_folder / "old.qpj");
    EXPECT_EQ(Project().ProjectName, "old");
    EXPECT_EQ(m_ui.box.Texts().back(), "Unable to save the project. Please retry after restarting computer.");
}

TEST_F(ProjectCommandsTest, NewProjectAsksBeforeReplacingAFolderWithFiles)
{
    FileSystem::CreateFolder(m_folder / "taken");
    WriteFileText(m_folder / "taken/keep.ilp", "data");
    m_ui.box.Answer(IDNO);
    NewProject(m_folder / "ta ken.qpj");
    EXPECT_EQ(m_app->ProjectOpen, 0);
    EXPECT_EQ(ReadFileText(m_folder / "taken/keep.ilp"), "data");
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_YESNO | MB_ICONQUESTION);
}

TEST_F(ProjectCommandsTest, SaveFailsWhenTheGlobalVariableFileCannotBeWritten)
{
    NewProject(m_folder / "p.qpj");
    FileSystem::DeleteFile(m_folder / "p/p.qgv");
    FileSystem::CreateFolder(m_folder / "p/p.qgv/blocked");
    m_document.SetModifiedFlag(TRUE);
    m_commands.OnSaveProject();
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_FALSE(m_commands.SaveAllProjectFiles());
}

TEST_F(ProjectCommandsTest, SaveReportsSymbolsThatDoNotFitTheGlobalVariableFile)
{
    NewProject(m_folder / "p.qpj");
    for (int k = 0; k < 2049; ++k) {
        auto* symbol = new CZULSymbol;
        symbol->name = "S" + std::to_string(k);
        symbol->address = "%VB" + std::to_string(k);
        symbol->dataType = "BYTE";
        Project().AddSymbol(symbol);
    }
    m_ui.box.Clear();
    EXPECT_TRUE(m_commands.SaveAllProjectFiles());
    ASSERT_EQ(m_ui.box.Texts().size(), 1u);
    EXPECT_NE(m_ui.box.Texts()[0].find("1 further symbols"), std::string::npos) << m_ui.box.Texts()[0];
}

TEST_F(ProjectCommandsTest, CloseAllStopsAtTheFirstRefusal)
{
    m_host.saveDocumentsAnswer = FALSE;
    m_commands.OnCloseAll();
    EXPECT_EQ(m_host.Count("CloseAllDocuments"), 0);
    m_host.saveDocumentsAnswer = TRUE;
    m_commands.OnCloseAll();
    EXPECT_EQ(m_host.Count("CloseAllDocuments"), 1);
    EXPECT_EQ(m_host.Count("DestroySingletonWindows"), 1);
}

TEST(CopyFolderTreeTest, CopiesNestedFoldersWithoutChangingTheCurrentFolder)
{
    TempFolder folder;
    FileSystem::CreateFolder(folder / "src/sub/deeper");
    WriteFileText(folder / "src/a.txt", "a");
    WriteFileText(folder / "src/sub/deeper/b.txt", "b");
    const std::string current = FileSystem::GetCurrentFolder();
    std::vector<std::string> copied;
    EXPECT_TRUE(CopyFolderTree(folder / "src", folder / "dst", &copied));
    EXPECT_EQ(ReadFileText(folder / "dst/sub/deeper/b.txt"), "b");
    EXPECT_EQ(copied.size(), 2u);
    EXPECT_EQ(FileSystem::GetCurrentFolder(), current);
    EXPECT_TRUE(CopyFolderTree(folder / "missing", folder / "dst2"));
    EXPECT_FALSE(CopyFolderTree(folder / "src", folder / "src/sub/copy"));
    EXPECT_FALSE(FileSystem::FolderExists(folder / "src/sub/copy"));
}

} // namespace
