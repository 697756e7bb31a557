#pragma once
// Reads the CANopen section of an uploaded image back into the project's
// CANopen master settings and slave slots. Slave types and mapped objects
// are looked up in the slave-type library; those it cannot find are counted
// so that the upload can tell the user what cannot be restored.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULAppData;
class CZULProject;
struct CCanOpenODEntry;

class CCanopenImageDecoder {
public:
    // Slave types are looked up in the library of app.
    explicit CCanopenImageDecoder(const CZULAppData& app);
    virtual ~CCanopenImageDecoder() = default;

    // Decodes the section (its own length included); FALSE when it is too
    // short for what it announces or a node, PDO number or mapping count is
    // out of range. Settings decoded before the fault stay written.
    BOOL DecodeCanopenImage(const std::vector<BYTE>& section, CZULProject& project);

    // The name of the first library type with this id; "" when none.
    std::string SlaveTypeName(WORD typeId) const;
    // The name of the first object of the named type with this index and
    // sub-index, stored through object; "" (object untouched) when missing.
    std::string ObjectName(const std::string& typeName, int index, int subIndex,
                           const CCanOpenODEntry*& object) const;
    // The operand type of a mapped object of this data-type code.
    static DWORD OperandTypeOf(int dataTypeCode);

    int UnmatchedSlaves = 0;
    int UnmatchedMappings = 0;

private:
    const CZULAppData& m_app;

    BOOL DecodeSlave(const std::vector<BYTE>& section, int& offset, CZULProject& project);
    BOOL DecodePdos(const std::vector<BYTE>& section, int& offset, int count, bool receive, int slot,
                    CZULProject& project);
};
