#pragma once
// What inserting an instruction of the catalogue pane needs of the ladder
// editor and its program: the selection, the pending operand edit, the
// width limit, the three tree insertions and the common end of an edit.
// The ladder editor implements it over its program.

#include "platform/WinTypes.h"

#include <string>

class CLDElement;

class ILDInsertTarget {
public:
    virtual ~ILDInsertTarget() = default;

    virtual CLDElement* GetSelection() const = 0;
    virtual void CommitOperandEdit() = 0;
    // FALSE while the view shows no document.
    virtual BOOL HasDocument() const = 0;
    // TRUE while the network of the selection is within its width limit.
    virtual BOOL CheckWidth() = 0;
    // The tree insertions; FALSE when the element was not placed (it stays the caller's).
    virtual BOOL AppendSeries(CLDElement* element) = 0;
    virtual BOOL AddParallelCoil(CLDElement* coil) = 0;
    virtual BOOL InsertBlock(CLDElement* block) = 0;
    // Selects the placed element, takes an undo snapshot, marks the document modified and repaints.
    virtual void FinishInsertion(CLDElement* element) = 0;
    virtual void SetFocus() = 0;
    // The name of the POU the program belongs to.
    virtual std::string GetPOUName() const = 0;
    // Shows a note owned by the view.
    virtual void ShowNote(const std::string& text, UINT type) = 0;
};
