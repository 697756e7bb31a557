#pragma once
// One hit of a find in an IL or LD program, as the find service records it
// and the output window and the editors read it back. A record with an
// empty POU name is free.

#include <cstdint>
#include <string>

class CLDElement;

struct CFindResult {
    CLDElement* Element = nullptr; // LD hit: the element, valid only while it is alive
    std::uint64_t ElementSerial = 0; // the element's serial number: a later element at the same address differs
    int Action = 1;                // 1 found, 2 replaced
    int Language = 0;              // 1 IL, 2 LD
    std::string POUName;
    int Network = -1;
    int ElementKind = 255;         // LD: 0 coil, 1 contact, 2 block, 3 comment
    std::string ElementText;
    int InstanceFlag = 0;
    int ParamIndex = 0;
    int ParamGroup = 0;
    std::string LineText;
    int RowOrColumn = 0;
    int ColumnOrRow = 0;
    int LengthOrWidth = 0;
    int Length2OrHeight = 0;
    int TextOffset = -1;           // LD comment hit: byte offset of the hit in the comment text

    // Makes the record free again; action is 1, or 2 when a replace resets it.
    void Reset(int action = 1);
};
