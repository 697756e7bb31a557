#pragma once
// The three lists one compilation keeps: the POU list (subroutines and
// interrupt routines), the label list (jump labels of every POU, qualified
// as "SBR01.LOOP") and the variable list (declared variables, parameters
// and function-block instances). They live from the start of a compilation
// to its end. Names are compared byte for byte unless a function says
// otherwise; callers upper-case them first.

#include "CPOUEntry.h"
#include "CVariableEntry.h"

#include <string>

// POU list.
void AddPOU(const std::string& label, const std::string& name, int number, int kind);
BOOL FindPOU(const std::string& label);
CPOUEntry* GetPOU(const std::string& label);
CPOUEntry* FirstPOU();
BOOL IsSubroutineLabel(const std::string& label);
BOOL IsInterruptLabel(const std::string& label);
// The registered name as written whose upper case equals the text's; the
// text itself when no POU has it.
std::string FindPOUNameByName(const std::string& text);

// Label list.
void AddLabel(const std::string& label);
BOOL FindLabel(const std::string& text);
CPOUEntry* GetLabel(const std::string& text);
void ClearPOULists();

// Qualified names.
std::string SplitLabel(const std::string& fileName, std::string& label);
std::string GetOwnerLabel(const std::string& qualifiedName);
BOOL QualifyName(const std::string& owner, std::string& name);
BOOL IsSubroutineMember(const std::string& qualifiedName);
BOOL IsInterruptMember(const std::string& qualifiedName);

// Variable list.
void AddVariable(const std::string& name, OperandTypeFlags typeFlags, const std::string& addressText,
                 const CMemAreaDef& areaRow, EncodedPlcAddress encodedAddress, const CConstantValue& initialValue,
                 BYTE hasInitialValue, BYTE globalFlag, int sectionNumber);
void AddFBInstanceEntry(const std::string& instance, const std::string& fbType);
BOOL FindVariable(const std::string& name);
CVariableEntry* GetVariable(const std::string& name);
// The first variable declared with exactly this address text.
CVariableEntry* GetVariableByAddress(const std::string& addressText);
BOOL CountParameters(const std::string& label, int& inputs, int& outputs, int& inOuts);
CVariableEntry* FirstInputParam(const std::string& label);
CVariableEntry* FirstOutputParam(const std::string& label);
CVariableEntry* FirstInOutParam(const std::string& label);
CVariableEntry* NextInputParam(const std::string& label, CVariableEntry* from);
CVariableEntry* NextOutputParam(const std::string& label, CVariableEntry* from);
CVariableEntry* NextInOutParam(const std::string& label, CVariableEntry* from);
void ClearVariableList();
