#pragma once
// The look-up of one POU's local variable by name, as the editors check an
// operand: a variable file read on its own or the local-variable table of
// the POU's open document answers it.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

class ILocalVarLookup {
public:
    virtual ~ILocalVarLookup() = default;
    // The data-type bits ORed with the variable-class bits of the local
    // variable of that name (any case); FALSE when the POU declares none.
    virtual BOOL FindLocalVar(const std::string& name, OperandTypeFlags& flags) const = 0;
};
