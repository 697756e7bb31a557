#include "shell/IPOURenameHost.h"
#include "shell/POUNameRules.h"
#include "shell/POUPropertyFields.h"
#include "shell/POURename.h"

#include "model/AppDataFixture.h"
#include "model/CProjTreeDOC.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"
#include "platform/FileTimes.h"
#include "platform/Gbk.h"
#include "support/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char ILLEGAL_NAME[] = "This is not a legal POU name.";
constexpr char KEYWORD_IN_PLACE[] = "This is not a legal POU name.\r\nKeyword can not be used as a POU Name.";
constexpr char KEYWORD_DIALOG[] = "This is not a legal POU name.\r\nKeyword can not be used as a POU name.";
constexpr char DUPLICATE[] = "A duplicate POU name existes.";
constexpr char PATH_TOO_LONG[] = "Unable to rename file because the file name or path is too long.";

std::string TokenMessage(const std::string& token)
{
    return "This is not a legal POU Name. \r\nThe following illegal charater is included: '" + token + "' .  ";
}

class RecordingRenameHost : public IPOURenameHost {
public:
    void SetPOUItemText(const CProjTreeNode& node, const std::string& label) override
    {
        items.emplace_back(node.number, label);
    }
    void RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName) override
    {
        catalogue.emplace_back(oldName, newName);
    }
    std::vector<std::pair<int, std::string>> items;
    std::vector<std::pair<std::string, std::string>> catalogue;
};

// A project in a temporary folder: MAIN "Main" (IL), subroutine 5 "Old"
// and subroutine 1 "Pump", interrupt routine 2 "Tick".
class POUNamingTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        AttachProjectDocument(&m_document);
        CZULProject& project = m_app->Project;
        project.ProjectFolder = m_folder.Path();
        project.MainNode.kind = NODE_MAIN;
        project.MainNode.name = "Main";
        project.MainNode.label = "(MAIN)  Main";
        project.MainNode.language = 1;
        m_old = AddRoutine(NODE_SUBROUTINE, "Old", 5);
        AddRoutine(NODE_SUBROUTINE, "Pump", 1);
        m_tick = AddRoutine(NODE_INTERRUPT, "Tick", 2);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        AppDataFixture::TearDown();
    }

    CProjTreeNode* AddRoutine(int kind, const std::string& name, int number)
    {
        auto* node = new CProjTreeNode;
        node->kind = kind;
        node->name = name;
        node->number = number;
        node->language = 1;
        node->label = POULabel(kind, number, name);
        if (kind == NODE_INTERRUPT) {
            m_app->Project.POUs.AddInterruptNode(node);
            return node;
        }
        m_app->Project.POUs.AddSubroutineNode(node);
        auto* function = new CZULFunc;
        function->name = name;
        function->number = number;
        m_app->Project.POUs.AddSubroutineInterface(function);
        return node;
    }

    std::string InFolder(const std::string& name) const { return m_folder.Path() + "/" + name; }
    void WriteFile(const std::string& name, const std::string& text)
    {
        ASSERT_TRUE(FileSystem::SafeSave(InFolder(name), text)) << name;
    }
    std::string FileText(const std::string& name) const
    {
        std::string text;
        FileSystem::ReadFileText(InFolder(name), text);
        return text;
    }
    bool Exists(const std::string& name) const { return FileSystem::FileExists(InFolder(name)) != FALSE; }

    TempFolder m_folder;
    CProjTreeDOC m_document;
    RecordingRenameHost m_host;
    CProjTreeNode* m_old = nullptr;
    CProjTreeNode* m_tick = nullptr;
};

struct NameCase {
    const char* name;
    int kind;
    POUNameForm form;
    std::string typed;
    POUNameResult result;
    std::string message;
    std::string trimmed;
};

TEST_F(POUNamingTest, TheRulesRunInOrderWithTheirMessages)
{
    const std::string gbkName = Utf8ToGbk("泵站");
    // Double-byte characters whose trail bytes are '[' and ']'.
    const std::string gbkBrackets = "\x81\x5B\x81\x5D";
    const NameCase cases[] = {
        {"blank in place drops silently", NODE_SUBROUTINE, POUNameForm::InPlace, "   ", POU_NAME_EMPTY, "", ""},
        {"blank in the dialog", NODE_SUBROUTINE, POUNameForm::Dialog, " ", POU_NAME_EMPTY, ILLEGAL_NAME, ""},
        {"same name trimmed", NODE_SUBROUTINE, POUNameForm::Dialog, " Old ", POU_NAME_UNCHANGED, "", "Old"},
        {"case only in place drops", NODE_SUBROUTINE, POUNameForm::InPlace, "OLD", POU_NAME_UNCHANGED, "", "OLD"},
        {"case only in the dialog is a duplicate", NODE_SUBROUTINE, POUNameForm::Dialog, "OLD", POU_NAME_DUPLICATE,
         DUPLICATE, "OLD"},
        {"SUBROUTINE in place", NODE_SUBROUTINE, POUNameForm::InPlace, "subroutine", POU_NAME_KEYWORD,
         KEYWORD_IN_PLACE, "subroutine"},
        {"SUBROUTINE in the dialog", NODE_SUBROUTINE, POUNameForm::Dialog, "SubRoutine", POU_NAME_KEYWORD,
         KEYWORD_DIALOG, "SubRoutine"},
        {"instruction keyword", NODE_INTERRUPT, POUNameForm::InPlace, "ld", POU_NAME_KEYWORD, KEYWORD_IN_PLACE, "ld"},
        {"blank inside", NODE_SUBROUTINE, POUNameForm::InPlace, " a b ", POU_NAME_ILLEGAL_TOKEN, TokenMessage(" "),
         "a b"},
        {"first token in table order", NODE_SUBROUTINE, POUNameForm::Dialog, "a(b)", POU_NAME_ILLEGAL_TOKEN,
         TokenMessage("("), "a(b)"},
        {"assignment before colon", NODE_SUBROUTINE, POUNameForm::InPlace, "x:=1", POU_NAME_ILLEGAL_TOKEN,
         TokenMessage(":="), "x:=1"},
        {"tab inside", NODE_MAIN, POUNameForm::Dialog, "a\tb", POU_NAME_ILLEGAL_TOKEN, TokenMessage("\t"), "a\tb"},
        {"comparison", NODE_SUBROUTINE, POUNameForm::Dialog, "a<>b", POU_NAME_ILLEGAL_TOKEN, TokenMessage("<>"),
         "a<>b"},
        {"bracket after a GBK character", NODE_SUBROUTINE, POUNameForm::InPlace, gbkName + "[1]",
         POU_NAME_ILLEGAL_TOKEN, TokenMessage("["), gbkName + "[1]"},
        {"GBK name", NODE_SUBROUTINE, POUNameForm::InPlace, gbkName, POU_NAME_OK, "", gbkName},
        {"GBK trail bytes are no brackets", NODE_SUBROUTINE, POUNameForm::Dialog, gbkBrackets, POU_NAME_OK, "",
         gbkBrackets},
        {"another subroutine", NODE_SUBROUTINE, POUNameForm::Dialog, "Pump", POU_NAME_DUPLICATE, DUPLICATE, "Pump"},
        {"another subroutine in place", NODE_INTERRUPT, POUNameForm::InPlace, "PUMP", POU_NAME_DUPLICATE, DUPLICATE,
         "PUMP"},
        {"an interrupt routine", NODE_MAIN, POUNameForm::Dialog, "tick", POU_NAME_DUPLICATE, DUPLICATE, "tick"},
        {"MAIN in place", NODE_INTERRUPT, POUNameForm::InPlace, "MAIN", POU_NAME_DUPLICATE, DUPLICATE, "MAIN"},
        {"MAIN in the dialog", NODE_INTERRUPT, POUNameForm::Dialog, "mAIN", POU_NAME_DUPLICATE, DUPLICATE, "mAIN"},
        {"MAIN case only in the dialog", NODE_MAIN, POUNameForm::Dialog, "MAIN", POU_NAME_OK, "", "MAIN"},
        {"new name", NODE_SUBROUTINE, POUNameForm::InPlace, "  New  ", POU_NAME_OK, "", "New"},
    };
    for (const NameCase& test : cases) {
        const CProjTreeNode& node =
            test.kind == NODE_MAIN ? m_app->Project.MainNode : (test.kind == NODE_INTERRUPT ? *m_tick : *m_old);
        std::string name = test.typed;
        std::string message = "stale";
        EXPECT_EQ(CheckPOUName(m_app->Project, node, name, test.form, message), test.result) << test.name;
        EXPECT_EQ(message, test.message) << test.name;
        EXPECT_EQ(name, test.trimmed) << test.name;
    }
}

TEST_F(POUNamingTest, ThePathLimitCountsFolderSeparatorAndLabelAndRaisesTheLongestPath)
{
    const std::string folder(200, 'f');
    m_app->Project.ProjectFolder = folder;
    // Folder, separator and "(SBR05)  ": 210; the name may take 48 more.
    const std::pair<size_t, BOOL> cases[] = {{47, TRUE}, {48, TRUE}, {49, FALSE}, {60, FALSE}};
    for (const auto& [length, fits] : cases) {
        m_app->LongestPOUPathLength = 0;
        const std::string label = POULabel(NODE_SUBROUTINE, 5, std::string(length, 'n'));
        EXPECT_EQ(CheckPOUPathLength(*m_app, label), fits) << length;
        EXPECT_EQ(m_app->LongestPOUPathLength, static_cast<int>(210 + length)) << length;
    }
    m_app->LongestPOUPathLength = 300;
    EXPECT_FALSE(CheckPOUPathLength(*m_app, POULabel(NODE_MAIN, -1, std::string(60, 'n'))));
    EXPECT_EQ(m_app->LongestPOUPathLength, 300);
}

TEST_F(POUNamingTest, LabelsAndFileBasesOfEachKind)
{
    EXPECT_EQ(POULabel(NODE_MAIN, -1, "Main"), "(MAIN)  Main");
    EXPECT_EQ(POULabel(NODE_SUBROUTINE, 5, "Old"), "(SBR05)  Old");
    EXPECT_EQ(POULabel(NODE_INTERRUPT, 12, "Tick"), "(INT12)  Tick");
    EXPECT_EQ(POULabel(NODE_HARDWARE, 0, "x"), "");
    EXPECT_EQ(POUFileBase(NODE_MAIN, -1, "Main"), "MAIN_Main");
    EXPECT_EQ(POUFileBase(NODE_SUBROUTINE, 5, "Old"), "SBR05_Old");
    EXPECT_EQ(POUFileBase(NODE_INTERRUPT, 2, "Tick"), "INT02_Tick");
}

TEST_F(POUNamingTest, RenamingASubroutineMovesItsFilesAndCarriesTheName)
{
    WriteFile("SBR05_Old.ilp", "program");
    WriteFile("SBR05_Old.ilv", "variables");
    WriteFile("SBR05_Older.ilp", "another");
    WriteFile("SBR15_Old.ilp", "number 15");
    ASSERT_TRUE(FileSystem::CreateFolder(InFolder("SBR05_Old.bak")));

    EXPECT_EQ(RenamePOUInPlace(*m_app, *m_old, " New ", m_host), POU_NAME_OK);

    EXPECT_EQ(FileText("SBR05_New.ilp"), "program");
    EXPECT_EQ(FileText("SBR05_New.ilv"), "variables");
    // The project file on disk names the old files until the project is saved.
    EXPECT_TRUE(FileSystem::IsSameFile(InFolder("SBR05_Old.ilp"), InFolder("SBR05_New.ilp")));
    EXPECT_TRUE(FileSystem::IsSameFile(InFolder("SBR05_Old.ilv"), InFolder("SBR05_New.ilv")));
    EXPECT_TRUE(Exists("SBR05_Older.ilp"));
    EXPECT_TRUE(Exists("SBR15_Old.ilp"));
    EXPECT_TRUE(FileSystem::FolderExists(InFolder("SBR05_Old.bak")));
    EXPECT_EQ(m_old->name, "New");
    EXPECT_EQ(m_old->label, "(SBR05)  New");
    EXPECT_EQ(m_host.items, (std::vector<std::pair<int, std::string>>{{5, "(SBR05)  New"}}));
    EXPECT_EQ(m_host.catalogue, (std::vector<std::pair<std::string, std::string>>{{"Old", "New"}}));
    CZULFunc* function = nullptr;
    EXPECT_TRUE(m_app->Project.POUs.FindSubroutineInterface("New", function));
    EXPECT_FALSE(m_app->Project.POUs.HasRoutine("OLD"));
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

// Until the project file is written with the new name, the files keep the
// name it uses as well: renames in a row move only the unsaved name, a rename
// back takes the saved name again, the save drops the old names and a close
// without saving the new ones, unless a file was written under its new name.
TEST_F(POUNamingTest, OldNamesStayOnDiskUntilTheProjectIsSaved)
{
    std::vector<CPOUFileRename>& pending = m_document.PendingFileRenames();
    const std::string folder = m_app->Project.ProjectFolder;
    WriteFile("SBR05_Old.ilp", "program");
    WriteFile("SBR05_Old.ilv", "variables");

    ASSERT_EQ(RenamePOUInPlace(*m_app, *m_old, "New", m_host), POU_NAME_OK);
    ASSERT_EQ(RenamePOUInPlace(*m_app, *m_old, "Newer", m_host), POU_NAME_OK);
    EXPECT_FALSE(Exists("SBR05_New.ilp"));
    EXPECT_TRUE(FileSystem::IsSameFile(InFolder("SBR05_Old.ilp"), InFolder("SBR05_Newer.ilp")));
    ASSERT_EQ(RenamePOUInPlace(*m_app, *m_old, "Old", m_host), POU_NAME_OK);
    EXPECT_FALSE(Exists("SBR05_Newer.ilp"));
    EXPECT_FALSE(Exists("SBR05_Newer.ilv"));
    EXPECT_EQ(FileText("SBR05_Old.ilp"), "program");
    EXPECT_TRUE(pending.empty());

    ASSERT_EQ(RenamePOUInPlace(*m_app, *m_old, "Saved", m_host), POU_NAME_OK);
    CommitPOUFileRenames(pending, folder);
    EXPECT_FALSE(Exists("SBR05_Old.ilp"));
    EXPECT_FALSE(Exists("SBR05_Old.ilv"));
    EXPECT_EQ(FileText("SBR05_Saved.ilp"), "program");
    EXPECT_EQ(FileText("SBR05_Saved.ilv"), "variables");

    ASSERT_EQ(RenamePOUInPlace(*m_app, *m_old, "Dropped", m_host), POU_NAME_OK);
    // The program file is written under its new name; the variable file is not.
    WriteFile("SBR05_Dropped.ilp", "edited");
    DiscardPOUFileRenames(pending, folder);
    EXPECT_EQ(FileText("SBR05_Saved.ilp"), "program");
    EXPECT_EQ(FileText("SBR05_Saved.ilv"), "variables");
    EXPECT_EQ(FileText("SBR05_Dropped.ilp"), "edited");
    EXPECT_FALSE(Exists("SBR05_Dropped.ilv"));
    EXPECT_TRUE(pending.empty());
}

TEST_F(POUNamingTest, RenamingMainOrAnInterruptRoutineMovesTheirFilesWithGbkNames)
{
    const std::string name = Utf8ToGbk("主程序");
    WriteFile("MAIN_Main.ilp", "main");
    WriteFile("INT02_Tick.ilv", "tick");
    CProjTreeNode treeMain = m_app->Project.MainNode;

    EXPECT_EQ(RenamePOUInPlace(*m_app, treeMain, name, m_host), POU_NAME_OK);
    EXPECT_EQ(RenamePOUInPlace(*m_app, *m_tick, "Timer", m_host), POU_NAME_OK);

    EXPECT_EQ(FileText("MAIN_" + name + ".ilp"), "main");
    EXPECT_TRUE(::access((m_folder.Path() + "/MAIN_主程序.ilp").c_str(), F_OK) == 0);
    EXPECT_EQ(FileText("INT02_Timer.ilv"), "tick");
    EXPECT_EQ(m_app->Project.MainNode.name, name);
    EXPECT_EQ(m_app->Project.MainNode.label, "(MAIN)  " + name);
    EXPECT_TRUE(m_app->Project.POUs.HasRoutine("TIMER"));
    EXPECT_TRUE(m_host.catalogue.empty());
}

TEST_F(POUNamingTest, AnExistingTargetRefusesTheRenameAndChangesNothing)
{
    WriteFile("SBR05_Old.ilp", "program");
    WriteFile("SBR05_Old.ilv", "variables");
    WriteFile("sbr05_new.ILV", "someone else's");

    EXPECT_EQ(RenamePOUInPlace(*m_app, *m_old, "New", m_host), POU_NAME_FILE_EXISTS);

    EXPECT_EQ(FileText("SBR05_Old.ilp"), "program");
    EXPECT_EQ(FileText("SBR05_Old.ilv"), "variables");
    EXPECT_EQ(FileText("sbr05_new.ILV"), "someone else's");
    EXPECT_FALSE(Exists("SBR05_New.ilp"));
    EXPECT_EQ(m_old->name, "Old");
    EXPECT_TRUE(m_host.items.empty());
    EXPECT_TRUE(m_app->Project.POUs.HasRoutine("OLD"));
    EXPECT_FALSE(m_document.IsModified());
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error");
}

TEST_F(POUNamingTest, AMoveThatFailsPartWayMovesTheOthersBack)
{
    // The second file's new name is longer than a file name may be, the first one's is not.
    const size_t folderLength = m_folder.Path().size();
    const std::string newName(POU_PATH_LIMIT - folderLength - 1 - 9, 'n');
    const std::string longExtension = ".ilv" + std::string(255 - 6 - newName.size(), 'x');
    WriteFile("SBR05_Old.ilp", "program");
    WriteFile("SBR05_Old" + longExtension, "variables");

    EXPECT_EQ(RenamePOUInPlace(*m_app, *m_old, newName, m_host), POU_NAME_MOVE_FAILED);

    EXPECT_EQ(FileText("SBR05_Old.ilp"), "program");
    EXPECT_EQ(FileText("SBR05_Old" + longExtension), "variables");
    EXPECT_FALSE(Exists("SBR05_" + newName + ".ilp"));
    EXPECT_EQ(m_old->name, "Old");
    EXPECT_EQ(m_old->label, "(SBR05)  Old");
    EXPECT_TRUE(m_host.items.empty());
    EXPECT_TRUE(m_host.catalogue.empty());
    EXPECT_TRUE(m_app->Project.POUs.HasRoutine("OLD"));
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(m_ui.box.Messages().size(), 1u);
}

TEST_F(POUNamingTest, ATooLongPathRefusesBeforeAnythingMoves)
{
    WriteFile("SBR05_Old.ilp", "program");
    const std::string newName(POU_PATH_LIMIT, 'n');

    EXPECT_EQ(RenamePOUInPlace(*m_app, *m_old, newName, m_host), POU_NAME_PATH_TOO_LONG);

    EXPECT_TRUE(Exists("SBR05_Old.ilp"));
    EXPECT_EQ(m_old->name, "Old");
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text, PATH_TOO_LONG);
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_OK | MB_ICONINFORMATION);
}

TEST_F(POUNamingTest, ThePropertyCommandStoresAuthorAndCommentAndRenamesOnlyARealChange)
{
    CProjTreeNode treeMain = m_app->Project.MainNode;
    EXPECT_EQ(ApplyPOUProperty(*m_app, treeMain, "MAIN", "Ann", "pumps", m_host), POU_NAME_UNCHANGED);
    EXPECT_EQ(m_app->Project.MainNode.name, "Main");
    EXPECT_EQ(m_app->Project.MainNode.author, "Ann");
    EXPECT_EQ(m_app->Project.MainNode.comment, "pumps");

    WriteFile("SBR05_Old.ilp", "program");
    EXPECT_EQ(ApplyPOUProperty(*m_app, *m_old, "Fresh", "Bob", "", m_host), POU_NAME_OK);
    EXPECT_EQ(m_old->author, "Bob");
    EXPECT_EQ(FileText("SBR05_Fresh.ilp"), "program");
    EXPECT_EQ(m_host.catalogue, (std::vector<std::pair<std::string, std::string>>{{"Old", "Fresh"}}));
}

TEST_F(POUNamingTest, PropertyFieldsShowIndexLanguageAndFileDates)
{
    m_old->language = 2;
    m_old->author = "Ann";
    WriteFile("SBR05_Old.ilp", "program");
    struct ::stat status {};
    ASSERT_EQ(::stat(InFolder("SBR05_Old.ilp").c_str(), &status), 0);
    CFileTimes times;
    ASSERT_TRUE(GetFileTimes(InFolder("SBR05_Old.ilp"), times));

    const CPOUPropertyFields fields = LoadPOUPropertyFields(m_app->Project, *m_old);
    EXPECT_EQ(fields.caption, " Property (SBR05)");
    EXPECT_EQ(fields.index, "05");
    EXPECT_EQ(fields.language, "LD");
    EXPECT_EQ(fields.name, "Old");
    EXPECT_EQ(fields.author, "Ann");
    EXPECT_EQ(fields.modified, "Modified: " + FormatPOUFileTime(status.st_mtime));
    EXPECT_EQ(fields.created, "Created: " + (times.hasCreation ? FormatPOUFileTime(times.creation) : std::string()));

    const CPOUPropertyFields main = LoadPOUPropertyFields(m_app->Project, m_app->Project.MainNode);
    EXPECT_EQ(main.caption, " Property (MAIN)");
    EXPECT_EQ(main.index, "");
    EXPECT_EQ(main.language, "IL");
    EXPECT_EQ(main.created, "Created: ");
    EXPECT_EQ(main.modified, "Modified: ");

    m_tick->language = 0;
    const CPOUPropertyFields tick = LoadPOUPropertyFields(m_app->Project, *m_tick);
    EXPECT_EQ(tick.caption, " Property (INT02)");
    EXPECT_EQ(tick.language, "");
}

TEST(POUFileTimes, FormatInLocalTime)
{
    const std::time_t when = 1700000000;
    std::tm local{};
    localtime_r(&when, &local);
    EXPECT_EQ(FormatPOUFileTime(when),
              ByteString::Format("%4d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                                 local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec));
    EXPECT_EQ(FormatPOUFileTime(when).size(), 19u);
}

} // namespace
