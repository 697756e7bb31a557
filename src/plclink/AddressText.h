#pragma once
// Operand texts of 16-bit encoded addresses, as the user writes them: the
// upload shows the addresses of rebuilt programs, variable files, initial
// data and CANopen mappings this way. The texts follow the live memory-area
// table of the current CPU family.

#include "model/CMemAreaInfo.h"
#include "model/OperandTypeFlags.h"

#include <string>

// The prefix of the area of the live table that holds this image offset and
// the offset's index within that area; "" and -1 when no area holds it.
std::string FindAreaOfOffset(int imageOffset, int& index);

// The operand text of an encoded address read as the given type ("%I5.3",
// "%VW100", "T5", "%HC2"); "" when the address lies in no area or the type
// has no text form there.
std::string FormatOperandAddress(EncodedPlcAddress address, OperandTypeFlags typeFlags);
