#include "ILProgramFixture.h"

#include "model/CZULProjectPOUs.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;

std::string StoreFileForm(CILProgram& program)
{
    CArchive ar;
    program.Serialize(ar, TRUE);
    return std::string(ar.GetBuffer().begin(), ar.GetBuffer().end());
}

void LoadFileForm(CILProgram& program, const std::string& text)
{
    CArchive ar(std::vector<BYTE>(text.begin(), text.end()));
    program.Serialize(ar, TRUE);
}

std::string LittleEndian(int value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((static_cast<unsigned>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

class CILProgramTest : public ILProgramFixture {
protected:
    std::string Snapshot()
    {
        CArchive ar;
        m_program->Serialize(ar, FALSE);
        return std::string(ar.GetBuffer().begin(), ar.GetBuffer().end());
    }

    // An edit as the editor makes it: new lines, the caret, then a snapshot.
    void Edit(const Lines& lines, int caretLine, int caretColumn)
    {
        SetLines(lines);
        Editor().SetCaret(caretLine, caretColumn);
        m_program->PushUndoSnapshot();
    }

    void ExpectState(const Lines& lines, int caretLine, int caretColumn, int undo, int redo)
    {
        EXPECT_EQ(Text(), lines);
        EXPECT_EQ(Editor().GetCaretLine(), caretLine);
        EXPECT_EQ(Editor().GetCaretColumn(), caretColumn);
        EXPECT_EQ(m_program->GetUndoCount(), undo);
        EXPECT_EQ(m_program->GetRedoCount(), redo);
    }
};

TEST_F(CILProgramTest, FileFormBytes)
{
    const struct {
        Lines lines;
        std::string bytes;
    } cases[] = {
        {{"(* Network 0 *)", "LD      %I0.0"}, "(* Network 0 *)\r\nLD      %I0.0\r\n\r\n"},
        {{"(* Network 0 *)", ""}, "(* Network 0 *)\r\n\r\n"},
        {{" "}, " \r\n\r\n"},
    };
    for (const auto& c : cases) {
        SetLines(c.lines);
        EXPECT_EQ(StoreFileForm(*m_program), c.bytes);
    }
}

TEST_F(CILProgramTest, FileFormReadsLineEndsAndTabs)
{
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"A\r\nB\r\n\r\n", {"A", "B", ""}},
        {"A\nB", {"A", "B"}},
        {"LD\t%I0.0\r\n", {"LD        %I0.0"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        LoadFileForm(*m_program, c.bytes);
        EXPECT_EQ(Text(), c.lines) << c.bytes;
    }
    // The tab at column 3 stands for blanks at columns 3 to 10.
    LoadFileForm(*m_program, "ab \tX\r\n");
    EXPECT_EQ(Text()[0], "ab " + std::string(8, ' ') + "X");
}

TEST_F(CILProgramTest, RealFileIsWrittenBackByteForByte)
{
    TempFolder folder;
    const std::string body = "(* Network 0 *)\r\n"
                             "LD      %I0.0\r\n"
                             "ST      %Q0.0    (* lamp *)\r\n"
                             "(* Network 1 *)\r\n"
                             "LD      %M0.0\r\n"
                             "\r\n";
    WriteFileText(folder / "MAIN_main.ilp", body);
    CArchive in = CArchive::FromFile(folder / "MAIN_main.ilp");
    ASSERT_TRUE(in.IsOK());
    m_program->Serialize(in, TRUE);
    ASSERT_TRUE(m_program->OnOpened(folder / "MAIN_main.ilp"));

    CArchive out;
    m_program->Serialize(out, TRUE);
    ASSERT_TRUE(out.SaveToFile(folder / "copy.ilp"));
    EXPECT_TRUE(FilesEqual(folder / "MAIN_main.ilp", folder / "copy.ilp"));
}

TEST_F(CILProgramTest, OnOpenedKeepsEveryInstruction)
{
    const struct {
        Lines read;
        Lines shown;
    } cases[] = {
        {{}, {"(* Network 0 *)", ""}},
        {{"(* Network 5 *)", "LD      %I0.0"}, {"(* Network 0 *)", "LD      %I0.0"}},
        {{"(*NETWORK 0*)", "LD      %I0.0"}, {"(* Network 0 *)", "LD      %I0.0"}},
        // Not a header: the header goes before it, the instruction stays.
        {{"LD      %I0.0", "ST      %Q0.0"}, {"(* Network 0 *)", "LD      %I0.0", "ST      %Q0.0"}},
    };
    for (const auto& c : cases) {
        SetLines(c.read);
        EXPECT_TRUE(m_program->OnOpened("x.ilp"));
        EXPECT_EQ(Text(), c.shown);
    }
}

TEST_F(CILProgramTest, SnapshotFormBytes)
{
    SetLines({"(* Network 0 *)", "LD      %I0.0"});
    Editor().SetCaret(1, 3);
    m_host.scrollX = 5;
    m_host.scrollY = 400;
    const std::string expected = LittleEndian(1) + LittleEndian(3) + LittleEndian(5) + LittleEndian(400)
        + "(* Network 0 *)\r\nLD      %I0.0\r\n";
    EXPECT_EQ(Snapshot(), expected);

    m_host.scrollX = 0;
    m_host.scrollY = 0;
    Editor().SetCaret(0, 0);
    m_program->Clear();
    CArchive in(std::vector<BYTE>(expected.begin(), expected.end()));
    m_program->Serialize(in, FALSE);
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "LD      %I0.0"}));
    EXPECT_EQ(Editor().GetCaretLine(), 1);
    EXPECT_EQ(Editor().GetCaretColumn(), 3);
    EXPECT_EQ(m_host.scrollX, 5);
    EXPECT_EQ(m_host.scrollY, 400);
}

TEST_F(CILProgramTest, UndoAndRedoReproduceEveryState)
{
    const Lines first = {"(* Network 0 *)"};
    const Lines opened = {"(* Network 0 *)", ""};
    const Lines typed = {"(* Network 0 *)", "LD      %I0.0"};
    const Lines more = {"(* Network 0 *)", "LD      %I0.0", "ST      %Q0.0"};

    ASSERT_TRUE(m_program->InitNew());
    EXPECT_EQ(Text(), opened);
    EXPECT_EQ(m_program->GetUndoCount(), 1);
    EXPECT_FALSE(m_program->CanUndo());
    Editor().SetCaret(1, 0);
    m_program->PushUndoSnapshot(); // the editor's initial update
    Edit(typed, 1, 13);
    Edit(more, 2, 13);
    ExpectState(more, 2, 13, 4, 0);

    ASSERT_TRUE(m_program->Undo());
    ExpectState(typed, 1, 13, 3, 1);
    ASSERT_TRUE(m_program->Undo());
    ExpectState(opened, 1, 0, 2, 2);
    // Back to the first snapshot of the new POU: its caret line 1 does not exist.
    ASSERT_TRUE(m_program->Undo());
    ExpectState(first, 0, 0, 1, 3);
    EXPECT_FALSE(m_program->Undo());
    ExpectState(first, 0, 0, 1, 3);

    ASSERT_TRUE(m_program->Redo());
    ExpectState(opened, 1, 0, 2, 2);
    ASSERT_TRUE(m_program->Redo());
    ExpectState(typed, 1, 13, 3, 1);
    ASSERT_TRUE(m_program->Redo());
    ExpectState(more, 2, 13, 4, 0);
    EXPECT_FALSE(m_program->Redo());
}

TEST_F(CILProgramTest, NewEditEndsTheRedoChain)
{
    ASSERT_TRUE(m_program->InitNew());
    m_program->PushUndoSnapshot();
    Edit({"(* Network 0 *)", "LD      %I0.0"}, 1, 0);
    ASSERT_TRUE(m_program->Undo());
    EXPECT_TRUE(m_program->CanRedo());
    Edit({"(* Network 0 *)", "LDN     %I0.1"}, 1, 0);
    EXPECT_EQ(m_program->GetUndoCount(), 3);
    EXPECT_EQ(m_program->GetRedoCount(), 0);
    EXPECT_FALSE(m_program->CanRedo());
}

TEST_F(CILProgramTest, UndoAndRedoAreRefusedWhileMonitoring)
{
    ASSERT_TRUE(m_program->InitNew());
    m_program->PushUndoSnapshot();
    Edit({"(* Network 0 *)", "LD      %I0.0"}, 1, 0);
    ASSERT_TRUE(m_program->Undo());
    m_app->Monitoring = 1;
    EXPECT_FALSE(m_program->CanUndo());
    EXPECT_FALSE(m_program->CanRedo());
    EXPECT_FALSE(m_program->Undo());
    EXPECT_FALSE(m_program->Redo());
    EXPECT_EQ(m_program->GetUndoCount(), 2);
    EXPECT_EQ(m_program->GetRedoCount(), 1);
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", ""}));
}

TEST_F(CILProgramTest, ProgramWithoutInstructionsIsSavedSetAside)
{
    SetLines({"(* Network 0 *)", "", "  ", "(* Network 1 *)"});
    const int prepared = m_program->PrepareSave("MAIN_main.ilp");
    EXPECT_EQ(prepared, 1);
    EXPECT_EQ(StoreFileForm(*m_program), " \r\n\r\n");
    m_program->AfterSave("MAIN_main.ilp", prepared);
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "", "  ", "(* Network 1 *)"}));

    SetLines({"(* Network 0 *)", "LD      %I0.0"});
    EXPECT_EQ(m_program->PrepareSave("MAIN_main.ilp"), 0);
}

TEST_F(CILProgramTest, SymbolsAndRoutinesAreSavedAsAddressesAndAliases)
{
    AddSymbol("Start", "%I0.0", OT_BOOL);
    AddSubroutine("Motor", 7);
    AddInterrupt("Timer", 3);
    m_host.locals["SPEED"] = {"LW4", OT_VAR | OT_INT};
    for (int symbolic : {1, 0}) {
        m_app->SymbolicAddressing = symbolic;
        SetLines({"(* Network 0 *)", "LD      Start", "CAL     Motor", "ATCH    Timer, 10", "MOVE    Speed, %VW0"});
        const int prepared = m_program->PrepareSave("MAIN_main.ilp");
        EXPECT_EQ(prepared, 0);
        EXPECT_EQ(StoreFileForm(*m_program), "(* Network 0 *)\r\nLD      %I0.0\r\nCAL     SBR07\r\n"
                                             "ATCH    INT03, 10\r\nMOVE    %LW4, %VW0\r\n\r\n");
        m_program->AfterSave("MAIN_main.ilp", prepared);
        const Lines shown = symbolic
            ? Lines{"(* Network 0 *)", "LD      Start", "CAL     Motor", "ATCH    Timer, 10", "MOVE    SPEED, %VW0"}
            : Lines{"(* Network 0 *)", "LD      %I0.0", "CAL     Motor", "ATCH    Timer, 10", "MOVE    %LW4, %VW0"};
        EXPECT_EQ(Text(), shown) << "symbolic " << symbolic;
    }
}

TEST_F(CILProgramTest, DiscardRestoresTheRecordedInstancesOfThePOU)
{
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T37", "TON", "MAIN", FB_LIST_TABLE));
    ASSERT_TRUE(Project().FBTable.AddFBInstance("C5", "CTU", "MAIN", FB_LIST_TABLE));
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T40", "TOF", "PUMP", FB_LIST_TABLE));
    m_program->RecordInstances();
    EXPECT_EQ(m_program->GetRecordedNames(), (Lines{"T37", "C5"}));

    // Edits drop T37 and declare T38.
    Project().FBTable.RemoveFBInstance("T37");
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T38", "TON", "MAIN", FB_LIST_TABLE));
    m_program->DiscardChanges();

    Lines names;
    Lines types;
    ASSERT_TRUE(Project().FBTable.GetFBInstancesOfPOU("MAIN", names, types));
    EXPECT_EQ(names, (Lines{"T37", "C5"}));
    EXPECT_EQ(types, (Lines{"TON", "CTU"}));
    ASSERT_TRUE(Project().FBTable.GetFBInstancesOfPOU("PUMP", names, types));
    EXPECT_EQ(names, (Lines{"T40"}));
}

TEST_F(CILProgramTest, HeaderNumbering)
{
    SetLines({"(* Network 0 *)", "LD      %I0.0", "(* Network 7 *)", "LD      %I0.1", "(*NETWORK 9*)"});
    EXPECT_FALSE(m_program->RenumberFrom(0));
    EXPECT_FALSE(m_program->RenumberFrom(1));
    EXPECT_TRUE(m_program->RenumberFrom(2));
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "LD      %I0.0", "(* Network 1 *)", "LD      %I0.1",
                              "(*NETWORK 2*)"}));
    std::string number;
    EXPECT_TRUE(m_program->FindHeaderAbove(3, number));
    EXPECT_EQ(number, "1");
    EXPECT_TRUE(m_program->AnyHeaderInRange(1, 2));
    EXPECT_FALSE(m_program->AnyHeaderInRange(3, 3));

    // On a non-empty line the header goes below it; an empty line becomes the header.
    EXPECT_TRUE(m_program->InsertNetworkHeader(1));
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "LD      %I0.0", "(* Network 1 *)", "(* Network 2 *)",
                              "LD      %I0.1", "(*NETWORK 3*)"}));
    SetLines({"(* Network 0 *)", "", "(* Network 1 *)"});
    EXPECT_FALSE(m_program->InsertNetworkHeader(1));
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "(* Network 1 *)", "(* Network 2 *)"}));
    EXPECT_FALSE(m_program->InsertNetworkHeader(3));

    SetLines({"(* Network 3 *)", "x", "(* Network 8 *)", "(* Network 1 *)"});
    m_program->RenumberAll();
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "x", "(* Network 1 *)", "(* Network 2 *)"}));
}

TEST_F(CILProgramTest, EmbeddedHeadersAreRemoved)
{
    const struct {
        std::string line;
        BOOL result;
        std::string after;
    } cases[] = {
        {"LD %I0.0 (* Network 3 *)", TRUE, "LD %I0.0  "},
        {"LD %I0.0 (* start *)", TRUE, "LD %I0.0 (* start *)"},
        {"(*NETWORK 1*)LD (* Network 2 *)X", TRUE, " LD  X"},
        {"(* Network 4 *)", FALSE, "(* Network 4 *)"},
    };
    for (const auto& c : cases) {
        SetLines({c.line});
        EXPECT_EQ(m_program->RemoveEmbeddedHeaders(0), c.result) << c.line;
        EXPECT_EQ(Text()[0], c.after) << c.line;
    }
    EXPECT_FALSE(m_program->RemoveEmbeddedHeaders(1));
}

TEST_F(CILProgramTest, JumpKeywords)
{
    for (const char* word : {"JMP", " JMPC ", "JMPCN", "LBL", "RET", "RETC", "RETCN"})
        EXPECT_TRUE(CILProgram::IsJumpKeyword(word)) << word;
    for (const char* word : {"", "jmp", "JMPX", "CAL"})
        EXPECT_FALSE(CILProgram::IsJumpKeyword(word)) << word;
}

TEST_F(CILProgramTest, IsValidFollowsTheLineCheck)
{
    SetLines({"(* Network 0 *)", "LD      %I0.0", "ST      %Q0.0"});
    EXPECT_TRUE(m_program->IsValid());
    SetLines({"(* Network 0 *)", "LD      %I0.0", "FOO     %Q0.0"});
    EXPECT_FALSE(m_program->IsValid());
}

TEST_F(CILProgramTest, MonitorListsOfEachLine)
{
    AddSymbol("Lamp", "%Q0.1", OT_BOOL);
    AddSymbol("Delay", "T5", OT_BOOL | OT_INT);
    AddInterrupt("Timer", 3);
    SetLines({"(* Network 0 *)", "LD      T5", "ST      Lamp    (* out *)", "", "loop:", "JMP     loop",
              "AND(", "ATCH    Timer, 10", "LD      Delay", "MOVE    %VW0, %VW2", "RET", "MOVE    %VW4, %VW4"});
    std::vector<std::unique_ptr<CILMonitorList>> lists;
    ASSERT_TRUE(m_program->BuildMonitorLists(lists));
    ASSERT_EQ(lists.size(), 5u);

    EXPECT_EQ(lists[0]->GetLine(), 1);
    ASSERT_EQ(lists[0]->GetItems().size(), 1u);
    const CILMonitorItem& timer = lists[0]->GetItems()[0];
    EXPECT_EQ(timer.operand, "T5");
    EXPECT_EQ(timer.address, "T5");
    EXPECT_TRUE(timer.showStatusBit);
    EXPECT_EQ(timer.flags & OT_AREA_T, OT_AREA_T);

    EXPECT_EQ(lists[1]->GetLine(), 2);
    ASSERT_EQ(lists[1]->GetItems().size(), 1u);
    EXPECT_EQ(lists[1]->GetItems()[0].operand, "Lamp");
    EXPECT_EQ(lists[1]->GetItems()[0].address, "%Q0.1");
    EXPECT_FALSE(lists[1]->GetItems()[0].showStatusBit);

    // A symbol that resolves to the timer is shown under its own name.
    EXPECT_EQ(lists[2]->GetLine(), 8);
    ASSERT_EQ(lists[2]->GetItems().size(), 1u);
    EXPECT_EQ(lists[2]->GetItems()[0].operand, "Delay");
    EXPECT_TRUE(lists[2]->GetItems()[0].showStatusBit);

    EXPECT_EQ(lists[3]->GetLine(), 9);
    ASSERT_EQ(lists[3]->GetItems().size(), 2u);
    EXPECT_EQ(lists[3]->GetItems()[1].operand, "%VW2");
    EXPECT_EQ(lists[3]->GetItems()[1].flags & OT_AREA_V, OT_AREA_V);

    // One item per operand text.
    EXPECT_EQ(lists[4]->GetLine(), 11);
    EXPECT_EQ(lists[4]->GetItems().size(), 1u);
}

} // namespace
