#pragma once
// The last step of an upload: the IL program and variable files of every
// POU are rebuilt from the object code in the project folder, the variable
// files are written again from the image's variable records where it has
// them, the global symbols are restored, and every POU gets its node in the
// project with the language its program file states.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULProject;

// Writes the variable files of MAIN, the subroutines and the interrupt
// routines from block 9 into the project folder and adds its global
// symbols to the project. FALSE when the block does not hold what it
// announces or a file cannot be written.
BOOL WriteUploadedVarFiles(const std::vector<BYTE>& block9, CZULProject& project);

// Rebuilds the POU files from the object code (block 6 without its header)
// and registers the POUs. block9 is null for images without variable
// records. A failing object-code run is not a failure here: its message has
// been shown and the POUs it did not finish get no node. uploadFormat
// decides whether the POU languages come from the image's language table.
BOOL RebuildUploadedPOUs(const BYTE* code, int length, const std::vector<BYTE>* block9, int uploadFormat,
                         CZULProject& project);
