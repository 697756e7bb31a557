#include "model/LanguageLibrary.h"

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <set>
#include <unistd.h>

namespace {

void Write(const std::string& path, const std::string& text)
{
    ASSERT_TRUE(FileSystem::SafeSave(path, text));
}

bool IsKnownPOU(const std::string& name)
{
    static const std::set<std::string> names = {"MAIN", "MOTOR", "TIMER INT"};
    return names.count(name) != 0;
}

} // namespace

TEST(LanguageLibraryFolderTest, DeleteFolderContentsEmptiesTreeKeepsFolder)
{
    TempFolder temp;
    const std::string root = temp / "export";
    const std::string outside = temp / "outside";
    ASSERT_TRUE(FileSystem::CreateFolder(root + "/a/b"));
    ASSERT_TRUE(FileSystem::CreateFolder(outside));
    Write(root + "/x.ilp", "1");
    Write(root + "/a/b/y.ilv", "2");
    Write(outside + "/keep", "3");
    ASSERT_EQ(::symlink(outside.c_str(), (root + "/a/link").c_str()), 0);

    CScopedUi ui;
    EXPECT_TRUE(DeleteFolderContents(root));
    EXPECT_TRUE(FileSystem::FolderExists(root));
    EXPECT_TRUE(FileSystem::ListFolder(root).empty());
    EXPECT_TRUE(FileSystem::FileExists(outside + "/keep"));
    EXPECT_TRUE(ui.box.Messages().empty());
}

TEST(LanguageLibraryFolderTest, RootsAndEmptyPathsAreRefused)
{
    CScopedUi ui;
    EXPECT_FALSE(DeleteFolderContents(""));
    EXPECT_TRUE(ui.box.Messages().empty());
    for (const char* root : {"/", "C:\\", "C:", "D:/"}) {
        ui.box.Clear();
        EXPECT_FALSE(DeleteFolderContents(root)) << root;
        ASSERT_EQ(ui.box.Texts().size(), 1u) << root;
        EXPECT_EQ(ui.box.Texts()[0], "Can not operate the root directory of the drive");
    }
}

TEST(LanguageLibraryFolderTest, RemoveSubfoldersStopsAtAFile)
{
    TempFolder temp;
    ASSERT_TRUE(FileSystem::CreateFolder(temp / "f/a/b"));
    EXPECT_TRUE(RemoveSubfolders(temp / "f"));
    EXPECT_TRUE(FileSystem::ListFolder(temp / "f").empty());

    ASSERT_TRUE(FileSystem::CreateFolder(temp / "g/a"));
    Write(temp / "g/a/file", "x");
    EXPECT_FALSE(RemoveSubfolders(temp / "g"));
    EXPECT_TRUE(FileSystem::FileExists(temp / "g/a/file"));
    EXPECT_FALSE(DeleteFilesInTree(temp / "missing"));
}

TEST(LanguageLibraryFolderTest, DeleteMatchingFilesTakesPatternAndPrefix)
{
    TempFolder temp;
    Write(temp / "~SBR01_A.ilp", "1");
    Write(temp / "~MAIN_MAIN.ILV", "1");
    Write(temp / "SBR01_A.ilp", "1");
    Write(temp / "~notes.txt", "1");
    EXPECT_TRUE(DeleteMatchingFiles(temp.Path(), "~*.ilp", "~"));
    EXPECT_TRUE(DeleteMatchingFiles(temp.Path(), "~*.ilv", "~"));
    std::vector<std::string> left;
    for (const CFileEntry& e : FileSystem::ListFolder(temp.Path()))
        left.push_back(e.name);
    EXPECT_EQ(left, (std::vector<std::string>{"SBR01_A.ilp", "~notes.txt"}));
    EXPECT_FALSE(DeleteMatchingFiles(temp.Path(), "", "~"));
    EXPECT_FALSE(DeleteMatchingFiles(temp.Path(), "*", ""));
}

TEST(LanguageLibraryFileTest, CreateFilesAndReportFailures)
{
    TempFolder temp;
    CScopedUi ui;
    Write(temp / "old.cip", "old content");
    ASSERT_TRUE(FileSystem::SetAttributes(temp / "old.cip", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(CreateCompilerFile(temp / "old.cip"));
    std::string text = "x";
    ASSERT_TRUE(FileSystem::ReadFileText(temp / "old.cip", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(FileExists(temp / "old.cip"));
    EXPECT_FALSE(FileExists(temp / "missing"));
    EXPECT_FALSE(FileExists(temp.Path()));
    EXPECT_TRUE(ClearReadOnlyAttribute(temp / "missing"));
    EXPECT_TRUE(ui.box.Messages().empty());

    const std::string bad = temp / "no/such/folder.cip";
    EXPECT_FALSE(CreateCompilerFile(bad));
    EXPECT_FALSE(CreateEmptyFile(bad));
    const auto messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Creat file \"" + bad + "\" failed, compilation failed.");
    EXPECT_EQ(messages[0].type & MB_ICONMASK, MB_ICONSTOP);
    EXPECT_EQ(messages[1].text, "\xCE\xC4\xBC\xFE " + bad + " \xB4\xB4\xBD\xA8\xCA\xA7\xB0\xDC");
}

TEST(LanguageLibraryPathTest, PathPieces)
{
    EXPECT_EQ(GetFileExtension("/p/a.b/SBR01_X.ilp"), "ilp");
    EXPECT_EQ(GetFileExtension("/p/noext"), "");
    EXPECT_EQ(GetFileExtension(""), "");
    EXPECT_EQ(RemoveFileExtension("/p/x.ilp"), "/p/x");
    EXPECT_EQ(RemoveFileExtension("/p/x"), "");
    EXPECT_EQ(ReplaceFileExtension("C:\\A\\B.ilp", "ilv"), "C:\\A\\B.ilv");
    EXPECT_EQ(ReplaceFileExtension("/a/b.ilp", "ilv"), "/a/b.ilv");
    EXPECT_EQ(ReplaceFileExtension("C:\\A.B\\C", "ilv"), "");
    EXPECT_EQ(ReplaceFileExtension("/a/b..c", "x"), "/a/b.x");
    EXPECT_EQ(ReplaceFileExtension("noext", "x"), "");
    EXPECT_EQ(GetFileNameFromPath("/p/q/MAIN_MAIN.ilp"), "MAIN_MAIN.ilp");
    EXPECT_EQ(GetFileNameFromPath("C:\\p\\x.ilv"), "x.ilv");
    EXPECT_EQ(GetFileNameFromPath("bare"), "bare");
    EXPECT_EQ(GetFolderFromPath("/p/q/x.ilp"), "/p/q/");
    EXPECT_EQ(GetFolderFromPath("bare"), "");
    EXPECT_EQ(GetPOUNameFromFileName("MAIN_MAIN.ilp"), "MAIN");
    EXPECT_EQ(GetPOUNameFromFileName("SBR01_MY_PUMP.ilv"), "MY_PUMP");
    EXPECT_EQ(GetPOUNameFromFileName("MAIN.ilp"), "");
    EXPECT_EQ(GetPOUNameFromFileName("SBR01_X"), "");
    EXPECT_TRUE(IsDigitString("0123"));
    EXPECT_FALSE(IsDigitString(""));
    EXPECT_FALSE(IsDigitString("12a"));
    EXPECT_FALSE(IsDigitString("-1"));
}

TEST(LanguageLibraryPathTest, RedirectToPreparedSource)
{
    TempFolder temp;
    Write(temp / "~SBR01_A.ilp", "(*1*)");
    Write(temp / "SBR01_A.ilv", "VAR");
    std::string path = temp / "SBR01_A.ilp";
    EXPECT_TRUE(RedirectToPreparedSource(path));
    EXPECT_EQ(path, temp / "~SBR01_A.ilp");
    path = temp / "SBR01_A.ilv";
    EXPECT_TRUE(RedirectToPreparedSource(path));
    EXPECT_EQ(path, temp / "SBR01_A.ilv");
    path = temp / "SBR02_B.ILP";
    EXPECT_FALSE(RedirectToPreparedSource(path));
    EXPECT_EQ(path, temp / "~SBR02_B.ILP");
    path = "";
    EXPECT_FALSE(RedirectToPreparedSource(path));
}

TEST(LanguageLibraryFileTest, LanguageLineOfAPOUFile)
{
    TempFolder temp;
    const struct {
        const char* content;
        BYTE language;
    } cases[] = {
        {"(*2*)\r\nNETWORK\r\n", 2}, {"(*1*)\nLD %I0.0\n", 1}, {"(*1*)", 1},
        {"(*2*) \r\n", 255},         {" (*2*)\n", 255},        {"", 255},
        {"(*3*)\n", 255},
    };
    for (const auto& c : cases) {
        Write(temp / "pou.ilp", c.content);
        EXPECT_EQ(ReadPOULanguageLine(temp / "pou.ilp"), c.language) << c.content;
        EXPECT_EQ(ReadPOULanguage(temp / "pou.ilp"), c.language) << c.content;
    }
    EXPECT_EQ(ReadPOULanguageLine(temp / "missing.ilp"), 255);
}

TEST(ParseMessagePositionTest, CompileMessagesBackToPOUAndNumber)
{
    const struct {
        const char* line;
        bool ok;
        const char* pou;
        int number;
    } cases[] = {
        {"POU \"MAIN\" (row 12): [E0012] Unknown instruction", true, "MAIN", 12},
        {"   POU \"MOTOR\" (NetWork: 3): [W0002] text", true, "MOTOR", 3},
        {"POU \"TIMER INT\" (row  7 ): [x]", true, "TIMER INT", 7},
        {"POU \"GONE\" (row 12): [E0012]", false, "", 0},
        {"POU \"MAIN\" (row x1): [E]", false, "", 0},
        {"POU \"MAIN\" (row 12) missing bracket", false, "", 0},
        {"POU \" (row 12): [E]", false, "", 0},
        {"POU MAIN (row 12): [E]", false, "", 0},
        {"pou \"MAIN\" (row 12): [E]", false, "", 0},
        {"POU \"", false, "", 0},
        {"", false, "", 0},
        // The row part fails (not a number), the network part then decides.
        {"POU \"MAIN\" (row a): [\" (NetWork: 4): [", false, "", 0},
        {"POU \"MAIN\" (NetWork: 5): [see \" (row 9): [", true, "MAIN", 5},
    };
    for (const auto& c : cases) {
        std::string pou;
        int number = 0;
        EXPECT_EQ(ParseMessagePosition(c.line, pou, number, IsKnownPOU) != FALSE, c.ok) << c.line;
        EXPECT_EQ(pou, c.pou) << c.line;
        EXPECT_EQ(number, c.number) << c.line;
    }
}

TEST(ParseFindReportLineTest, ILReportLines)
{
    const struct {
        const char* line;
        bool ok;
        int item;
        const char* pou;
        int row;
        int column;
    } cases[] = {
        {"    3. IL program \"MAIN\": Row 14, \"LD\", Byte 5 from Col.2.", true, 3, "MAIN", 14, 2},
        {"    12. IL program \"MOTOR\": Row 1, \"from Col.9.\", Byte 1 from Col.7.\r\"from Col.9.\" is replaced as "
         "\"x\".",
         true, 12, "MOTOR", 1, 7},
        {"    1. IL program \"MAIN\": Row x, \"LD\", Byte 5 from Col.2.", false, 0, "", 0, 0},
        {"    1. IL program MAIN: Row 1, \"LD\", Byte 5 from Col.2.", false, 0, "", 0, 0},
        {"    1. ST program \"MAIN\": Row 1, \"LD\", Byte 5 from Col.2.", false, 0, "", 0, 0},
        {"    a. IL program \"MAIN\": Row 1, \"LD\", Byte 5 from Col.2.", false, 0, "", 0, 0},
        {"", false, 0, "", 0, 0},
    };
    for (const auto& c : cases) {
        int kind = 0, network = -1, row = 0, column = 0, item = 0;
        std::string pou;
        FindReportElement element;
        EXPECT_EQ(ParseFindReportLine(c.line, kind, pou, network, row, column, item, element) != FALSE, c.ok)
            << c.line;
        if (!c.ok)
            continue;
        EXPECT_EQ(kind, 1);
        EXPECT_EQ(item, c.item);
        EXPECT_EQ(pou, c.pou);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(column, c.column);
    }
}

TEST(ParseFindReportLineTest, LDReportLines)
{
    const struct {
        const char* line;
        int network;
        int kind;
        const char* text;
        const char* param;
        int paramNumber;
        int column;
        int row;
    } cases[] = {
        {"    1. LD program \"MAIN\": (Network:0), Contact \"%I0.0\", Position(2,3), Size(1,1).", 0, 1, "%I0.0", "",
         0, 2, 3},
        {"    2. LD program \"MAIN\": (Network:4), Coil \"%Q0.1\", Position(9,0) Size(1,1).", 4, 0, "%Q0.1", "", 0, 9,
         0},
        {"    3. LD program \"SUB\": (Network:1), Instruction \"MOVE\", Position(3,1), Size(2,4).", 1, 2, "MOVE", "", 0,
         3, 1},
        {"    4. LD program \"SUB\": (Network:1), Input Para.2 \"%VW0\" of instruction \"ADD\", Position(4,5), "
         "Size(2,4).",
         1, 2, "ADD", "%VW0", 2, 4, 5},
        {"    5. LD program \"SUB\": (Network:2), Output Para. 1 \"%VW4\" of instruction \"ADD\", Position(4,5), "
         "Size(2,4).\r \"%VW4\" is replaced as \"%VW6\".",
         2, 2, "ADD", "%VW4", 1, 4, 5},
        {"    6. LD program \"SUB\": (Network:2), Instance \"T37\" of FB \"TON\", Position(1,1), Size(2,4).", 2, 2,
         "TON", "T37", 0, 1, 1},
        {"    7. LD program \"SUB\": (Network:3), Parameter \"P\" of contact \"%I0.0\", Position(0,0), Size(1,1).", 3,
         1, "%I0.0", "P", 0, 0, 0},
        {"    8. LD program \"SUB\": (Network:3), Parameter \"P\" of coil \"%Q0.0\", Position(6,0) Size(1,1).", 3, 0,
         "%Q0.0", "P", 0, 6, 0},
        {"    9. LD program \"SUB\": (Network:11), Comment \"(* Network 11 *)\", Position(0,0), Size(8,1).", 11, 3,
         "", "", 0, 0, 0},
    };
    for (const auto& c : cases) {
        int kind = 0, network = -1, row = -1, column = -1, item = 0;
        std::string pou;
        FindReportElement element;
        ASSERT_TRUE(ParseFindReportLine(c.line, kind, pou, network, row, column, item, element)) << c.line;
        EXPECT_EQ(kind, 2);
        EXPECT_EQ(network, c.network) << c.line;
        EXPECT_EQ(element.kind, c.kind) << c.line;
        EXPECT_EQ(element.text, c.text) << c.line;
        EXPECT_EQ(element.paramText, c.param) << c.line;
        EXPECT_EQ(element.paramNumber, c.paramNumber) << c.line;
        EXPECT_EQ(element.column, c.column) << c.line;
        EXPECT_EQ(element.row, c.row) << c.line;
    }
    const char* bad[] = {
        "    1. LD program \"MAIN\": (Network:x), Contact \"A\", Position(2,3), Size(1,1).",
        "    1. LD program \"MAIN\": (Network:1), Lamp \"A\", Position(2,3), Size(1,1).",
        "    1. LD program \"MAIN\": (Network:1), Contact \"A\", Size(1,1).",
        "    1. LD program \"MAIN\": (Network:1), Input Para.x \"A\" of instruction \"B\", Position(2,3), Size(1,1).",
    };
    for (const char* line : bad) {
        int kind = 0, network = -1, row = -1, column = -1, item = 0;
        std::string pou;
        FindReportElement element;
        EXPECT_FALSE(ParseFindReportLine(line, kind, pou, network, row, column, item, element)) << line;
    }
}
