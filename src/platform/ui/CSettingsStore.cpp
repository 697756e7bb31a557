#include "CSettingsStore.h"

#include "QtText.h"

#include "platform/CPathProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QSettings>
#include <QThread>
#include <QTimer>

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

// A timer needs the event loop of the thread the application runs on.
bool CanDeferWrites()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
}

} // namespace

CSettingsStore::CSettingsStore(const std::string& filePath, const std::string& profileName)
    : m_filePath(filePath),
      m_profileName(profileName),
      m_settings(std::make_unique<QSettings>(ToQString(filePath), QSettings::IniFormat))
{
}

CSettingsStore::~CSettingsStore()
{
    Flush();
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

BOOL CSettingsStore::MakeFolder(bool always) const
{
    if (m_folderMade && !always)
        return TRUE;
    m_folderMade = QDir().mkpath(QFileInfo(ToQString(m_filePath)).absolutePath());
    return m_folderMade ? TRUE : FALSE;
}

BOOL CSettingsStore::MarkPending() const
{
    // The settings object would write the file at the next turn of the event
    // loop; the store's own timer lets a burst of writes become one write.
    QCoreApplication::removePostedEvents(m_settings.get(), QEvent::UpdateRequest);
    m_pending = true;
    if (!CanDeferWrites())
        return Flush();
    if (!m_flushTimer) {
        m_flushTimer = std::make_unique<QTimer>();
        m_flushTimer->setSingleShot(true);
        m_flushTimer->setInterval(kFlushDelayMs);
        QObject::connect(m_flushTimer.get(), &QTimer::timeout, [this] { Flush(); });
    }
    if (!m_flushTimer->isActive())
        m_flushTimer->start();
    return TRUE;
}

BOOL CSettingsStore::Flush() const
{
    if (m_flushTimer)
        m_flushTimer->stop();
    if (!m_pending)
        return TRUE;
    if (!MakeFolder(true))
        return FALSE;
    // A settings object keeps the error of a failed write for good; a fresh
    // one on the same file takes over the values still pending and retries.
    if (m_flushFailed)
        m_settings = std::make_unique<QSettings>(ToQString(m_filePath), QSettings::IniFormat);
    m_settings->sync();
    m_flushFailed = m_settings->status() != QSettings::NoError;
    if (m_flushFailed)
        return FALSE;
    m_pending = false;
    return TRUE;
}

BOOL CSettingsStore::WriteString(const std::string& section, const std::string& entry, const std::string& value) const
{
    if (entry.empty() || !MakeFolder(false))
        return FALSE;
    m_settings->setValue(ToQString(Key(section, entry)), ToQString(value));
    return MarkPending();
}

BOOL CSettingsStore::WriteInt(const std::string& section, const std::string& entry, int value) const
{
    return WriteString(section, entry, std::to_string(value));
}

BOOL CSettingsStore::WriteBinary(const std::string& section, const std::string& entry,
                                 const std::vector<BYTE>& data) const
{
    if (entry.empty() || !MakeFolder(false))
        return FALSE;
    QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    m_settings->setValue(ToQString(Key(section, entry)), bytes);
    return MarkPending();
}

BOOL CSettingsStore::ReadString(const std::string& section, const std::string& entry, std::string* value) const
{
    QVariant stored = m_settings->value(ToQString(Key(section, entry)));
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
    QVariant stored = m_settings->value(ToQString(Key(section, entry)));
    if (stored.typeId() != QMetaType::QByteArray)
        return FALSE;
    QByteArray bytes = stored.toByteArray();
    data->assign(bytes.begin(), bytes.end());
    return TRUE;
}

BOOL CSettingsStore::HasSection(const std::string& section) const
{
    m_settings->beginGroup(ToQString(Group(section)));
    const bool empty = m_settings->allKeys().isEmpty();
    m_settings->endGroup();
    return empty ? FALSE : TRUE;
}

BOOL CSettingsStore::HasEntry(const std::string& section, const std::string& entry) const
{
    return m_settings->contains(ToQString(Key(section, entry)));
}

std::vector<std::string> CSettingsStore::GetEntries(const std::string& section) const
{
    m_settings->beginGroup(ToQString(Group(section)));
    std::vector<std::string> names = Sorted(m_settings->childKeys());
    m_settings->endGroup();
    return names;
}

std::vector<std::string> CSettingsStore::GetSubSections(const std::string& section) const
{
    m_settings->beginGroup(ToQString(Group(section)));
    std::vector<std::string> names = Sorted(m_settings->childGroups());
    m_settings->endGroup();
    return names;
}

BOOL CSettingsStore::DeleteEntry(const std::string& section, const std::string& entry) const
{
    if (!HasEntry(section, entry) || !MakeFolder(false))
        return FALSE;
    m_settings->remove(ToQString(Key(section, entry)));
    return MarkPending();
}

BOOL CSettingsStore::DeleteSection(const std::string& section) const
{
    if (!HasSection(section) || !MakeFolder(false))
        return FALSE;
    m_settings->remove(ToQString(Group(section)));
    return MarkPending();
}
