#include "CSourceFileCache.h"

#include "platform/FileSystem.h"

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

BOOL CSourceFileCache::WriteWorkFile(const std::string& path, const std::string& text)
{
    if (!FileSystem::WriteInPlace(path, text)) {
        m_files.erase(path);
        return FALSE;
    }
    m_files[path] = CEntry{true, text};
    return TRUE;
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
