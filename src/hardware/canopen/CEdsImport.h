#pragma once
// Turns a device's electronic data sheet into a slave type of the library:
// reads the objects and sub-objects a master can map, writes the slave-type
// file into the user's CanOpen folder and puts the type into the library.
// Each import starts afresh; nothing of one sheet carries into the next.

#include "model/CCanOpenODEntry.h"
#include "platform/WinTypes.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CZULAppData;
class IEdsImportHost;

class CEdsImport {
public:
    CEdsImport(CZULAppData& appData, IEdsImportHost& host, std::string userCanOpenFolder);

    // The network page's command "导入EDS": choose, read, categorise and save a sheet.
    void ImportEdsFile();
    // Reads one raw line of a sheet into the import state.
    void ParseEdsLine(const std::string& line);
    // Every line of a sheet's bytes, then the end-of-sheet flush.
    void ReadEdsText(const std::string& text);
    // Writes the imported type's file and registers the type in the library.
    void SaveSlaveTypeFile();
    // Empties the state for the next sheet.
    void ResetImport();

    static int AccessTypeFlags(const std::string& text);
    static int ObjectTypeFlags(WORD code);
    static int DataTypeFlags(WORD code);

    // The entries kept so far, by key.
    const std::map<std::string, std::unique_ptr<CCanOpenODEntry>>& ObjectMap() const { return m_objectMap; }
    const std::string& TypeName() const { return m_typeName; }
    int DeviceType() const { return m_deviceType; }
    bool DeviceTypeSeen() const { return m_deviceTypeSeen; }
    bool UnparsedItem() const { return m_unparsedItem; }
    bool SaveFailed() const { return m_saveFailed; }
    bool FileExisted() const { return m_fileExisted; }
    bool OverwriteDeclined() const { return m_overwriteDeclined; }

private:
    void FlushPendingEntry(bool atEndOfSheet);
    void StorePendingEntry();
    void ClearPendingEntry();
    void ReadSectionHeader(const std::string& upper);
    void ReadKeyLine(const std::string& upper, const std::string& raw);
    // The product or parameter name of a raw key line; "," and "]" become ";" and ")".
    std::string NameValue(const std::string& raw);
    // The kept entries in file order: heads without sub-objects left out,
    // then by index and sub-index.
    std::vector<const CCanOpenODEntry*> OrderedEntries() const;
    void ReportSaveFailure(const std::string& path);

    CZULAppData& m_appData;
    IEdsImportHost& m_host;
    std::string m_userFolder;

    CCanOpenODEntry m_pendingEntry;
    bool m_pendingValid = false;
    bool m_inDeviceInfo = false;
    bool m_deviceTypeSection = false; // the current section is [1000]
    int m_deviceType = 0;
    bool m_deviceTypeSeen = false;
    bool m_unparsedItem = false;
    bool m_namesAltered = false;
    std::map<std::string, std::unique_ptr<CCanOpenODEntry>> m_objectMap;
    std::string m_typeName;
    std::string m_chosenCategory;
    bool m_saveFailed = false;
    bool m_fileExisted = false;
    bool m_overwriteDeclined = false;
};
