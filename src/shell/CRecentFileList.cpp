#include "CRecentFileList.h"

#include "IProfile.h"
#include "platform/ByteString.h"

#include <algorithm>

namespace {

const char* const kSection = "Recent File List";
const char* const kProjectExtension = "qpj";
constexpr std::size_t kExtensionLength = 3;

std::string EntryKey(int index)
{
    return ByteString::Format("File%d", index + 1);
}

bool IsProjectFile(const std::string& path)
{
    if (path.size() < kExtensionLength)
        return false;
    return ByteString::Lower(path.substr(path.size() - kExtensionLength)) == kProjectExtension;
}

} // namespace

void CRecentFileList::Add(const std::string& path)
{
    if (!IsProjectFile(path))
        return;
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > RECENT_PROJECT_COUNT)
        m_entries.resize(RECENT_PROJECT_COUNT);
    Changed();
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= GetSize())
        return;
    m_entries.erase(m_entries.begin() + index);
    Changed();
}

void CRecentFileList::Changed()
{
    if (m_writeThrough)
        WriteList(*m_writeThrough);
}

std::string CRecentFileList::GetEntry(int index) const
{
    if (index < 0 || index >= GetSize())
        return {};
    return m_entries[index];
}

void CRecentFileList::ReadList(const IProfile& profile)
{
    m_entries.clear();
    for (int k = 0; k < RECENT_PROJECT_COUNT; ++k) {
        const std::string path = profile.GetProfileString(kSection, EntryKey(k), "");
        if (!path.empty())
            m_entries.push_back(path);
    }
}

void CRecentFileList::WriteList(IProfile& profile) const
{
    for (int k = 0; k < RECENT_PROJECT_COUNT; ++k)
        profile.WriteProfileString(kSection, EntryKey(k), GetEntry(k));
}
