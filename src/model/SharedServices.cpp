#include "SharedServices.h"

#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const CAPTION_COMM_ERROR = "Communication error";
const char* const CAPTION_NOTE = "Note";
const char* const CHECK_LINE = "\r\nCheck the port, communication parameters and the attached cable.";

struct CommErrorText {
    int result;
    bool note;
    const char* text;
    bool checkLine;
};

const CommErrorText COMM_ERROR_TEXTS[] = {
    {1, false, "Communication time-out.", true},
    {3, false, "PLC responsed wrongly.", true},
    {4, false, "PLC responsed wrongly.", true},
    {5, false, "Transmission failed. ", true},
    {6, false, "Receiving data failed.", true},
    {7, false, "Received data error (CRC check). ", true},
    {11, false, "Parity error or Framing error.", true},
    {13, false, "The specified communication port is not open", false},
    {16, true, "Wrong password.", false},
    {17, true, "Wrong password.", false},
    {18, true, "Current operation need a password, current operation canceled.", false},
    {19, true, "The PLC was set to \"upload disabled\".", false},
};

constexpr DWORD CLEARED_ATTRIBUTES = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

void MakeDeletable(const std::string& path)
{
    const DWORD attributes = FileSystem::GetAttributes(path);
    if (attributes != 0xFFFFFFFF)
        FileSystem::SetAttributes(path, (attributes & ~CLEARED_ATTRIBUTES) | FILE_ATTRIBUTE_ARCHIVE);
}

bool IsRealFolder(const fs::path& native)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(native, ec);
    return !ec && fs::is_directory(status);
}

// Empties one folder: files first (sub-folders emptied the same way), then
// the direct sub-folders are removed.
bool EmptyFolder(const std::string& folder)
{
    const std::string existing = FileSystem::FindExisting(folder);
    if (existing.empty() || !IsRealFolder(FileSystem::ToNative(existing)))
        return false;
    std::vector<std::string> subFolders;
    for (const CFileEntry& entry : FileSystem::ListFolder(existing)) {
        const std::string path = FileSystem::JoinPath(existing, entry.name);
        if (IsRealFolder(FileSystem::ToNative(path))) {
            if (!EmptyFolder(path))
                return false;
            subFolders.push_back(path);
            continue;
        }
        MakeDeletable(path);
        std::error_code ec;
        fs::remove(FileSystem::ToNative(path), ec);
    }
    for (const std::string& path : subFolders) {
        MakeDeletable(path);
        std::error_code ec;
        fs::remove(FileSystem::ToNative(path), ec);
    }
    return true;
}

bool IsFolderSeparator(char c)
{
    return c == '/' || c == '\\';
}

} // namespace

void GetCommErrorText(int result, std::string& caption, std::string& text, UINT& icon)
{
    for (const CommErrorText& row : COMM_ERROR_TEXTS) {
        if (row.result != result)
            continue;
        caption = row.note ? CAPTION_NOTE : CAPTION_COMM_ERROR;
        icon = row.note ? MB_ICONINFORMATION : MB_ICONERROR;
        text = std::string(row.text) + (row.checkLine ? CHECK_LINE : "");
        return;
    }
    caption = CAPTION_COMM_ERROR;
    icon = MB_ICONERROR;
    text = std::string("Communication error.") + CHECK_LINE;
}

void ShowCommError(void*, int show, char, int result)
{
    if (show != 1)
        return;
    std::string caption;
    std::string text;
    UINT icon = 0;
    GetCommErrorText(result, caption, text, icon);
    ShowMessage(caption, text, MB_OK | icon);
}

BOOL DeleteFolderTree(const std::string& folder)
{
    return EmptyFolder(folder) ? TRUE : FALSE;
}

std::string RemoveSpacesFromFileTitle(const std::string& path)
{
    int folderEnd = -1;
    for (int i = int(path.size()) - 1; i >= 0; --i) {
        if (IsFolderSeparator(path[size_t(i)])) {
            folderEnd = i;
            break;
        }
    }
    const int dot = ByteString::ReverseFind(path, '.');
    if (dot < 0 || dot <= folderEnd)
        return "";
    const std::string folderPart = path.substr(0, size_t(folderEnd + 1));
    std::string title = ByteString::Trim(path.substr(size_t(folderEnd + 1), size_t(dot - folderEnd - 1)));
    if (title.empty())
        return "";
    ByteString::Remove(title, ' ');
    return folderPart + title + path.substr(size_t(dot));
}

std::string GetTimestampString()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return ByteString::Format("%d-%d-%d-%d-%d-%d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour, local.tm_min, local.tm_sec);
}
