#include "CSourceFileCache.h"

#include "platform/FileSystem.h"

#include <utility>

CSourceFileCache::CSourceFileCache(std::string workFolder) : m_workFolder(std::move(workFolder))
{
}

const std::string* CSourceFileCache::Text(const std::string& path)
{
    auto found = m_files.find(path);
    if (found == m_files.end()) {
        CEntry entry;
        entry.readable = FileSystem::ReadFileText(path, entry.text) != FALSE;
        found = m_files.emplace(path, std::move(entry)).first;
    }
    return found->second.readable ? &found->second.text : nullptr;
}

std::string CSourceFileCache::WorkFileLocation(const std::string& path) const
{
    return m_workFolder.empty() ? path : m_workFolder + "/" + FileSystem::FileNameOf(path);
}

BOOL CSourceFileCache::WriteWorkFile(const std::string& path, const std::string& text)
{
    if (!FileSystem::WriteInPlace(WorkFileLocation(path), text)) {
        // A work copy kept elsewhere that could not be written is missing:
        // a file of that name beside the source is not this run's.
        if (m_workFolder.empty())
            m_files.erase(path);
        else
            m_files[path] = CEntry{};
        return FALSE;
    }
    m_files[path] = CEntry{true, text};
    return TRUE;
}

void CSourceFileCache::DropWorkFile(const std::string& path)
{
    const std::string location = WorkFileLocation(path);
    if (FileSystem::FileExists(location))
        FileSystem::DeleteFile(location);
    m_files[path] = CEntry{};
}

BOOL ReadSourceText(CSourceFileCache* cache, const std::string& path, std::string& text)
{
    if (!cache)
        return FileSystem::ReadFileText(path, text);
    const std::string* cached = cache->Text(path);
    if (!cached) {
        text.clear();
        return FALSE;
    }
    text = *cached;
    return TRUE;
}
