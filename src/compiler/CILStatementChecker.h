#pragma once
// The statement handlers of the IL compiler: VAR sections, labels, network
// structure ("AND(" / "OR(" nesting, FOR / NEXT) and instructions with their
// object code. Both passes run the same handlers so their counts agree: the
// precompile pass (CheckLine) only counts bytes and instructions, the code
// pass (CheckAndEmitLine) also appends the little-endian object code. A
// statement that fails a check is neither counted nor emitted.

#include "CILParseContext.h"

#include <string>
#include <vector>

// Keyword ids of the VAR sections.
constexpr int KEYWORD_ID_VAR = 41;
constexpr int KEYWORD_ID_VAR_GLOBAL = 44;
constexpr int KEYWORD_ID_VAR_INPUT = 45;
constexpr int KEYWORD_ID_VAR_IN_OUT = 46;
constexpr int KEYWORD_ID_VAR_OUTPUT = 47;
constexpr int KEYWORD_ID_VAR_TEMP = 48;

constexpr int MAX_PARENTHESIS_DEPTH = 16;
constexpr int MAX_LABELS_PER_POU = 128;
constexpr int MAX_JUMPS_PER_POU = 128;
constexpr int MAX_CALLS_PER_POU = 256;
constexpr int MAX_ATTACHES_PER_POU = 256;
constexpr int INSTRUCTION_BUFFER_BYTES = 100;

// The opcode of the "__SMW32" row: the data-backup setting that follows a
// MOVE of a constant to %SMW32.
constexpr WORD OPCODE_SMW32_ADDITION = 0x0139;

// The type bits of a data-type keyword id; 0 for a type without them.
OperandTypeFlags TypeKeywordToTypeBits(int keywordId);
// An I or Q channel on the CPU body of the family: "%I1.3" is byte 1, bit 3.
BOOL IsCPUBodyChannel(const std::string& address, char area, DWORD familyBit);
// Has the cross-reference store take the compiler's position (POU, and row
// or network) for every reference; installed once.
void InstallCompilerXrefPosition();

class CILStatementChecker : public CILParseContext {
public:
    CILStatementChecker();
    ~CILStatementChecker() override = default;

    int GetCodeInstructionIndex() const { return m_codeInstructionIndex; }
    // The bytes emitted since the last call; the buffer is emptied.
    std::vector<BYTE> TakeEmittedCode();

    // Network and loop structure.
    void ResetNetworkState();
    void PushParenthesis();
    void PopParenthesis();
    void PushFor();
    int PopFor(int& precompileIndex);
    void ResetForStack();

    // Per-POU variable list of the project.
    BOOL RecordPOUVariable(const std::string& name, OperandTypeFlags typeBits, int sectionNumber, BYTE globalFlag,
                           EncodedPlcAddress address, const std::string& POULabel);

    BOOL FindMotionInstruction(const std::string& name, int& index) const;
    BOOL IsInstanceCalled(const std::string& name) const;
    void ClearParameterSlots();

protected:
    BOOL CheckSectionStart() override;
    BOOL CheckSectionEnd() override;
    BOOL CheckDeclaration() override;
    BOOL CheckInstanceDeclaration() override;
    BOOL CheckInstruction() override;
    BOOL CheckLabel() override;

private:
    // Declarations.
    CILToken* FindDeclarationColon();
    CILToken* ParseInitialValue(CILToken* typeToken, OperandTypeFlags typeBits, BYTE& hasValue,
                                CConstantValue& value);
    // Checks and files one declared variable; the token after its address, or
    // null when the statement ends with a message.
    CILToken* DeclareVariable(CILToken* name, CILToken* colon, OperandTypeFlags typeBits, BYTE hasValue,
                              const CConstantValue& value);
    void FileVariable(CILToken* name, OperandTypeFlags typeBits, const std::string& addressText,
                      const CMemAreaDef& areaRow, EncodedPlcAddress address, BYTE hasValue,
                      const CConstantValue& value);
    BOOL IsPOUName(const std::string& upperName) const;
    void CopyTokenMessages(CILToken* token);

    // Network structure; TRUE when the statement ends (LBL).
    BOOL CheckNetworkStructure(const std::string& mnemonic);
    void CheckPOUEnd();
    void CheckNetworkHeader();
    void CheckNext();

    // Instructions.
    // The mnemonic under which the instruction is looked up: the word forms
    // of AND, ANDN, OR, ORN, XOR and NOT with operands take their "_2" rows,
    // RETC and RETCN of an interrupt routine their own rows.
    std::string RewriteMnemonic();
    BOOL HasOperands() const { return m_instructionRow.operandCount > 0; }
    // Operands from the token after the mnemonic; FALSE when the statement ends.
    BOOL BuildOperands(const std::string& mnemonic);
    void RemapOpcode();
    BOOL CheckLoadType();
    void CountInstruction(const std::string& name, const std::string& mnemonic);
    void EmitInstruction(const std::string& name);
    void EncodeConstantOperand(BYTE* destination, int size) const;
    void PutWord(WORD value);
    void AppendObjectCode(const BYTE* bytes, int count);

    // Checks of single instructions.
    BOOL CheckBeforeLookup(const std::string& mnemonic);
    BOOL CheckCall();
    BOOL CheckResolvedInstruction(const std::string& name, const std::string& mnemonic);
    BOOL CheckInstanceCall(const std::string& name);
    BOOL CheckModbusMaster(const std::string& name);
    BOOL CheckMotion(const std::string& name);
    BOOL CheckNumericOperands(const std::string& name);
    BOOL CheckImmediate(const std::string& name);
    // MOVE of a constant to %SMW32: 1 it is one and passes, 0 it is none,
    // -1 it is one and fails (the message is queued).
    int CheckSMW32Move(DWORD& value);
    // Cross reference of operand index (precompile pass); FALSE when the
    // statement ends with a message.
    BOOL AddOperandXref(int index, CILToken* token, OperandTypeFlags rowMask, const std::string& mnemonic);
    BOOL AddOrdinaryXref(int access, CILToken* token, const std::string& mnemonic, bool recordPointer);

    // Tokens after the mnemonic: n from 1; null past the statement.
    CILToken* TokenAfterMnemonic(int n) const;
    CILToken* SecondOperand() const;
    int TokensAfterMnemonic() const;
    BOOL FailOperand(CILToken* token, const char* fixedText);
    // A double-quote character, the text and a double-quote character.
    static std::string Quoted(const std::string& text);

    BYTE m_buffer[INSTRUCTION_BUFFER_BYTES] = {};
    int m_writePosition = 0;
    std::vector<BYTE> m_emitted;
};
