#pragma once
// Turns the object code of an uploaded image back into IL: one program file
// and one variable file per POU in the project folder. Four passes over all
// POUs: 1 reads the POU headers, 2 decodes every instruction into a line and
// notes labels, jumps, calls, interrupt attachments and call blocks, 3 names
// the numeric references and folds call blocks back into CAL lines with
// their arguments, 4 rewrites the compiler's pseudo-instructions and writes
// the files.

#include "CDecompiledPOU.h"

#include "model/ILVocabulary.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

constexpr int DECOMPILER_MAX_POUS = 164;
constexpr int DECOMPILER_MAX_CALLEES = 99;
constexpr int DECOMPILER_OPERAND_SLOTS = 20;

// Operand kinds of an instruction row, taken from its operand masks.
constexpr int OPERAND_KIND_NONE = 0;
constexpr int OPERAND_KIND_NUMBER = 0x400;
constexpr int OPERAND_KIND_DIRECT = 0x800;
constexpr int OPERAND_KIND_CONSTANT = 0x1000;
constexpr int OPERAND_KIND_POINTER = 0x80;
constexpr int OPERAND_KIND_ADDRESS_OF = 0x100;

class CObjectDecompiler {
public:
    // uploadFormat 1 to 3: the image carries the POU language table.
    explicit CObjectDecompiler(int uploadFormat);
    virtual ~CObjectDecompiler();
    CObjectDecompiler(const CObjectDecompiler&) = delete;
    CObjectDecompiler& operator=(const CObjectDecompiler&) = delete;

    // Runs the four passes over the object code and writes the files into
    // folder (which ends with a separator). pouNames receives the name of
    // every POU whose files were written, in object order.
    BOOL RebuildSources(const BYTE* code, int length, int radix, const std::string& folder,
                        std::vector<std::string>& pouNames);

    std::string FormatConstant(DWORD value, OperandTypeFlags typeBits, int radix) const;
    std::string FormatPointerOperand(int imageOffset, OperandTypeFlags typeBits) const;
    std::string FormatAddressOfOperand(DWORD operand, OperandTypeFlags typeBits) const;
    int OperandKind(const COpcodeDef& row, int operand, OperandTypeFlags& typeBits) const;
    // TRUE when index >= 0, size > 0, count > 0 and index + count <= size;
    // otherwise shows why and gives FALSE.
    BOOL CheckRange(int index, int size, int count) const;

private:
    // Pass 1 and 2.
    BOOL ReadPOUHeader();
    BOOL DecodePOU();
    int ReadOpcode(int& position, COpcodeDef& row, WORD& opcode);
    int FormatInstructionLine(const COpcodeDef& row, int& position);
    BOOL FormatOperand(const COpcodeDef& row, int operand, int lineIndex, const std::string& line,
                       int& position, std::string& text);
    BOOL NoteNumberOperand(const std::string& line, int lineIndex, int number);
    BOOL ReadBytes(int position, int count, DWORD& value) const;
    int TrackCallBlock(const std::string& line, OperandTypeFlags type, bool& inBlock, bool& nonCallLine);

    // Pass 3.
    BOOL ResolveReferences();
    std::string LabelName(const std::string& line) const;
    std::string JumpTarget(const std::string& line) const;
    std::string CalleeName(const std::string& line) const;
    std::string AttachTarget(const std::string& line) const;
    std::string LabelById(const std::string& id) const;
    std::string POUByFirstInstruction(const std::string& number) const;
    int RebuildCallBlock(int block);
    BOOL AddParameter(int pou, const std::string& location, OperandTypeFlags type, int paramClass);
    int FindParameter(const std::string& location, int pou) const;
    int FindInOutParameter(const std::string& location, int pou) const;
    BOOL IsCalleeDone(const std::string& name) const;
    int FindPOUByName(const std::string& name) const;

    // Pass 4.
    BOOL WritePOUFiles();
    BOOL ConvertLines(std::vector<std::string>& written);
    BOOL RestorePointerOperands(const std::vector<std::string>& written, std::string& program);
    int SplitOperands(const std::string& line, std::string tokens[DECOMPILER_OPERAND_SLOTS]) const;
    std::string SubstituteOperands(const std::string tokens[DECOMPILER_OPERAND_SLOTS], int count) const;
    std::string VariableFileText(const CDecompiledPOU& pou) const;

    void ResetDecompilerState();
    BOOL ResetDecompiledPOU(int index);
    CDecompiledPOU& Current() { return *m_pous[m_current]; }
    const CDecompiledPOU& Current() const { return *m_pous[m_current]; }

    struct OperandSlot {
        std::string text;
        bool used = false;
    };
    OperandSlot m_slots[DECOMPILER_OPERAND_SLOTS];

    int m_uploadFormat = 0;
    std::vector<BYTE> m_code;
    int m_length = 0;
    int m_position = 0;
    std::vector<std::unique_ptr<CDecompiledPOU>> m_pous;
    int m_current = 0;
    int m_instructionCounter = -1;
    std::vector<std::string> m_callees;
    int m_radix = 10;
    std::string m_folder;
    CDecompiledCallBlock m_openBlock;
};
