#include "CObjectFile.h"

#include "platform/FileSystem.h"

std::FILE* CObjectFile::s_file = nullptr;

BOOL CObjectFile::Open(const std::string& path)
{
    Close();
    const std::string existing = FileSystem::FindExisting(path);
    if (existing.empty())
        return FALSE;
    s_file = std::fopen(FileSystem::ToNative(existing).c_str(), "r+b");
    return s_file != nullptr;
}

void CObjectFile::Close()
{
    if (!s_file)
        return;
    std::fclose(s_file);
    s_file = nullptr;
}

BOOL CObjectFile::IsOpen()
{
    return s_file != nullptr;
}

BOOL CObjectFile::Append(const BYTE* bytes, int count)
{
    if (!s_file || !bytes || count < 0)
        return FALSE;
    if (std::fseek(s_file, 0, SEEK_END) != 0)
        return FALSE;
    if (std::fwrite(bytes, 1, size_t(count), s_file) != size_t(count))
        return FALSE;
    return std::fflush(s_file) == 0;
}
