#pragma once
// What the ladder code reads and keeps of the application: the instruction
// catalogue with its function and FB interfaces, and the project's POU
// names. The owner of an LD program or of a conversion makes one over its
// application data and hands it in, so the ladder code works on the
// application it is given rather than on the process-wide one.

#include "platform/WinTypes.h"

#include <string>

class CInstructionDef;
class CPOURegistry;
class CZULAppData;
class CZULFB;
class CZULFunc;

class CLDContext {
public:
    explicit CLDContext(CZULAppData& app);

    // The catalogue row of an instruction, nullptr when the catalogue has none.
    const CInstructionDef* FindInstruction(const std::string& name) const;
    // The interface of a catalogue function or FB type; FALSE when it has none.
    BOOL LookupFunction(const std::string& name, CZULFunc& function) const;
    BOOL LookupFunctionBlock(const std::string& type, CZULFB& block) const;

    // The project's POUs: their names, aliases and subroutine interfaces.
    CPOURegistry& POUs() const;
    // Whether pasted IL text is being built into networks.
    BOOL IsPastingIL() const;

private:
    CZULAppData& m_app;
};
