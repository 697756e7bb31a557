#include "SlaveTypeFile.h"

#include "CanOpenTexts.h"
#include "model/CanOpenNumbers.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "model/StringCRC16.h"
#include "platform/ByteString.h"
#include "platform/CPathProvider.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"

#include <memory>

namespace {

const std::string kEntryStart = "{{";
const std::string kNameStart = "{SlaveName";
const std::string kTypeStart = "SlaveType";
const std::string kCategoryStart = "{SlaveKindOf";
const char* const kLineEnd = "\r\n";
constexpr int kEntryFields = 10;
constexpr int kIntegerFields = 8;

// Takes the text before the next comma as one field (trimmed) and drops it
// with the comma; false when no comma is left.
bool TakeField(std::string& rest, std::string& field)
{
    const size_t comma = rest.find(',');
    if (comma == std::string::npos)
        return false;
    field = ByteString::Trim(rest.substr(0, comma));
    rest = ByteString::Trim(rest.substr(comma + 1));
    return true;
}

bool ParseEntryLine(const std::string& line, CCanOpenSlaveType& type)
{
    std::string rest = ByteString::Trim(line.substr(kEntryStart.size()));
    std::string fields[kEntryFields];
    for (std::string& field : fields) {
        if (!TakeField(rest, field))
            return false;
    }
    auto entry = std::make_unique<CCanOpenODEntry>();
    int* const numbers[kIntegerFields] = {&entry->pdoMappable, &entry->access,    &entry->dataType,
                                          &entry->defaultValue, &entry->index,     &entry->subNumber,
                                          &entry->objectType,   &entry->subIndex};
    for (int i = 0; i < kIntegerFields; ++i)
        *numbers[i] = ReadDecimal(fields[i]);
    entry->name = FitField(fields[kIntegerFields], OD_ENTRY_NAME_MAX);
    entry->sectionKey = FitField(fields[kIntegerFields + 1], OD_SECTION_KEY_MAX);
    type.objects.push_back(entry.release());
    return true;
}

bool ParseNameLine(const std::string& line, CCanOpenSlaveType& type)
{
    const std::string rest = line.substr(kNameStart.size());
    const size_t comma = rest.find(',');
    if (comma == std::string::npos)
        return false;
    type.name = FitField(rest.substr(0, comma), SLAVE_TYPE_NAME_MAX);
    const std::string code = ByteString::Trim(rest.substr(comma + 1));
    if (!ByteString::StartsWith(code, kTypeStart))
        return false;
    const size_t codeEnd = code.find(',');
    if (codeEnd == std::string::npos)
        return false;
    type.typeCode = ReadDecimal(code.substr(kTypeStart.size(), codeEnd - kTypeStart.size()));
    return true;
}

bool ParseCategoryLine(const std::string& line, CCanOpenSlaveType& type)
{
    const std::string rest = line.substr(kCategoryStart.size());
    const size_t comma = rest.find(',');
    if (comma == std::string::npos)
        return false;
    type.category = FitField(rest.substr(0, comma), SLAVE_CATEGORY_MAX);
    return true;
}

std::string EntryLine(const CCanOpenODEntry& entry)
{
    const int numbers[kIntegerFields] = {entry.pdoMappable, entry.access, entry.dataType,   entry.defaultValue,
                                         entry.index,       entry.subNumber, entry.objectType, entry.subIndex};
    std::string line = kEntryStart;
    for (int number : numbers)
        line += std::to_string(number) + ",";
    // The name, an empty text and the key: name and key one comma apart.
    return line + entry.name + "," + entry.sectionKey + ",}}," + kLineEnd;
}

} // namespace

std::string FitField(const std::string& text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // The reader trims the entry fields: a cut that ends in blanks would not
    // read back the same, so they go with the cut.
    return ByteString::TrimRight(text.substr(0, GbkSafeLength(text, maxBytes)));
}

bool ParseSlaveLine(const std::string& line, CCanOpenSlaveType& type)
{
    const std::string text = ByteString::Trim(line);
    if (text.empty())
        return true;
    if (ByteString::StartsWith(text, kEntryStart))
        return ParseEntryLine(text, type);
    if (ByteString::StartsWith(text, kNameStart))
        return ParseNameLine(text, type);
    if (ByteString::StartsWith(text, kCategoryStart))
        return ParseCategoryLine(text, type);
    return false;
}

bool ParseSlaveText(const std::string& text, CCanOpenSlaveType& type)
{
    int failed = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (!ParseSlaveLine(text.substr(start, end - start), type))
            ++failed;
        start = end + 1;
    }
    return failed == 0;
}

bool ImportSlaveFile(const std::string& path, CCanOpenSlaveType& type)
{
    std::string text;
    // Only a regular file is read: a pipe or device in its place would block.
    if (!FileSystem::FileExists(path) || !FileSystem::ReadFileText(path, text)) {
        ShowMessage(kMessageCaption, ByteString::Format(kFileOpenFailed, path.c_str()), MB_OK | MB_ICONERROR);
        return false;
    }
    return ParseSlaveText(text, type);
}

std::string FormatSlaveTypeFile(const CCanOpenSlaveType& type)
{
    std::string text = kCategoryStart + type.category + ",}," + kLineEnd;
    text += kNameStart + type.name + "," + kTypeStart + std::to_string(type.typeCode) + ",}," + kLineEnd;
    for (const CCanOpenODEntry* entry : type.objects)
        text += EntryLine(*entry);
    return text;
}

void LoadSlaveTypeFolder(CZULAppData& appData, const std::string& folder)
{
    for (const CFileEntry& file : FileSystem::ListFolder(folder)) {
        if (file.IsFolder())
            continue;
        auto type = std::make_unique<CCanOpenSlaveType>();
        type->name = FitField(file.name, SLAVE_TYPE_NAME_MAX);
        StringCRC16(file.name, type->typeId);
        type->category = SLAVE_CATEGORY_ROOT;
        if (!ImportSlaveFile(FileSystem::JoinPath(folder, file.name), *type))
            continue;
        if (type->name.empty())
            continue;
        appData.ReplaceSlaveType(std::move(type));
    }
}

void LoadSlaveTypeFolders(CZULAppData& appData, const std::string& shippedFolder, const std::string& userFolder)
{
    LoadSlaveTypeFolder(appData, shippedFolder);
    LoadSlaveTypeFolder(appData, userFolder);
}

void LoadSlaveTypeFolders(CZULAppData& appData)
{
    LoadSlaveTypeFolders(appData, FileSystem::JoinPath(CPathProvider::SharedDataFolder(), "CanOpen"),
                         CPathProvider::UserCanOpenFolder());
}

bool IsSafeTypeFileName(const std::string& typeName)
{
    constexpr size_t kFileNameMax = 255;
    if (typeName.empty() || typeName.size() > kFileNameMax || typeName.front() == '.')
        return false;
    for (char c : typeName) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < ' ' || byte == 0x7F)
            return false;
    }
    // The name on disk must fit the folder and read back unchanged.
    const std::string native = GbkToUtf8(typeName);
    return native.size() <= kFileNameMax && Utf8ToGbk(native) == typeName;
}
