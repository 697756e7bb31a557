#include "shell/ui/CWinAppProfile.h"

#include "platform/ui/CWinApp.h"

std::string CWinAppProfile::GetProfileString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue) const
{
    return m_app.GetProfileString(section, key, defaultValue);
}

bool CWinAppProfile::WriteProfileString(const std::string& section, const std::string& key,
                                        const std::string& value)
{
    return m_app.WriteProfileString(section, key, value) != FALSE;
}
