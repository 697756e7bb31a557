#pragma once
// One CANopen slave type of the library: a named device kind with its
// device-type code, its category and its object-dictionary entries, which
// it owns.

#include "CCanOpenODEntry.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class CCanOpenSlaveType {
public:
    CCanOpenSlaveType() = default;
    ~CCanOpenSlaveType();
    CCanOpenSlaveType(const CCanOpenSlaveType&) = delete;
    CCanOpenSlaveType& operator=(const CCanOpenSlaveType&) = delete;

    // The first entry with this index and sub-index, or null.
    const CCanOpenODEntry* FindEntry(int index, int subIndex) const;
    // The first entry whose name equals the text exactly, or null.
    const CCanOpenODEntry* FindEntryByName(const std::string& entryName) const;

    // The built-in drive type "MX Servo" and the built-in I/O type "CANOPEN_IO".
    static std::unique_ptr<CCanOpenSlaveType> CreateBuiltinDrive();
    static std::unique_ptr<CCanOpenSlaveType> CreateBuiltinIO();

    std::string name;
    std::vector<CCanOpenODEntry*> objects;
    int typeCode = 0;   // 402 drive, 401 I/O, or the object 1000h default of an imported type
    WORD typeId = 0;    // StringCRC16 of the name the type was created with
    std::string category; // "CANOPENIO", "CANOPENDRIVE" or "CANOPENROOT"
};
