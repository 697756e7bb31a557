#pragma once
// The single application-wide data object: the current project, the option
// values, the profile values that are not globals, the instruction catalogue,
// the project blobs, the state of the find service and the PID wizard, the
// CANopen slave-type library, and the locks and events of the PLC link.
// It is created once on the heap at start-up and reached through g_pAppData.

#include "CCanOpenSlaveType.h"
#include "CFindState.h"
#include "CLocalVarEntry.h"
#include "CPIDLoopConfig.h"
#include "CPIDMonitorBlock.h"
#include "CSharedCopyBlock.h"
#include "CZULProject.h"
#include "ILDClipboardElement.h"
#include "OperandTypeFlags.h"
#include "platform/CEvent.h"
#include "platform/CMutex.h"
#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

#include <atomic>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CInstructionDef;
class CSourceFileCache;
class CZULFB;
class CZULFunc;
class CZULStatus;
class CZULSymbol;

constexpr int PID_LOOP_RECORDS = 24;
constexpr int PID_LOOPS_USED = 8;
constexpr int PROJECT_BLOB_COUNT = 200;
constexpr int PROJECT_HEADER_BYTES = 15;
constexpr int XREF_AREA_SELECTIONS = 15;
constexpr int XREF_TYPE_SELECTIONS = 7;

// Kind of a byte of double-byte text.
constexpr BYTE DBCS_SINGLE = 0;
constexpr BYTE DBCS_LEAD = 1;
constexpr BYTE DBCS_TRAIL = 2;

class IPOUProgramFactory;

class CZULAppData {
public:
    CZULAppData();
    virtual ~CZULAppData();
    CZULAppData(const CZULAppData&) = delete;
    CZULAppData& operator=(const CZULAppData&) = delete;

    // Application data
    void ClearProjectBlobs();
    // Frees every element of the LD clipboard array and empties it.
    void ClearLDClipboard();
    // 0 single-byte character, 1 lead byte, 2 trail byte, classified by the
    // top bit alone over the first 255 bytes; 0 outside them.
    static BYTE GetDbcsByteKind(const std::string& text, int index);

    // CPU-family profiles
    DWORD GetCPUFamilyMask() const;
    void ApplyVA10Profile();
    void ApplyVB12Profile();
    void ApplyVB14Profile();
    void ApplyVB16Profile();
    void ApplyVC14Profile();
    void ApplyVC16Profile();
    // The profile of the project's family: VB14 for bit 8 and for no family.
    void ApplyFamilyProfile();
    void ResetFindResults();
    void InitPIDLoopDefaults();
    static int CanBaudToCode(int kbitPerSecond);
    static int CanCodeToBaud(int code);

    // Memory areas of the current family
    void LoadAreaTable();
    int GetAreaMaxIndex(const std::string& prefix) const;
    int GetAreaMinIndex(const std::string& prefix) const;
    int GetBitMaxIndex(const std::string& prefix) const;
    WORD GetAreaUnitCount(const std::string& address) const;
    short GetAreaBase(const std::string& prefix, BOOL statusBits) const;

    // Data types
    static BOOL TypeNameToMask(const std::string& typeName, int& mask);

    // The instruction catalogue (InstructionCatalog.cpp).
    // Fills the catalogue maps from the visible rows of the instruction table.
    void BuildInstructionCatalog();
    // Deep copy of a catalogue interface (name trimmed and upper-cased); 1, or 0 when unknown.
    int LookupFunction(const std::string& name, CZULFunc& function) const;
    int LookupFunctionBlock(const std::string& name, CZULFB& block) const;
    // The flags of a pin of an FB type; 0 when the type or the pin is unknown.
    DWORD GetFBPinFlags(const std::string& pinName, const std::string& fbName) const;
    // The flags of a parameter of a catalogue function or, failing that, of a
    // subroutine interface of the open project; 0 when not found.
    DWORD GetFunctionPinFlags(const std::string& pinName, const std::string& functionName) const;
    // The context of the first help-topic row whose name equals the trimmed,
    // upper-cased topic; FALSE with context 1 when no row does (HelpTopics.cpp).
    static BOOL FindHelpContext(const std::string& topic, int& context);

    // Global symbols (GlobalSymbolLookup.cpp): a text that parses as a direct
    // address ("%VB10", "vb10") is looked up by its upper-case address with
    // "%", anything else by its upper-case name; the text is trimmed and an
    // empty text finds nothing.
    BOOL FindGlobalSymbol(const std::string& text, CZULSymbol*& symbol) const;

    // Derives the project's FB-instance table again from the POU programs;
    // the table is replaced only when the scanned set differs. A run's cache,
    // when given, reads each file once for the whole run.
    void RebuildFBInstanceTable(CSourceFileCache* cache = nullptr);

    // Copy and paste of ladder content between running instances, through
    // the shared copy block. The copy carries the profile sub-type and the
    // CPU family bit of this instance; a paste takes the block whatever they
    // are, with at most capacity values, and unless valuesOnly puts the text
    // into PasteText. FALSE when the block cannot be used (see CSharedCopyBlock).
    BOOL CopyToSharedMemory(const std::string& text, int kind, int count, const int* values, int extra);
    BOOL PasteFromSharedMemory(int& kind, int& count, int* values, int capacity, int& extra, BOOL valuesOnly);

    // The monitor class of a key (-1 when none) with its monitor code and number.
    int ResolveAddressOffset(const std::string& key, WORD& code, WORD& number) const;

    // CANopen slave-type library
    void LoadSlaveLibrary();
    CCanOpenSlaveType* FindSlaveType(WORD typeId) const;
    CCanOpenSlaveType* FindSlaveType(const std::string& typeName) const;
    // Frees the first type with the new type's name, then appends the new type.
    void ReplaceSlaveType(std::unique_ptr<CCanOpenSlaveType> type);
    // Frees the first type of that name; FALSE when there is none.
    BOOL RemoveSlaveType(const std::string& typeName);
    // The types in library order.
    int GetSlaveTypeCount() const;
    CCanOpenSlaveType* GetSlaveType(int position) const;

    // The PID generator's variable file. The text that
    // declares the interface of the current loop's subroutine, the generate
    // mode deciding where TUNE is declared; FALSE when the loop is not 0 to 7.
    BOOL BuildPIDVarFileText(std::string& text) const;
    // Writes that text to the path (replacing the file whole, read-only or
    // not) while a generation is under way (mode 1 or 2), then lowers the
    // mode to 0. TRUE once written; FALSE, with the file as it was, in mode
    // 0, for a refused loop and when the file cannot be written (reported).
    BOOL WritePIDVarFile(const std::string& path);

    CPIDMonitorBlock PIDMonitor;
    int PIDGenerateMode = 0;           // 0 no wizard; 1, 2 the wizard's modes
    CPIDLoopConfig PIDLoops[PID_LOOP_RECORDS];
    int CurrentPIDLoop = 0;
    int PIDSubroutineBase = 90;        // loop n's subroutine is SBR(90 + n)
    std::string PIDVarFilePath;
    int PIDTrendOpen = 0;

    BYTE FullRedraw = 0;               // LD painting lays out all networks while set
    BYTE SearchFlag = 1;               // a Find next or Replace can be continued

    // The instruction catalogue: its view exists; which table it shows
    // (at most one set flag is 1, both 0 until the first rebuild).
    BYTE InsTreeViewCreated = 0;
    BYTE InsTreeILShown = 0;
    BYTE InsTreeLDShown = 0;

    // Upper-cased symbol -> local variable of the POU being scanned.
    CLocalVarMap LocalVarMap;

    CFindState Find;

    std::string HardwareManualName = "Hardware manual for Orvel-Q7_V5_2011.pdf";
    int ProjectFolderLength = 0;
    int LongestPOUPathLength = 0;

    // Cross-reference filter settings.
    int AreaTypes = 0;
    int TypesOfArea = 0;
    int SelArea[XREF_AREA_SELECTIONS] = {};
    int SelType[XREF_TYPE_SELECTIONS] = {};
    // Set by the cross-reference window before it opens the Options sheet,
    // which then shows the filter page in front and clears it.
    int XrefOptionsRequest = 0;

    int NewStyleDialogs = 1;

    // The instruction catalogue.
    std::unordered_map<std::string, std::unique_ptr<CZULFunc>> FunctionCatalog;
    std::unordered_map<std::string, std::unique_ptr<CZULFB>> FBCatalog;
    std::unordered_map<std::string, CInstructionDef*> InstructionCatalog;
    std::unordered_map<std::string, CInstructionDef*> CoilCatalog;    // rows shared with InstructionCatalog
    std::unordered_map<std::string, CInstructionDef*> ContactCatalog; // rows shared with InstructionCatalog

    // Bytes 0, 1, 2 (firmware major, minor, patch), 3 (edition flags) and 5
    // (CPU type code) of the last identification reply.
    BYTE PlcIdent[5] = {};
    std::string DownloadNoteText;
    BYTE ConnectedCpuModel = 0;
    int ConnectedCpuModelValid = 0;
    int DataBackupUsed = 0;
    BYTE ProfileSubType = 0;           // download image variant, PROFILE_SUBTYPE_*
    int CompilingForDownload = 0;

    std::vector<std::unique_ptr<CCanOpenSlaveType>> SlaveLibrary;

    std::string PrevProj;
    std::string ZipPath;
    BYTE LoadError = 0;

    DWORD BlobLengths[PROJECT_BLOB_COUNT] = {};
    std::vector<BYTE> Blobs[PROJECT_BLOB_COUNT]; // blob 0: the CANopen configuration text

    BYTE ViewState[4] = {};
    int UploadFormat = 0;
    BYTE ProjectFileHeader[PROJECT_HEADER_BYTES] = {};
    BYTE CheckLocalVarAllocation = 1;
    std::string HelpFileName = "OrvelBuilder_V1.1.3.1_En.chm";
    // Set by a page that opened its own help on F1; the main window's F1 then clears it and opens nothing.
    int HelpShownByPage = 0;
    BYTE LocalVarMapOption = 0;

    CZULProject Project;

    int ProjectOpen = 0;
    int OnlineFormat = 0;
    int SymbolicAddressing = 1;
    // Written by one thread and polled by another.
    std::atomic<int> MonitorPause{0};
    CMutex PortLock;
    std::atomic<int> Monitoring{0};
    CMutex MonitorValueLock;
    std::unique_ptr<CEvent> MonitorRoundEvent;
    std::unique_ptr<CEvent> MonitorEndEvent;
    int PlcRunState = 0;

    // The LD clipboard array: copies of LD elements (network headers and
    // roots, or one element), each the owner of its tree.
    std::vector<std::unique_ptr<ILDClipboardElement, LDClipboardRelease>> LDClipboard;
    CSharedCopyBlock SharedCopyBlock;
    std::string PasteText;             // the text of the last paste from the shared copy block
    int PastingIL = 0;                 // 1 while pasted IL text is built into LD networks
    // The maker of ladder programs that POU documents use; set once at
    // start-up by the ladder library's registration; not owned.
    IPOUProgramFactory* ProgramFactory = nullptr;

    // Section "Configuration" of the settings.
    int IfCompileBeforeDown = 0;
    int IfCompileBeforeOnline = 0;
    int Interface = 2;
    int DefaultCPU = 6;
    int DefaultPOULang = 2;

    // IL text, LD text and LD comment fonts of the settings, and the editors' print font.
    LOGFONT Fonts[4] = {};
};

// The one application data object; set at start-up, null after exit.
extern CZULAppData* g_pAppData;
