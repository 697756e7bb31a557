#pragma once
// What the ladder code reads and keeps of the application: the instruction
// catalogue with its function and FB interfaces, the project's POU names
// and its global symbols. The owner of an LD program or of a conversion makes one over its
// application data and hands it in, so the ladder code works on the
// application it is given rather than on the process-wide one.

#include "platform/WinTypes.h"

#include <string>

class CInstructionDef;
class CPOURegistry;
class CZULAppData;
class CZULFB;
class CZULFunc;
class CZULSymbol;

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
    // The project's global symbol of a name or address; FALSE when there is none.
    BOOL FindGlobalSymbol(const std::string& text, CZULSymbol*& symbol) const;
    // Whether pasted IL text is being built into networks.
    BOOL IsPastingIL() const;

private:
    CZULAppData& m_app;
};
