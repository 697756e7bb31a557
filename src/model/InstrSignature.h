#pragma once
// The instructions that accept an indirect (pointer) operand, with the
// operand type flags each operand allows, and the match of an instruction
// line against them. The editors' line check, the compiler's source
// preparation and the IL source scan share it.

#include "platform/WinTypes.h"

#include <string>

constexpr int SIGNATURE_MAX_OPERANDS = 16;
constexpr int INSTR_SIGNATURE_COUNT = 35;

// A row of the signature table, and the query of MatchInstructionSignature.
struct InstrSignature {
    char name[16];     // mnemonic
    int kind;          // pairing rule 1, 2 or 3; output of a query
    int operandCount;
    DWORD operandMasks[SIGNATURE_MAX_OPERANDS]; // query: the operands' flags in, the narrowed types out
};

// Sorted by name in byte order.
extern const InstrSignature g_InstrSignatureTable[INSTR_SIGNATURE_COUNT];

// Finds the mnemonic (exact, by binary search); the operand count must
// match; every operand mask is narrowed to the types it shares with the
// row (for an operand that shares only the pointer flag: the types the
// pointer may address); then the row kind's pairing rule is applied.
BOOL MatchInstructionSignature(InstrSignature* query);

// Removes a leading "CALCN", "CALC" or "CAL" (the longest that matches, no
// word boundary test); FALSE when the removed mnemonic was the whole text.
BOOL StripCallMnemonic(std::string& text);
