#include "CompilerFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CILToken.h"
#include "model/CMemAreaInfo.h"
#include "model/CpuProfile.h"

namespace {

struct ClassCase {
    const char* text;
    int tokenClass;
    int subClass;
    OperandTypeFlags constantType;
};

class CILTokenTest : public CompilerFixture {
protected:
    void SetUp() override
    {
        CompilerFixture::SetUp();
        CompilingFile(FILE_KIND_MAIN_PROGRAM, "MAIN");
    }

    static std::vector<std::string> Messages(CILToken& token)
    {
        std::vector<std::string> texts;
        int code = 0, kind = 0;
        std::string text;
        while (token.NextMessage(code, kind, text))
            texts.push_back(std::to_string(code) + " " + text);
        return texts;
    }

    static void ExpectClasses(const ClassCase* cases, size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            const ClassCase& c = cases[i];
            CILToken token(c.text);
            token.Classify();
            EXPECT_EQ(token.GetClass(), c.tokenClass) << c.text;
            EXPECT_EQ(token.GetSubClass(), c.subClass) << c.text;
            EXPECT_EQ(token.GetConstantType(), c.constantType) << c.text;
        }
    }

    static void DeclareLocal(const std::string& name, OperandTypeFlags type, const std::string& address,
                             int section = SECTION_NUMBER_VAR)
    {
        CILToken token(address);
        EXPECT_TRUE(token.CheckDirectAddress(address, type & OT_TYPE_BITS, false)) << address;
        CMemAreaDef row = {};
        EncodedPlcAddress encoded = 0;
        token.GetAddress(row, encoded);
        AddVariable(name, type, address, row, encoded, CConstantValue{}, 0, 0, section);
    }
};

TEST_F(CILTokenTest, ProgramTokensOutsideDeclarations)
{
    const ClassCase cases[] = {
        {"DW#16#FFFF", TOKEN_CONSTANT, SUBCLASS_NONE, OT_DWORD},
        {"DW16#FF", TOKEN_CONSTANT, SUBCLASS_NONE, OT_DWORD},
        {"16#FF", TOKEN_CONSTANT, SUBCLASS_NONE, OT_WORD},
        {"2#1010", TOKEN_CONSTANT, SUBCLASS_NONE, OT_WORD},
        {"b#16#ff", TOKEN_CONSTANT, SUBCLASS_NONE, OT_BYTE},
        {"DI#8#17", TOKEN_CONSTANT, SUBCLASS_NONE, OT_DINT},
        {"I#5", TOKEN_CONSTANT, SUBCLASS_NONE, OT_INT},
        {"1.5", TOKEN_CONSTANT, SUBCLASS_NONE, OT_REAL},
        {"-3", TOKEN_CONSTANT, SUBCLASS_NONE, OT_INT},
        {"TRUE", TOKEN_CONSTANT, SUBCLASS_NONE, OT_BOOL},
        {"false", TOKEN_CONSTANT, SUBCLASS_NONE, OT_BOOL},
        {"TRUE_COUNT", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"LD", TOKEN_KEYWORD, SUBCLASS_INSTRUCTION, 0},
        {"and", TOKEN_KEYWORD, SUBCLASS_INSTRUCTION, 0},
        {"ADD", TOKEN_FUNCTION, SUBCLASS_INSTRUCTION, 0},
        {";", TOKEN_KEYWORD, SUBCLASS_STATEMENT_END, 0},
        {":", TOKEN_KEYWORD, SUBCLASS_LABEL_COLON, 0},
        {",", TOKEN_SEPARATOR, SUBCLASS_NONE, 0},
        {":=", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"BOOL", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"VAR", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"END_VAR", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"AT", TOKEN_KEYWORD, SUBCLASS_NONE, 0},
        {"%I0.0", TOKEN_DIRECT_ADDRESS, SUBCLASS_NONE, 0},
        {"%vw100", TOKEN_DIRECT_ADDRESS, SUBCLASS_NONE, 0},
        {"%I0.8", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"%T5", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"*VD100", TOKEN_POINTER, SUBCLASS_NONE, 0},
        {"*VW100", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"&VB100", TOKEN_ADDRESS_OF, SUBCLASS_NONE, 0},
        {"&V0.0", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
        {"UNKNOWN", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
    };
    ExpectClasses(cases, std::size(cases));
}

TEST_F(CILTokenTest, DeclarationTokensInsideAVarBlock)
{
    CompilingFile(FILE_KIND_SBR_VARS, "SBR01");
    g_CompileState.InDeclarationBlock = true;
    const ClassCase cases[] = {
        {"BOOL", TOKEN_KEYWORD, static_cast<int>(KEYWORD_CLASS_DATA_TYPE), 0},
        {"ADD", TOKEN_KEYWORD, static_cast<int>(KEYWORD_CLASS_FUNCTION), 0},
        {"TON", TOKEN_KEYWORD, static_cast<int>(KEYWORD_CLASS_FB_TYPE), 0},
        {"VAR_INPUT", TOKEN_KEYWORD, static_cast<int>(KEYWORD_CLASS_SECTION), 0},
        {":=", TOKEN_KEYWORD, static_cast<int>(KEYWORD_CLASS_ASSIGN), 0},
        {"%VB0000", TOKEN_DIRECT_ADDRESS, SUBCLASS_NONE, 0},
        {"AT%VB4", TOKEN_DIRECT_ADDRESS, SUBCLASS_NONE, 0},
    };
    ExpectClasses(cases, std::size(cases));

    g_CompileState.InDeclarationBlock = false;
    const ClassCase outside[] = {
        {"END_VAR", TOKEN_KEYWORD, static_cast<int>(KEYWORD_CLASS_END_VAR), 0},
        {"ADD", TOKEN_KEYWORD, SUBCLASS_INSTRUCTION, 0},
    };
    ExpectClasses(outside, std::size(outside));
}

TEST_F(CILTokenTest, NamedThingsFromTheCompilerLists)
{
    AddPOU("SBR01", "Motor", 1, POU_KIND_SUBROUTINE);
    AddLabel("MAIN.LOOP");
    DeclareLocal("MAIN.SPEED", OT_WORD, "%VW10");
    DeclareLocal("LEVEL", OT_INT, "%VW20");
    AddFBInstanceEntry("T37", "TON");
    const ClassCase cases[] = {
        {"SBR01", TOKEN_POU, SUBCLASS_NONE, TOKEN_REFERENCE_TYPE},
        {"loop", TOKEN_LABEL, SUBCLASS_NONE, TOKEN_REFERENCE_TYPE},
        {"Speed", TOKEN_VARIABLE, SUBCLASS_NONE, 0},
        {"LEVEL", TOKEN_VARIABLE, SUBCLASS_NONE, 0},
        {"T37", TOKEN_FB_INSTANCE, SUBCLASS_INSTRUCTION, 0},
        {"T37.Q", TOKEN_FB_PIN, 6, 0},
        {"ADD.EN", TOKEN_FUNCTION_MEMBER, static_cast<int>(KEYWORD_CLASS_FUNCTION), 0},
        {"SPEED2", TOKEN_UNCLASSIFIED, SUBCLASS_NONE, 0},
    };
    ExpectClasses(cases, std::size(cases));

    CILToken pin("T37.Q");
    pin.Classify();
    EXPECT_EQ(pin.GetMemberText(), "TON.Q");
    CILToken instance("T37");
    instance.Classify();
    EXPECT_EQ(instance.GetFBTypeName(), "TON");
    CILToken speed("SPEED");
    speed.Classify();
    EXPECT_EQ(speed.GetTypeBits(), OT_WORD);
}

TEST_F(CILTokenTest, PointersOnlyOnFamiliesWithPointerSupport)
{
    UseFamily(FAMILY_INDEX_VB14);
    CILToken pointer("*VD100");
    pointer.Classify();
    EXPECT_EQ(pointer.GetClass(), TOKEN_UNCLASSIFIED);

    UseFamily(FAMILY_INDEX_VC16);
    CILToken again("*VD100");
    again.Classify();
    EXPECT_EQ(again.GetClass(), TOKEN_POINTER);
    EXPECT_EQ(again.GetEncodedAddress(), EncodeAddress("%VD100", 0));

    CILToken addressOf("&VD8");
    addressOf.Classify();
    EXPECT_EQ(addressOf.GetClass(), TOKEN_ADDRESS_OF);
    EXPECT_EQ(addressOf.GetBitNumber(), OT_DWORD);
}

TEST_F(CILTokenTest, ClassificationQueuesTheAddressFindings)
{
    CILToken outOfRange("%I0.8");
    outOfRange.Classify();
    EXPECT_EQ(Messages(outOfRange), std::vector<std::string>{"41 \"%I0.8\" - Direct address is out of range"});
    CILToken timer("%T5");
    timer.Classify();
    EXPECT_EQ(Messages(timer), std::vector<std::string>{"41 \"%T5\" - The memory type does not match the data type"});
}

TEST_F(CILTokenTest, OperandFlagsByClass)
{
    AddPOU("SBR01", "Motor", 1, POU_KIND_SUBROUTINE);
    DeclareLocal("MAIN.SPEED", OT_WORD, "%VW10");
    AddFBInstanceEntry("T37", "TON");
    AddFBInstanceEntry("C5", "CTU");
    AddFBInstanceEntry("SR2", "SR");
    AddFBInstanceEntry("RS1", "RS");
    struct FlagCase {
        const char* text;
        OperandTypeFlags flags;
    } const cases[] = {
        {"100", OT_INT | OT_CONSTANT},
        {"1.5", OT_REAL | OT_CONSTANT},
        {"%VW100", OT_AREA_V | OT_READABLE | OT_WRITABLE | OT_FORCEABLE | OT_WORD_INT | OT_DIRECT},
        {"%VW10", OT_AREA_V | OT_READABLE | OT_WRITABLE | OT_FORCEABLE | OT_WORD | OT_DIRECT},
        {"%I0.1", OT_AREA_I | OT_READABLE | OT_FORCEABLE | OT_BOOL | OT_DIRECT},
        {"SBR01", OT_CONSTANT | OT_POU_REF},
        {"SPEED", OT_WORD | OT_DIRECT},
        {"T37", OT_AREA_T | OT_DIRECT | OT_INT | OT_BOOL},
        {"C5", OT_AREA_C | OT_DIRECT | OT_INT | OT_BOOL},
        {"SR2", OT_AREA_SR | OT_DIRECT | OT_BOOL},
        {"RS1", OT_AREA_RS | OT_DIRECT | OT_BOOL},
        {"*VD4", OT_POINTER},
        {"&VW4", OT_ADDRESS_OF},
        {"NOTHING", 0},
    };
    for (const FlagCase& c : cases) {
        CILToken token(c.text);
        token.Classify();
        EXPECT_EQ(token.GetOperandFlags(), c.flags) << c.text;
    }
}

TEST_F(CILTokenTest, UserIdentifiers)
{
    AddPOU("SBR01", "Motor", 1, POU_KIND_SUBROUTINE);
    struct IdCase {
        const char* text;
        const char* detail; // nullptr: accepted
    } const cases[] = {
        {"", "\"\""},
        {";", "\";\" - Separator can not be used as the user defined identifier"},
        {"END_VAR", "\"END_VAR\" - Keyword can not be used as the user defined identifier."},
        {"bool", "\"bool\" - Keyword can not be used as the user defined identifier."},
        {"LBL", "\"LBL\" - Instruction can not be used as the user defined identifier"},
        {"16#FF", "\"16#FF\" - Constant can not be used as the user defined identifier"},
        {"TRUE", "\"TRUE\" - Constant can not be used as the user defined identifier"},
        {"%VB0", "\"%VB0\" - Direct address can not be used as the user defined identifier"},
        {"__X", "\"__X\""},
        {"1A", "\"1A\""},
        {"A-B", "\"A-B\""},
        {"_X", nullptr},
        {"A_1", nullptr},
        {"TRUE_COUNT", nullptr},
        {"SBR01", nullptr},
        {"温度", nullptr},
    };
    for (const IdCase& c : cases) {
        CILToken token("X");
        token.Classify();
        const bool accepted = token.CheckUserIdentifier(c.text, 1);
        EXPECT_EQ(accepted, c.detail == nullptr) << c.text;
        if (c.detail) {
            EXPECT_EQ(Messages(token), std::vector<std::string>{std::string("26 ") + c.detail}) << c.text;
        }
        EXPECT_EQ(token.GetText(false), "X");
        EXPECT_EQ(token.GetClass(), TOKEN_UNCLASSIFIED);
    }
    EXPECT_TRUE(IsValidLabelName("Loop_1", 1));
    EXPECT_FALSE(IsValidLabelName("LD", 1));
}

TEST_F(CILTokenTest, DirectAddressChecks)
{
    struct AddressCase {
        const char* text;
        OperandTypeFlags type;
        bool requireAT;
        const char* detail; // nullptr: accepted; "": refused without a message
    } const cases[] = {
        {"%MW3", OT_WORD, false, "\"%MW3\" - The address of WORD and DWORD data type should be even"},
        {"%I0.8", OT_BOOL, false, "\"%I0.8\" - Direct address is out of range"},
        {"%MB07", OT_BYTE, false, "\"%MB07\" - Invalid direct address"},
        {"%T5", OT_BOOL, false, "\"%T5\" - The memory type does not match the data type"},
        {"%T5", OT_WORD, false, "\"%T5\" - The memory type does not match the data type"},
        {"%T5", OT_INT, false, "\"%T5\" - The memory type does not match the data type"},
        {"%VB0", OT_WORD, false, "\"%VB0\" - The memory type does not match the data type"},
        {"%HC0", OT_WORD, false, nullptr},
        {"%VR4", OT_BYTE, false, nullptr},
        {"%LD4", OT_REAL, false, nullptr},
        {"%RS5", OT_BOOL, false, ""},
        {"%I0.10", OT_BOOL, false, ""},
        {"%I.1", OT_BOOL, false, "\"%I.1\" - Invalid direct address"},
        {"%IX.1", OT_BOOL, false, "\"%IX.1\" - Invalid direct address"},
        {"%VB1.0", OT_BYTE, false, "\"%VB1.0\" - Invalid direct address"},
        {"%VBX", OT_BYTE, false, "\"%VBX\" - Invalid direct address"},
        {"%VB99999", OT_BYTE, false, "\"%VB99999\" - Direct address is out of range"},
        {"%X1", OT_BYTE, false, "\"%X1\" - Invalid direct address"},
        {"%VB0", OT_BYTE, true, "\"%VB0\" - The word \"AT\" should be added befor direct address"},
        {"AT", OT_BYTE, true, "AT"},
        {"AT %VB0", OT_BYTE, true, nullptr},
        {"%VW100", OT_INT, false, nullptr},
        {"%I0.5", OT_BOOL, false, nullptr},
    };
    for (const AddressCase& c : cases) {
        CILToken token(c.text);
        const bool accepted = token.CheckDirectAddress(c.text, c.type, c.requireAT);
        EXPECT_EQ(accepted, c.detail == nullptr) << c.text;
        if (!c.detail)
            continue;
        const std::vector<std::string> expected =
            *c.detail ? std::vector<std::string>{std::string("41 ") + c.detail} : std::vector<std::string>{};
        EXPECT_EQ(Messages(token), expected) << c.text;
    }
}

TEST_F(CILTokenTest, DirectAddressesAreEncodedLikeTheMemoryAreas)
{
    struct EncodeCase {
        const char* address;
        OperandTypeFlags type;
    } const cases[] = {
        {"%I0.5", OT_BOOL}, {"%Q1.7", OT_BOOL}, {"%VW100", OT_WORD}, {"%VB7", OT_BYTE},
        {"%MD4", OT_DWORD}, {"%AIW2", OT_INT}, {"%SM0.1", OT_BOOL},
    };
    for (const EncodeCase& c : cases) {
        CILToken token(c.address);
        ASSERT_TRUE(token.CheckDirectAddress(c.address, c.type, false)) << c.address;
        EXPECT_EQ(token.GetEncodedAddress(), EncodeAddress(c.address, 0)) << c.address;
    }
    CILToken bit("%I0.5");
    bit.CheckDirectAddress("%I0.5", OT_BOOL, false);
    EXPECT_EQ(bit.GetBitNumber(), 5);
}

TEST_F(CILTokenTest, DataBackupBytesAreNotedForADownload)
{
    UseFamily(FAMILY_INDEX_VB12);
    m_app->ProfileSubType = 1;
    const std::string inside = "%VB" + std::to_string(DataBackupFirstByte);
    CILToken token(inside);
    ASSERT_TRUE(token.CheckDirectAddress(inside, OT_BYTE, false));
    EXPECT_EQ(m_app->DataBackupUsed, 0);
    m_app->CompilingForDownload = 1;
    ASSERT_TRUE(token.CheckDirectAddress(inside, OT_BYTE, false));
    EXPECT_EQ(m_app->DataBackupUsed, 1);
}

TEST_F(CILTokenTest, ConstantChecks)
{
    struct ConstantCase {
        const char* text;
        OperandTypeFlags type;
        const char* message; // nullptr: accepted
    } const cases[] = {
        {"100", OT_INT, nullptr},
        {"100000", OT_INT, "19 \"100000\" - The value of the constant is out of range"},
        {"16#XYZ", OT_WORD, "19 \"16#XYZ\" - The value of the constant is error"},
        {"100", 0, "19 \"100\" - The data type is not supported"},
        {"1.0E-39", OT_REAL, "29 \"1.0E-39\" - The value of the constant is out of range"},
    };
    for (const ConstantCase& c : cases) {
        CILToken token(c.text);
        CConstantValue value;
        EXPECT_EQ(token.CheckConstantOperand(c.text, c.type | OT_CONSTANT, value), c.message == nullptr) << c.text;
        if (c.message) {
            EXPECT_EQ(Messages(token), std::vector<std::string>{c.message}) << c.text;
        }
    }
}

TEST_F(CILTokenTest, OperandsForTheEmitter)
{
    AddPOU("SBR01", "Motor", 1, POU_KIND_SUBROUTINE);
    GetPOU("SBR01")->firstInstruction = 40;
    AddLabel("MAIN.LOOP");
    GetLabel("MAIN.LOOP")->firstInstruction = 7;
    AddFBInstanceEntry("T37", "TON");
    DeclareLocal("MAIN.IN1", OT_BOOL | OT_INPUT, "%L0.0", SECTION_NUMBER_INPUT);
    DeclareLocal("SWITCH", OT_BYTE, "%IB0");
    DeclareLocal("COUNT", OT_WORD, "%VW50");
    const short timerBits = m_app->GetAreaBase("%T", TRUE);
    const short timerWords = m_app->GetAreaBase("%T", FALSE);

    struct BuildCase {
        const char* text;
        OperandTypeFlags required;
        bool bitAccess;
        const char* message; // nullptr: built
        WORD address;
    } const cases[] = {
        {"T37", OT_INPUT, true, nullptr, WORD(((timerBits + 4) & 0x1FFF) | (5 << 13))},
        {"T37", OT_INPUT, false, nullptr, WORD(timerWords + 74)},
        {"LOOP", OT_INPUT, false, nullptr, 7},
        {"SBR01", OT_INPUT, false, nullptr, 40},
        {"COUNT", OT_OUTPUT, false, nullptr, EncodeAddress("%VW50", 0)},
        {"%VW8", OT_OUTPUT, false, nullptr, EncodeAddress("%VW8", 0)},
        {"100", OT_OUTPUT, false, "19 \"100\" - The constant can not be used for output", 0},
        {"%IB1", OT_OUTPUT, false, "19 \"%IB1\" - The read-only memory can not be used for output", 0},
        {"SWITCH", OT_OUTPUT, false, "19 \"SWITCH\" - The read-only memory can not be used for output", 0},
        {"IN1", OT_OUTPUT, false, "19 \"IN1\" - Input parameter of the subroutine, can not be written", 0},
        {"NOTHING", OT_INPUT, false, "19 \"NOTHING\" - Invalid operand", 0},
    };
    for (const BuildCase& c : cases) {
        CILToken token(c.text);
        token.Classify();
        COperandDesc desc;
        EXPECT_EQ(token.BuildOperand(c.required, desc, c.bitAccess), c.message == nullptr) << c.text;
        if (c.message) {
            EXPECT_EQ(Messages(token), std::vector<std::string>{c.message}) << c.text;
        } else {
            EXPECT_EQ(desc.address, c.address) << c.text;
        }
    }

    AddFBInstanceEntry("T9999", "TON");
    CILToken invalid("T9999");
    invalid.Classify();
    COperandDesc desc;
    EXPECT_FALSE(invalid.BuildOperand(OT_INPUT, desc, false));
    EXPECT_EQ(Messages(invalid), std::vector<std::string>{"19 \"T9999\" - Invalid instance of function block"});

    CILToken addressOf("&VW4");
    addressOf.Classify();
    ASSERT_TRUE(addressOf.BuildOperand(OT_INPUT, desc, false));
    EXPECT_EQ(desc.isAddressOf, 1);
    EXPECT_EQ(desc.addressOfValue, DWORD(EncodeAddress("%VW4", 0)) | (DWORD(OT_WORD) << 16));
    EXPECT_EQ(desc.flags, OT_ADDRESS_OF | OT_INPUT | OT_AREA_V);
}

TEST_F(CILTokenTest, InstructionOperandSizesAndWriteBack)
{
    COpcodeDef row = {};
    row.operandMasks[0] = OT_INPUT | 0x1DFE30F0;
    row.operandMasks[1] = OT_OUTPUT | 0x119C40F0;
    struct SizeCase {
        const char* text;
        int index;
        int size;
    } const cases[] = {
        {"%VW0", 0, 2}, {"100", 0, 2}, {"DI#100", 0, 4}, {"1.5", 0, 4}, {"&VB0", 0, 4}, {"%VD4", 1, 2},
    };
    for (const SizeCase& c : cases) {
        CILToken token(c.text);
        token.Classify();
        COperandDesc desc;
        int size = -1;
        ASSERT_TRUE(token.BuildInstructionOperand(c.index, row, desc, size, false)) << c.text;
        EXPECT_EQ(size, c.size) << c.text;
        EXPECT_EQ(row.operandMasks[c.index], desc.flags) << c.text;
    }
    CILToken constant("100");
    constant.Classify();
    COperandDesc desc;
    int size = -1;
    EXPECT_FALSE(constant.BuildInstructionOperand(1, row, desc, size, false));
    EXPECT_EQ(size, 0);
}

TEST_F(CILTokenTest, EightByteBlocks)
{
    DeclareLocal("MAIN.BUF", OT_BYTE, "%VB100");
    DeclareLocal("WORDS", OT_WORD, "%VW0");
    struct BlockCase {
        const char* text;
        bool block;
    } const cases[] = {{"%VB0", true}, {"%VW0", false}, {"%IB0", false}, {"BUF", true}, {"WORDS", false}};
    for (const BlockCase& c : cases) {
        CILToken token(c.text);
        token.Classify();
        EXPECT_EQ(IsEightByteBlockOperand(&token), c.block) << c.text;
    }
    EXPECT_FALSE(IsEightByteBlockOperand(nullptr));
}

} // namespace
