#pragma once
// The fixture of the PLC command tests: the simulator on a pseudo-terminal
// with the global port pointed at it, short time-outs, scripted user
// interface, a fresh application data object, and scripted doubles of the
// compiler, the online dialogs and the main window.

#include "CPlcSimulator.h"
#include "LinkTestSupport.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "plclink/IOnlineDialogs.h"
#include "plclink/IPlcCommandHost.h"
#include "plclink/IProjectCompiler.h"
#include "plclink/PlcInfo.h"
#include "platform/WinTypes.h"

class CZULAppData;

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CFakeCompiler : public IProjectCompiler {
public:
    BOOL CompileAll() override;

    BOOL succeeds = TRUE;
    int calls = 0;
    int compilingForDownloadSeen = -1;
    std::function<void()> onCompile;
};

class CScriptedDialogs : public IOnlineDialogs {
public:
    void ShowPlcInfo() override;
    void ShowPlcClock() override;
    void ShowPassword() override;
    int EnterPassword() override;
    void ShowDownload() override;
    void ShowCommSettings() override;

    std::vector<std::string> shown;
    bool portOpenWhenShown = false;
    PlcInfoView infoView;
    // Enter Password: the answer and the password typed before OK.
    int passwordAnswer = IDOK;
    std::string password;
    // Download dialog: the options byte and the transfer's result.
    BYTE downloadOptions = 0;
    int downloadResult = 999;
};

class CFakeHost : public IPlcCommandHost {
public:
    void BeginWaitCursor() override { ++waitCursors; }
    void EndWaitCursor() override { --waitCursors; }
    BOOL ChooseUploadFile(const std::string& initialFolder, const std::string& initialName, std::string& path) override;
    std::string PreviousProjectFolder() override { return previousFolder; }
    void SetPreviousProjectFolder(const std::string& folder) override { previousFolder = folder; }
    BOOL CheckProjectPathLength(const std::string&) override { return TRUE; }
    BOOL CloseProject() override;
    BOOL CreateProject(const std::string& path) override;
    BOOL SaveAllProjectFiles() override;
    void ShowUploadedProject() override;

    int waitCursors = 0;
    // The "PrevProj" setting as the host keeps it.
    std::string previousFolder;
    std::string offeredFolder;
    std::string offeredName;
    BOOL chooses = FALSE;
    BOOL closes = FALSE;
    int closeProjectCalls = 0;
    std::string createdPath;
    // Calls in order: "close", "create", "save", "show".
    std::vector<std::string> calls;
    bool projectOpenWhenShown = false;
    // "type instance owner" of each FB instance the project holds when shown
    // and at the last save.
    std::vector<std::string> fbInstancesWhenShown;
    std::vector<std::string> fbInstancesWhenSaved;
};

// Holds the port lock from another thread for as long as it lives.
class CLockHolder {
public:
    CLockHolder();
    ~CLockHolder();

private:
    std::mutex m_guard;
    std::condition_variable m_changed;
    bool m_taken = false;
    bool m_release = false;
    std::thread m_thread;
};

class PlcCommandTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Letters of the requests the simulator received, in order.
    std::string RequestLetters() const;
    // The port is closed and the port lock free again.
    void ExpectPortReleased() const;
    // Another thread could take the port lock at once.
    void ExpectLockFree() const;

    CScopedUi ui;
    CPlcSimulator sim;
    std::unique_ptr<CScopedGlobalPort> port;
    CScopedTimeouts timeouts {300, 300};
    CFakeCompiler compiler;
    CScriptedDialogs dialogs;
    CFakeHost host;
    TempFolder folder;
    CZULAppData* previousAppData = nullptr;
};

constexpr const char* kBusyText = "Unable to communicate because the communication port is busy now.";
