#pragma once
// The dialogs the ladder editor opens: the block chooser of the Block
// command and the element dialogs of a double click or Enter. The editor
// knows them only through this interface; the window layer implements it.

#include "platform/WinTypes.h"

#include <string>

class CBlock;
class CLDElement;
class CLDProgram;

class ILDDialogs {
public:
    virtual ~ILDDialogs() = default;
    // Select Function/FB/SBR. On OK: choice 0 function or FB type, 1
    // subroutine; the chosen name and the instance text as typed.
    virtual BOOL SelectBlock(int* choice, std::string* name, std::string* instance) = 0;
    // Contact/Coil. The dialog applies a valid operand to the element itself
    // and returns the chosen type text on OK.
    virtual BOOL EditContactCoil(CLDProgram& program, CLDElement& element, BOOL coil, std::string* type) = 0;
    // Function/FB Parameters. On OK the block keeps the edited interface
    // record; on Cancel the record is as it was.
    virtual BOOL EditBlockParameters(const std::string& pouName, CLDProgram& program, CBlock& block) = 0;
    // Comment of a network header. On OK the text is the edited one;
    // modified tells whether the user changed it.
    virtual BOOL EditComment(std::string* text, BOOL* modified) = 0;
};
