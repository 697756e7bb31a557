#pragma once
// One mapping row of a CANopen PDO: the mapped object of the slave's
// dictionary and the local operand it is mapped onto.

#include <string>

struct CCanOpenMappedObject {
    std::string ODName;  // empty: the row is not used
    int Index = 0;
    int Sub = -1;        // -1: the object has no sub-index
    int Size = 0;        // bits
    std::string Mem;     // direct address of the local operand, "" when none
};
