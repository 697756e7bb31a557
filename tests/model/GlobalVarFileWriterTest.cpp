#include "AppDataFixture.h"

#include "model/CZULFB.h"
#include "model/CZULSymbol.h"
#include "model/GlobalVarFileWriter.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <string>

namespace {

class GlobalVarFileWriterTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        Project().ProjectFolder = m_folder.Path();
        Project().ProjectName = "plant";
    }

    CZULProject& Project() { return m_app->Project; }

    CZULSymbol* AddSymbol(const std::string& name, const std::string& address, const std::string& type,
                          const std::string& comment)
    {
        auto* symbol = new CZULSymbol;
        symbol->name = name;
        symbol->address = address;
        symbol->dataType = type;
        symbol->comment = comment;
        Project().AddSymbol(symbol);
        return symbol;
    }

    void AddInstance(const std::string& type, const std::string& name, const std::string& comment)
    {
        auto* instance = new CZULFB;
        instance->typeName = type;
        instance->instanceName = name;
        instance->ownerPou = "MAIN";
        instance->fourthText = comment;
        Project().FBTable.FBInstances.emplace_back(instance);
    }

    TempFolder m_folder;
};

TEST_F(GlobalVarFileWriterTest, EmptyProjectWritesTwoEmptySections)
{
    ASSERT_TRUE(WriteGlobalVarFile(Project()));
    EXPECT_EQ("VAR_GLOBAL\r\nEND_VAR\r\nVAR_GLOBAL\r\nEND_VAR", ReadFileText(m_folder / "plant.qgv"));
}

TEST_F(GlobalVarFileWriterTest, SymbolsInAddressTextOrderAndInstancesInTableOrder)
{
    AddSymbol("Start", "%I0.0", "BOOL", "Run");
    AddSymbol("LongNameOfTwentyChrs", "%VW10", "INT", "");
    AddSymbol("Level", "%VW2", "WORD", "tank");
    CZULSymbol* bare = AddSymbol("Stop", "I0.1", "BOOL", "halt");
    AddSymbol("Twin1", "%MB0", "BYTE", "first");
    AddSymbol("Twin2", "%MB0", "BYTE", "second");
    AddSymbol("Total", "%VD100", "REAL", "sum");
    AddInstance("TON", "T_FILL", "");
    Project().FBTable.FBInstances.emplace_back(nullptr);
    AddInstance("CTU", "COUNTER1", "parts");

    ASSERT_TRUE(WriteGlobalVarFile(Project()));

    const std::string expected = "VAR_GLOBAL\r\n"
                                 "    Start AT  %I0.0    :BOOL  ;  (*Run*)\r\n"
                                 "    Twin2 AT  %MB0     :BYTE  ;  (*second*)\r\n"
                                 "    Total AT  %VD100   :REAL  ;  (*sum*)\r\n"
                                 "    LongNameOfTwenty AT  %VW10    :INT   ;  (**)\r\n"
                                 "    Level AT  %VW2     :WORD  ;  (*tank*)\r\n"
                                 // sorted by the address as stored, before its "%" is added
                                 "    Stop AT  %I0.1    :BOOL  ;  (*halt*)\r\n"
                                 "END_VAR\r\n"
                                 "VAR_GLOBAL\r\n"
                                 "    T_FILL :TON   ;  (*  *)\r\n"
                                 "    COUNTER1:CTU   ;  (* parts *)\r\n"
                                 "END_VAR";
    EXPECT_EQ(expected, ReadFileText(m_folder / "plant.qgv"));
    EXPECT_EQ("%I0.1", bare->address);
}

TEST_F(GlobalVarFileWriterTest, OnlyTheFirst2048AddressesAreWritten)
{
    for (int i = 0; i < GLOBAL_VAR_FILE_MAX_SYMBOLS + 1; ++i)
        AddSymbol("S" + std::to_string(i), "%VB" + std::to_string(1000 + i), "BYTE", "");

    ASSERT_TRUE(WriteGlobalVarFile(Project()));

    const std::string text = ReadFileText(m_folder / "plant.qgv");
    size_t lines = 0;
    for (size_t at = text.find(" AT  "); at != std::string::npos; at = text.find(" AT  ", at + 1))
        ++lines;
    EXPECT_EQ(2048u, lines);
    EXPECT_EQ(std::string::npos, text.find("%VB3048 "));
}

TEST_F(GlobalVarFileWriterTest, MissingFolderIsReportedAndLeavesTheProjectAlone)
{
    Project().ProjectFolder = m_folder / "gone";
    CZULSymbol* bare = AddSymbol("Stop", "I0.1", "BOOL", "");

    EXPECT_FALSE(WriteGlobalVarFile(Project()));

    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Error", messages[0].caption);
    EXPECT_EQ("Unable to create the globale variable file. Maybe it could not be located.", messages[0].text);
    EXPECT_EQ("I0.1", bare->address);
}

} // namespace
