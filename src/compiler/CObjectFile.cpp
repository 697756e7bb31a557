#include "CObjectFile.h"

#include "platform/FileSystem.h"

std::FILE* CObjectFile::s_file = nullptr;
BOOL CObjectFile::s_writeFailed = FALSE;

BOOL CObjectFile::Open(const std::string& path)
{
    Close();
    s_writeFailed = FALSE;
    const std::string existing = FileSystem::FindExisting(path);
    if (existing.empty())
        return FALSE;
    s_file = std::fopen(FileSystem::ToNative(existing).c_str(), "r+b");
    if (!s_file)
        return FALSE;
    // Appends go on from the end; nothing reads the file while it is open, so
    // the stream buffers them and the close writes the rest.
    if (std::fseek(s_file, 0, SEEK_END) != 0)
        s_writeFailed = TRUE;
    return TRUE;
}

void CObjectFile::Close()
{
    if (!s_file)
        return;
    if (std::fclose(s_file) != 0)
        s_writeFailed = TRUE;
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
    const bool written = std::fwrite(bytes, 1, size_t(count), s_file) == size_t(count);
    if (!written)
        s_writeFailed = TRUE;
    return written ? TRUE : FALSE;
}

BOOL CObjectFile::WriteFailed()
{
    return s_writeFailed;
}
