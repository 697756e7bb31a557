#pragma once
// The application object: the last stop of the command routing, the first
// filter of every queued key and mouse message, the main window, and the
// profile (registry key and profile name) that the settings store keeps.

#include "platform/ui/CCmdTarget.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class CSettingsStore;
class CWnd;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The first application object constructed becomes the one AfxGetApp returns.
    explicit CWinApp(const std::string& appName = {});
    ~CWinApp() override;

    // Pre-translation of a queued message: the base walks from the
    // message's window up to its top-level window.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // What the message loop calls: the application's filter when there is
    // an application object, else the walk.
    static BOOL PreTranslate(MSG* msg);

    CWnd* GetMainWnd() const;
    void SetMainWnd(CWnd* wnd);
    const std::string& GetAppName() const { return m_appName; }

    // The profile lives in the settings store <registry key>.ini, under the
    // profile name (the application's name unless set otherwise).
    void SetRegistryKey(const std::string& key);
    const std::string& GetRegistryKey() const { return m_registryKey; }
    void SetProfileName(const std::string& name);
    const std::string& GetProfileName() const { return m_profileName; }

    // Profile values; without a registry key reads give the default and writes fail.
    int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const;
    BOOL WriteProfileInt(const std::string& section, const std::string& entry, int value) const;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = {}) const;
    BOOL WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) const;
    BOOL GetProfileBinary(const std::string& section, const std::string& entry, std::vector<BYTE>* data) const;
    BOOL WriteProfileBinary(const std::string& section, const std::string& entry, const std::vector<BYTE>& data) const;
    // Writes the profile's pending values to the disk now (at exit); TRUE when nothing is left pending.
    BOOL FlushProfile() const;
    // The profile's store, kept while the application lives so that the
    // writes of everyone who keeps settings in the profile reach the disk
    // together; null without a registry key.
    const CSettingsStore* GetProfileStore() const;

private:
    BOOL TranslateForMainWnd(MSG* msg) const;

    std::string m_appName;
    std::string m_registryKey;
    std::string m_profileName;
    QPointer<CWnd> m_mainWnd;
    mutable std::unique_ptr<CSettingsStore> m_profileStore;
};

CWinApp* AfxGetApp();
