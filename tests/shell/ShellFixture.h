#pragma once
// The project commands on a fresh application data object, with a real
// settings file, a scripted main window and scripted message boxes, the
// user's data folder inside a temporary folder.

#include "IniFileProfile.h"
#include "ScriptedProjectHost.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "shell/CProjectArchive.h"
#include "shell/CProjectCommands.h"
#include "shell/CRecentFileList.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("XDG_DATA_HOME");
        m_oldDataHome = old ? old : "";
        m_hadDataHome = old != nullptr;
        ::setenv("XDG_DATA_HOME", (m_folder / "data").c_str(), 1);
        g_pAppData = m_app.get();
    }
    void TearDown() override
    {
        g_pAppData = nullptr;
        if (m_hadDataHome)
            ::setenv("XDG_DATA_HOME", m_oldDataHome.c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }

    // Creates a project through New Project at folder/name.
    void NewProject(const std::string& path)
    {
        m_host.fileAnswers.push_back(path);
        m_commands.OnNewProject();
    }
    CZULProject& Project() { return m_app->Project; }

    TempFolder m_folder;
    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app = std::make_unique<CZULAppData>();
    CProjTreeDOC m_document;
    CIniFileProfile m_profile{m_folder / "settings.ini"};
    CRecentFileList m_recent;
    CScriptedProjectHost m_host;
    CProjectCommands m_commands{*m_app, m_document, m_profile, m_recent, m_host};
    CProjectArchive m_archive{*m_app, m_profile, m_host, m_commands};

private:
    std::string m_oldDataHome;
    bool m_hadDataHome = false;
};
