#include "CPlcCommands.h"

#include "CPlcCommandLock.h"
#include "CPlcIdentification.h"
#include "IOnlineDialogs.h"
#include "IPlcCommandHost.h"
#include "IProjectCompiler.h"
#include "PlcCompatibility.h"
#include "PlcProtocol.h"
#include "UploadRestore.h"
#include "model/CZULAppData.h"
#include "model/SharedServices.h"
#include "platform/CPathProvider.h"
#include "platform/CUserInterface.h"

namespace {

constexpr DWORD kInformationLockMs = 1500;
constexpr DWORD kClearLockMs = 1000;
constexpr DWORD kRunStopLockMs = 1000;
constexpr DWORD kClockLockMs = 1500;
constexpr DWORD kCompareLockMs = 1000;
constexpr DWORD kDownloadLockMs = 1500;
constexpr DWORD kUploadLockMs = 1500;
constexpr DWORD kCommunicationsLockMs = 1500;

constexpr int kStatusDownloadAborted = 1;

void ShowNote(const char* text)
{
    ShowMessage("Note", text, MB_OK | MB_ICONINFORMATION);
}

BOOL AskNote(const char* question)
{
    return ShowMessage("Note", question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Report(char command, int result)
{
    ShowCommError(nullptr, 1, command, result);
}

// The wait cursor for the length of an exchange.
class CWaitCursor {
public:
    explicit CWaitCursor(IPlcCommandHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~CWaitCursor() { m_host.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    IPlcCommandHost& m_host;
};

// The folder part of a path, up to its last separator.
std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

CPlcCommands::CPlcCommands(IProjectCompiler& compiler, IOnlineDialogs& dialogs, IPlcCommandHost& host)
    : m_compiler(compiler), m_dialogs(dialogs), m_host(host)
{
}

void CPlcCommands::OnPlcInformation()
{
    CPlcCommandLock lock;
    if (!lock.Take(kInformationLockMs))
        return;
    if (OpenPlcPort() != PLC_OK)
        return;
    int result = PLC_OK;
    {
        CWaitCursor wait(m_host);
        result = PlcReadState();
        if (result == PLC_OK) {
            g_pAppData->PlcRunState = PlcReplyData()[0];
            result = PlcReadInfo();
        }
    }
    lock.Release();
    if (result != PLC_OK)
        Report(g_PlcCommPort.TxBuffer[1], result);
    else
        m_dialogs.ShowPlcInfo();
    g_PlcCommPort.Close();
}

void CPlcCommands::OnPlcClear()
{
    if (!AskNote("Are you sure you want to clear all the project information in the PLC?"))
        return;
    CWaitCursor wait(m_host);
    CPlcCommandLock lock;
    if (!lock.Take(kClearLockMs))
        return;
    if (OpenPlcPort() != PLC_OK)
        return;
    int result = PlcClear();
    lock.Release();
    if (result == PLC_OK) {
        g_PlcCommPort.Close();
        ShowNote("All the project information in the PLC has been cleared.  ");
        return;
    }
    Report('I', result);
    g_PlcCommPort.Close();
}

void CPlcCommands::SetRunStop(BYTE mode)
{
    if (!AskNote(mode != 0 ? "Place the PLC in RUN mode?" : "Place the PLC in STOP mode?"))
        return;
    CPlcCommandLock lock;
    if (!lock.Take(kRunStopLockMs))
        return;
    if (OpenPlcPort() != PLC_OK)
        return;
    int result = PLC_OK;
    {
        CWaitCursor wait(m_host);
        result = PlcSetRunStop(mode);
    }
    lock.Release();
    if (result == PLC_OK)
        ShowNote(mode != 0 ? "The PLC is now in RUN mode.  " : "The PLC is now in STOP mode. ");
    else
        Report('B', result);
    g_PlcCommPort.Close();
}

void CPlcCommands::OnPlcStop()
{
    SetRunStop(0);
}

void CPlcCommands::OnPlcRun()
{
    SetRunStop(1);
}

void CPlcCommands::OnPlcClock()
{
    CPlcCommandLock lock;
    if (!lock.Take(kClockLockMs))
        return;
    if (OpenPlcPort() != PLC_OK)
        return;
    int result = PLC_OK;
    {
        CWaitCursor wait(m_host);
        result = PlcReadClock();
    }
    lock.Release();
    if (result != PLC_OK)
        Report('C', result);
    else
        m_dialogs.ShowPlcClock();
    g_PlcCommPort.Close();
}

void CPlcCommands::OnPlcCompare()
{
    CWaitCursor wait(m_host);
    CPlcCommandLock lock;
    if (!lock.Take(kCompareLockMs))
        return;
    if (OpenPlcPort() != PLC_OK)
        return;
    int result = PlcReadSignature();
    lock.Release();
    if (result != PLC_OK) {
        Report('H', result);
        g_PlcCommPort.Close();
        return;
    }
    BYTE low = PlcReplyData()[0];
    BYTE high = PlcReplyData()[1];
    if (m_compiler.CompileAll()) {
        WORD signature = g_pAppData->Project.ProjectSignature;
        if (low == LOBYTE(signature) && high == HIBYTE(signature))
            ShowNote("The current project is the same as that in the PLC.");
        else
            ShowNote("The current project is different from that in the PLC.");
    }
    g_PlcCommPort.Close();
}

BOOL CPlcCommands::ReadIdentificationForDownload()
{
    CPlcCommandLock lock;
    if (!lock.Take(kDownloadLockMs))
        return FALSE;
    if (OpenPlcPort() != PLC_OK)
        return FALSE;
    int result = PLC_OK;
    {
        CWaitCursor wait(m_host);
        result = PlcReadInfo();
    }
    g_PlcCommPort.Close();
    lock.Release();
    if (result != PLC_OK) {
        Report('E', result);
        return FALSE;
    }
    return TRUE;
}

void CPlcCommands::OnPlcDownload()
{
    if (!ReadIdentificationForDownload())
        return;
    CPlcIdentification identification;
    identification.Parse(PlcReplyData(), PlcReplyDataLength());
    StoreConnectedPlc(identification);
    if (!CheckPlcCompatibility(identification, "download"))
        return;
    CZULAppData& app = *g_pAppData;
    app.CompilingForDownload = 1;
    BOOL compiled = m_compiler.CompileAll();
    app.CompilingForDownload = 0;
    if (!compiled) {
        CUserInterface::Output().LogStatusMessage(0, kStatusDownloadAborted, 0);
        return;
    }
    if (app.DataBackupUsed != 0)
        ShowMessage("OrvelBuilder",
                    "The \"Data Backup\" function is used in the project. \nPlease note that EEPROM only allows 100 thousand of times of writing operations.",
                    MB_OK | MB_ICONEXCLAMATION);
    m_dialogs.ShowDownload();
    app.DataBackupUsed = 0;
}

// Reads the PLC's image into the transfer buffer, asking for the password
// when the PLC wants one; FALSE after the failure has been reported.
BOOL CPlcCommands::UploadImage()
{
    int result = PlcUpload();
    if (result == PLC_PASSWORD) {
        g_PlcCommPort.Close();
        if (OpenPlcPort() != PLC_OK)
            return FALSE;
        result = m_dialogs.EnterPassword() == IDOK ? PlcUpload() : PLC_PASSWORD_CANCELLED;
    }
    if (result != PLC_OK) {
        Report('G', result);
        return FALSE;
    }
    return TRUE;
}

BOOL CPlcCommands::ChooseUploadPath(std::string& path)
{
    std::string folder = m_host.PreviousProjectFolder();
    if (folder.empty())
        folder = CPathProvider::DefaultProjectFolder();
    std::string chosen;
    if (!m_host.ChooseUploadFile(folder, "project-" + GetTimestampString() + ".qpj", chosen))
        return FALSE;
    path = RemoveSpacesFromFileTitle(chosen);
    if (path.empty())
        return FALSE;
    if (!m_host.CheckProjectPathLength(path))
        return FALSE;
    m_host.SetPreviousProjectFolder(FolderOf(path));
    return TRUE;
}

void CPlcCommands::ReplaceProjectWithUpload(const std::string& path)
{
    CZULAppData& app = *g_pAppData;
    if (!m_host.CloseProject())
        return;
    if (!CheckUploadedImage(app))
        return;
    if (!m_host.CreateProject(path))
        return;
    // A project restored only in part is saved and shown all the same: what
    // the image gave stays, and the message has said that the rest is missing.
    RestoreUploadedProject(app);
    m_host.SaveAllProjectFiles();
    app.ProjectOpen = 1;
    m_host.ShowUploadedProject();
    // The FB instances come from the POU files the first save wrote; the
    // second save stores the table with the project.
    app.RebuildFBInstanceTable();
    m_host.SaveAllProjectFiles();
}

void CPlcCommands::OnPlcUpload()
{
    CWaitCursor wait(m_host);
    CPlcCommandLock lock;
    if (!lock.Take(kUploadLockMs))
        return;
    if (OpenPlcPort() != PLC_OK)
        return;
    int result = PlcReadInfo();
    if (result != PLC_OK) {
        g_PlcCommPort.Close();
        lock.Release();
        Report('E', result);
        return;
    }
    std::string path;
    if (CheckUploadCompatibility() && UploadImage() && ChooseUploadPath(path))
        ReplaceProjectWithUpload(path);
    g_PlcCommPort.Close();
    lock.Release();
}

void CPlcCommands::OnPlcPassword()
{
    m_dialogs.ShowPassword();
}

BOOL CPlcCommands::OnUpdateToolsCommunications() const
{
    const CZULAppData& app = *g_pAppData;
    return app.MonitorPause.load() == 0 && app.Monitoring.load() == 0 && app.PIDTrendOpen == 0;
}

void CPlcCommands::OnToolsCommunications()
{
    CZULAppData& app = *g_pAppData;
    if (app.MonitorPause.load() != 0 || app.Monitoring.load() != 0)
        return;
    CPlcCommandLock lock;
    if (!lock.TakeQuietly(kCommunicationsLockMs))
        return;
    lock.Release();
    m_dialogs.ShowCommSettings();
}
