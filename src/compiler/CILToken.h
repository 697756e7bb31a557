#pragma once
// One token of an IL source line as the compiler sees it. A token classifies
// itself (separator, keyword, instruction, constant, direct address, pointer
// or address-of operand, label, POU, variable, function-block instance),
// checks itself as an identifier, a direct address, a constant or an
// operand, keeps the numbered findings of its last check, and fills the
// operand descriptor that the code emitter writes.

#include "CILTokenMsg.h"
#include "COperandDesc.h"
#include "model/CMemAreaInfo.h"
#include "model/ILVocabulary.h"

#include <string>
#include <vector>

// Token classes.
constexpr int TOKEN_UNCLASSIFIED = 0;
constexpr int TOKEN_SEPARATOR = 1;
constexpr int TOKEN_KEYWORD = 2;
constexpr int TOKEN_CONSTANT = 4;
constexpr int TOKEN_DIRECT_ADDRESS = 6;
constexpr int TOKEN_LABEL = 7;
constexpr int TOKEN_POU = 8;
constexpr int TOKEN_VARIABLE = 9;
constexpr int TOKEN_FB_INSTANCE = 10;
constexpr int TOKEN_FUNCTION = 11;
constexpr int TOKEN_FUNCTION_MEMBER = 12;
constexpr int TOKEN_FB_PIN = 13;
constexpr int TOKEN_POINTER = 14;
constexpr int TOKEN_ADDRESS_OF = 15;

// Sub-classes beyond the keyword classes.
constexpr int SUBCLASS_FB_PIN = 6;
constexpr int SUBCLASS_INSTRUCTION = 9;
constexpr int SUBCLASS_LABEL_COLON = 10;
constexpr int SUBCLASS_STATEMENT_END = 11;
constexpr int SUBCLASS_NONE = 12;

// Data-type bits of label and POU tokens.
constexpr OperandTypeFlags TOKEN_REFERENCE_TYPE = OT_POU_REF;

class CILToken {
public:
    explicit CILToken(const std::string& text);
    virtual ~CILToken() = default;
    CILToken(const CILToken&) = delete;
    CILToken& operator=(const CILToken&) = delete;

    void Classify();
    std::string GetText(bool asWritten) const;
    OperandTypeFlags GetOperandFlags() const;

    bool CheckUserIdentifier(const std::string& text, int mode);
    bool CheckDirectAddress(const std::string& text, OperandTypeFlags typeBits, bool requireAT);
    bool CheckConstantOperand(const std::string& text, OperandTypeFlags typeBits, CConstantValue& value);
    bool CheckVariableOperand(const std::string& name, OperandTypeFlags required, COperandDesc& desc);
    bool BuildOperand(OperandTypeFlags required, COperandDesc& desc, bool bitAccess);
    bool BuildInstructionOperand(int index, COpcodeDef& row, COperandDesc& desc, int& size, bool bitAccess);
    void GetAddress(CMemAreaDef& areaRow, EncodedPlcAddress& encodedAddress) const;

    void AddMessage(int code, int kind, const std::string& text);
    bool NextMessage(int& code, int& kind, std::string& text);
    void ClearMessages();
    int MessageCount() const { return static_cast<int>(m_messages.size()); }

    int GetClass() const { return m_class; }
    int GetSubClass() const { return m_subClass; }
    bool IsConsumed() const { return m_consumed != 0; }
    void SetConsumed(bool consumed) { m_consumed = consumed ? 1 : 0; }
    OperandTypeFlags GetConstantType() const { return m_constantType; }
    OperandTypeFlags GetTypeBits() const { return m_areaRow.typeBits; }
    const std::string& GetFBTypeName() const { return m_FBTypeName; }
    const std::string& GetMemberText() const { return m_memberText; }
    EncodedPlcAddress GetEncodedAddress() const { return m_encodedAddress; }
    WORD GetBitNumber() const { return m_bitNumber; }

    // The next token of the line; the parse context owns them all.
    CILToken* GetNext() const { return m_next; }
    void SetNext(CILToken* next) { m_next = next; }

private:
    bool ClassifySeparator();
    // Keyword rules; true when the classification has ended.
    bool ClassifyKeyword();
    bool ClassifyDirectAddress();
    bool ClassifyPointer();
    bool ClassifyAddressOf();
    void ClassifyOperand();
    bool BuildDirectAddressOperand(OperandTypeFlags flags, OperandTypeFlags required, COperandDesc& desc);
    bool BuildInstanceOperand(OperandTypeFlags flags, COperandDesc& desc, bool bitAccess);
    // A failure: code and the quoted text with the fixed text after it.
    bool Fail(int code, const std::string& quoted, const char* fixedText);

    std::string m_text;
    int m_class = TOKEN_UNCLASSIFIED;
    int m_subClass = SUBCLASS_NONE;
    BYTE m_consumed = 0;
    OperandTypeFlags m_constantType = 0;
    std::string m_FBTypeName;
    std::string m_memberText;
    CMemAreaDef m_areaRow = {};
    std::vector<CILTokenMsg> m_messages;
    size_t m_messageCursor = 0;
    CILToken* m_next = nullptr;
    std::string m_upper;
    EncodedPlcAddress m_encodedAddress = 0;
    WORD m_bitNumber = 0; // bit of a bit address, or the data-type bit of an address-of operand
};

// Bytes of a built operand in the object code: four for an address-of
// operand, two for an address, and for a constant two or four by its data
// type as the constant encoding writes it (0 for a constant without one).
int OperandSize(const COperandDesc& operand);
// The text as a label name: runs the identifier check on a temporary token.
bool IsValidLabelName(const std::string& text, int mode);
// A byte address of the V, M or L area with room for eight bytes, written
// directly or as the address of a variable.
bool IsEightByteBlockOperand(const CILToken* token);
// The data-type bits of a text written as a typed constant; 0 when it is none.
OperandTypeFlags TypedConstantForm(const std::string& upper);
