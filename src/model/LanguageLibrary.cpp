#include "LanguageLibrary.h"

#include "CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <fnmatch.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const ROOT_FOLDER_MESSAGE = "Can not operate the root directory of the drive";
const char* const CREATE_COMPILER_FILE_MESSAGE = "Creat file \"%s\" failed, compilation failed.";
const char* const CREATE_EMPTY_FILE_MESSAGE = "\xCE\xC4\xBC\xFE %s \xB4\xB4\xBD\xA8\xCA\xA7\xB0\xDC";

constexpr DWORD CLEARED_ATTRIBUTES = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

int LastSeparator(const std::string& path)
{
    for (int i = int(path.size()) - 1; i >= 0; --i) {
        if (IsSeparator(path[size_t(i)]))
            return i;
    }
    return -1;
}

// The path on disk of an existing entry, "" when there is none.
std::string NativeOf(const std::string& path)
{
    const std::string existing = FileSystem::FindExisting(path);
    return existing.empty() ? "" : FileSystem::ToNative(existing);
}

bool IsRealFolder(const fs::path& native)
{
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(native, ec)) && !ec;
}

// The entries of a folder, listed before any of them is changed.
bool ListEntries(const fs::path& folder, std::vector<fs::path>& entries)
{
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return false;
    for (; it != fs::directory_iterator(); it.increment(ec))
        entries.push_back(it->path());
    return true;
}

bool DeleteFilesBelow(const fs::path& folder)
{
    std::vector<fs::path> entries;
    if (!ListEntries(folder, entries))
        return false;
    std::error_code ec;
    for (const fs::path& entry : entries) {
        if (IsRealFolder(entry)) {
            if (!DeleteFilesBelow(entry))
                return false;
            continue;
        }
        if (!fs::remove(entry, ec) || ec)
            return false;
    }
    return true;
}

// Removes the sub-folders of folder, deepest first; a file anywhere stops it.
bool RemoveFoldersBelow(const fs::path& folder)
{
    std::vector<fs::path> entries;
    if (!ListEntries(folder, entries))
        return false;
    std::error_code ec;
    for (const fs::path& entry : entries) {
        if (!IsRealFolder(entry))
            return false;
        if (!RemoveFoldersBelow(entry) || !fs::remove(entry, ec) || ec)
            return false;
    }
    return true;
}

bool IsRootFolder(const std::string& path)
{
    const std::string trimmed = ByteString::Trim(path);
    if (trimmed.find_first_not_of("/\\") == std::string::npos)
        return true;
    const size_t n = trimmed.size();
    return trimmed[n - 1] == ':' || (n >= 2 && trimmed[n - 2] == ':' && IsSeparator(trimmed[n - 1]));
}

bool CreateEmpty(const std::string& path)
{
    // The file is looked up once: a new one has nothing to make writable.
    const std::string existing = FileSystem::FindExisting(path);
    if (!existing.empty())
        ClearReadOnlyAttribute(existing);
    const std::string native = FileSystem::ToNative(existing.empty() ? path : existing);
    FILE* f = std::fopen(native.c_str(), "wb");
    if (!f)
        return false;
    return std::fclose(f) == 0;
}

// Creates (or empties) a file; when that fails, the message, formatted with the path, says so.
BOOL CreateEmptyOrReport(const std::string& path, const char* message)
{
    if (CreateEmpty(path))
        return TRUE;
    ShowMessage("Error", ByteString::Format(message, path.c_str()), MB_OK | MB_ICONSTOP);
    return FALSE;
}

// An existing file (not a folder) opened for reading, or null.
FILE* OpenExistingFile(const std::string& path)
{
    const std::string native = NativeOf(path);
    if (native.empty() || IsRealFolder(native))
        return nullptr;
    return std::fopen(native.c_str(), "rb");
}

// The first line of a text file without its line end; false when it cannot be read.
bool ReadFirstLine(const std::string& path, std::string& line)
{
    FILE* f = OpenExistingFile(path);
    if (!f)
        return false;
    line.clear();
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '\n')
        line.push_back(char(c));
    std::fclose(f);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

// The language a POU program's first line (without its line end) names.
BYTE LanguageOfFirstLine(const std::string& line)
{
    if (line == ByteString::Format("(*%d*)", POU_LANGUAGE_LD))
        return POU_LANGUAGE_LD;
    if (line == ByteString::Format("(*%d*)", POU_LANGUAGE_IL))
        return POU_LANGUAGE_IL;
    return POU_LANGUAGE_UNKNOWN;
}

// The text between the first double quote at or after from and the next one.
bool QuotedText(const std::string& text, int from, std::string& quoted, int& end)
{
    const int open = ByteString::Find(text, '"', from);
    if (open < 0)
        return false;
    const int close = ByteString::Find(text, '"', open + 1);
    if (close < 0)
        return false;
    quoted = text.substr(size_t(open + 1), size_t(close - open - 1));
    end = close + 1;
    return true;
}

// The decimal number that starts at from and ends before terminator.
bool NumberBefore(const std::string& text, int from, const std::string& terminator, int& number)
{
    const int end = ByteString::Find(text, terminator, from);
    if (end < 0)
        return false;
    const std::string digits = ByteString::Trim(text.substr(size_t(from), size_t(end - from)));
    if (!IsDigitString(digits) || digits.size() > 9)
        return false;
    number = std::atoi(digits.c_str());
    return true;
}

// Step of ParseMessagePosition for one of the two position words.
bool ParsePositionAt(const std::string& rest, int at, const std::string& word,
                     const std::function<bool(const std::string&)>& isPOUName, std::string& pouName, int& number)
{
    const std::string name = ByteString::Trim(rest.substr(0, size_t(at)));
    if (!isPOUName(name))
        return false;
    int value = 0;
    if (!NumberBefore(rest, at + int(word.size()), "): [", value))
        return false;
    pouName = name;
    number = value;
    return true;
}

bool ParseLDElement(const std::string& part, FindReportElement& element)
{
    int end = 0;
    std::string first;
    std::string second;
    if (ByteString::StartsWith(part, "Instruction ")) {
        element.kind = 2;
        return QuotedText(part, 0, element.text, end);
    }
    if (ByteString::StartsWith(part, "Input Para.") || ByteString::StartsWith(part, "Output Para.")) {
        const int numberAt = ByteString::Find(part, '.') + 1;
        int number = 0;
        const int instruction = ByteString::Find(part, " of instruction ");
        if (instruction < 0 || !NumberBefore(part, numberAt, " \"", number))
            return false;
        if (!QuotedText(part, numberAt, first, end) || !QuotedText(part, instruction, second, end))
            return false;
        element.kind = 2;
        element.paramNumber = number;
        element.paramText = first;
        element.text = second;
        return true;
    }
    if (ByteString::StartsWith(part, "Instance ")) {
        const int of = ByteString::Find(part, " of FB ");
        if (of < 0 || !QuotedText(part, 0, first, end) || !QuotedText(part, of, second, end))
            return false;
        element.kind = 2;
        element.paramText = first;
        element.text = second;
        return true;
    }
    if (ByteString::StartsWith(part, "Contact ") || ByteString::StartsWith(part, "Coil ")) {
        element.kind = ByteString::StartsWith(part, "Contact ") ? 1 : 0;
        return QuotedText(part, 0, element.text, end);
    }
    if (ByteString::StartsWith(part, "Parameter ")) {
        int of = ByteString::Find(part, " of contact ");
        element.kind = 1;
        if (of < 0) {
            of = ByteString::Find(part, " of coil ");
            element.kind = 0;
        }
        if (of < 0 || !QuotedText(part, 0, first, end) || !QuotedText(part, of, second, end))
            return false;
        element.paramText = first;
        element.text = second;
        return true;
    }
    if (ByteString::StartsWith(part, "Comment")) {
        element.kind = 3;
        return true;
    }
    return false;
}

} // namespace

BOOL DeleteFilesInTree(const std::string& folder)
{
    const std::string native = NativeOf(folder);
    return !native.empty() && IsRealFolder(native) && DeleteFilesBelow(native);
}

BOOL RemoveSubfolders(const std::string& folder)
{
    const std::string native = NativeOf(folder);
    return !native.empty() && IsRealFolder(native) && RemoveFoldersBelow(native);
}

BOOL DeleteFolderContents(const std::string& folder)
{
    if (folder.empty())
        return FALSE;
    if (IsRootFolder(folder)) {
        ShowMessage("Note", ROOT_FOLDER_MESSAGE, MB_OK | MB_ICONWARNING);
        return FALSE;
    }
    return DeleteFilesInTree(folder) && RemoveSubfolders(folder);
}

BOOL DeleteMatchingFiles(const std::string& folder, const std::string& pattern, const std::string& namePrefix)
{
    if (folder.empty() || pattern.empty() || namePrefix.empty())
        return FALSE;
    BOOL result = TRUE;
    for (const std::string& name : FileSystem::ListFileNames(folder)) {
        if (!ByteString::StartsWith(name, namePrefix))
            continue;
        if (::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) != 0)
            continue;
        if (!FileSystem::DeleteFile(FileSystem::JoinPath(folder, name)))
            result = FALSE;
    }
    return result;
}

BOOL FileExists(const std::string& path)
{
    FILE* f = OpenExistingFile(path);
    if (!f)
        return FALSE;
    std::fclose(f);
    return TRUE;
}

BOOL ClearReadOnlyAttribute(const std::string& path)
{
    const DWORD attributes = FileSystem::GetAttributes(path);
    if (attributes != 0xFFFFFFFF)
        FileSystem::SetAttributes(path, (attributes & ~CLEARED_ATTRIBUTES) | FILE_ATTRIBUTE_ARCHIVE);
    return TRUE;
}

BOOL CreateCompilerFile(const std::string& path)
{
    return CreateEmptyOrReport(path, CREATE_COMPILER_FILE_MESSAGE);
}

BOOL CreateEmptyFile(const std::string& path)
{
    return CreateEmptyOrReport(path, CREATE_EMPTY_FILE_MESSAGE);
}

std::string GetFileExtension(const std::string& path)
{
    const int dot = ByteString::ReverseFind(path, '.');
    return dot < 0 ? "" : path.substr(size_t(dot + 1));
}

std::string RemoveFileExtension(const std::string& path)
{
    const int dot = ByteString::ReverseFind(path, '.');
    return dot < 0 ? "" : path.substr(0, size_t(dot));
}

std::string ReplaceFileExtension(const std::string& path, const std::string& extension)
{
    for (int i = int(path.size()) - 1; i >= 0; --i) {
        const char c = path[size_t(i)];
        if (IsSeparator(c))
            return "";
        if (c == '.' && (i == 0 || path[size_t(i - 1)] != '.'))
            return path.substr(0, size_t(i + 1)) + extension;
    }
    return "";
}

std::string GetFileNameFromPath(const std::string& path)
{
    return path.substr(size_t(LastSeparator(path) + 1));
}

std::string GetFolderFromPath(const std::string& path)
{
    const int separator = LastSeparator(path);
    return separator < 0 ? "" : path.substr(0, size_t(separator + 1));
}

std::string GetPOUNameFromFileName(const std::string& fileName)
{
    if (ByteString::Find(fileName, '.') < 0)
        return "";
    const std::string title = RemoveFileExtension(fileName);
    const int underscore = ByteString::Find(title, '_');
    return underscore < 0 ? "" : title.substr(size_t(underscore + 1));
}

BOOL RedirectToPreparedSource(std::string& path)
{
    if (path.empty())
        return FALSE;
    if (ByteString::Upper(GetFileExtension(path)) == "ILP")
        path = GetFolderFromPath(path) + "~" + GetFileNameFromPath(path);
    return FileExists(path);
}

BOOL IsDigitString(const std::string& text)
{
    if (text.empty())
        return FALSE;
    for (char c : text) {
        if (c < '0' || c > '9')
            return FALSE;
    }
    return TRUE;
}

int SmallDecimalNumber(const std::string& digits)
{
    if (!IsDigitString(digits) || digits.size() > 6)
        return -1;
    return std::atoi(digits.c_str());
}

BYTE ReadPOULanguageLine(const std::string& path)
{
    std::string line;
    if (!ReadFirstLine(path, line))
        return POU_LANGUAGE_UNKNOWN;
    return LanguageOfFirstLine(line);
}

BYTE POULanguageOfText(const std::string& text)
{
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return LanguageOfFirstLine(line);
}

BYTE ReadPOULanguage(const std::string& path)
{
    return ReadPOULanguageLine(path);
}

BOOL ParseMessagePosition(const std::string& line, std::string& pouName, int& number,
                          const std::function<bool(const std::string&)>& isPOUName)
{
    const std::string text = ByteString::TrimLeft(line);
    if (text.size() < 5 || text.compare(0, 5, "POU \"") != 0)
        return FALSE;
    const std::string rest = ByteString::TrimLeft(text.substr(5));
    if (rest.empty())
        return FALSE;
    const std::string rowWord = "\" (row ";
    const std::string networkWord = "\" (NetWork: ";
    const int r = ByteString::Find(rest, rowWord);
    const int n = ByteString::Find(rest, networkWord);
    if (r > 0 && (n <= 0 || r < n) && ParsePositionAt(rest, r, rowWord, isPOUName, pouName, number))
        return TRUE;
    if (n > 0 && ParsePositionAt(rest, n, networkWord, isPOUName, pouName, number))
        return TRUE;
    return FALSE;
}

BOOL ParseMessagePosition(const std::string& line, std::string& pouName, int& number)
{
    if (!g_pAppData)
        return FALSE;
    const CZULProject& project = g_pAppData->Project;
    return ParseMessagePosition(line, pouName, number,
                                [&project](const std::string& name) { return project.IsPOUName(name) != 0; });
}

BOOL ParseFindReportLine(const std::string& line, int& programKind, std::string& pouName, int& network, int& row,
                         int& column, int& itemNumber, FindReportElement& element)
{
    std::string text = ByteString::TrimLeft(line);
    // A replace report goes on after a CR with the old and new texts.
    const int cr = ByteString::Find(text, '\r');
    if (cr >= 0)
        text.resize(size_t(cr));
    const int point = ByteString::Find(text, '.');
    if (point <= 0)
        return FALSE;
    const std::string item = text.substr(0, size_t(point));
    const std::string place = ByteString::TrimLeft(text.substr(size_t(point + 1)));
    const bool il = ByteString::StartsWith(place, "IL program");
    if (!IsDigitString(item) || item.size() > 9 || (!il && !ByteString::StartsWith(place, "LD program")))
        return FALSE;

    std::string name;
    int end = 0;
    if (!QuotedText(place, 0, name, end) || ByteString::Find(place, ':', end) != end)
        return FALSE;
    if (il) {
        const int rowAt = ByteString::Find(place, "Row ", end);
        const std::string colWord = "from Col.";
        int colAt = -1;
        for (int at = ByteString::Find(place, colWord, end); at >= 0; at = ByteString::Find(place, colWord, at + 1))
            colAt = at;
        int rowValue = 0;
        int columnValue = 0;
        if (rowAt < 0 || colAt < 0 || !NumberBefore(place, rowAt + 4, ", \"", rowValue)
            || !NumberBefore(place, colAt + int(colWord.size()), ".", columnValue))
            return FALSE;
        programKind = FIND_REPORT_IL;
        row = rowValue;
        column = columnValue;
    } else {
        const std::string networkWord = "(Network:";
        const int networkAt = ByteString::Find(place, networkWord, end);
        int networkValue = 0;
        if (networkAt < 0 || !NumberBefore(place, networkAt + int(networkWord.size()), ")", networkValue))
            return FALSE;
        const int partAt = ByteString::Find(place, ')', networkAt) + 1;
        const std::string part = ByteString::TrimLeft(ByteString::Mid(place, partAt + 1));
        int positionAt = -1;
        for (int at = ByteString::Find(place, "Position(", partAt); at >= 0; at = ByteString::Find(place, "Position(", at + 1))
            positionAt = at;
        FindReportElement parsed;
        if (place.compare(size_t(partAt), 1, ",") != 0 || positionAt < 0 || !ParseLDElement(part, parsed)
            || !NumberBefore(place, positionAt + 9, ",", parsed.column)
            || !NumberBefore(place, ByteString::Find(place, ',', positionAt) + 1, ")", parsed.row))
            return FALSE;
        programKind = FIND_REPORT_LD;
        network = networkValue;
        element = parsed;
    }
    pouName = name;
    itemNumber = std::atoi(item.c_str());
    return TRUE;
}
