#include "CCompileMessageList.h"

#include "platform/FileSystem.h"

std::FILE* CCompileMessageList::s_file = nullptr;

BOOL CCompileMessageList::Open(const std::string& path)
{
    Close();
    if (path.empty())
        return FALSE;
    std::string existing = FileSystem::FindExisting(path);
    if (existing.empty())
        existing = path;
    s_file = std::fopen(FileSystem::ToNative(existing).c_str(), "ab");
    return s_file != nullptr;
}

void CCompileMessageList::Close()
{
    if (!s_file)
        return;
    std::fclose(s_file);
    s_file = nullptr;
}

BOOL CCompileMessageList::IsOpen()
{
    return s_file != nullptr;
}

BOOL CCompileMessageList::Append(const std::string& line)
{
    if (!s_file)
        return FALSE;
    const std::string text = line + "\r\n";
    return std::fwrite(text.data(), 1, text.size(), s_file) == text.size();
}
