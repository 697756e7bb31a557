#include "PlcCommandFixture.h"

#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/PlcDownloadTransfer.h"
#include "plclink/PlcPassword.h"

BOOL CFakeCompiler::CompileAll()
{
    ++calls;
    compilingForDownloadSeen = g_pAppData->CompilingForDownload;
    if (onCompile)
        onCompile();
    return succeeds;
}

void CScriptedDialogs::ShowPlcInfo()
{
    shown.push_back("info");
    portOpenWhenShown = g_PlcCommPort.IsOpen();
    BuildPlcInfoView(infoView);
}

void CScriptedDialogs::ShowPlcClock()
{
    shown.push_back("clock");
    portOpenWhenShown = g_PlcCommPort.IsOpen();
}

void CScriptedDialogs::ShowPassword()
{
    shown.push_back("password");
}

int CScriptedDialogs::EnterPassword()
{
    shown.push_back("enter password");
    if (passwordAnswer == IDOK)
        SendPlcPassword(password);
    return passwordAnswer;
}

void CScriptedDialogs::ShowDownload()
{
    shown.push_back("download");
    downloadResult = TransferDownload(nullptr, downloadOptions, *this);
}

void CScriptedDialogs::ShowCommSettings()
{
    shown.push_back("communications");
}

BOOL CFakeHost::ChooseUploadFile(const std::string& initialFolder, const std::string& initialName, std::string& path)
{
    offeredFolder = initialFolder;
    offeredName = initialName;
    path = initialFolder + "/" + initialName;
    return chooses;
}

BOOL CFakeHost::CloseProject()
{
    ++closeProjectCalls;
    calls.push_back("close");
    return closes;
}

// Creating a project points the project at its folder and name, as the
// project document does.
BOOL CFakeHost::CreateProject(const std::string& path)
{
    calls.push_back("create");
    createdPath = path;
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    g_pAppData->Project.ProjectFolder = path.substr(0, slash);
    g_pAppData->Project.ProjectName = path.substr(slash + 1, dot - slash - 1);
    return TRUE;
}

namespace {

std::vector<std::string> FBInstanceTexts()
{
    std::vector<std::string> texts;
    for (const auto& fb : g_pAppData->Project.FBTable.FBInstances)
        texts.push_back(fb->typeName + " " + fb->instanceName + " " + fb->ownerPou);
    return texts;
}

} // namespace

BOOL CFakeHost::SaveAllProjectFiles()
{
    calls.push_back("save");
    fbInstancesWhenSaved = FBInstanceTexts();
    return TRUE;
}

void CFakeHost::ShowUploadedProject()
{
    calls.push_back("show");
    projectOpenWhenShown = g_pAppData->ProjectOpen != 0;
    fbInstancesWhenShown = FBInstanceTexts();
}

CLockHolder::CLockHolder()
{
    m_thread = std::thread([this] {
        g_pAppData->PortLock.Lock(1000);
        std::unique_lock<std::mutex> hold(m_guard);
        m_taken = true;
        m_changed.notify_all();
        m_changed.wait(hold, [this] { return m_release; });
        g_pAppData->PortLock.Unlock();
    });
    std::unique_lock<std::mutex> hold(m_guard);
    m_changed.wait(hold, [this] { return m_taken; });
}

CLockHolder::~CLockHolder()
{
    {
        std::lock_guard<std::mutex> hold(m_guard);
        m_release = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void PlcCommandTest::SetUp()
{
    ASSERT_TRUE(sim.Start());
    port = std::make_unique<CScopedGlobalPort>(sim.SlavePath());
    previousAppData = g_pAppData;
    g_pAppData = new CZULAppData;
    g_pAppData->Project.ProjectFolder = folder.Path();
    g_pAppData->Project.ProjectName = "Line 3";
}

void PlcCommandTest::TearDown()
{
    port.reset();
    delete g_pAppData;
    g_pAppData = previousAppData;
}

std::string PlcCommandTest::RequestLetters() const
{
    std::string letters;
    for (const std::vector<BYTE>& frame : sim.Requests())
        letters += static_cast<char>(frame[1]);
    return letters;
}

void PlcCommandTest::ExpectPortReleased() const
{
    EXPECT_FALSE(g_PlcCommPort.IsOpen());
    EXPECT_EQ(host.waitCursors, 0);
    ExpectLockFree();
}

void PlcCommandTest::ExpectLockFree() const
{
    bool free = false;
    std::thread([&free] {
        free = g_pAppData->PortLock.Lock(0) != FALSE;
        if (free)
            g_pAppData->PortLock.Unlock();
    }).join();
    EXPECT_TRUE(free);
}
