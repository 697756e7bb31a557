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

int CWinApp::GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    if (m_registryKey.empty())
        return defaultValue;
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName)
        .GetInt(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) const
{
    if (m_registryKey.empty())
        return FALSE;
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName).WriteInt(section, entry, value);
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                      const std::string& defaultValue) const
{
    if (m_registryKey.empty())
        return defaultValue;
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName)
        .GetString(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) const
{
    if (m_registryKey.empty())
        return FALSE;
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName)
        .WriteString(section, entry, value);
}

BOOL CWinApp::GetProfileBinary(const std::string& section, const std::string& entry, std::vector<BYTE>* data) const
{
    if (m_registryKey.empty())
        return FALSE;
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName)
        .ReadBinary(section, entry, data);
}

BOOL CWinApp::WriteProfileBinary(const std::string& section, const std::string& entry,
                                 const std::vector<BYTE>& data) const
{
    if (m_registryKey.empty())
        return FALSE;
    return CSettingsStore(CSettingsStore::ProfileFilePath(m_registryKey), m_profileName)
        .WriteBinary(section, entry, data);
}
