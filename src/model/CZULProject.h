#pragma once
// The open project: everything of it that is not kept in the POU files.
// Exactly one instance exists, embedded in the application data object; a
// new or closed project is represented by clearing it, never by replacing it.

#include "CCanOpenSlave.h"
#include "CFBInstanceTable.h"
#include "CForceEntry.h"
#include "CMemAreaInfo.h"
#include "CMonitorTable.h"
#include "CPOURegistry.h"
#include "CPOUVarInfo.h"
#include "CProjTreeNode.h"
#include "CRecordStore.h"
#include "CZULFunc.h"
#include "CZULSymbol.h"
#include "OperandTypeFlags.h"
#include "platform/CObject.h"
#include "platform/WinTypes.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CStatusInput;
class CZULFB;
class CZULInitData;
class CZULStatus;
class CZUL_Q7_PLC;

// Cells of each force buffer once a profile is applied.
constexpr int FORCE_IMAGE_CELLS = 6402;

// One Modbus master block per CPU port, stored raw in the project file:
// 31 slave records of 24 little-endian ints (flag, a second int, ten pairs of
// first and last register, time-out, slave address), 96 spare bytes, the
// enable byte and three spare bytes, the master switch value and the time-out.
constexpr int MODBUS_MASTER_PORTS = 2;
constexpr int MODBUS_MASTER_BLOCK_BYTES = 3084;
constexpr int MODBUS_SLAVE_RECORDS = 31;
constexpr int MODBUS_SLAVE_RECORD_BYTES = 96;
constexpr int MODBUS_SPARE_OFFSET = MODBUS_SLAVE_RECORDS * MODBUS_SLAVE_RECORD_BYTES; // 2976
constexpr int MODBUS_SPARE_BYTES = 96;
constexpr int MODBUS_ENABLE_OFFSET = MODBUS_SPARE_OFFSET + MODBUS_SPARE_BYTES;         // 3072
constexpr int MODBUS_ENABLE_SPARE_BYTES = 3;
constexpr int MODBUS_SWITCH_OFFSET = MODBUS_ENABLE_OFFSET + 4;                         // 3076
constexpr int MODBUS_TIMEOUT_OFFSET = MODBUS_SWITCH_OFFSET + 4;                        // 3080
// Offsets within a slave record.
constexpr int MODBUS_RECORD_SECOND_OFFSET = 4;
constexpr int MODBUS_RECORD_PAIRS_OFFSET = 8;
constexpr int MODBUS_RECORD_PAIRS = 10;
constexpr int MODBUS_RECORD_PAIR_BYTES = 8;
constexpr int MODBUS_RECORD_TIMEOUT_OFFSET = MODBUS_RECORD_PAIRS_OFFSET + MODBUS_RECORD_PAIRS * MODBUS_RECORD_PAIR_BYTES; // 88
constexpr int MODBUS_RECORD_ADDRESS_OFFSET = MODBUS_RECORD_TIMEOUT_OFFSET + 4;                                           // 92

constexpr int MONITOR_ADDRESS_LISTS = 4;
constexpr int IMAGE_BLOCKS_3_TO_8 = 6;
constexpr int IMAGE_BLOCK_HEADER_BYTES = 6;
constexpr int LOCAL_BIT_ENTRIES = 128;
constexpr int LOCAL_BYTE_ENTRIES = 256;

// Variable lists: 0 the global variables, 1 MAIN, 2..100 subroutines 0..98,
// 101..164 interrupt routines 0..63.
constexpr int POU_VAR_LISTS = 165;
constexpr int POU_VAR_LIST_MAIN = 1;
constexpr int POU_VAR_LIST_FIRST_SUBROUTINE = 2;
constexpr int POU_VAR_LIST_FIRST_INTERRUPT = 101;

constexpr int POU_VAR_LIST_GLOBALS = 1; // kind of list 0; the POU lists carry the POU's node kind

struct CPOUVarList {
    int kind = 0;
    int number = 0;
    int varCount = 0;
    std::vector<CPOUVarInfo> vars;
};

class CZULProject : public CObject {
    DECLARE_SERIAL(CZULProject)
public:
    CZULProject();
    ~CZULProject() override;
    CZULProject(const CZULProject&) = delete;
    CZULProject& operator=(const CZULProject&) = delete;

    // The project body of the project file. Loading reads by the version of
    // the header copy in the application data; a read fault stops it with
    // the archive's error set.
    void Serialize(CArchive& ar) override;

    // Empties the project for New and Close; CANopen, Modbus and the image
    // blocks stay as they are.
    void ClearProject();
    void ResetPOUVariableLists();
    void ResetCanOpenConfig();
    void ResetModbusMasterConfig();

    // A CANopen slave slot (0..125) with the defaults of a free slot.
    static void ResetCanOpenSlave(CCanOpenSlave& slave, int slot);
    // The COB-ID a PDO (0..7) of a node starts with: PDOs 1 to 4 of each
    // list have their predefined ones, the others none (0).
    static int DefaultCobId(bool receive, int pdo, int node);

    // Blob 0 carries the CANopen configuration text: written from the
    // master settings and slots when the project is stored, read back into
    // them when it is opened.
    void WriteCanOpenConfig();
    void ReadCanOpenConfig();

    // First-fit placement of a module in the I, Q, AI or AQ area: 1 and the
    // module's start and end set, or 0 with the module unchanged.
    int AllocInputBytes(CZUL_Q7_PLC* module);
    int AllocOutputBytes(CZUL_Q7_PLC* module);
    int AllocAnalogInputWords(CZUL_Q7_PLC* module);
    int AllocAnalogOutputWords(CZUL_Q7_PLC* module);

    // Takes ownership of a symbol and registers it under its name, its
    // address and its upper-case name at the end of the ordered array.
    void AddSymbol(CZULSymbol* symbol);
    // An empty symbol record owned by the project and registered nowhere:
    // a row of the global variable table that is not a symbol yet.
    CZULSymbol* NewSymbolRecord();
    // Removes the record from the ordered array and every map and deletes it.
    void DestroySymbol(CZULSymbol* symbol);
    // An address as the symbol index keys it: trimmed, upper case, with its '%'.
    static std::string NormalisedSymbolAddress(const std::string& address);

    // Builds the subroutine's call interface from its variable file and registers it; 1.
    int LoadSubroutineInterface(const CProjTreeNode* node);
    // MAIN, a subroutine or an interrupt routine of this name; 1 or 0.
    int IsPOUName(const std::string& text) const;

    // Deletes a subroutine (kind 3) or interrupt routine (kind 4) with its
    // interface, its FB instances and its files; the local addresses of its
    // variable file are released first.
    void DeletePOU(const std::string& name, int kind);
    // Takes a subroutine or interrupt routine out of the project as DeletePOU
    // does, but leaves its files on disk (their local addresses are released).
    void RemovePOUKeepingFiles(const std::string& name, int kind);
    // Called with the name of a subroutine taken out, so that the
    // instruction tree drops it; nullptr calls nobody.
    void SetSubroutineRemovedHandler(std::function<void(const std::string&)> handler);
    // Re-keys MAIN (kind 2), a subroutine or an interrupt routine whose tree
    // node already carries its new name, with its interface and FB instances.
    void RenamePOU(const std::string& oldName, int kind);

    // Both force buffers with ForceImageSize zero cells each, or freed.
    void AllocateForceBuffers();
    void FreeForceBuffers();

    // The force value buffer: a forced value of a status-chart row stored
    // into, or read back from, the cells of its encoded address.
    BOOL StoreForcedValue(const CStatusInput* row);
    BOOL GetForcedValue(WORD address, OperandTypeFlags flags, int& value) const;

    // Address texts over the live memory-area table of the current family.
    // The prefix of the area that holds this image offset and the offset's
    // index within that area; "" and -1 when no area holds it.
    static std::string FindAreaOfOffset(int imageOffset, int& index);
    // The operand text of an encoded address read as the given type ("%I5.3",
    // "%VW100", "T5", "%HC2"); "" when the address lies in no area or the type
    // has no text form there.
    static std::string FormatAddress(EncodedPlcAddress address, OperandTypeFlags typeFlags);

    // Modbus master block values (little-endian ints inside the raw blocks).
    int GetModbusInt(int port, int offset) const;
    void SetModbusInt(int port, int offset, int value);

    // CANopen master settings, named by their configuration keys.
    int CanOpenReserved1 = 500;
    int CanOpenReserved2 = 1000;
    int OverTime = 500;
    int NetStates = 1000;
    int CanOpenMasterAddr = 127;
    int MasterStates = 1010;
    int AllSalveStates = 1030;
    int NotHandleBoot = 1;
    int CanOpenBPS = 5;
    int CanOpenAllTime = 1000;
    CCanOpenSlave CanOpenSlaves[CANOPEN_SLAVES];

    BYTE ModbusMaster[MODBUS_MASTER_PORTS][MODBUS_MASTER_BLOCK_BYTES] = {};
    int ModbusRetries = 3;

    std::string ProjectName;
    std::string ProjectPath;
    std::string ProjectFolder;
    int MainPresent = 0;
    int CompileResult = 0;
    int ImageResult = 0;
    WORD ProjectSignature = 0;
    std::vector<BYTE> TransferBuffer;

    CProjTreeNode MainNode;
    CPOURegistry POUs;

    std::vector<std::unique_ptr<CZULInitData>> InitialData;

    // Every symbol under its name and under its address.
    std::map<std::string, CZULSymbol*> SymbolLookup;
    std::map<std::string, CZULSymbol*> SymbolsUpper;
    std::vector<CZULSymbol*> OrderedSymbols;
    // The first symbol of OrderedSymbols under each normalised address;
    // AddSymbol, RebuildSymbolOrder and DeleteSymbols keep it in step.
    std::unordered_map<std::string, CZULSymbol*> SymbolsByAddress;
    std::map<std::string, std::string> SymbolTextMaps[2];

    CFBInstanceTable FBTable;

    CMonitorTable Monitor;
    std::vector<std::unique_ptr<CStatusInput>> StatusRows;
    std::vector<WORD> MonitorAddressLists[MONITOR_ADDRESS_LISTS];

    int ForceImageSize = 0;          // cells of the two force buffers
    std::vector<DWORD> ForceValues;  // empty while freed
    std::vector<DWORD> ForceMarks;   // backup of ForceValues while a force command runs
    // The operands the PLC holds forced, by address text; mirrors its force table.
    std::map<std::string, std::unique_ptr<CForceEntry>> ForceMap;

    int CPUFamilyIndex = -1;         // 0..7 once a project is created, opened or uploaded
    std::vector<std::unique_ptr<CZUL_Q7_PLC>> Modules; // element 0 is the CPU

    std::vector<BYTE> LocalBitUsage;
    std::vector<BYTE> LocalByteUsage;

    std::vector<BYTE> ImageBlocks[IMAGE_BLOCKS_3_TO_8]; // blocks 3..8
    std::vector<BYTE> ForceTableBlock;
    std::vector<BYTE> ImageBlock9;

    CPOUVarList POUVarLists[POU_VAR_LISTS];

private:
    CRecordStore<CZULSymbol> m_symbolStore;
    std::function<void(const std::string&)> m_subroutineRemoved;

    void DeleteSymbols();
    void DeleteModules();

    void StoreBody(CArchive& ar);
    void LoadBody(CArchive& ar);
    // The records of a deleted POU removed; the stem of its files, "" when it had no node.
    std::string TakeOutPOU(const std::string& name, int kind);
    void LoadSubroutineInterfaces(CArchive& ar);
    void LoadSubroutineNodes(CArchive& ar);
    void LoadInterruptNodes(CArchive& ar);
    void LoadModules(CArchive& ar);
    void LoadHardwareSettings(CArchive& ar);
    void LoadSymbols(CArchive& ar);
    // Registers each symbol read under its stored address where it is still free.
    // The stored address of every symbol read, in the order the addresses are claimed.
    std::vector<std::pair<std::string, CZULSymbol*>> ClaimSymbolAddresses(std::vector<CZULSymbol*> read);
    void FillSymbolLookup(const std::vector<CZULSymbol*>& read, std::vector<std::pair<std::string, CZULSymbol*>> claims);
    void RebuildSymbolOrder(const std::vector<CZULSymbol*>& symbols);
    void IndexSymbolAddress(CZULSymbol* symbol);
    void ResetModbusBlock(BYTE* block);
    static void ResetPdo(CCanOpenPdo& pdo, int cobId, CanOpenFreeSub freeSub);

    int AllocArea(CZUL_Q7_PLC* module, int bytesNeeded, DWORD kinds, int areaSize, bool cpuAtStart,
                  BYTE CZUL_Q7_PLC::*startField, BYTE CZUL_Q7_PLC::*endField);
};
