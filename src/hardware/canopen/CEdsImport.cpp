#include "CEdsImport.h"

#include "CanOpenTexts.h"
#include "IEdsImportHost.h"
#include "SlaveTypeFile.h"
#include "model/CanOpenNumbers.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "model/StringCRC16.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"

#include <algorithm>

namespace {

enum class EdsKey { ParameterName, ObjectType, DataType, DefaultValue, AccessType, PdoMapping, SubNumber, ProductName };

struct EdsKeyRule {
    const char* key;
    EdsKey kind;
};

// Tried in this order against the upper-cased line.
const EdsKeyRule kKeyRules[] = {
    {"PARAMETERNAME", EdsKey::ParameterName}, {"OBJECTTYPE", EdsKey::ObjectType},
    {"DATATYPE", EdsKey::DataType},           {"DEFAULTVALUE", EdsKey::DefaultValue},
    {"ACCESSTYPE", EdsKey::AccessType},       {"PDOMAPPING", EdsKey::PdoMapping},
    {"SUBNUMBER", EdsKey::SubNumber},         {"PRODUCTNAME", EdsKey::ProductName},
};

struct TextFlag {
    const char* text;
    int flag;
};

const TextFlag kAccessFlags[] = {
    {"RO", OD_ACCESS_RO},   {"WO", OD_ACCESS_WO},   {"RW", OD_ACCESS_RW},
    {"RWR", OD_ACCESS_RWR}, {"RWW", OD_ACCESS_RWW}, {"CONST", OD_ACCESS_CONST},
};

struct CodeFlag {
    WORD code;
    int flag;
};

// CANopen object codes.
const CodeFlag kObjectFlags[] = {
    {0, OD_OBJECT_NULL},      {2, OD_OBJECT_DOMAIN}, {5, OD_OBJECT_DEFTYPE}, {6, OD_OBJECT_DEFSTRUCT},
    {7, OD_OBJECT_VAR},       {8, OD_OBJECT_ARRAY},  {9, OD_OBJECT_RECORD},
};

// CANopen data types BOOLEAN (1) to REAL32 (8).
constexpr WORD kFirstDataType = 1;
constexpr WORD kLastDataType = 8;

const std::string kHexMark = "0X";
const std::string kSubMark = "SUB";
const std::string kDeviceInfo = "DEVICEINFO";
constexpr WORD kDeviceTypeIndex = 0x1000;
constexpr size_t kIndexDigits = 4;
constexpr size_t kObjectHeaderLength = 6;   // "[iiii]"
constexpr size_t kSubTextStart = 8;         // after "[iiiiSUB"
constexpr size_t kSubIndexDigits = 2;
constexpr int kCodeDigits = 4;
constexpr int kValueDigits = 8;

// The value of a key line: the text after its first "=", trimmed; false without "=".
bool ValueOf(const std::string& line, std::string& value)
{
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    value = ByteString::Trim(line.substr(equals + 1));
    return true;
}

// An object or data type code: "0x" and up to four hexadecimal digits, or
// plain decimal digits as CiA 306 also allows.
bool ReadTypeCode(const std::string& value, WORD& code)
{
    const size_t mark = value.find(kHexMark);
    if (mark == std::string::npos) {
        if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
            return false;
        code = static_cast<WORD>(ReadDecimal(value));
        return true;
    }
    const std::string digits = value.substr(mark + kHexMark.size());
    int read = 0;
    code = static_cast<WORD>(ReadHexPrefix(digits, kCodeDigits, read));
    return read == static_cast<int>(digits.size());
}

// A number written "0x..." in hexadecimal or else in decimal.
int ReadCount(const std::string& value)
{
    if (!ByteString::StartsWith(value, kHexMark))
        return ReadDecimal(value);
    int read = 0;
    return static_cast<int>(ReadHexPrefix(value.substr(kHexMark.size()), kValueDigits, read));
}

// The hexadecimal digits after the first "0x" (a 32-bit pattern), or else
// a decimal number: "$NODEID+0x180" reads as 180h, "1280+$NODEID" as 1280.
int ReadDefaultValue(const std::string& value)
{
    const size_t mark = value.find(kHexMark);
    if (mark == std::string::npos)
        return ReadDecimal(value);
    int read = 0;
    return static_cast<int>(ReadHexPrefix(value.substr(mark + kHexMark.size()), kValueDigits, read));
}

bool IsPdoMappable(const std::string& value)
{
    if (value == "1")
        return true;
    return ByteString::StartsWith(value, kHexMark) && ReadCount(value) == 1;
}

std::string Unquote(std::string text)
{
    if (!text.empty() && text.front() == '"')
        text.erase(0, 1);
    if (!text.empty() && text.back() == '"')
        text.pop_back();
    return text;
}

// Replaces the field separators of the slave-type file and the
// configuration text in single-byte characters; true when any was replaced.
bool ReplaceSeparators(std::string& text)
{
    bool replaced = false;
    for (size_t i = 0; i < text.size();) {
        const int length = GbkCharLength(text, i);
        if (length == 1 && (text[i] == ',' || text[i] == ']')) {
            text[i] = text[i] == ',' ? ';' : ')';
            replaced = true;
        }
        i += std::max(length, 1);
    }
    return replaced;
}

} // namespace

CEdsImport::CEdsImport(CZULAppData& appData, IEdsImportHost& host, std::string userCanOpenFolder)
    : m_appData(appData), m_host(host), m_userFolder(std::move(userCanOpenFolder))
{
    ClearPendingEntry();
}

int CEdsImport::AccessTypeFlags(const std::string& text)
{
    const std::string upper = ByteString::Upper(ByteString::Trim(text));
    for (const TextFlag& rule : kAccessFlags) {
        if (upper == rule.text)
            return rule.flag;
    }
    return 0;
}

int CEdsImport::ObjectTypeFlags(WORD code)
{
    for (const CodeFlag& rule : kObjectFlags) {
        if (code == rule.code)
            return rule.flag;
    }
    return 0;
}

int CEdsImport::DataTypeFlags(WORD code)
{
    if (code < kFirstDataType || code > kLastDataType)
        return 0;
    return 1 << (code - 1);
}

void CEdsImport::ResetImport()
{
    m_objectMap.clear();
    ClearPendingEntry();
    m_inDeviceInfo = false;
    m_deviceTypeSection = false;
    m_deviceType = 0;
    m_deviceTypeSeen = false;
    m_unparsedItem = false;
    m_namesAltered = false;
    m_typeName.clear();
    m_chosenCategory.clear();
    m_saveFailed = false;
    m_fileExisted = false;
    m_overwriteDeclined = false;
}

void CEdsImport::ImportEdsFile()
{
    ResetImport();
    const std::string path = ByteString::Trim(m_host.ChooseEdsFile());
    if (path.empty())
        return;
    std::string text;
    // Only a regular file is read: a folder, pipe or device in its place is refused.
    if (!FileSystem::FileExists(path) || !FileSystem::ReadFileText(path, text)) {
        ShowMessage(kMessageCaption, ByteString::Format(kFileOpenFailed, path.c_str()), MB_OK | MB_ICONERROR);
        return;
    }
    ReadEdsText(text);
    if (m_unparsedItem)
        ShowMessage(kMessageCaption, kUnparsedItems, MB_OK | MB_ICONINFORMATION);
    if (m_namesAltered)
        ShowMessage(kMessageCaption, kNamesAltered, MB_OK | MB_ICONINFORMATION);
    m_chosenCategory = m_host.ChooseCategory();
    SaveSlaveTypeFile();
    m_objectMap.clear();
    if (!m_fileExisted && !m_saveFailed)
        m_host.InsertSlaveTypeItem(m_typeName, m_chosenCategory);
}

void CEdsImport::ReadEdsText(const std::string& text)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ParseEdsLine(text.substr(start, end - start));
        start = end + 1;
    }
    FlushPendingEntry(true);
}

void CEdsImport::ParseEdsLine(const std::string& line)
{
    const std::string upper = ByteString::Upper(ByteString::Trim(line));
    if (upper.empty())
        return;
    if (upper.front() == '[' && upper.back() == ']') {
        ReadSectionHeader(upper);
        return;
    }
    if (m_pendingValid)
        ReadKeyLine(upper, line);
}

void CEdsImport::FlushPendingEntry(bool atEndOfSheet)
{
    if (!m_pendingValid)
        return;
    if (m_pendingEntry.pdoMappable != 0) {
        if (m_pendingEntry.dataType == 0)
            m_unparsedItem = true;
        else
            StorePendingEntry();
        return;
    }
    // The head of an array or record, unless the sheet ends with it.
    if (!atEndOfSheet && m_pendingEntry.subNumber != 0 && m_pendingEntry.subIndex == -1)
        StorePendingEntry();
}

void CEdsImport::StorePendingEntry()
{
    m_objectMap[m_pendingEntry.sectionKey] = std::make_unique<CCanOpenODEntry>(m_pendingEntry);
}

void CEdsImport::ClearPendingEntry()
{
    m_pendingEntry = CCanOpenODEntry();
    m_pendingValid = false;
}

void CEdsImport::ReadSectionHeader(const std::string& upper)
{
    FlushPendingEntry(false);
    ClearPendingEntry();
    // Only a default of the section [1000] itself is the device type.
    m_deviceTypeSection = false;
    const std::string body = ByteString::Trim(upper.substr(1, upper.size() - 2));
    m_pendingEntry.sectionKey = FitField(body, OD_SECTION_KEY_MAX);
    const std::string indexText = upper.substr(1, kIndexDigits);
    if (indexText.size() < kIndexDigits || !IsHexDigits(indexText)) {
        m_inDeviceInfo = body == kDeviceInfo;
        m_pendingValid = m_inDeviceInfo;
        return;
    }
    int read = 0;
    const int index = static_cast<int>(ReadHexPrefix(indexText, kCodeDigits, read));
    m_inDeviceInfo = false;
    if (upper.size() == kObjectHeaderLength) {
        m_pendingEntry.index = index;
        m_pendingValid = true;
        m_deviceTypeSection = index == kDeviceTypeIndex;
        return;
    }
    // A sub-object [iiiiSUBs] with at most two hexadecimal digits (none reads as 0).
    if (upper.size() < kSubTextStart + 1 || upper.compare(1 + kIndexDigits, kSubMark.size(), kSubMark) != 0)
        return;
    const std::string subText = ByteString::Trim(upper.substr(kSubTextStart, upper.size() - kSubTextStart - 1));
    if (subText.size() > kSubIndexDigits || (!subText.empty() && !IsHexDigits(subText)))
        return;
    m_pendingEntry.index = index;
    m_pendingEntry.subIndex = static_cast<int>(ReadHexPrefix(subText, kSubIndexDigits, read));
    m_pendingValid = true;
}

std::string CEdsImport::NameValue(const std::string& raw)
{
    std::string value;
    ValueOf(raw, value);
    value = Unquote(value);
    if (ReplaceSeparators(value))
        m_namesAltered = true;
    return value;
}

void CEdsImport::ReadKeyLine(const std::string& upper, const std::string& raw)
{
    const EdsKeyRule* rule = nullptr;
    for (const EdsKeyRule& candidate : kKeyRules) {
        if (ByteString::StartsWith(upper, candidate.key)) {
            rule = &candidate;
            break;
        }
    }
    std::string value;
    if (!rule || !ValueOf(upper, value))
        return;
    WORD code = 0;
    switch (rule->kind) {
    case EdsKey::ParameterName:
        // Trimmed as the slave-type file reads it back (a quoted name may keep blanks).
        m_pendingEntry.name = FitField(ByteString::Trim(NameValue(raw)), OD_ENTRY_NAME_MAX);
        break;
    case EdsKey::ObjectType:
        if (ReadTypeCode(value, code))
            m_pendingEntry.objectType = ObjectTypeFlags(code);
        break;
    case EdsKey::DataType:
        if (ReadTypeCode(value, code))
            m_pendingEntry.dataType = DataTypeFlags(code);
        break;
    case EdsKey::DefaultValue:
        m_pendingEntry.defaultValue = ReadDefaultValue(value);
        if (m_deviceTypeSection) {
            m_deviceTypeSeen = true;
            m_deviceType = m_pendingEntry.defaultValue;
        }
        break;
    case EdsKey::AccessType:
        m_pendingEntry.access = AccessTypeFlags(value);
        break;
    case EdsKey::PdoMapping:
        m_pendingEntry.pdoMappable = IsPdoMappable(value) ? 1 : 0;
        break;
    case EdsKey::SubNumber:
        m_pendingEntry.subNumber = ReadCount(value);
        break;
    case EdsKey::ProductName:
        if (m_inDeviceInfo) {
            m_typeName = NameValue(raw);
            m_inDeviceInfo = false;
        }
        break;
    }
}

std::vector<const CCanOpenODEntry*> CEdsImport::OrderedEntries() const
{
    std::map<WORD, int> perIndex;
    for (const auto& [key, entry] : m_objectMap)
        ++perIndex[static_cast<WORD>(entry->index)];
    std::vector<const CCanOpenODEntry*> ordered;
    for (const auto& [key, entry] : m_objectMap) {
        if (entry->subNumber != 0 && perIndex[static_cast<WORD>(entry->index)] == 1)
            continue;
        ordered.push_back(entry.get());
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const CCanOpenODEntry* a, const CCanOpenODEntry* b) {
        const WORD indexA = static_cast<WORD>(a->index);
        const WORD indexB = static_cast<WORD>(b->index);
        if (indexA != indexB)
            return indexA < indexB;
        return a->subIndex < b->subIndex;
    });
    return ordered;
}

void CEdsImport::ReportSaveFailure(const std::string& path)
{
    m_saveFailed = true;
    ShowMessage(kMessageCaption, ByteString::Format(kSaveFailed, path.c_str()), MB_OK | MB_ICONERROR);
}

void CEdsImport::SaveSlaveTypeFile()
{
    m_saveFailed = false;
    m_fileExisted = false;
    m_overwriteDeclined = false;
    if (!IsSafeTypeFileName(m_typeName)) {
        m_saveFailed = true;
        ShowMessage(kMessageCaption, ByteString::Format(kBadProductName, m_typeName.c_str()),
                    MB_OK | MB_ICONERROR);
        return;
    }
    const std::string path = FileSystem::JoinPath(m_userFolder, m_typeName);
    if (!FileSystem::CreateFolder(m_userFolder)) {
        ReportSaveFailure(path);
        return;
    }
    if (FileSystem::FileExists(path)) {
        m_fileExisted = true;
        if (ShowMessage(kNoteCaption, m_typeName + kOverwriteQuestion, MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES) {
            m_overwriteDeclined = true;
            return;
        }
    }
    auto type = std::make_unique<CCanOpenSlaveType>();
    type->name = m_typeName;
    StringCRC16(type->name, type->typeId);
    type->typeCode = m_deviceTypeSeen ? m_deviceType : 0;
    type->category = FitField(m_chosenCategory, SLAVE_CATEGORY_MAX);
    for (const CCanOpenODEntry* entry : OrderedEntries())
        type->objects.push_back(new CCanOpenODEntry(*entry));
    if (!FileSystem::SafeSave(path, FormatSlaveTypeFile(*type))) {
        ReportSaveFailure(path);
        return;
    }
    m_deviceTypeSeen = false;
    if (m_fileExisted)
        m_host.SetRebuildNeeded();
    m_appData.ReplaceSlaveType(std::move(type));
}
