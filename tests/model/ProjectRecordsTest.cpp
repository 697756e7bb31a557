#include "ByteBuilder.h"
#include "model/CProjTreeNode.h"
#include "model/CStatusInput.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/CZULInitData.h"
#include "model/CZULStatus.h"
#include "model/CZULSymbol.h"
#include "platform/CArchive.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

namespace {

std::vector<unsigned char> U(const std::vector<BYTE>& bytes)
{
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

template <typename Record>
std::vector<BYTE> Store(Record& record)
{
    CArchive ar;
    record.Serialize(ar);
    return ar.GetBuffer();
}

CZULFBPara* Para(const std::string& name, const std::string& type, DWORD flags, const std::string& comment)
{
    auto* para = new CZULFBPara;
    para->name = name;
    para->typeText = type;
    para->flags = flags;
    para->comment = comment;
    return para;
}

// "Pump", number 7, inputs EN and IN1, output Q: the first parameter carries
// the class record, the later ones refer to it.
ByteBuilder PumpInterfaceBytes()
{
    ByteBuilder b;
    b.Str("Pump").U16(7);
    b.U16(2);
    b.NewClass("CZULFBPara").Str("EN").Str("BOOL").U32(0x2001).Str("");
    b.U16(0x8001).Str("IN1").Str("INT").U32(0x2010).Str("speed");
    b.U16(1);
    b.U16(0x8001).Str("Q").Str("BOOL").U32(0x4001).Str("");
    return b;
}

} // namespace

TEST(ProjectRecordsTest, CallInterfaceWritesParametersWithClassRecords)
{
    CZULFunc func;
    func.name = "Pump";
    func.number = 7;
    func.AddInput(Para("EN", "BOOL", 0x2001, ""));
    func.AddInput(Para("IN1", "INT", 0x2010, "speed"));
    func.AddOutput(Para("Q", "BOOL", 0x4001, ""));
    EXPECT_TRUE(BytesEqual(U(PumpInterfaceBytes().Bytes()), U(Store(func))));

    CArchive in(PumpInterfaceBytes().Bytes());
    CZULFunc read;
    read.Serialize(in);
    ASSERT_TRUE(in.IsOK()) << in.GetErrorText();
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(read.name, "Pump");
    EXPECT_EQ(read.number, 7);
    ASSERT_EQ(read.GetInputCount(), 2);
    ASSERT_EQ(read.GetOutputCount(), 1);
    CZULFBPara* p = nullptr;
    ASSERT_EQ(read.GetInput(1, p), 1);
    EXPECT_EQ(p->name, "IN1");
    EXPECT_EQ(p->typeText, "INT");
    EXPECT_EQ(p->flags, 0x2010u);
    EXPECT_EQ(p->comment, "speed");
    ASSERT_EQ(read.GetOutput(0, p), 1);
    EXPECT_EQ(p->name, "Q");
    EXPECT_EQ(read.GetInput(2, p), 0);
}

TEST(ProjectRecordsTest, ParameterListsThatAreNotParametersAreRefused)
{
    struct Case {
        const char* what;
        ByteBuilder list;
        bool allowReferences = false;
        ByteBuilder outputs = ByteBuilder().U16(0);
    };
    std::vector<Case> cases;
    cases.push_back({"unknown class", ByteBuilder().U16(1).NewClass("CZULBogus").Str("EN")});
    cases.push_back({"schema 2", ByteBuilder().U16(1).NewClass("CZULFBPara", 2).Str("EN")});
    cases.push_back({"record of another class",
                     ByteBuilder().U16(1).NewClass("CZULStatus").Str("%I0.0").U16(0)});
    cases.push_back({"null element", ByteBuilder().U16(1).U16(0)});
    cases.push_back({"reference to an earlier element",
                     ByteBuilder().U16(2).NewClass("CZULFBPara").Str("EN").Str("BOOL").U32(1).Str("").U16(2)});
    // Where references are allowed, an element handed out twice would be owned
    // (and deleted) twice; the sanitizer build sees such a double delete.
    cases.push_back({"reference to an earlier element, references allowed",
                     ByteBuilder().U16(2).NewClass("CZULFBPara").Str("EN").Str("BOOL").U32(1).Str("").U16(2), true});
    cases.push_back({"reference into the input list, references allowed",
                     ByteBuilder().U16(1).NewClass("CZULFBPara").Str("EN").Str("BOOL").U32(1).Str(""), true,
                     ByteBuilder().U16(1).U16(2)});
    cases.push_back({"class reference never stored", ByteBuilder().U16(1).U16(0x8005)});
    cases.push_back({"count beyond the data", ByteBuilder().U16(40).NewClass("CZULFBPara")});
    cases.push_back({"truncated element", ByteBuilder().U16(1).NewClass("CZULFBPara").Str("EN").U8(4)});
    for (Case& c : cases) {
        ByteBuilder bytes;
        bytes.Str("F").U16(1).Raw(c.list.Bytes()).Raw(c.outputs.Bytes());
        CArchive in(bytes.Bytes());
        in.SetAllowObjectReferences(c.allowReferences);
        CZULFunc func;
        func.Serialize(in);
        EXPECT_FALSE(in.IsOK()) << c.what;
        EXPECT_EQ(in.GetAllowObjectReferences(), c.allowReferences ? TRUE : FALSE) << c.what;
    }
}

TEST(ProjectRecordsTest, SymbolGetsPercentPutInFrontWhenStored)
{
    CZULSymbol symbol;
    symbol.name = "Level";
    symbol.address = "VW100";
    symbol.comment = "tank";
    symbol.dataType = "INT";
    symbol.typeFlags = 0x800014;
    symbol.runValue = 9;
    const auto expected =
        ByteBuilder().Str("Level").Str("%VW100").Str("INT").Str("tank").U32(0x800014).Bytes();
    EXPECT_TRUE(BytesEqual(U(expected), U(Store(symbol))));
    EXPECT_EQ(symbol.address, "%VW100");

    CArchive in(expected);
    CZULSymbol read;
    read.Serialize(in);
    EXPECT_TRUE(in.IsOK());
    EXPECT_EQ(read.name, "Level");
    EXPECT_EQ(read.address, "%VW100");
    EXPECT_EQ(read.dataType, "INT");
    EXPECT_EQ(read.comment, "tank");
    EXPECT_EQ(read.typeFlags, 0x800014u);
    EXPECT_EQ(read.orderIndex, -1);
}

TEST(ProjectRecordsTest, RecordsWriteTheirFieldsInStoredOrder)
{
    CZULStatus status;
    status.operand = "%M0.1";
    status.address = 0x2345;
    status.statusBit = 1;
    status.value = 7;
    EXPECT_TRUE(BytesEqual(U(ByteBuilder().Str("%M0.1").U16(0x2345).Bytes()), U(Store(status))));

    CZULFB fb;
    fb.typeName = "TON";
    fb.instanceName = "T1";
    fb.ownerPou = "MAIN";
    fb.fourthText = "x";
    EXPECT_TRUE(BytesEqual(U(ByteBuilder().Str("TON").Str("T1").Str("x").Str("MAIN").U16(0).U16(0).Bytes()),
                           U(Store(fb))));

    CStatusInput row;
    row.addressText = "%VW0";
    row.encodedAddress = 0x1234;
    row.flags = 0x800014;
    row.valid = 1;
    row.symbol = "Speed";
    row.format = 3;
    row.newValueText = "-5";
    row.newValue = 0xFFFB;
    row.spare = 9;
    row.newValueValid = 1;
    const auto rowBytes = ByteBuilder()
                              .Str("%VW0").Str("Speed").Str("-5").U16(0x1234)
                              .U32(0x800014).U32(1).U32(3).U32(0xFFFB).U32(9).U32(1)
                              .Bytes();
    EXPECT_TRUE(BytesEqual(U(rowBytes), U(Store(row))));
    CArchive in(rowBytes);
    CStatusInput readRow;
    readRow.Serialize(in);
    EXPECT_TRUE(in.IsOK());
    EXPECT_EQ(readRow.symbol, "Speed");
    EXPECT_EQ(readRow.newValueText, "-5");
    EXPECT_EQ(readRow.encodedAddress, 0x1234);
    EXPECT_EQ(readRow.format, 3u);
    EXPECT_EQ(readRow.spare, 9u);
    EXPECT_EQ(readRow.newValueValid, 1u);
}

TEST(ProjectRecordsTest, TreeNodeKeepsEverythingButItsComment)
{
    CProjTreeNode node;
    node.kind = NODE_SUBROUTINE;
    node.name = "Pump";
    node.label = "(SBR03) Pump";
    node.language = 2;
    node.number = 3;
    node.comment = "not kept";
    node.author = "ann";
    const auto expected =
        ByteBuilder().Str("Pump").Str("(SBR03) Pump").Str("ann").U32(3).U16(3).U32(2).Bytes();
    EXPECT_TRUE(BytesEqual(U(expected), U(Store(node))));

    CArchive in(expected);
    CProjTreeNode read;
    read.Serialize(in);
    EXPECT_TRUE(in.IsOK());
    EXPECT_EQ(read.kind, 3);
    EXPECT_EQ(read.name, "Pump");
    EXPECT_EQ(read.label, "(SBR03) Pump");
    EXPECT_EQ(read.author, "ann");
    EXPECT_EQ(read.number, 3);
    EXPECT_EQ(read.language, 2);
    EXPECT_EQ(read.comment, "");

    read.Reset();
    EXPECT_EQ(read.kind, -1);
    EXPECT_EQ(read.language, -1);
    EXPECT_EQ(read.number, -1);
    EXPECT_EQ(read.name, "");
}

TEST(ProjectRecordsTest, InitialDataCodesAreStoredInBucketOrder)
{
    CZULInitData row;
    row.texts = {"VB0", "1, 2", ""};
    row.values = {5, 0xFFFFFFFF};
    row.SetCode(0x25, 1);  // bucket 2
    row.SetCode(0x10, 2);  // bucket 1
    row.SetCode(0x150, 3); // bucket 1, newer
    row.SetCode(0x10, 4);  // replaces, keeps its place
    row.rowState1 = 7;
    row.rowState2 = 8;
    const auto expected = ByteBuilder()
                              .U16(3).Str("VB0").Str("1, 2").Str("")
                              .U16(2).U32(5).U32(0xFFFFFFFF)
                              .U16(3).U32(0x150).U32(3).U32(0x10).U32(4).U32(0x25).U32(1)
                              .U32(7).U32(8)
                              .Bytes();
    EXPECT_TRUE(BytesEqual(U(expected), U(Store(row))));

    CArchive in(expected);
    CZULInitData read;
    read.Serialize(in);
    ASSERT_TRUE(in.IsOK());
    EXPECT_EQ(read.texts, row.texts);
    EXPECT_EQ(read.values, row.values);
    EXPECT_EQ(read.GetCodeCount(), 3);
    DWORD value = 0;
    EXPECT_TRUE(read.LookupCode(0x10, value));
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(read.rowState1, 7u);
    EXPECT_EQ(read.rowState2, 8u);
    EXPECT_TRUE(BytesEqual(U(expected), U(Store(read))));

    CZULInitData huge;
    CArchive bad(ByteBuilder().U16(0xFFFF).U32(0x40000000).Bytes());
    huge.Serialize(bad);
    EXPECT_FALSE(bad.IsOK());
    EXPECT_TRUE(huge.texts.empty());
}

TEST(ProjectRecordsTest, CallInterfaceOperations)
{
    CZULFunc func;
    struct NumberCase {
        int number;
        int result;
        int stored;
    };
    func.number = 5;
    for (const NumberCase& c : {NumberCase{0, 0, 5}, NumberCase{65536, 0, 5}, NumberCase{3, 1, 3},
                                NumberCase{65537, 1, 65537}}) {
        EXPECT_EQ(func.SetNumber(c.number), c.result) << c.number;
        EXPECT_EQ(func.number, c.stored) << c.number;
    }

    EXPECT_EQ(func.SetName("  Mix  "), 0);
    EXPECT_EQ(func.name, "Mix");
    func.SetName("   ");
    EXPECT_EQ(func.name, "Mix");

    struct ParamCase {
        DWORD flags;
        int inputs;
        int outputs;
    };
    for (const ParamCase& c : {ParamCase{0x2000, 1, 0}, ParamCase{0x6000, 1, 0}, ParamCase{0x4000, 0, 1},
                               ParamCase{0x8000, 0, 0}}) {
        CZULFunc f;
        auto* para = new CZULFBPara;
        f.AddParam(para, c.flags);
        EXPECT_EQ(f.GetInputCount(), c.inputs) << std::hex << c.flags;
        EXPECT_EQ(f.GetOutputCount(), c.outputs) << std::hex << c.flags;
        if (c.inputs + c.outputs == 0)
            delete para;
    }
    func.AddParam(nullptr, 0x2000);
    EXPECT_EQ(func.GetInputCount(), 0);

    func.AddInput(Para("EN", "BOOL", 0x2001, ""));
    func.AddOutput(Para("OUT", "INT", 0x4010, ""));
    CZULFBPara* found = nullptr;
    EXPECT_FALSE(func.FindPin("en", found));
    EXPECT_TRUE(func.FindPin(" OUT ", found));
    EXPECT_EQ(found->name, "OUT");
    EXPECT_FALSE(func.FindPin("  ", found));

    CZULFunc copy;
    copy.AddInput(Para("OLD", "INT", 0x2010, ""));
    copy = func;
    EXPECT_EQ(copy.name, "Mix");
    EXPECT_EQ(copy.number, 65537);
    ASSERT_EQ(copy.GetInputCount(), 1);
    CZULFBPara* mine = nullptr;
    copy.GetInput(0, mine);
    func.GetInput(0, found);
    EXPECT_NE(mine, found);
    EXPECT_EQ(mine->name, "EN");

    EXPECT_EQ(func.ClearParams(), 1);
    EXPECT_EQ(func.GetInputCount() + func.GetOutputCount(), 0);
    copy.Reset();
    EXPECT_EQ(copy.name, "");
    EXPECT_EQ(copy.number, 0);
    EXPECT_EQ(copy.GetInputCount(), 0);

    CZULFBPara para;
    EXPECT_EQ(para.SetNameAndFlags("  ", 0x2001), 0);
    EXPECT_EQ(para.flags, 0u);
    EXPECT_EQ(para.SetNameAndFlags(" IN ", 0x2001), 1);
    EXPECT_EQ(para.name, "IN");
    EXPECT_EQ(para.flags, 0x2001u);
}
