#pragma once
// Builds an uploaded image the way the PLC returns it: block 3 with the
// directory of block sizes and the CRC over blocks 4 to 7, the module
// records, the CPU settings, the object code, the initial data, the
// language table and, in formats 1 to 3, the variable records.

#include "platform/WinTypes.h"

#include <vector>

class UploadImageBuilder {
public:
    explicit UploadImageBuilder(int format);

    // A module record: hardware code, input bytes and output bytes.
    UploadImageBuilder& Module(BYTE code, BYTE inFirst, BYTE inLast, BYTE outFirst, BYTE outLast);
    // Block 5 is zero-filled to its size; fields are set by offset from the block's start.
    UploadImageBuilder& CpuByte(int offset, BYTE value);
    UploadImageBuilder& CpuWord(int offset, WORD value);
    UploadImageBuilder& CpuBlockSize(int size);
    // The POU blocks that block 6 carries after its header.
    UploadImageBuilder& ObjectCode(const std::vector<BYTE>& code);
    // An initial-data record: encoded address, value bytes, type byte.
    UploadImageBuilder& InitialValue(WORD address, const std::vector<BYTE>& values, BYTE type);
    UploadImageBuilder& Language(int entry, BYTE language);
    UploadImageBuilder& VariableBlock(const std::vector<BYTE>& block9);

    std::vector<BYTE> Build() const;

private:
    int m_format;
    std::vector<BYTE> m_modules;
    std::vector<BYTE> m_cpu;
    std::vector<BYTE> m_code;
    std::vector<BYTE> m_initial;
    std::vector<BYTE> m_languages;
    std::vector<BYTE> m_block9;
};
