#pragma once
// How the LD dialogs' checks find a local variable of the edited POU: its
// variable-class and data-type flags by name, through the POU document that
// hosts the program.

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <functional>
#include <string>

class CLDProgram;

// FALSE when the POU has no local variable of that name.
using LDLocalLookup = std::function<BOOL(const std::string& name, OperandTypeFlags& flags)>;

// The look-up through the program's document; empty when the program has no document.
LDLocalLookup MakeLocalLookup(const CLDProgram& program);
