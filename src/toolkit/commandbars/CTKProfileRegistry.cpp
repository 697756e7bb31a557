#include "toolkit/commandbars/CTKProfileRegistry.h"

#include "platform/ui/CSettingsStore.h"

namespace {

constexpr BYTE kNibbleMask = 0x0F;
constexpr int kNibbleBits = 4;

} // namespace

CTKProfileRegistry::CTKProfileRegistry(const std::string& registryKey, const std::string& profileName,
                                       const std::string& iniFile)
    : m_registryKey(registryKey), m_profileName(profileName), m_iniFile(iniFile)
{
}

std::string CTKProfileRegistry::BytesToLetters(const std::vector<BYTE>& data)
{
    std::string letters;
    letters.reserve(data.size() * 2);
    for (BYTE byte : data) {
        letters.push_back(static_cast<char>('A' + (byte & kNibbleMask)));
        letters.push_back(static_cast<char>('A' + ((byte >> kNibbleBits) & kNibbleMask)));
    }
    return letters;
}

BOOL CTKProfileRegistry::WriteProfileString(const std::string& section, const char* entry, const char* value) const
{
    if (m_iniFile.empty() && m_registryKey.empty())
        return FALSE;
    const CSettingsStore store(m_iniFile.empty() ? CSettingsStore::ProfileFilePath(m_registryKey) : m_iniFile,
                               m_iniFile.empty() ? m_profileName : std::string());
    if (!entry)
        return store.DeleteSection(section);
    if (!value)
        return store.DeleteEntry(section, entry);
    return store.WriteString(section, entry, value);
}

BOOL CTKProfileRegistry::WriteProfileBinary(const std::string& section, const std::string& entry,
                                            const std::vector<BYTE>& data) const
{
    if (!m_iniFile.empty())
        return WriteProfileString(section, entry.c_str(), BytesToLetters(data).c_str());
    if (m_registryKey.empty())
        return FALSE;
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName)
        .WriteBinary(section, entry, data);
}
