#pragma once
// The workbench started as the program starts it, offscreen, with its
// settings and data folders inside a temporary folder and scripted message
// boxes; TearDown closes what is left and runs the exit. Its serial port is
// a pseudo-terminal of the fixture's own on which no PLC answers, with the
// link's short lock waits, settle times and reply time-outs; a test that
// needs a PLC points the port at the simulator.

#include "model/CZULAppData.h"
#include "model/SharedStrings.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CSettingsStore.h"
#include "platform/ui/CWnd.h"
#include "plclink/LinkTestSupport.h"
#include "plclink/ui/RegisterPlclinkUiClasses.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CZULApp.h"
#include "shell/ui/RegisterShellUiClasses.h"
#include "support/CPseudoTerminal.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "toolkit/commandbars/RegisterToolkitCommandBarsClasses.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class WorkbenchFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(RegisterToolkitCommandBarsClasses(&error) && RegisterPlclinkUiClasses(&error)
                    && RegisterShellUiClasses(&error))
            << error;
        Redirect("XDG_CONFIG_HOME", m_folder / "config", m_oldConfig);
        Redirect("XDG_DATA_HOME", m_folder / "data", m_oldData);
        ASSERT_TRUE(m_silentLine.Open());
    }

    void TearDown() override
    {
        Stop();
        Restore("XDG_CONFIG_HOME", m_oldConfig);
        Restore("XDG_DATA_HOME", m_oldData);
    }

    // Starts without the splash picture unless the arguments ask otherwise.
    void Start(std::vector<std::string> args = {"--no-splash"})
    {
        m_app = std::make_unique<CZULApp>();
        ASSERT_TRUE(m_app->InitInstance(args));
        m_frame = m_app->GetMainFrame();
        ASSERT_NE(m_frame, nullptr);
        // After the start-up, which reads the port from the settings.
        m_port.reset();
        m_port.emplace(m_silentLine.SlavePath(), kLinkBaudRate, kShortWaitsAndReplies);
    }

    // The frame goes without asking (as after a refused close nothing is
    // left to ask), then the exit runs.
    void Stop()
    {
        if (!m_app)
            return;
        if (m_frame)
            m_frame->DestroyWindow();
        m_app->ExitInstance();
        m_app.reset();
        m_port.reset();
    }

    CZULAppData& App() { return *m_app->GetAppData(); }
    // Sends the command to the main window as its menu does.
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id); }
    // Whether the main window's update handlers enable the command.
    bool CommandEnabled(UINT id)
    {
        CCmdUI cmdUI(id);
        cmdUI.DoUpdate(m_frame, FALSE);
        return cmdUI.IsEnabled() != FALSE;
    }
    // The first column of a list of the output window, top down.
    std::vector<std::string> OutputLines(unsigned list) const
    {
        std::vector<std::string> lines;
        const COutputList* target = m_frame->GetOutputView()->GetList(list);
        for (int row = 0; row < target->GetItemCount(); ++row)
            lines.push_back(target->GetItemText(row, 0));
        return lines;
    }

    // The program's settings file as the next start reads it.
    static CSettingsStore Settings()
    {
        return CSettingsStore(CSettingsStore::ProfileFilePath(kRegistryKey), "ZUL_Q7");
    }

    TempFolder m_folder;
    CScopedUi m_ui;
    std::unique_ptr<CZULApp> m_app;
    QPointer<CMainFrame> m_frame;

private:
    struct SavedVariable {
        bool had = false;
        std::string value;
    };
    static void Redirect(const char* name, const std::string& value, SavedVariable& saved)
    {
        const char* old = std::getenv(name);
        saved.had = old != nullptr;
        saved.value = old ? old : "";
        ::setenv(name, value.c_str(), 1);
    }
    static void Restore(const char* name, const SavedVariable& saved)
    {
        if (saved.had)
            ::setenv(name, saved.value.c_str(), 1);
        else
            ::unsetenv(name);
    }
    SavedVariable m_oldConfig;
    SavedVariable m_oldData;
    static constexpr int kLinkBaudRate = 115200;
    CPseudoTerminal m_silentLine;
    std::optional<CScopedGlobalPort> m_port;
};
