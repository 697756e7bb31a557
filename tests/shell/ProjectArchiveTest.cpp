#include "ShellFixture.h"
#include "platform/CPathProvider.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"

#include <zip.h>

#include <sys/stat.h>

namespace {

struct ZipEntry {
    std::string name;
    std::string content;
    bool folder = false;
    mode_t mode = S_IFREG | 0644;
    zip_flags_t encoding = ZIP_FL_ENC_UTF_8;
};

// Writes an archive with exactly these entries, as hostile as they are.
void MakeZip(const std::string& path, const std::vector<ZipEntry>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    std::vector<std::string> keep;
    keep.reserve(entries.size());
    for (const ZipEntry& entry : entries) {
        zip_int64_t index = -1;
        if (entry.folder) {
            index = zip_dir_add(archive, entry.name.c_str(), entry.encoding);
        } else {
            keep.push_back(entry.content);
            zip_source_t* source = zip_source_buffer(archive, keep.back().data(), keep.back().size(), 0);
            index = zip_file_add(archive, entry.name.c_str(), source, entry.encoding);
        }
        ASSERT_GE(index, 0) << entry.name;
        zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, static_cast<zip_uint32_t>(entry.mode) << 16);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

class ProjectArchiveTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        FileSystem::CreateFolder(m_folder / "work");
        FileSystem::CreateFolder(m_folder / "dest");
        NewProject(m_folder / "work/plant.qpj");
        WriteFileText(m_folder / "work/plant/MAIN_MAIN.ilp", "(*2*)\r\nLD I0.0\r\n");
        m_ui.box.Clear();
    }

    // Imports into dest; the folder browser answers dest.
    void Import(const std::string& archive)
    {
        m_host.fileAnswers.push_back(archive);
        m_host.folderAnswers.push_back(m_folder / "dest");
        m_archive.OnImportProject();
    }

    std::string ProjectBytes() { return ReadFileText(m_folder / "work/plant.qpj"); }
};

TEST_F(ProjectArchiveTest, ExportThenImportReopensTheSameProject)
{
    m_host.fileAnswers.push_back(m_folder / "plant_bak.zip");
    m_archive.OnExportProject();
    const CFileDialogRequest& request = m_host.requests.back();
    EXPECT_EQ(request.title, "Export Project...");
    EXPECT_EQ(request.proposedName, "plant_bak");
    ASSERT_EQ(m_ui.box.Texts().size(), 1u);
    EXPECT_EQ(m_ui.box.Texts()[0], "Exporting completed successfully.");
    EXPECT_EQ(Project().ProjectPath, m_folder / "work/plant.qpj");
    EXPECT_EQ(m_profile.GetProfileString("Configuration", "ZipPath", ""), m_folder.Path());

    Import(m_folder / "plant_bak.zip");
    EXPECT_EQ(m_app->ProjectOpen, 1);
    EXPECT_EQ(Project().ProjectPath, m_folder / "dest/plant.qpj");
    EXPECT_EQ(ReadFileText(m_folder / "dest/plant.qpj"), ProjectBytes());
    EXPECT_EQ(ReadFileText(m_folder / "dest/plant/MAIN_MAIN.ilp"), "(*2*)\r\nLD I0.0\r\n");
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "dest/plant/plant.qgv"));

    // Importing again over it asks first; No leaves everything as it is.
    WriteFileText(m_folder / "dest/plant/MAIN_MAIN.ilp", "changed");
    m_ui.box.Clear();
    m_ui.box.Answer(IDNO);
    Import(m_folder / "plant_bak.zip");
    ASSERT_EQ(m_ui.box.Texts().size(), 1u);
    EXPECT_EQ(m_ui.box.Texts()[0], "A project with the same name already exists in the destination directory.\r\n"
                                   "Do you want to continue and replace existing project?");
    EXPECT_EQ(ReadFileText(m_folder / "dest/plant/MAIN_MAIN.ilp"), "changed");
    EXPECT_EQ(m_app->ProjectOpen, 1);
}

TEST_F(ProjectArchiveTest, ExportOfATitleWithBlanksSavesAndArchivesABlankFreeCopy)
{
    ASSERT_TRUE(FileSystem::MoveFile(m_folder / "work/plant.qpj", m_folder / "work/my plant.qpj"));
    ASSERT_TRUE(FileSystem::MoveFile(m_folder / "work/plant", m_folder / "work/my plant"));
    Project().ProjectPath = m_folder / "work/my plant.qpj";
    Project().ProjectFolder = m_folder / "work/my plant";
    Project().ProjectName = "my plant";

    m_ui.box.Answer(IDNO);
    m_archive.OnExportProject();
    EXPECT_EQ(m_ui.box.Texts().at(0), "There is space character in the file name. Do you want to continue?");
    EXPECT_TRUE(m_host.requests.size() == 1u) << "No ends the command before the dialog";

    m_ui.box.Clear();
    m_host.fileAnswers.push_back(m_folder / "my plant_bak.zip");
    m_archive.OnExportProject();
    EXPECT_EQ(m_ui.box.Texts().back(), "Exporting completed successfully.");
    EXPECT_TRUE(FileSystem::FileExists(m_folder / "myplant_bak.zip"));
    EXPECT_EQ(Project().ProjectPath, m_folder / "work/my plant.qpj");

    Import(m_folder / "myplant_bak.zip");
    EXPECT_EQ(Project().ProjectPath, m_folder / "dest/myplant.qpj");
    EXPECT_EQ(ReadFileText(m_folder / "dest/myplant/MAIN_MAIN.ilp"), "(*2*)\r\nLD I0.0\r\n");
}

TEST_F(ProjectArchiveTest, ExportRefusesLongPathsAndLeavesNoPartialArchive)
{
    m_host.fileAnswers.push_back(m_folder.Path() + "/" + std::string(259 - m_folder.Path().size() - 1, 'z'));
    m_archive.OnExportProject();
    EXPECT_EQ(m_ui.box.Texts().at(0), "Unable to export file because the file name or path is too long.");
    EXPECT_FALSE(m_profile.Has("Configuration", "ZipPath"));

    m_ui.box.Clear();
    EXPECT_FALSE(m_archive.ExportProjectArchive(Project().ProjectPath, m_folder / "nowhere/x.zip", TRUE));
    EXPECT_EQ(m_ui.box.Messages().at(0).caption, "Error");
    EXPECT_FALSE(FileSystem::FolderExists(m_folder / "nowhere"));
}

TEST_F(ProjectArchiveTest, HostileArchivesAreRefusedAndWriteNothingOutside)
{
    const std::string project = ProjectBytes();
    const std::string zeros(65u << 20, '\0');
    struct HostileCase {
        const char* what;
        std::vector<ZipEntry> entries;
        const char* reason; // what the refusal says, or nullptr when not checked
    };
    const std::vector<HostileCase> cases = {
        {"parent folder", {{"plant.qpj", project}, {"../x", "evil"}}, "the entry \"../x\" has a parent folder."},
        {"absolute path", {{"plant.qpj", project}, {"/tmp/abs", "evil"}}, "the entry \"/tmp/abs\" has an absolute path."},
        {"drive prefix", {{"plant.qpj", project}, {"C:\\x", "evil"}}, "the entry \"C:/x\" has a drive prefix."},
        {"backslash parent",
         {{"plant.qpj", project}, {"plant\\..\\..\\x", "evil"}},
         "the entry \"plant/../../x\" has a parent folder."},
        {"symbolic link", {{"plant.qpj", project}, {"plant/link", "/etc/passwd", false, S_IFLNK | 0777}}, nullptr},
        {"zip bomb", {{"plant.qpj", project}, {"plant/big.ilp", zeros}}, nullptr},
        {"no project file", {{"plant/MAIN_MAIN.ilp", "x"}}, nullptr},
        {"not a project", {{"plant.qpj", "not a project file at all"}}, nullptr},
    };
    for (const HostileCase& c : cases) {
        const std::string archive = m_folder / "hostile.zip";
        MakeZip(archive, c.entries);
        m_ui.box.Clear();
        Import(archive);
        ASSERT_EQ(m_ui.box.Messages().size(), 1u) << c.what;
        EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error") << c.what;
        if (c.reason) {
            EXPECT_NE(m_ui.box.Messages()[0].text.find(c.reason), std::string::npos)
                << c.what << ": " << m_ui.box.Messages()[0].text;
        }
        EXPECT_TRUE(FileSystem::ListFolder(m_folder / "dest").empty()) << c.what;
        EXPECT_FALSE(FileSystem::FileExists(m_folder / "x")) << c.what;
        EXPECT_EQ(Project().ProjectPath, m_folder / "work/plant.qpj") << c.what << ": the open project stays";
        EXPECT_TRUE(FileSystem::ListFolder(CPathProvider::TempFolder()).empty()) << c.what;
    }
}

TEST_F(ProjectArchiveTest, OfSeveralProjectFilesTheOneWithItsFolderWins)
{
    const std::string project = ProjectBytes();
    MakeZip(m_folder / "two.zip", {{"aaa.qpj", project}, {"plant.qpj", project}, {"plant/MAIN_MAIN.ilp", "p"}});
    Import(m_folder / "two.zip");
    EXPECT_EQ(Project().ProjectPath, m_folder / "dest/plant.qpj");
    EXPECT_FALSE(FileSystem::FileExists(m_folder / "dest/aaa.qpj"));
}

TEST_F(ProjectArchiveTest, GbkEntryNamesAreImportedUnderTheirOwnNames)
{
    // "测试" in GBK, stored without the UTF-8 flag as the old archiver wrote names.
    const std::string title = "\xB2\xE2\xCA\xD4";
    MakeZip(m_folder / "gbk.zip", {{title + ".qpj", ProjectBytes(), false, S_IFREG | 0644, ZIP_FL_ENC_CP437},
                                   {title + "/MAIN_MAIN.ilp", "g", false, S_IFREG | 0644, ZIP_FL_ENC_CP437}});
    Import(m_folder / "gbk.zip");
    EXPECT_EQ(Project().ProjectPath, m_folder / "dest/" + title + ".qpj");
    EXPECT_EQ(ReadFileText(m_folder / "dest/\xE6\xB5\x8B\xE8\xAF\x95/MAIN_MAIN.ilp"), "g");

    // "乗" ends in the byte of a backslash, which here separates nothing.
    const std::string joined = "\x81\x5C";
    MakeZip(m_folder / "trail.zip", {{joined + ".qpj", ProjectBytes(), false, S_IFREG | 0644, ZIP_FL_ENC_CP437},
                                     {joined + "\\MAIN_MAIN.ilp", "t", false, S_IFREG | 0644, ZIP_FL_ENC_CP437}});
    Import(m_folder / "trail.zip");
    EXPECT_EQ(Project().ProjectPath, m_folder / "dest/" + joined + ".qpj");
    EXPECT_EQ(ReadFileText(m_folder / "dest/\xE4\xB9\x97/MAIN_MAIN.ilp"), "t");
}

TEST_F(ProjectArchiveTest, CancelledCloseStopsTheImport)
{
    m_host.fileAnswers.push_back(m_folder / "plant_bak.zip");
    m_archive.OnExportProject();
    m_document.SetModifiedFlag(TRUE);
    m_ui.box.Clear();
    m_ui.box.Answer(IDCANCEL);
    Import(m_folder / "plant_bak.zip");
    EXPECT_EQ(m_ui.box.Texts().at(0), "Do you want to save the changes to your project?");
    EXPECT_EQ(Project().ProjectPath, m_folder / "work/plant.qpj");
    EXPECT_TRUE(FileSystem::ListFolder(m_folder / "dest").empty());
}

TEST(BrowsePathTest, LongPathsShowTheirHeadAndLastFolder)
{
    struct Case {
        std::string path;
        std::string shown;
    };
    const Case cases[] = {
        {"/home/user/projects", "/home/user/projects"},
        {std::string(40, 'a'), std::string(40, 'a')},
        {"/home/someone/very/long/folder/path/here/target", "/home/someone/very/long/folder/pa.../target"},
        {"/x/" + std::string(45, 'b'), ".../" + std::string(45, 'b')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenBrowsePath(c.path), c.shown) << c.path;
}

} // namespace
