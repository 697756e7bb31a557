#pragma once
// Writes strings and byte arrays into the application's profile, like the
// application's own profile functions, or into an INI file when one is
// named; byte arrays in an INI file become letters, two per byte.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CTKProfileRegistry {
public:
    // An empty INI file name writes to the profile of the registry key.
    CTKProfileRegistry(const std::string& registryKey, const std::string& profileName,
                       const std::string& iniFile = {});
    virtual ~CTKProfileRegistry() = default;

    // A null entry deletes the section, a null value the entry.
    BOOL WriteProfileString(const std::string& section, const char* entry, const char* value) const;
    BOOL WriteProfileBinary(const std::string& section, const std::string& entry, const std::vector<BYTE>& data) const;

    // The letters of bytes in INI mode: 'A' + low four bits, then 'A' + high four bits.
    static std::string BytesToLetters(const std::vector<BYTE>& data);

private:
    std::string m_registryKey;
    std::string m_profileName;
    std::string m_iniFile;
};
