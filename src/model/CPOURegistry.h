#pragma once
// The subroutines SBR0..SBR98 with their call interfaces and the interrupt
// routines INT0..INT63 of the open project. A subroutine is named by its
// name or its alias "SBRnn", an interrupt routine by its name or "INTnn".
// The registry owns the nodes and interfaces; its maps hold plain pointers.

#include "CProjTreeNode.h"
#include "CRecordStore.h"
#include "CZULFunc.h"
#include "platform/WinTypes.h"

#include <map>
#include <string>

// "SBR" or "INT" and the number as two digits.
std::string FormatPOUAlias(const char* prefix, int number);
// Reads an alias back: its first three characters must be the prefix and
// its last two "00" or a number whose low 16 bits are not 0 (SBR105 reads
// as 5, SBR5 is no alias).
BOOL ParsePOUAlias(const std::string& text, const char* prefix, int& number);

class CPOURegistry {
public:
    // Take ownership of a record and register it; one registered under the
    // same name before is destroyed.
    // A subroutine interface by name, upper-case name and number.
    void AddSubroutineInterface(CZULFunc* func);
    void AddSubroutineNode(CProjTreeNode* node);
    // An interrupt routine node by name, upper-case name and number.
    void AddInterruptNode(CProjTreeNode* node);
    // Takes ownership of the interface and enters it under its name,
    // upper-case name and number; one registered under the same upper-case
    // name before is destroyed.
    void RegisterSubroutineInterface(CZULFunc* function);

    BOOL FindSubroutineInterface(const std::string& name, CZULFunc*& function) const;
    // Deep copy of the interface of a name or an "SBRnn" alias into destination; 1 or 0.
    int CopySubroutineInterface(const std::string& nameOrAlias, CZULFunc* destination) const;
    // Name and alias conversions; 1 (TRUE) when the text named a routine.
    int ConvertSubroutineName(const std::string& text, std::string& result, BOOL toAlias) const;
    int ConvertInterruptName(const std::string& text, std::string& result, BOOL toAlias) const;
    int SwapInterruptName(const std::string& text, std::string& result) const;
    BOOL ConvertPOUName(const std::string& text, std::string& result, int& isSubroutine) const;
    // Whether a subroutine interface or interrupt routine has this upper-case name.
    bool HasRoutine(const std::string& upperName) const;

    // Destroys the subroutine's node and interface; the stem of its files
    // ("SBRnn_name"), "" when it had no node.
    std::string RemoveSubroutine(const std::string& name);
    // Destroys the interrupt routine's node; the stem of its files, "" when none.
    std::string RemoveInterrupt(const std::string& name);
    // Re-keys a routine whose node already carries its new name; its node, or
    // null when there is none.
    CProjTreeNode* RenameSubroutine(const std::string& oldName);
    CProjTreeNode* RenameInterrupt(const std::string& oldName);

    void ClearSubroutines();
    void ClearInterrupts();

    // Lookups of the subroutine records.
    std::map<std::string, CProjTreeNode*> SubroutineNodes;
    std::map<std::string, CZULFunc*> SubroutineInterfaces;
    std::map<std::string, CZULFunc*> SubroutineInterfacesUpper;
    std::map<WORD, CZULFunc*> SubroutineInterfacesByNumber;
    // Lookups of the interrupt routine nodes.
    std::map<std::string, CProjTreeNode*> InterruptNodes;
    std::map<std::string, CProjTreeNode*> InterruptNodesUpper;
    std::map<WORD, CProjTreeNode*> InterruptNodesByNumber;

private:
    CRecordStore<CProjTreeNode> m_subroutineNodeStore;
    CRecordStore<CZULFunc> m_subroutineInterfaceStore;
    CRecordStore<CProjTreeNode> m_interruptNodeStore;

    void DropSubroutineInterface(CZULFunc* function);
    void DropInterruptNode(CProjTreeNode* node);
    CProjTreeNode* FindInterruptByAlias(const std::string& text) const;
    CZULFunc* FindSubroutineByAlias(const std::string& text) const;
};
