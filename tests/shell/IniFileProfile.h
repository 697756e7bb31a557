#pragma once
// A profile over a real INI file for tests: every read parses the file
// afresh and every write rewrites it, so what a test checks is what is on
// disk. Sections and keys keep their order of first writing.

#include "shell/IProfile.h"

#include <string>
#include <utility>
#include <vector>

class CIniFileProfile : public IProfile {
public:
    explicit CIniFileProfile(std::string path) : m_path(std::move(path)) {}

    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const override;
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value) override;

    bool Has(const std::string& section, const std::string& key) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };
    std::vector<Section> Read() const;

    std::string m_path;
};
