#include "toolkit/commandbars/CTKProfileRegistry.h"

#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWinApp.h"

namespace {

constexpr BYTE kNibbleMask = 0x0F;
constexpr int kNibbleBits = 4;

// The application's own store when the profile is the application's, so
// that these writes reach the disk with the application's; else nullptr.
const CSettingsStore* ApplicationStore(const std::string& registryKey, const std::string& profileName)
{
    const CWinApp* app = AfxGetApp();
    if (!app || app->GetRegistryKey() != registryKey || app->GetProfileName() != profileName)
        return nullptr;
    return app->GetProfileStore();
}

BOOL WriteString(const CSettingsStore& store, const std::string& section, const char* entry, const char* value)
{
    if (!entry)
        return store.DeleteSection(section);
    if (!value)
        return store.DeleteEntry(section, entry);
    return store.WriteString(section, entry, value);
}

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
    if (m_iniFile.empty()) {
        if (const CSettingsStore* store = ApplicationStore(m_registryKey, m_profileName))
            return WriteString(*store, section, entry, value);
    }
    const CSettingsStore store(m_iniFile.empty() ? CSettingsStore::ProfileFilePath(m_registryKey) : m_iniFile,
                               m_iniFile.empty() ? m_profileName : std::string());
    return WriteString(store, section, entry, value);
}

BOOL CTKProfileRegistry::WriteProfileBinary(const std::string& section, const std::string& entry,
                                            const std::vector<BYTE>& data) const
{
    if (!m_iniFile.empty())
        return WriteProfileString(section, entry.c_str(), BytesToLetters(data).c_str());
    if (m_registryKey.empty())
        return FALSE;
    if (const CSettingsStore* store = ApplicationStore(m_registryKey, m_profileName))
        return store->WriteBinary(section, entry, data);
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName)
        .WriteBinary(section, entry, data);
}
