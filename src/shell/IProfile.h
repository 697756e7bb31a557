#pragma once
// The application profile: string values by section and key. The window
// layer implements it over its settings file; the Qt-free workbench code
// reads and writes its settings only through it.

#include <string>

class IProfile {
public:
    virtual ~IProfile() = default;
    // The stored text, or defaultValue when the key is missing.
    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const = 0;
    // TRUE-like result: false when the value could not be written.
    virtual bool WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
};
