#include "CWinApp.h"

#include "CSettingsStore.h"
#include "CWnd.h"

namespace {

CWinApp* s_app = nullptr;

} // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

CWinApp::CWinApp(const std::string& appName) : m_appName(appName), m_profileName(appName)
{
    if (!s_app)
        s_app = this;
}

CWinApp::~CWinApp()
{
    if (s_app == this)
        s_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return s_app;
}

CWnd* CWinApp::GetMainWnd() const
{
    return m_mainWnd;
}

void CWinApp::SetMainWnd(CWnd* wnd)
{
    m_mainWnd = wnd;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    if (CWnd::WalkPreTranslateTree(msg))
        return TRUE;
    return TranslateForMainWnd(msg);
}

BOOL CWinApp::TranslateForMainWnd(MSG* msg) const
{
    // Floating panes and bars are tool windows of their own: the main
    // window's accelerators are the last chance for their keys.
    if (msg->message < WM_KEYDOWN || msg->message > WM_SYSKEYUP || !msg->hwnd)
        return FALSE;
    CWnd* main = GetMainWnd();
    QWidget* top = msg->hwnd->window();
    if (!main || top == main || top->windowType() != Qt::Tool)
        return FALSE;
    return main->PreTranslateMessage(msg);
}

BOOL CWinApp::PreTranslate(MSG* msg)
{
    if (s_app)
        return s_app->PreTranslateMessage(msg);
    return CWnd::WalkPreTranslateTree(msg);
}

void CWinApp::SetRegistryKey(const std::string& key)
{
    m_registryKey = key;
    m_profileStore.reset();
}

void CWinApp::SetProfileName(const std::string& name)
{
    m_profileName = name;
    m_profileStore.reset();
}

const CSettingsStore* CWinApp::GetProfileStore() const
{
    if (m_registryKey.empty())
        return nullptr;
    // The settings folder follows $XDG_CONFIG_HOME as it is now.
    const std::string path = CSettingsStore::ProfileFilePath(m_registryKey);
    if (!m_profileStore || m_profileStore->GetFilePath() != path)
        m_profileStore = std::make_unique<CSettingsStore>(path, m_profileName);
    return m_profileStore.get();
}

int CWinApp::GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    const CSettingsStore* store = GetProfileStore();
    return store ? store->GetInt(section, entry, defaultValue) : defaultValue;
}

BOOL CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) const
{
    const CSettingsStore* store = GetProfileStore();
    return store ? store->WriteInt(section, entry, value) : FALSE;
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                      const std::string& defaultValue) const
{
    const CSettingsStore* store = GetProfileStore();
    return store ? store->GetString(section, entry, defaultValue) : defaultValue;
}

BOOL CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) const
{
    const CSettingsStore* store = GetProfileStore();
    return store ? store->WriteString(section, entry, value) : FALSE;
}

BOOL CWinApp::GetProfileBinary(const std::string& section, const std::string& entry, std::vector<BYTE>* data) const
{
    const CSettingsStore* store = GetProfileStore();
    return store ? store->ReadBinary(section, entry, data) : FALSE;
}

BOOL CWinApp::WriteProfileBinary(const std::string& section, const std::string& entry,
                                 const std::vector<BYTE>& data) const
{
    const CSettingsStore* store = GetProfileStore();
    return store ? store->WriteBinary(section, entry, data) : FALSE;
}

BOOL CWinApp::FlushProfile() const
{
    return m_profileStore ? m_profileStore->Flush() : TRUE;
}
