#include "hardware/canopen/SlaveTypeFile.h"

#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "model/StringCRC16.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LibraryNames(const CZULAppData& app)
{
    std::vector<std::string> names;
    for (int i = 0; i < app.GetSlaveTypeCount(); ++i)
        names.push_back(app.GetSlaveType(i)->name);
    return names;
}

WORD Crc(const std::string& text)
{
    WORD value = 0;
    StringCRC16(text, value);
    return value;
}

} // namespace

struct SlaveLineCase {
    const char* line;
    bool ok;
    const char* name;     // type name afterwards
    int typeCode;
    const char* category;
    size_t entries;
};

TEST(SlaveTypeLine, EachRuleOfTheReader)
{
    const SlaveLineCase cases[] = {
        {"", true, "old", 7, "OLD", 0},
        {"   \t ", true, "old", 7, "OLD", 0},
        {"{SlaveKindOfCANOPENDRIVE,},", true, "old", 7, "CANOPENDRIVE", 0},
        {"  {SlaveKindOfANY TEXT,}, ", true, "old", 7, "ANY TEXT", 0},
        {"{SlaveKindOfCANOPENIO", false, "old", 7, "OLD", 0},
        {"{SlaveNamePRL120,SlaveType401,},", true, "PRL120", 401, "OLD", 0},
        {"{SlaveNameDrive,  SlaveType-12,},", true, "Drive", -12, "OLD", 0},
        {"{SlaveName,SlaveType5,},", true, "", 5, "OLD", 0},
        {"{SlaveNameNoComma", false, "old", 7, "OLD", 0},
        // The name is taken before the rest fails.
        {"{SlaveNameHalf,Type401,},", false, "Half", 7, "OLD", 0},
        {"{SlaveNameHalf,SlaveType401", false, "Half", 7, "OLD", 0},
        {"{{1,1,16,0,24576,0,16,1,Input,6000SUB1,}},", true, "old", 7, "OLD", 1},
        {"{{1,1,16,0,24576,0,16,1,Input,6000SUB1", false, "old", 7, "OLD", 0},
        {"SlaveName,x,", false, "old", 7, "OLD", 0},
        {"{SLAVENAMEx,SlaveType1,},", false, "old", 7, "OLD", 0},
    };
    for (const SlaveLineCase& c : cases) {
        CCanOpenSlaveType type;
        type.name = "old";
        type.typeCode = 7;
        type.category = "OLD";
        EXPECT_EQ(ParseSlaveLine(c.line, type), c.ok) << c.line;
        EXPECT_EQ(type.name, c.name) << c.line;
        EXPECT_EQ(type.typeCode, c.typeCode) << c.line;
        EXPECT_EQ(type.category, c.category) << c.line;
        EXPECT_EQ(type.objects.size(), c.entries) << c.line;
    }
}

TEST(SlaveTypeLine, EntryFieldsAreTrimmedAndReadInFieldOrder)
{
    CCanOpenSlaveType type;
    ASSERT_TRUE(ParseSlaveLine("{{ 1 , 4,  64,-2147483648,0x10,+3,32 ,-1,  Soft limit ,607D , rest ignored,}},", type));
    ASSERT_EQ(type.objects.size(), 1u);
    const CCanOpenODEntry& e = *type.objects[0];
    EXPECT_EQ(e.pdoMappable, 1);
    EXPECT_EQ(e.access, 4);
    EXPECT_EQ(e.dataType, 64);
    EXPECT_EQ(e.defaultValue, -2147483647 - 1);
    EXPECT_EQ(e.index, 0); // "0x10" reads as decimal 0
    EXPECT_EQ(e.subNumber, 3);
    EXPECT_EQ(e.objectType, 32);
    EXPECT_EQ(e.subIndex, -1);
    EXPECT_EQ(e.name, "Soft limit");
    EXPECT_EQ(e.sectionKey, "607D");
}

TEST(SlaveTypeLine, OverlongTextsAreCutAtACharacterBoundary)
{
    // A GBK character straddles each limit: it is left out whole.
    const std::string gbk = "\xD6\xD0";
    CCanOpenSlaveType type;
    const std::string longName = std::string(254, 'n') + gbk;
    const std::string entryName = std::string(253, 'e') + gbk + "tail";
    const std::string key = std::string(51, 'K') + gbk;
    const std::string category = std::string(256, 'c') + gbk;
    ASSERT_TRUE(ParseSlaveLine("{SlaveName" + longName + ",SlaveType1,},", type));
    ASSERT_TRUE(ParseSlaveLine("{SlaveKindOf" + category + ",},", type));
    ASSERT_TRUE(ParseSlaveLine("{{0,0,0,0,0,0,0,0," + entryName + "," + key + ",}},", type));
    EXPECT_EQ(type.name, std::string(254, 'n'));
    EXPECT_EQ(type.category, std::string(256, 'c'));
    EXPECT_EQ(type.objects[0]->name, std::string(253, 'e'));
    EXPECT_EQ(type.objects[0]->sectionKey, std::string(51, 'K'));

    const std::string fitting = std::string(253, 'n') + gbk;
    EXPECT_EQ(FitField(fitting, SLAVE_TYPE_NAME_MAX), fitting);
}

// A text cut at a field's limit: `back` bytes of 'x' short of the limit,
// then `middle` and more text; what stays is the 'x' run and `kept`.
struct CutCase {
    const char* what;
    size_t back;
    std::string middle;
    std::string kept;
};

const CutCase kCutCases[] = {
    {"blank is the last byte that fits", 1, " ", ""},
    {"tab is the last byte that fits", 1, "\t", ""},
    {"blanks run across the limit", 3, "      ", ""},
    {"blank right after the limit", 0, " ", ""},
    {"GBK character straddles the limit after a blank", 2, " \xD6\xD0", ""},
    {"GBK character ends at the limit before a blank", 2, "\xD6\xD0 ", "\xD6\xD0"},
    {"blank between GBK characters at the limit", 3, "\xD6\xD0 \xD6\xD0", "\xD6\xD0"},
};

// One field of the slave-type file: the line that carries a text in it and
// the text as read.
struct SlaveField {
    const char* name;
    size_t limit;
    std::string (*line)(const std::string& text);
    std::string (*read)(const CCanOpenSlaveType& type);
};

const SlaveField kSlaveFields[] = {
    {"category", SLAVE_CATEGORY_MAX, [](const std::string& t) { return "{SlaveKindOf" + t + ",},"; },
     [](const CCanOpenSlaveType& type) { return type.category; }},
    {"type name", SLAVE_TYPE_NAME_MAX, [](const std::string& t) { return "{SlaveName" + t + ",SlaveType1,},"; },
     [](const CCanOpenSlaveType& type) { return type.name; }},
    {"entry name", OD_ENTRY_NAME_MAX, [](const std::string& t) { return "{{0,0,0,0,0,0,0,0," + t + ",6000,}},"; },
     [](const CCanOpenSlaveType& type) { return type.objects.at(0)->name; }},
    {"section key", OD_SECTION_KEY_MAX, [](const std::string& t) { return "{{0,0,0,0,0,0,0,0,In," + t + ",}},"; },
     [](const CCanOpenSlaveType& type) { return type.objects.at(0)->sectionKey; }},
};

TEST(SlaveTypeFile, FieldsCutAtTheirLimitReadBackTheSame)
{
    for (const SlaveField& field : kSlaveFields) {
        for (const CutCase& c : kCutCases) {
            const std::string run(field.limit - c.back, 'x');
            const std::string where = std::string(field.name) + ": " + c.what;
            CCanOpenSlaveType type;
            ASSERT_TRUE(ParseSlaveLine(field.line(run + c.middle + "tail"), type)) << where;
            EXPECT_EQ(field.read(type), run + c.kept) << where;

            const std::string written = FormatSlaveTypeFile(type);
            CCanOpenSlaveType back;
            ASSERT_TRUE(ParseSlaveText(written, back)) << where;
            EXPECT_EQ(field.read(back), field.read(type)) << where;
            EXPECT_EQ(FormatSlaveTypeFile(back), written) << where;
        }
    }
}

TEST(SlaveTypeFile, WrittenTextReadsBackTheSameType)
{
    CCanOpenSlaveType type;
    type.name = "\xB7\xFE\xCE\xF1 Drive";
    type.typeCode = 0x60192;
    type.category = "CANOPENDRIVE";
    type.objects.push_back(new CCanOpenODEntry{0, 1, 64, 0, 0x6099, 2, 32, -1, "homing", "6099"});
    type.objects.push_back(new CCanOpenODEntry{1, 16, 64, -8064000, 0x6099, 0, 16, 10, "x", "6099SUBA"});

    const std::string text = FormatSlaveTypeFile(type);
    EXPECT_EQ(text, "{SlaveKindOfCANOPENDRIVE,},\r\n"
                    "{SlaveName\xB7\xFE\xCE\xF1 Drive,SlaveType393618,},\r\n"
                    "{{0,1,64,0,24729,2,32,-1,homing,6099,}},\r\n"
                    "{{1,16,64,-8064000,24729,0,16,10,x,6099SUBA,}},\r\n");

    CCanOpenSlaveType back;
    ASSERT_TRUE(ParseSlaveText(text, back));
    EXPECT_EQ(back.name, type.name);
    EXPECT_EQ(back.typeCode, type.typeCode);
    EXPECT_EQ(back.category, type.category);
    ASSERT_EQ(back.objects.size(), 2u);
    EXPECT_EQ(back.objects[1]->defaultValue, -8064000);
    EXPECT_EQ(back.objects[1]->subIndex, 10);
    EXPECT_EQ(back.objects[1]->sectionKey, "6099SUBA");
}

TEST(SlaveTypeFile, LaterLinesWinAndOneFailingLineFailsTheFile)
{
    CCanOpenSlaveType type;
    EXPECT_TRUE(ParseSlaveText("{SlaveNameFirst,SlaveType1,},\n{SlaveKindOfA,},\n\n"
                               "  {SlaveNameSecond,SlaveType2,},  \r\n{SlaveKindOfB,},",
                               type));
    EXPECT_EQ(type.name, "Second");
    EXPECT_EQ(type.typeCode, 2);
    EXPECT_EQ(type.category, "B");

    // Nine commas in one entry line: every other line is still read.
    CCanOpenSlaveType broken;
    EXPECT_FALSE(ParseSlaveText("{{0,0,0,0,0,0,0,0,name,key}}\n{SlaveNameLate,SlaveType3,},\n"
                                "{{1,1,16,0,1,0,16,1,ok,0001SUB1,}},\n",
                                broken));
    EXPECT_EQ(broken.name, "Late");
    EXPECT_EQ(broken.objects.size(), 1u);
}

class SlaveLibraryTest : public ::testing::Test {
protected:
    std::string Folder(const std::string& name)
    {
        const std::string path = m_temp / name;
        FileSystem::CreateFolder(path);
        return path;
    }

    TempFolder m_temp;
    CScopedUi m_ui;
    CZULAppData m_app;
};

TEST_F(SlaveLibraryTest, NoFoldersLeaveTheBuiltInTypes)
{
    LoadSlaveTypeFolders(m_app, m_temp / "missing", m_temp / "absent");
    EXPECT_EQ(LibraryNames(m_app), (std::vector<std::string>{"MX Servo", "CANOPEN_IO"}));
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(SlaveLibraryTest, FilesAreAddedInListingOrderAndReplaceByName)
{
    const std::string shipped = Folder("shipped");
    const std::string user = Folder("user");
    WriteFileText(shipped + "/a", "{SlaveKindOfCANOPENDRIVE,},\r\n{SlaveNameMX Servo,SlaveType402,},\r\n"
                                  "{{1,4,8,0,24672,0,16,-1,mode,6060,}},\r\n");
    WriteFileText(shipped + "/b", "{SlaveKindOfCANOPENIO,},\n{SlaveNameTwin,SlaveType1,},\n");
    WriteFileText(shipped + "/c", "{SlaveNameTwin,SlaveType2,},\n");
    // No name or category line: the file name, type code 0 and no category.
    WriteFileText(shipped + "/Plain Module", "{{1,1,16,0,24576,0,16,1,in,6000SUB1,}},\n");
    WriteFileText(shipped + "/empty name", "{SlaveName,SlaveType1,},\n");
    WriteFileText(shipped + "/nine commas", "{SlaveNameBroken,SlaveType1,},\n{{0,0,0,0,0,0,0,0,x,}}\n");
    FileSystem::CreateFolder(shipped + "/sub");
    WriteFileText(shipped + "/sub/inner", "{SlaveNameInner,SlaveType1,},\n");
    WriteFileText(user + "/Twin", "{SlaveNameTwin,SlaveType3,},\n");

    LoadSlaveTypeFolders(m_app, shipped, user);

    EXPECT_EQ(LibraryNames(m_app), (std::vector<std::string>{"CANOPEN_IO", "Plain Module", "MX Servo", "Twin"}));
    const CCanOpenSlaveType* drive = m_app.FindSlaveType("MX Servo");
    ASSERT_EQ(drive->objects.size(), 1u);
    EXPECT_EQ(drive->typeId, Crc("a")); // the checksum of the file name
    EXPECT_EQ(m_app.FindSlaveType("Twin")->typeCode, 3);
    const CCanOpenSlaveType* plain = m_app.FindSlaveType("Plain Module");
    EXPECT_EQ(plain->typeCode, 0);
    EXPECT_EQ(plain->category, "CANOPENROOT");
    EXPECT_EQ(plain->typeId, Crc("Plain Module"));
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(SlaveLibraryTest, AFileThatCannotBeReadIsReportedAndReplacesNothing)
{
    const std::string shipped = Folder("shipped");
    // A pipe named like the built-in drive type: reading it would block.
    ASSERT_EQ(::mkfifo((shipped + "/MX Servo").c_str(), 0600), 0);
    WriteFileText(shipped + "/ok", "{SlaveNameOk,SlaveType1,},\n");

    LoadSlaveTypeFolders(m_app, shipped, m_temp / "none");

    EXPECT_EQ(LibraryNames(m_app), (std::vector<std::string>{"MX Servo", "CANOPEN_IO", "Ok"}));
    EXPECT_EQ(m_app.FindSlaveType("MX Servo")->objects.size(), 132u);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text,
              "\xCE\xC4\xBC\xFE " + shipped + "/MX Servo \xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC, "
              "\xB5\xBC\xD6\xC2\xB5\xBC\xC8\xEB\xCA\xA7\xB0\xDC");
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_OK | MB_ICONERROR);
}

TEST_F(SlaveLibraryTest, LoadingKeepsTheCurrentFolder)
{
    const std::string before = FileSystem::GetCurrentFolder();
    const std::string shipped = Folder("shipped");
    WriteFileText(shipped + "/x", "{SlaveNameX,SlaveType1,},\n");
    LoadSlaveTypeFolder(m_app, shipped);
    EXPECT_EQ(FileSystem::GetCurrentFolder(), before);
    EXPECT_NE(m_app.FindSlaveType("X"), nullptr);
}
