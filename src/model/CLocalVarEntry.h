#pragma once
// One local variable of a POU as the variable-file readers list it.

#include "OperandTypeFlags.h"

#include <memory>
#include <string>
#include <unordered_map>

struct CLocalVarEntry {
    std::string Symbol;
    std::string ClassName;
    std::string DataType;
    std::string Comment;
    std::string Address;
    OperandTypeFlags ClassFlags = 0;
    OperandTypeFlags DataTypeMask = 0;
    int Row = 0;
    int Value1 = 0;
    int Value2 = 0;
    int Value3 = 0;
};

// Local variables by upper-cased symbol; the map owns its entries.
using CLocalVarMap = std::unordered_map<std::string, std::unique_ptr<CLocalVarEntry>>;
