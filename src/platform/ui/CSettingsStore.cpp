#include "CSettingsStore.h"

#include "QtText.h"

#include "platform/CPathProvider.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

std::vector<std::string> Sorted(const QStringList& names)
{
    std::vector<std::string> out;
    for (const QString& name : names)
        out.push_back(FromQString(name));
    std::sort(out.begin(), out.end());
    return out;
}

BOOL Commit(QSettings& settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

CSettingsStore::CSettingsStore(const std::string& filePath, const std::string& profileName)
    : m_filePath(filePath), m_profileName(profileName)
{
}

std::string CSettingsStore::ProfileFilePath(const std::string& registryKey)
{
    return CPathProvider::SettingsFolder() + "/" + registryKey + ".ini";
}

std::string CSettingsStore::Group(const std::string& section) const
{
    std::string group = section;
    std::replace(group.begin(), group.end(), '\\', '/');
    if (m_profileName.empty())
        return group;
    return group.empty() ? m_profileName : m_profileName + "/" + group;
}

std::string CSettingsStore::Key(const std::string& section, const std::string& entry) const
{
    return Group(section) + "/" + entry;
}

BOOL CSettingsStore::WriteString(const std::string& section, const std::string& entry, const std::string& value) const
{
    if (entry.empty() || !QDir().mkpath(QFileInfo(ToQString(m_filePath)).absolutePath()))
        return FALSE;
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    settings.setValue(ToQString(Key(section, entry)), ToQString(value));
    return Commit(settings);
}

BOOL CSettingsStore::WriteInt(const std::string& section, const std::string& entry, int value) const
{
    return WriteString(section, entry, std::to_string(value));
}

BOOL CSettingsStore::WriteBinary(const std::string& section, const std::string& entry,
                                 const std::vector<BYTE>& data) const
{
    if (entry.empty() || !QDir().mkpath(QFileInfo(ToQString(m_filePath)).absolutePath()))
        return FALSE;
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    settings.setValue(ToQString(Key(section, entry)), bytes);
    return Commit(settings);
}

BOOL CSettingsStore::ReadString(const std::string& section, const std::string& entry, std::string* value) const
{
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    QVariant stored = settings.value(ToQString(Key(section, entry)));
    if (!stored.isValid() || stored.typeId() == QMetaType::QByteArray)
        return FALSE;
    // A value with a comma comes back as a list; its text is the original line.
    if (stored.typeId() == QMetaType::QStringList)
        *value = FromQString(stored.toStringList().join(QStringLiteral(", ")));
    else
        *value = FromQString(stored.toString());
    return TRUE;
}

std::string CSettingsStore::GetString(const std::string& section, const std::string& entry,
                                      const std::string& defaultValue) const
{
    std::string value;
    return ReadString(section, entry, &value) ? value : defaultValue;
}

int CSettingsStore::GetInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    std::string text;
    if (!ReadString(section, entry, &text) || text.empty())
        return defaultValue;
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

BOOL CSettingsStore::ReadBinary(const std::string& section, const std::string& entry, std::vector<BYTE>* data) const
{
    data->clear();
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    QVariant stored = settings.value(ToQString(Key(section, entry)));
    if (stored.typeId() != QMetaType::QByteArray)
        return FALSE;
    QByteArray bytes = stored.toByteArray();
    data->assign(bytes.begin(), bytes.end());
    return TRUE;
}

BOOL CSettingsStore::HasSection(const std::string& section) const
{
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    settings.beginGroup(ToQString(Group(section)));
    return settings.allKeys().isEmpty() ? FALSE : TRUE;
}

BOOL CSettingsStore::HasEntry(const std::string& section, const std::string& entry) const
{
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    return settings.contains(ToQString(Key(section, entry)));
}

std::vector<std::string> CSettingsStore::GetEntries(const std::string& section) const
{
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    settings.beginGroup(ToQString(Group(section)));
    return Sorted(settings.childKeys());
}

std::vector<std::string> CSettingsStore::GetSubSections(const std::string& section) const
{
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    settings.beginGroup(ToQString(Group(section)));
    return Sorted(settings.childGroups());
}

BOOL CSettingsStore::DeleteEntry(const std::string& section, const std::string& entry) const
{
    if (!HasEntry(section, entry))
        return FALSE;
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    settings.remove(ToQString(Key(section, entry)));
    return Commit(settings);
}

BOOL CSettingsStore::DeleteSection(const std::string& section) const
{
    if (!HasSection(section))
        return FALSE;
    QSettings settings(ToQString(m_filePath), QSettings::IniFormat);
    settings.remove(ToQString(Group(section)));
    return Commit(settings);
}
