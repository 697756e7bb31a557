#include "model/SharedServices.h"

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <regex>
#include <unistd.h>

namespace {

const std::string CHECK = "\r\nCheck the port, communication parameters and the attached cable.";

struct CommErrorCase {
    int result;
    const char* caption;
    std::string text;
    UINT icon;
};

} // namespace

TEST(ShowCommErrorTest, EveryResultCodeShowsItsBox)
{
    const std::string general = "Communication error." + CHECK;
    const CommErrorCase cases[] = {
        {1, "Communication error", "Communication time-out." + CHECK, MB_ICONERROR},
        {3, "Communication error", "PLC responsed wrongly." + CHECK, MB_ICONERROR},
        {4, "Communication error", "PLC responsed wrongly." + CHECK, MB_ICONERROR},
        {5, "Communication error", "Transmission failed. " + CHECK, MB_ICONERROR},
        {6, "Communication error", "Receiving data failed." + CHECK, MB_ICONERROR},
        {7, "Communication error", "Received data error (CRC check). " + CHECK, MB_ICONERROR},
        {11, "Communication error", "Parity error or Framing error." + CHECK, MB_ICONERROR},
        {13, "Communication error", "The specified communication port is not open", MB_ICONERROR},
        {16, "Note", "Wrong password.", MB_ICONINFORMATION},
        {17, "Note", "Wrong password.", MB_ICONINFORMATION},
        {18, "Note", "Current operation need a password, current operation canceled.", MB_ICONINFORMATION},
        {19, "Note", "The PLC was set to \"upload disabled\".", MB_ICONINFORMATION},
        {0, "Communication error", general, MB_ICONERROR},
        {2, "Communication error", general, MB_ICONERROR},
        {8, "Communication error", general, MB_ICONERROR},
        {12, "Communication error", general, MB_ICONERROR},
        {15, "Communication error", general, MB_ICONERROR},
        {20, "Communication error", general, MB_ICONERROR},
        {-1, "Communication error", general, MB_ICONERROR},
    };
    for (const CommErrorCase& c : cases) {
        CScopedUi ui;
        ShowCommError(nullptr, 1, 'R', c.result);
        const auto messages = ui.box.Messages();
        ASSERT_EQ(messages.size(), 1u) << c.result;
        EXPECT_EQ(messages[0].caption, c.caption) << c.result;
        EXPECT_EQ(messages[0].text, c.text) << c.result;
        EXPECT_EQ(messages[0].type & MB_ICONMASK, c.icon) << c.result;
    }
}

TEST(ShowCommErrorTest, ShowFlagOtherThanOneShowsNothing)
{
    CScopedUi ui;
    ShowCommError(nullptr, 0, 'R', 1);
    ShowCommError(nullptr, 2, 'R', 1);
    EXPECT_TRUE(ui.box.Messages().empty());
}

TEST(DeleteFolderTreeTest, EmptiesNestedFoldersButKeepsTheFolder)
{
    TempFolder temp;
    const std::string root = temp / "project";
    ASSERT_TRUE(FileSystem::CreateFolder(root + "/sub/deeper"));
    ASSERT_TRUE(FileSystem::SafeSave(root + "/a.ilp", std::string("(*1*)")));
    ASSERT_TRUE(FileSystem::SafeSave(root + "/sub/b.ilv", std::string("VAR")));
    ASSERT_TRUE(FileSystem::SafeSave(root + "/sub/deeper/c.txt", std::string("x")));
    ASSERT_TRUE(FileSystem::SetAttributes(root + "/sub/b.ilv", FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(DeleteFolderTree(root));
    EXPECT_TRUE(FileSystem::FolderExists(root));
    EXPECT_TRUE(FileSystem::ListFolder(root).empty());
}

TEST(DeleteFolderTreeTest, FollowsNoLinkOutOfTheFolder)
{
    TempFolder temp;
    const std::string outside = temp / "outside";
    const std::string root = temp / "project";
    ASSERT_TRUE(FileSystem::CreateFolder(outside));
    ASSERT_TRUE(FileSystem::CreateFolder(root));
    ASSERT_TRUE(FileSystem::SafeSave(outside + "/keep.txt", std::string("keep")));
    ASSERT_EQ(::symlink(outside.c_str(), (root + "/link").c_str()), 0);

    EXPECT_TRUE(DeleteFolderTree(root));
    EXPECT_TRUE(FileSystem::ListFolder(root).empty());
    EXPECT_TRUE(FileSystem::FileExists(outside + "/keep.txt"));
}

TEST(DeleteFolderTreeTest, MissingFolderFails)
{
    TempFolder temp;
    EXPECT_FALSE(DeleteFolderTree(temp / "missing"));
    ASSERT_TRUE(FileSystem::SafeSave(temp / "file", std::string("x")));
    EXPECT_FALSE(DeleteFolderTree(temp / "file"));
    EXPECT_TRUE(FileSystem::FileExists(temp / "file"));
}

TEST(RemoveSpacesFromFileTitleTest, BlanksLeaveTheTitleOnly)
{
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"/home/my docs/my new project.qpj", "/home/my docs/mynewproject.qpj"},
        {"C:\\my docs\\ a b .qpj", "C:\\my docs\\ab.qpj"},
        {"plain.qpj", "plain.qpj"},
        {"/home/my docs/no extension", ""},
        {"/home/a.b/no extension", ""},
        {"/home/   .qpj", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveSpacesFromFileTitle(c.path), c.expected) << c.path;
}

TEST(GetTimestampStringTest, SixNumbersWithoutPadding)
{
    const std::string stamp = GetTimestampString();
    EXPECT_TRUE(std::regex_match(stamp, std::regex("20[0-9]{2}-([1-9]|1[0-2])-([1-9]|[12][0-9]|3[01])-"
                                                   "([0-9]|1[0-9]|2[0-3])-([0-9]|[1-5][0-9])-([0-9]|[1-5][0-9])")))
        << stamp;
}
