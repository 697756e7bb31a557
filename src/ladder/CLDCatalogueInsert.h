#pragma once
// Inserting what the user double-clicked in the instruction catalogue pane
// at the ladder selection: a contact right of it, a coil below a selected
// coil, a function box or FB, or a call of one of the project's
// subroutines, each new element with "????" operands.

#include "platform/WinTypes.h"

#include <cstdint>
#include <memory>

class CInstructionDef;
class CLDElement;
class CZULAppData;
class CZULFunc;
class ILDInsertTarget;

// wParam of the pane's message: a catalogue row, or a subroutine's call interface.
constexpr std::uintptr_t LD_INSERT_CATALOGUE_ROW = 2;
constexpr std::uintptr_t LD_INSERT_SUBROUTINE = 3;

class CLDCatalogueInsert {
public:
    CLDCatalogueInsert(const CZULAppData& app, ILDInsertTarget& target);

    // kind LD_INSERT_CATALOGUE_ROW: item points to the CInstructionDef row;
    // LD_INSERT_SUBROUTINE: item points to the subroutine's CZULFunc. Always 1.
    int Insert(std::uintptr_t kind, std::intptr_t item);

private:
    void InsertRow(const CInstructionDef& row);
    void InsertContact(const char* type);
    void InsertCoil(const char* type);
    void InsertFunction(const char* name);
    void InsertFB(const char* name);
    void InsertSubroutine(const CZULFunc& function);
    // The width check with its note; FALSE (focus given) when the network is full.
    BOOL WidthAllows();
    // A parallel coil chained below another one.
    BOOL IsLowerParallelCoil() const;
    // Finishes the edit with the placed element; one the insertion did not
    // place is deleted with nothing selected.
    void Finish(std::unique_ptr<CLDElement> element, BOOL placed);

    const CZULAppData& m_app;
    ILDInsertTarget& m_target;
};
