#include "IniFileProfile.h"

#include <fstream>
#include <sstream>

std::vector<CIniFileProfile::Section> CIniFileProfile::Read() const
{
    std::vector<Section> sections;
    std::ifstream in(m_path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || sections.empty())
            continue;
        sections.back().values.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return sections;
}

std::string CIniFileProfile::GetProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue) const
{
    for (const Section& s : Read()) {
        if (s.name != section)
            continue;
        for (const auto& [name, value] : s.values) {
            if (name == key)
                return value;
        }
    }
    return defaultValue;
}

bool CIniFileProfile::Has(const std::string& section, const std::string& key) const
{
    const std::string missing = "\x01missing";
    return GetProfileString(section, key, missing) != missing;
}

bool CIniFileProfile::WriteProfileString(const std::string& section, const std::string& key,
                                         const std::string& value)
{
    std::vector<Section> sections = Read();
    Section* target = nullptr;
    for (Section& s : sections) {
        if (s.name == section)
            target = &s;
    }
    if (!target) {
        sections.push_back({section, {}});
        target = &sections.back();
    }
    bool replaced = false;
    for (auto& entry : target->values) {
        if (entry.first == key) {
            entry.second = value;
            replaced = true;
        }
    }
    if (!replaced)
        target->values.emplace_back(key, value);
    std::ostringstream text;
    for (const Section& s : sections) {
        text << '[' << s.name << "]\n";
        for (const auto& [name, v] : s.values)
            text << name << '=' << v << '\n';
    }
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    out << text.str();
    return static_cast<bool>(out.flush());
}
