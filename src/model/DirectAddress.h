#pragma once
// Operand text checks: direct addresses on the project's CPU with their
// operand flags, alignment and block rules, pointer ("*") and address-of
// ("&") operands, identifiers, function-block instance names and symbol names.

#include "OperandTypeFlags.h"

#include <string>

// A valid direct address of the current CPU ("%" added when missing, upper-cased
// first): flags = area flags | type bits | direct address. On failure false
// and flags 0xFFFFFFFF.
bool ParseDirectAddress(const std::string& address, OperandTypeFlags& flags);

// Word and double-word addresses must start on an even byte; every other text passes.
bool IsAlignedDirectAddress(const std::string& address);

// A byte address in L, V or M with room for eight bytes inside the area.
bool IsEightByteBlockAddress(const std::string& address);

// Letters, digits (not first), underscores (not two at the start) and
// double-byte characters.
bool IsValidIdentifier(const std::string& text);

// "*" and a V double word, on the large CPU families only.
bool IsIndirectOperand(const std::string& text);
// "&" and a V address of any width, on the large CPU families only.
bool IsAddressOfOperand(const std::string& text);
// "&" and a V address on any family: flags become address-of | area V. On
// failure the flags are left as they were.
bool ParseAddressOfOperand(const std::string& text, OperandTypeFlags& flags);

// "T", "C", "RS" or "SR" and a number within the CPU's timers, counters or flip-flops.
bool IsFBInstanceName(const std::string& text);
// The instance name fits the function-block type (TON/TOF/TP: T; CTU/CTD/CTUD: C; RS; SR).
bool IsValidFBInstanceName(const std::string& instanceName, const std::string& fbTypeName);

// A name a global or local variable may take: an identifier that is neither
// a direct address, a constant nor a reserved word, and unless the duplicate
// check is skipped, no global symbol's name (compared in upper case).
bool IsValidSymbolName(const std::string& name, bool skipDuplicateCheck);
