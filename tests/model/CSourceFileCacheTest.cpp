#include "model/CSourceFileCache.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What a run's reader sees of a file after the disk changed under the cache.
TEST(SourceFileCacheTest, EachFileIsReadOnceForTheRun)
{
    TempFolder dir;
    WriteFileText(dir / "MAIN_Main.ilp", "(*1*)\r\nLD %I0.0\r\n");
    CSourceFileCache cache;
    const std::string* first = cache.Text(dir / "MAIN_Main.ilp");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, "(*1*)\r\nLD %I0.0\r\n");

    WriteFileText(dir / "MAIN_Main.ilp", "changed");
    WriteFileText(dir / "SBR00_Late.ilv", "VAR\r\nEND_VAR\r\n");
    const std::string* again = cache.Text(dir / "MAIN_Main.ilp");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(*again, "(*1*)\r\nLD %I0.0\r\n");

    // A file that could not be read stays unreadable for the run.
    EXPECT_EQ(cache.Text(dir / "SBR01_Missing.ilv"), nullptr);
    WriteFileText(dir / "SBR01_Missing.ilv", "VAR\r\nEND_VAR\r\n");
    EXPECT_EQ(cache.Text(dir / "SBR01_Missing.ilv"), nullptr);
    // A folder is no source file.
    EXPECT_EQ(cache.Text(dir.Path()), nullptr);
}

TEST(SourceFileCacheTest, WorkCopiesAreWrittenAndServedWithoutTheDisk)
{
    TempFolder dir;
    CSourceFileCache cache;
    ASSERT_TRUE(cache.WriteWorkFile(dir / "~SBR00_Fill.ilp", "(*1*)\r\nLD %I0.0\r\n"));
    EXPECT_EQ(ReadFileText(dir / "~SBR00_Fill.ilp"), "(*1*)\r\nLD %I0.0\r\n");

    FileSystem::DeleteFile(dir / "~SBR00_Fill.ilp");
    const std::string* kept = cache.Text(dir / "~SBR00_Fill.ilp");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(*kept, "(*1*)\r\nLD %I0.0\r\n");

    // A second write replaces the kept text; a failed one keeps nothing.
    ASSERT_TRUE(cache.WriteWorkFile(dir / "~SBR00_Fill.ilp", "(*1*)\r\n"));
    EXPECT_EQ(*cache.Text(dir / "~SBR00_Fill.ilp"), "(*1*)\r\n");
    EXPECT_FALSE(cache.WriteWorkFile(dir / "NoFolder/~SBR01_Drain.ilp", "(*1*)\r\n"));
    EXPECT_EQ(cache.Text(dir / "NoFolder/~SBR01_Drain.ilp"), nullptr);
}

// Work copies kept in a folder of their own: same names, same texts, served
// by the names beside their sources; nothing is written beside the sources,
// and a copy that could not be written or was dropped is missing even where
// a file of its name lies beside the source.
TEST(SourceFileCacheTest, WorkCopiesGoIntoTheWorkFolderUnderTheirOwnNames)
{
    TempFolder project;
    TempFolder work;
    CSourceFileCache cache(work.Path());
    const std::string program = project / "~SBR00_Fill.ilp";
    ASSERT_TRUE(cache.WriteWorkFile(program, "(*1*)\r\nLD %I0.0\r\n"));
    EXPECT_EQ(ReadFileText(work / "~SBR00_Fill.ilp"), "(*1*)\r\nLD %I0.0\r\n");
    EXPECT_FALSE(FileSystem::FileExists(program));
    ASSERT_NE(cache.Text(program), nullptr);
    EXPECT_EQ(*cache.Text(program), "(*1*)\r\nLD %I0.0\r\n");

    WriteFileText(project / "Demo.CGV", "left from an earlier run");
    ASSERT_TRUE(cache.WriteWorkFile(project / "Demo.CGV", "VAR_GLOBAL\r\nEND_VAR\r\n"));
    cache.DropWorkFile(project / "Demo.CGV");
    EXPECT_FALSE(FileSystem::FileExists(work / "Demo.CGV"));
    EXPECT_EQ(cache.Text(project / "Demo.CGV"), nullptr);

    WriteFileText(project / "~SBR01_Drain.ilp", "left from an earlier run");
    FileSystem::DeleteTree(work.Path());
    EXPECT_FALSE(cache.WriteWorkFile(project / "~SBR01_Drain.ilp", "(*1*)\r\n"));
    EXPECT_EQ(cache.Text(project / "~SBR01_Drain.ilp"), nullptr);
}

TEST(SourceFileCacheTest, ReadersWithoutACacheGoToTheDisk)
{
    TempFolder dir;
    WriteFileText(dir / "MAIN_Main.ilv", "VAR\r\nEND_VAR\r\n");
    CSourceFileCache cache;
    struct Case {
        CSourceFileCache* cache;
        std::string diskAfterFirstRead;
        std::string secondRead;
    };
    const Case cases[] = {
        {nullptr, "VAR_INPUT\r\nEND_VAR\r\n", "VAR_INPUT\r\nEND_VAR\r\n"},
        {&cache, "VAR_OUTPUT\r\nEND_VAR\r\n", "VAR_INPUT\r\nEND_VAR\r\n"},
    };
    for (const Case& c : cases) {
        std::string text;
        ASSERT_TRUE(ReadSourceText(c.cache, dir / "MAIN_Main.ilv", text));
        WriteFileText(dir / "MAIN_Main.ilv", c.diskAfterFirstRead);
        ASSERT_TRUE(ReadSourceText(c.cache, dir / "MAIN_Main.ilv", text));
        EXPECT_EQ(text, c.secondRead) << (c.cache ? "cached" : "uncached");
        EXPECT_FALSE(ReadSourceText(c.cache, dir / "MAIN_None.ilv", text));
        EXPECT_EQ(text, "");
    }
}

} // namespace
