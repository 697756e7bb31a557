#pragma once
// Builds object code the way the compiler lays it out: POU blocks of a
// 6-byte header (size, language, 6, kind, number) followed by instructions
// of a little-endian opcode and their operands.

#include "model/CMemAreaInfo.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class ObjectCodeBuilder {
public:
    // Instruction codes of the rows the fixtures use.
    static constexpr WORD LD = 0x009;
    static constexpr WORD LD_CONST = 0x00B;
    static constexpr WORD AND = 0x022;
    static constexpr WORD ST = 0x01C;
    static constexpr WORD AND_OPEN = 0x0CC;
    static constexpr WORD CLOSE = 0x0CA;
    static constexpr WORD ADD_INT_CONST = 0x048;
    static constexpr WORD MOVE_INT = 0x1B8;
    static constexpr WORD TON = 0x0EB;
    static constexpr WORD JMP = 0x123;
    static constexpr WORD JMPC = 0x124;
    static constexpr WORD LBL = 0x126;
    static constexpr WORD CAL = 0x12F;
    static constexpr WORD ATCH = 0x113;
    static constexpr WORD FOR = 0x12A;
    static constexpr WORD NEXT = 0x12E;
    static constexpr WORD PTR_R = 0x140;
    static constexpr WORD PTR_W = 0x141;
    static constexpr WORD MOVE_ADDRESS_OF = 0x142;
    static constexpr WORD NETWORK = 0x134;
    static constexpr WORD ZUL_EN = 0x132;
    static constexpr WORD ZUL_ENO = 0x133;
    static constexpr WORD MPEND = 0x131;
    static constexpr WORD SPEND = 0x130;
    static constexpr WORD INTEND = 0x112;

    // Starts a POU block: kind 1 MAIN (number 0xFF), 2 subroutine, 3 interrupt routine.
    ObjectCodeBuilder& Pou(BYTE kind, BYTE number, BYTE language = 1);
    ObjectCodeBuilder& Op(WORD opcode);
    ObjectCodeBuilder& Byte(BYTE value);
    ObjectCodeBuilder& Word(WORD value);
    ObjectCodeBuilder& Dword(DWORD value);
    // An operand that is a direct address, encoded.
    ObjectCodeBuilder& Addr(const std::string& address);
    // Closes the open block by writing its size; returns the whole code.
    std::vector<BYTE> Finish();

private:
    void CloseBlock();

    std::vector<BYTE> m_code;
    int m_blockStart = -1;
};
