#pragma once
// The application's profile as the workbench's Qt-free code reads and
// writes it: the settings store of the application object's registry key.

#include "shell/IProfile.h"

class CWinApp;

class CWinAppProfile : public IProfile {
public:
    explicit CWinAppProfile(CWinApp& app) : m_app(app) {}

    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const override;
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value) override;

private:
    CWinApp& m_app;
};
