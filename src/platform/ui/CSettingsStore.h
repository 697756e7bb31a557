#pragma once
// The program's settings: one INI file in place of the registry profile,
// with the profile's section and value names. Sections may have subsections
// ("DockingPaneLayouts\ZULNormalLayout"); values are strings (GBK in the
// program, UTF-8 in the file), integers (decimal text) and byte arrays.
// Reading never creates the file or a section.
//
// Writes are held in memory and reach the disk together, in one durable
// write (a temporary file beside the settings file, synced, then renamed
// over it): a short while after the first pending write, on Flush, and when
// the store goes. Reads see pending writes. Stores on one file in the
// program share what is pending, so they always agree.

#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class QSettings;
class QTimer;

class CSettingsStore {
public:
    // How long a write may wait for the next ones before the store writes the file.
    static constexpr int kFlushDelayMs = 500;

    // filePath: the INI file (GBK, as every path of the program); profileName: the top section
    // every section lies under ("" none).
    CSettingsStore(const std::string& filePath, const std::string& profileName);
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    // The settings file of a registry key: $XDG_CONFIG_HOME/OrvelBuilder/<key>.ini.
    static std::string ProfileFilePath(const std::string& registryKey);
    const std::string& GetFilePath() const { return m_filePath; }

    // FALSE when the entry is empty or the file's folder cannot be made.
    BOOL WriteString(const std::string& section, const std::string& entry, const std::string& value) const;
    BOOL WriteInt(const std::string& section, const std::string& entry, int value) const;
    BOOL WriteBinary(const std::string& section, const std::string& entry, const std::vector<BYTE>& data) const;

    // FALSE when the value is missing or is a byte array.
    BOOL ReadString(const std::string& section, const std::string& entry, std::string* value) const;
    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& defaultValue = {}) const;
    // The default when the value is missing or is not a whole decimal number.
    int GetInt(const std::string& section, const std::string& entry, int defaultValue) const;
    // FALSE (data emptied) when the value is missing or is not a byte array.
    BOOL ReadBinary(const std::string& section, const std::string& entry, std::vector<BYTE>* data) const;

    BOOL HasSection(const std::string& section) const;
    BOOL HasEntry(const std::string& section, const std::string& entry) const;
    // Value names of a section, and names of its subsections, sorted.
    std::vector<std::string> GetEntries(const std::string& section) const;
    std::vector<std::string> GetSubSections(const std::string& section) const;

    // FALSE when there was nothing to delete or the file's folder cannot be made.
    BOOL DeleteEntry(const std::string& section, const std::string& entry) const;
    // Deletes the section with its values and subsections.
    BOOL DeleteSection(const std::string& section) const;

    // Writes what is pending now. FALSE when the file could not be written;
    // the values stay pending and the next flush tries again.
    BOOL Flush() const;
    BOOL HasPendingWrites() const { return m_pending ? TRUE : FALSE; }

private:
    std::string Group(const std::string& section) const;
    std::string Key(const std::string& section, const std::string& entry) const;
    // The file's folder, made once per store and again before each flush.
    BOOL MakeFolder(bool always) const;
    // Schedules the flush; without an event loop to wait in, flushes at once.
    BOOL MarkPending() const;

    std::string m_filePath;
    std::string m_profileName;
    mutable std::unique_ptr<QSettings> m_settings;
    mutable std::unique_ptr<QTimer> m_flushTimer;
    mutable bool m_pending = false;
    mutable bool m_folderMade = false;
    mutable bool m_flushFailed = false;
};
