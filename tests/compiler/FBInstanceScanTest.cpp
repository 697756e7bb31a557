#include "CompilerFixture.h"

#include "model/CLocalVarTable.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULSymbol.h"
#include "model/FBInstanceScan.h"
#include "support/TempFolder.h"

#include <fstream>

namespace {

class FBInstanceScanTest : public CompilerFixture {
protected:
    void SetUp() override
    {
        CompilerFixture::SetUp();
        UseProjectFolder(m_folder);
        AddPou(true, "Pump", 1, 2);
    }

    void Program(const std::string& name, const std::string& body)
    {
        std::ofstream(m_folder / name) << "(*1*)\r\n" << body;
    }

    void TableHolds(const std::vector<std::string>& instances)
    {
        for (const std::string& text : instances) {
            auto* entry = new CZULFB;
            const size_t first = text.find(' ');
            const size_t second = text.find(' ', first + 1);
            entry->typeName = text.substr(0, first);
            entry->instanceName = text.substr(first + 1, second - first - 1);
            entry->ownerPou = text.substr(second + 1);
            m_app->Project.FBTable.FBInstances.emplace_back(entry);
        }
    }

    static std::vector<std::string> Texts(const std::vector<std::unique_ptr<CZULFB>>& entries)
    {
        std::vector<std::string> texts;
        for (const auto& entry : entries)
            texts.push_back(entry->typeName + " " + entry->instanceName + " " + entry->ownerPou);
        return texts;
    }

    TempFolder m_folder;
};

TEST_F(FBInstanceScanTest, SubroutinesAreScannedBeforeMain)
{
    Program("SBR01_Pump.ilp", "TON T37, 100\r\nCTU C1, %I0.1, 10 (* count *)\r\n");
    Program("MAIN_MAIN.ilp", "TON T37, 200\r\nTON %T38, 100\r\nton t39, 100\r\nTON T40, %I0.0\r\nTON C5, 100\r\n"
                             "CTU T41, %I0.1, 5\r\nSR SR2, %I0.0\r\nRS RS3, %I0.1\r\nRS SR4, %I0.1\r\nCAL\r\nTON");
    m_app->RebuildFBInstanceTable();
    const std::vector<std::string> expected = {
        "TON T37 PUMP", "CTU C1 PUMP", "TON T38 MAIN", "SR SR2 MAIN", "RS RS3 MAIN",
    };
    EXPECT_EQ(Texts(m_app->Project.FBTable.FBScanBuffer), expected);
    EXPECT_EQ(Texts(m_app->Project.FBTable.FBInstances), expected);
}

TEST_F(FBInstanceScanTest, AnUnchangedSetKeepsTheTableAndItsOrder)
{
    Program("MAIN_MAIN.ilp", "TON T37, 100\r\nTOF T38, 100\r\n");
    TableHolds({"TOF T38 MAIN", "TON T37 MAIN"});
    const CZULFB* first = m_app->Project.FBTable.FBInstances[0].get();
    m_app->RebuildFBInstanceTable();
    EXPECT_EQ(m_app->Project.FBTable.FBInstances[0].get(), first);
    EXPECT_EQ(Texts(m_app->Project.FBTable.FBInstances), (std::vector<std::string>{"TOF T38 MAIN", "TON T37 MAIN"}));
    EXPECT_EQ(m_app->Project.FBTable.FBScanBuffer.size(), 2u);
}

TEST_F(FBInstanceScanTest, AChangedSetReplacesTheTableInScanOrder)
{
    Program("MAIN_MAIN.ilp", "TON T37, 100\r\nTOF T38, 100\r\n");
    struct TableCase {
        std::vector<std::string> before;
    } const cases[] = {
        {{"TON T37 MAIN"}},
        {{"TOF T38 MAIN", "TON T37 MAIN", "TP T1 MAIN"}},
        {{"TON T37 MAIN", "TOF T38 PUMP"}},
        {{}},
    };
    for (const TableCase& c : cases) {
        m_app->Project.FBTable.FBInstances.clear();
        TableHolds(c.before);
        m_app->RebuildFBInstanceTable();
        EXPECT_EQ(Texts(m_app->Project.FBTable.FBInstances), (std::vector<std::string>{"TON T37 MAIN", "TOF T38 MAIN"}));
    }
}

TEST_F(FBInstanceScanTest, AProjectWithoutProgramsEndsWithAnEmptyTable)
{
    m_app->RebuildFBInstanceTable();
    EXPECT_TRUE(m_app->Project.FBTable.FBInstances.empty());
    TableHolds({"TON T37 MAIN"});
    m_app->RebuildFBInstanceTable();
    EXPECT_TRUE(m_app->Project.FBTable.FBInstances.empty());
}

TEST_F(FBInstanceScanTest, LinesSplitIntoWords)
{
    struct SplitCase {
        const char* line;
        BOOL result;
        std::vector<std::string> words;
    } const cases[] = {
        {"  ", TRUE, {}},
        {"TON T37,100", TRUE, {"TON", "T37", "100"}},
        {"CAL SBR01 IN:=%I0.0,\tOUT=>%Q0.0", TRUE, {"SBR01", "IN", "%I0.0", "OUT", "%Q0.0"}},
        {"CALC", FALSE, {}},
    };
    for (const SplitCase& c : cases) {
        std::vector<std::string> words = {"old"};
        EXPECT_EQ(SplitScannedLine(c.line, words), c.result) << c.line;
        EXPECT_EQ(words, c.words) << c.line;
    }
}

TEST_F(FBInstanceScanTest, OperandsOfGlobalAndLocalVariables)
{
    auto* symbol = new CZULSymbol;
    symbol->name = "Preset";
    symbol->address = "%VW10";
    symbol->typeFlags = OT_INT;
    m_app->Project.AddSymbol(symbol);
    std::ofstream(m_folder / "MAIN_MAIN.ilv") << "VAR\r\n    LIMIT AT %LW0 : INT ;\r\nEND_VAR\r\n";
    Program("MAIN_MAIN.ilp", "TON T37, preset\r\nTON T38, LIMIT\r\nTON T39, %VW10\r\nTON T40, UNKNOWN\r\n");
    m_app->RebuildFBInstanceTable();
    EXPECT_EQ(Texts(m_app->Project.FBTable.FBInstances),
              (std::vector<std::string>{"TON T37 MAIN", "TON T38 MAIN", "TON T39 MAIN"}));

    OperandTypeFlags flags = 0;
    ASSERT_TRUE(GetScanOperandFlags(*m_app, "PRESET", flags));
    EXPECT_EQ(flags & OT_TYPE_BITS, OT_INT);
    EXPECT_TRUE(flags & OT_DIRECT);
    EXPECT_TRUE(flags & OT_AREA_V);
    EXPECT_FALSE(GetScanOperandFlags(*m_app, "UNKNOWN", flags));

    CZULSymbol* found = nullptr;
    for (const char* text : {" vw10 ", "%VW10", "PRESET"}) {
        found = nullptr;
        EXPECT_TRUE(m_app->FindGlobalSymbol(text, found)) << text;
        EXPECT_EQ(found, symbol) << text;
    }
    EXPECT_FALSE(m_app->FindGlobalSymbol("%VW12", found));
    EXPECT_FALSE(m_app->FindGlobalSymbol("  ", found));

    CLocalVarTable table;
    ASSERT_TRUE(table.ResolveOperandFlags("Preset", flags));
    EXPECT_EQ(flags & OT_TYPE_BITS, OT_INT);
}

TEST_F(FBInstanceScanTest, PointerLinesAreJudgedByTheSignatures)
{
    std::vector<std::string> words = {"ADD", "*VD100", "VW0"};
    COpcodeDef signature = {};
    EXPECT_EQ(CheckScannedOperands(*m_app, words, signature), 2);
    words = {"ADD", "*VD100", "VB0"};
    EXPECT_EQ(CheckScannedOperands(*m_app, words, signature), 0);
    words = {"TON", "T37", "100"};
    EXPECT_EQ(CheckScannedOperands(*m_app, words, signature), 1);
    words.assign(18, "1");
    EXPECT_EQ(CheckScannedOperands(*m_app, words, signature), -1);
}

} // namespace
