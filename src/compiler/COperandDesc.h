#pragma once
// What a token of an instruction hands to the code emitter for one operand:
// whether it is a constant and its value, its operand type flags, the
// encoded address (or the index of a label or POU) and, for an address-of
// operand, the address with its data-type bit.

#include "model/OperandTypeFlags.h"
#include "model/TypedConstants.h"
#include "platform/WinTypes.h"

struct COperandDesc {
    BYTE isConstant = 0;
    OperandTypeFlags flags = 0;
    WORD address = 0;
    CConstantValue constantValue;
    BYTE isAddressOf = 0;
    DWORD addressOfValue = 0; // encoded address in the low half, data-type bit in the high half
};
