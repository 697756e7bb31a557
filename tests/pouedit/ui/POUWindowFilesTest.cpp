// Variable files the POU window meets outside plain editing: the ones an
// upload writes, and the ones read while the workbench asks for every
// local address to be allocated anew.

#include "POUWindowFixture.h"

#include "../../plclink/ObjectCodeBuilder.h"
#include "../../plclink/VarBlockBuilder.h"

#include "model/DirectAddress.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "plclink/UploadedPOUs.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

namespace {

using B = ObjectCodeBuilder;

struct Row {
    std::string symbol;
    std::string klass;
    std::string type;
    std::string address;
};

// Type code in the high nibble, class in the low nibble.
constexpr BYTE Entry(BYTE typeCode, BYTE varClass)
{
    return static_cast<BYTE>(typeCode << 4 | varClass);
}

class POUWindowFilesTest : public POUWindowFixture {
protected:
    void SetUp() override
    {
        POUWindowFixture::SetUp();
        m_varPaneClass = RUNTIME_CLASS(CPOUVarView);
        m_app->Project.ProjectFolder = m_folder.Path();
    }

    // The rows the variable pane holds, in row order.
    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        const CPOUVarTable& table = *m_varTableView->GetTable();
        for (int row = 0; row < table.GetRowCount(); ++row) {
            const CLocalVarEntry* entry = table.GetEntry(row);
            if (entry && !entry->Symbol.empty())
                rows.push_back({entry->Symbol, entry->ClassName, entry->DataType, entry->Address});
        }
        return rows;
    }

    // Every line of the code view's program that the line check refused.
    std::vector<int> RefusedLines() const
    {
        std::vector<int> refused;
        auto* program = dynamic_cast<CILProgram*>(m_doc->GetProgram());
        if (!program)
            return {-1};
        const CILEditor& editor = program->GetILEditor();
        if (editor.GetLineStateCount() == 0)
            return {-1};
        for (int row = 0; row < editor.GetLineStateCount(); ++row) {
            if (editor.GetLineState(row) == IL_LINE_ERROR)
                refused.push_back(row);
        }
        return refused;
    }

    CScopedUi m_ui;
};

bool operator==(const Row& a, const Row& b)
{
    return a.symbol == b.symbol && a.klass == b.klass && a.type == b.type && a.address == b.address;
}

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.klass << " " << row.symbol << " AT " << row.address << " : " << row.type;
}

TEST_F(POUWindowFilesTest, UploadedPousOpenWithEveryLineAcceptedAndEveryVariableInItsRow)
{
    const WORD l00 = EncodeAddress("%L0.0", 0);
    const WORD lw2 = EncodeAddress("%LW2", 0);
    const WORD ld4 = EncodeAddress("%LD4", 0);
    const WORD lb1 = EncodeAddress("%LB1", 0);
    const std::vector<BYTE> block9 = VarBlock({
        VarRecord(2, 0, {{l00, Entry(1, 5)}, {lw2, Entry(5, 5)}}),
        VarRecord(3, 3, {{l00, Entry(1, 1)}, {lw2, Entry(5, 3)}, {ld4, Entry(7, 5)}}),
        VarRecord(4, 1, {{lb1, Entry(2, 5)}}),
    });
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF).Op(B::LD).Addr("%I0.0").Op(B::AND).Addr("%L0.0")
                                       .Op(B::ST).Addr("%Q0.0").Op(B::MPEND)
                                       .Pou(2, 3).Op(B::LD).Addr("%L0.0").Op(B::ST).Addr("%Q0.1").Op(B::SPEND)
                                       .Pou(3, 1).Op(B::LD).Addr("%I0.2").Op(B::ST).Addr("%Q0.2").Op(B::INTEND)
                                       .Finish();
    m_app->UploadFormat = 1;
    ASSERT_TRUE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), &block9, m_app->UploadFormat,
                                    m_app->Project));

    struct Pou {
        const char* file;
        int kind;
        std::vector<Row> rows;
    };
    const Pou pous[] = {
        {"MAIN_MAIN.ilp", NODE_MAIN, {{"bP0", "VAR", "BOOL", "%L0.0"}, {"iP1", "VAR", "INT", "%LW2"}}},
        {"SBR03_SBR_3.ilp",
         NODE_SUBROUTINE,
         {{"bP0", "VAR_INPUT", "BOOL", "%L0.0"}, {"iP1", "VAR_OUTPUT", "INT", "%LW2"}, {"fP2", "VAR", "REAL", "%LD4"}}},
        {"INT01_INT_1.ilp", NODE_INTERRUPT, {{"byP0", "VAR", "BYTE", "%LB1"}}},
    };
    for (const Pou& pou : pous) {
        SCOPED_TRACE(pou.file);
        ASSERT_TRUE(OpenWindow(m_folder / pou.file, POU_LANGUAGE_IL, pou.kind));
        EXPECT_EQ(RefusedLines(), std::vector<int>{});
        EXPECT_EQ(Rows(), pou.rows);
        CloseWindow();
    }
}

// However many declarations the file holds, one empty row waits below them
// (at least 4 rows, never more than 32).
TEST_F(POUWindowFilesTest, TheTableOpensWithTheDeclarationsAndOneEmptyRow)
{
    struct Case {
        int declarations;
        int rows;
    };
    const Case cases[] = {{0, 4}, {2, 4}, {3, 4}, {4, 5}, {9, 10}, {31, 32}, {32, 32}};
    const std::string path = m_folder / "MAIN_MAIN.ilp";
    WriteFileText(path, "(*1*)\r\n(* Network 0 *)\r\n\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declarations);
        std::string vars = "VAR\r\n";
        for (int i = 0; i < c.declarations; ++i)
            vars += "    V" + std::to_string(i) + "  AT  %LB" + std::to_string(16 + i) + " : BYTE ; (*  *) \r\n";
        WriteFileText(m_folder / "MAIN_MAIN.ilv", vars + "END_VAR\r\n");
        ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL, NODE_MAIN));
        const CPOUVarTable& table = *m_varTableView->GetTable();
        EXPECT_EQ(table.GetRowCount(), c.rows);
        EXPECT_EQ(m_varTableView->GetGridCtrl().GetGridRowCount(), c.rows);
        EXPECT_EQ(int(Rows().size()), c.declarations);
        if (c.declarations < CPOUVarTable::MAX_ROWS) {
            EXPECT_TRUE(table.GetEntry(c.declarations)->Symbol.empty());
        }
        CloseWindow();
    }
}

TEST_F(POUWindowFilesTest, SectionsInAnyOrderAndEmptyOnesAreReadAndUnreadableLinesSkipped)
{
    WriteFileText(m_folder / "SBR02_PUMP.ilp", "(*1*)\nLD      %I0.0\nST      %Q0.0\n");
    WriteFileText(m_folder / "SBR02_PUMP.ilv", "VAR\n"
                                               "TMP AT %LB8 : BYTE ;\n"
                                               "END_VAR\n"
                                               "VAR_IN_OUT\n"
                                               "END_VAR\n"
                                               "VAR_OUTPUT\n"
                                               "DONE AT %L0.1 : BOOL ;\n"
                                               "this is not a declaration\n"
                                               "END_VAR\n"
                                               "VAR_INPUT\n"
                                               "START AT %L0.0 : BOOL ;\n"
                                               "END_VAR\n");
    ASSERT_TRUE(OpenWindow(m_folder / "SBR02_PUMP.ilp", POU_LANGUAGE_IL, NODE_SUBROUTINE));
    EXPECT_EQ(RefusedLines(), std::vector<int>{});
    const std::vector<Row> expected = {
        {"TMP", "VAR", "BYTE", "%LB8"},
        {"DONE", "VAR_OUTPUT", "BOOL", "%L0.1"},
        {"START", "VAR_INPUT", "BOOL", "%L0.0"},
    };
    EXPECT_EQ(Rows(), expected);
}

TEST_F(POUWindowFilesTest, AReallocationRequestGivesEveryPouFreshAddressesThatTheSaveWrites)
{
    // Both files claim the same high addresses, as after a change of CPU.
    const char* files[] = {"SBR01_A", "SBR02_B"};
    for (const char* base : files) {
        WriteFileText(m_folder / (std::string(base) + ".ilp"), "(*1*)\nLD      %I0.0\nST      %Q0.0\n");
        WriteFileText(m_folder / (std::string(base) + ".ilv"), "VAR_INPUT\n"
                                                               "START AT %L20.3 : BOOL ;\n"
                                                               "END_VAR\n"
                                                               "VAR\n"
                                                               "COUNT AT %LW60 : INT ;\n"
                                                               "END_VAR\n");
    }
    m_app->Project.LocalBitUsage.assign(m_app->Project.LocalBitUsage.size(), 0);
    m_app->Project.LocalByteUsage.assign(m_app->Project.LocalByteUsage.size(), 0);

    const std::vector<std::vector<Row>> expected = {
        {{"START", "VAR_INPUT", "BOOL", "%L0.0"}, {"COUNT", "VAR", "INT", "%LW16"}},
        {{"START", "VAR_INPUT", "BOOL", "%L0.1"}, {"COUNT", "VAR", "INT", "%LW18"}},
    };
    for (size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(files[k]);
        m_app->LocalVarMapOption = 1;
        const std::string path = m_folder / (std::string(files[k]) + ".ilp");
        ASSERT_TRUE(OpenWindow(path, POU_LANGUAGE_IL, NODE_SUBROUTINE));
        EXPECT_EQ(m_app->LocalVarMapOption, 0);
        EXPECT_EQ(Rows(), expected[k]);
        ASSERT_TRUE(m_doc->OnSaveDocument(path));
        const std::string saved = ReadFileText(m_folder / (std::string(files[k]) + ".ilv"));
        EXPECT_NE(saved.find(expected[k][0].address + " : BOOL"), std::string::npos) << saved;
        EXPECT_NE(saved.find(expected[k][1].address + " : INT"), std::string::npos) << saved;
        CloseWindow();
    }

    // Without the request the file's addresses are taken as they stand.
    ASSERT_TRUE(OpenWindow(m_folder / "SBR01_A.ilp", POU_LANGUAGE_IL, NODE_SUBROUTINE));
    EXPECT_EQ(Rows(), expected[0]);
}

} // namespace
