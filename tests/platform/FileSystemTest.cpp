#include "platform/CPathProvider.h"
#include "platform/CSharedMemoryBlock.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace FileSystem;

TEST(FileSystemTest, ExistingFilesAreFoundExactlyFirstThenIgnoringCase)
{
    TempFolder dir;
    ASSERT_TRUE(CreateFolder(dir / "Proj/Sub"));
    WriteFileText(dir / "Proj/Sub/MAIN_Main.ilp", "(*1*)\n");
    WriteFileText(dir / "Proj/Sub/main_main.ilp", "(*2*)\n");

    EXPECT_EQ(FindExisting(dir / "Proj/Sub/main_main.ilp"), dir / "Proj/Sub/main_main.ilp") << "exact name wins";
    EXPECT_EQ(FindExisting(dir / "PROJ/sub/MAIN_MAIN.ILP").substr(dir.Path().size()).size(),
              std::string("/Proj/Sub/MAIN_Main.ilp").size());
    EXPECT_TRUE(FileExists(dir / "proj/SUB/Main_Main.ILP"));
    EXPECT_TRUE(FolderExists(dir / "PROJ"));
    EXPECT_FALSE(FileExists(dir / "PROJ"));
    EXPECT_EQ(FindExisting(dir / "Proj/Other.ilp"), "");
    std::string text;
    ASSERT_TRUE(ReadFileText(dir / "PROJ/SUB/MAIN_MAIN.ILV.none", text) == FALSE);
}

TEST(FileSystemTest, GbkNamesAreUtf8OnDisk)
{
    TempFolder dir;
    const std::string gbkName = "\xD6\xD0\xCE\xC4.qpj"; // 中文.qpj
    ASSERT_TRUE(SafeSave(dir / gbkName, std::string("x")));
    struct stat st;
    EXPECT_EQ(::stat((dir.Path() + "/\xE4\xB8\xAD\xE6\x96\x87.qpj").c_str(), &st), 0);
    auto entries = ListFolder(dir.Path());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, gbkName);
}

TEST(FileSystemTest, SafeSaveReplacesWholeAndLeavesNoTemporaryFile)
{
    TempFolder dir;
    ASSERT_TRUE(SafeSave(dir / "a.qgv", std::string("old contents")));
    ::chmod((dir / "a.qgv").c_str(), 0640);
    ASSERT_TRUE(SafeSave(dir / "a.qgv", std::string("new")));
    EXPECT_EQ(ReadFileText(dir / "a.qgv"), "new");
    struct stat st;
    ASSERT_EQ(::stat((dir / "a.qgv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the file keeps its permissions";
    EXPECT_EQ(ListFolder(dir.Path()).size(), 1u);

    // A folder that cannot be written keeps the old file untouched.
    if (::geteuid() != 0) {
        ::chmod(dir.Path().c_str(), 0500);
        EXPECT_FALSE(SafeSave(dir / "a.qgv", std::string("lost?")));
        ::chmod(dir.Path().c_str(), 0700);
        EXPECT_EQ(ReadFileText(dir / "a.qgv"), "new");
    }
    EXPECT_FALSE(SafeSave(dir / "missing/b.qgv", std::string("x")));

    // The longest name a folder allows has no room for a temporary suffix.
    const std::string longest(255, 'n');
    ASSERT_TRUE(SafeSave(dir / longest, std::string("long")));
    ASSERT_TRUE(SafeSave(dir / longest, std::string("longer")));
    EXPECT_EQ(ReadFileText(dir / longest), "longer");
    EXPECT_EQ(ListFolder(dir.Path()).size(), 2u);
}

TEST(FileSystemTest, WorkFilesAreWrittenInPlaceUnderTheirOwnName)
{
    TempFolder dir;
    ASSERT_TRUE(CreateFolder(dir / "Proj"));
    WriteFileText(dir / "Proj/~main_main.ilp", "stale");

    // The folder is found ignoring case; the file keeps the name it was given.
    ASSERT_TRUE(WriteInPlace(dir / "PROJ/~MAIN_Main.ilp", "LD %I0.0\r\n"));
    EXPECT_EQ(ReadFileText(dir / "Proj/~MAIN_Main.ilp"), "LD %I0.0\r\n");
    EXPECT_EQ(ReadFileText(dir / "Proj/~main_main.ilp"), "stale");

    // A shorter text replaces the whole file.
    ASSERT_TRUE(WriteInPlace(dir / "Proj/~MAIN_Main.ilp", "ST"));
    EXPECT_EQ(ReadFileText(dir / "Proj/~MAIN_Main.ilp"), "ST");
    EXPECT_EQ(ListFolder(dir / "Proj").size(), 2u) << "no temporary file is left";

    EXPECT_FALSE(WriteInPlace(dir / "missing/~a.ilv", "x"));
    EXPECT_FALSE(WriteInPlace(dir / "Proj/", "x"));
}

TEST(FileSystemTest, TreesCopyListAndDelete)
{
    TempFolder dir;
    ASSERT_TRUE(CreateFolder(dir / "src/inner"));
    WriteFileText(dir / "src/a.ilp", "A");
    WriteFileText(dir / "src/.hidden", "H");
    WriteFileText(dir / "src/inner/b.ilv", "B");
    ASSERT_TRUE(CopyTree(dir / "src", dir / "dst"));
    EXPECT_EQ(ReadFileText(dir / "dst/inner/b.ilv"), "B");

    auto entries = ListFolder(dir / "dst");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, ".hidden");
    EXPECT_TRUE(entries[0].attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(entries[1].name, "a.ilp");
    EXPECT_EQ(entries[1].size, 1u);
    EXPECT_TRUE(entries[2].IsFolder());

    ASSERT_TRUE(SetAttributes(dir / "dst/a.ilp", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(GetAttributes(dir / "dst/a.ilp") & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetAttributes(dir / "dst/a.ilp", FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(GetAttributes(dir / "dst/a.ilp") & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetAttributes(dir / "none"), 0xFFFFFFFFu);

    EXPECT_FALSE(CopyFile(dir / "src/a.ilp", dir / "dst/a.ilp", TRUE));
    EXPECT_TRUE(CopyFile(dir / "src/inner/b.ilv", dir / "dst/a.ilp", FALSE));
    EXPECT_EQ(ReadFileText(dir / "dst/a.ilp"), "B");

    EXPECT_TRUE(DeleteTree(dir / "dst"));
    EXPECT_FALSE(FolderExists(dir / "dst"));
    EXPECT_TRUE(DeleteTree(dir / "dst")) << "nothing left to delete";
    EXPECT_TRUE(DeleteFile(dir / "src/a.ilp"));
    EXPECT_FALSE(DeleteFile(dir / "src/a.ilp"));
}

// The file names of a folder leave out folders, links to folders and links
// that lead nowhere, and keep files and links to files.
TEST(FileSystemTest, FileNamesLeaveOutFoldersAndDanglingLinks)
{
    TempFolder dir;
    ASSERT_TRUE(CreateFolder(dir / "inner"));
    WriteFileText(dir / "~b.ilp", "B");
    WriteFileText(dir / "a.ilv", "A");
    ASSERT_EQ(::symlink("inner", (dir / "toInner").c_str()), 0);
    ASSERT_EQ(::symlink("a.ilv", (dir / "toA").c_str()), 0);
    ASSERT_EQ(::symlink("gone", (dir / "~gone.ilp").c_str()), 0);
    EXPECT_EQ(ListFileNames(dir.Path()), (std::vector<std::string>{"a.ilv", "toA", "~b.ilp"}));
    EXPECT_TRUE(ListFileNames(dir / "none").empty());
}

TEST(FileSystemTest, PathPieces)
{
    EXPECT_EQ(FolderOf("/p/q/r.qpj"), "/p/q");
    EXPECT_EQ(FileNameOf("/p/q/r.qpj"), "r.qpj");
    EXPECT_EQ(FileTitleOf("/p/q/r.s.qpj"), "r.s");
    EXPECT_EQ(ExtensionOf("/p.d/q"), "");
    EXPECT_EQ(JoinPath("/p/", "q"), "/p/q");
    // The second byte of 0x95 0x5C is a trail byte, not a separator.
    EXPECT_EQ(FromStoredPath("c:\\proj\\\x95\x5C.qpj"), "c:/proj/\x95\x5C.qpj");
}

TEST(PathProviderTest, FoldersFollowTheBaseDirectoriesAndTempIsPrivate)
{
    ::setenv("XDG_DATA_HOME", "/data-home", 1);
    ::setenv("XDG_CONFIG_HOME", "/config-home", 1);
    EXPECT_EQ(CPathProvider::UserDataFolder(), "/data-home/OrvelBuilder");
    EXPECT_EQ(CPathProvider::SettingsFolder(), "/config-home/OrvelBuilder");
    EXPECT_EQ(CPathProvider::DefaultProjectFolder(), "/data-home/OrvelBuilder/project");
    EXPECT_EQ(CPathProvider::UserCanOpenFolder(), "/data-home/OrvelBuilder/CanOpen");
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");

    CPathProvider::SetSharedDataFolder("/shared");
    EXPECT_EQ(CPathProvider::SharedDataFolder(), "/shared");
    CPathProvider::SetSharedDataFolder("");

    const std::string temp = CPathProvider::TempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(CPathProvider::TempFolder(), temp);
    struct stat st;
    ASSERT_EQ(::stat(temp.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    WriteFileText(temp + "/work.tmp", "x");
    CPathProvider::RemoveTempFolder();
    EXPECT_FALSE(FolderExists(temp));
}

TEST(SharedMemoryBlockTest, TwoHandlesSeeOneBlockAndTheCreatorRemovesTheName)
{
    const std::string name = "OrvelTest" + std::to_string(::getpid());
    CSharedMemoryBlock reader;
    EXPECT_FALSE(reader.Open(name));
    {
        CSharedMemoryBlock creator;
        ASSERT_TRUE(creator.Create(name, 4096));
        EXPECT_TRUE(creator.IsCreator());
        creator.Data()[100] = 0x5A;
        ASSERT_TRUE(reader.Open(name));
        EXPECT_EQ(reader.Size(), 4096u);
        EXPECT_EQ(reader.Data()[100], 0x5A);
        CSharedMemoryBlock second;
        ASSERT_TRUE(second.Create(name, 10));
        EXPECT_FALSE(second.IsCreator()) << "a second instance opens the existing block";
    }
    EXPECT_EQ(reader.Data()[100], 0x5A) << "a mapping stays valid after the name is gone";
    CSharedMemoryBlock late;
    EXPECT_FALSE(late.Open(name));
}

TEST(FileSystemTest, FilesAreReadWholeByExactNameOrIgnoringCase)
{
    TempFolder dir;
    ASSERT_TRUE(CreateFolder(dir / "Proj"));
    const std::string large(200000, 'x');
    WriteFileText(dir / "Proj/MAIN_Main.ilp", "(*1*)\r\nLD %I0.0\r\n");
    WriteFileText(dir / "Proj/Big.qgv", large);
    WriteFileText(dir / "Proj/Empty.ilv", "");
    struct Case {
        std::string name;
        BOOL read;
        std::string text;
    };
    const Case cases[] = {
        {"Proj/MAIN_Main.ilp", TRUE, "(*1*)\r\nLD %I0.0\r\n"},
        {"PROJ/main_main.ILP", TRUE, "(*1*)\r\nLD %I0.0\r\n"},
        {"Proj/Big.qgv", TRUE, large},
        {"Proj/Empty.ilv", TRUE, ""},
        {"Proj/None.ilv", FALSE, ""},
        {"Proj", FALSE, ""},
    };
    for (const Case& c : cases) {
        std::string text = "old";
        EXPECT_EQ(ReadFileText(dir / c.name, text), c.read) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
}
