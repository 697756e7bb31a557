#pragma once
// The recent-project list of the File menu: four project files, newest
// first, kept in the profile section "Recent File List" as "File1".."File4".

#include <string>
#include <vector>

class IProfile;

constexpr int RECENT_PROJECT_COUNT = 4;

class CRecentFileList {
public:
    // Adds a project file at the top; a path not ending in "qpj" (any case)
    // is ignored, an entry already listed moves to the top.
    void Add(const std::string& path);
    // Drops entry index (0 the newest); out of range does nothing.
    void Remove(int index);
    int GetSize() const { return static_cast<int>(m_entries.size()); }
    // Entry index, or "" out of range.
    std::string GetEntry(int index) const;

    void ReadList(const IProfile& profile);
    void WriteList(IProfile& profile) const;
    // From now on every change is written to the profile at once, so that a
    // program that does not end cleanly keeps the list; nullptr stops it.
    void WriteThrough(IProfile* profile) { m_writeThrough = profile; }

private:
    void Changed();

    std::vector<std::string> m_entries;
    IProfile* m_writeThrough = nullptr;
};
