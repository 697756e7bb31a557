#pragma once
// The local variables of one POU as its variable file declares them, and the
// preparation of a POU program's work copy: every line whose operands
// include an indirect operand ("*VD100") is wrapped in PTR_R lines that load
// the pointed-to value into a slot and PTR_W lines that store it back, and
// the operand itself is rewritten to the slot's width.

#include "ILocalVarLookup.h"
#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CSourceFileCache;
struct InstrSignature;

struct CLocalVarTableEntry {
    std::string name;
    std::string address; // the text after "%", such as LB4
    std::string dataType;
    std::string section; // "" before the first section line
};

class CLocalVarTable : public ILocalVarLookup {
public:

    BOOL LoadVarFile(const std::string& path, CSourceFileCache* cache = nullptr);
    BOOL FindLocalVar(const std::string& name, OperandTypeFlags& flags) const override;
    BOOL ResolveOperandFlags(const std::string& operand, OperandTypeFlags& flags) const;
    void ExpandIndirectOperands(std::vector<std::string>* lines) const;
    // The PTR_R lines, the rewritten instruction and the PTR_W lines of one
    // instruction; the number of PTR lines added.
    int ExpandIndirectLine(std::vector<std::string> tokens, const std::vector<bool>& indirect,
                           const InstrSignature& signature, std::vector<std::string>& output, int slotBase) const;
    // Every line of a text file without its line end; FALSE when it cannot be
    // read. A run's cache, when given, reads the file once for the whole run.
    static BOOL ReadLines(const std::string& path, std::vector<std::string>* lines,
                          CSourceFileCache* cache = nullptr);
    // Writes every line with CR LF into a work copy, replacing it in place
    // (work copies are private and removed after the run); FALSE when there
    // is no line. A run's cache, when given, keeps the text for its readers.
    static BOOL WriteLines(const std::string& path, const std::vector<std::string>* lines,
                           CSourceFileCache* cache = nullptr);

    const std::vector<CLocalVarTableEntry>& Entries() const { return m_entries; }

private:
    std::vector<CLocalVarTableEntry> m_entries;
};
