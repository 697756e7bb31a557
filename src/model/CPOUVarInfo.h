#pragma once
// One declared variable of a compiled POU: encoded address, section number,
// data-type bits and name. The compiler's declaration handling creates them;
// the project keeps them per POU for the download image.

#include "platform/WinTypes.h"

#include <string>

struct CPOUVarInfo {
    WORD address = 0;
    int section = 0;
    DWORD typeBits = 0;
    std::string name;
};
