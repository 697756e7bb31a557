#pragma once
// One object-dictionary entry of a CANopen slave type: an object, or one
// sub-index of an object.

#include <string>

struct CCanOpenODEntry {
    int pdoMappable = 0;   // 1 when the entry may be mapped into a PDO
    int access = -1;       // 1 ro, 2 wo, 4 rw, 8 rwr, 16 rww, 32 const; 0 other; -1 not given
    int dataType = -1;     // 1 BOOLEAN, 2 INTEGER8, 4 INTEGER16, 8 INTEGER32, 16 UNSIGNED8,
                           // 32 UNSIGNED16, 64 UNSIGNED32, 128 REAL32; 0 other; -1 not given
    int defaultValue = 0;  // 32-bit pattern
    int index = 0;         // 0 .. 0xFFFF
    int subNumber = 0;     // sub-entries the object declares
    int objectType = -1;   // 1 NULL, 2 DOMAIN, 4 DEFTYPE, 8 DEFSTRUCT, 16 VAR, 32 ARRAY, 64 RECORD
    int subIndex = -1;     // 0..255, -1 for the object itself
    std::string name;
    std::string sectionKey; // "6000", "6000SUB1", "2100SUBA"
};

// Flag values of the object-dictionary fields.
constexpr int OD_ACCESS_RO = 1;
constexpr int OD_ACCESS_WO = 2;
constexpr int OD_ACCESS_RW = 4;
constexpr int OD_ACCESS_RWR = 8;
constexpr int OD_ACCESS_RWW = 16;
constexpr int OD_ACCESS_CONST = 32;

constexpr int OD_TYPE_BOOLEAN = 1;
constexpr int OD_TYPE_INTEGER8 = 2;
constexpr int OD_TYPE_INTEGER16 = 4;
constexpr int OD_TYPE_INTEGER32 = 8;
constexpr int OD_TYPE_UNSIGNED8 = 16;
constexpr int OD_TYPE_UNSIGNED16 = 32;
constexpr int OD_TYPE_UNSIGNED32 = 64;
constexpr int OD_TYPE_REAL32 = 128;

constexpr int OD_OBJECT_NULL = 1;
constexpr int OD_OBJECT_DOMAIN = 2;
constexpr int OD_OBJECT_DEFTYPE = 4;
constexpr int OD_OBJECT_DEFSTRUCT = 8;
constexpr int OD_OBJECT_VAR = 16;
constexpr int OD_OBJECT_ARRAY = 32;
constexpr int OD_OBJECT_RECORD = 64;
