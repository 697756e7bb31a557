#include "CMonitorCommand.h"

#include "CPlcCommPort.h"
#include "CPlcIdentification.h"
#include "ForceExchange.h"
#include "PlcCompatibility.h"
#include "PlcProtocol.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/SharedServices.h"
#include "platform/CUserInterface.h"

namespace {

// Status lines of the output window.
constexpr int kStatusProjectDiffers = 3;
constexpr int kStatusCompileErrors = 4;

void ShowNote(const char* text)
{
    ShowMessage("Note", text, MB_OK | MB_ICONINFORMATION);
}

void LogStatus(int code)
{
    CUserInterface::Output().LogStatusMessage(0, code, 0);
}

// Posts the notify call; it runs only while the command still exists.
void PostNotifyTo(const std::weak_ptr<CMonitorCommand*>& command)
{
    CUserInterface::Poster().Post([command] {
        if (std::shared_ptr<CMonitorCommand*> alive = command.lock())
            (*alive)->OnMonitorNotify();
    });
}

} // namespace

CMonitorCommand::CMonitorCommand(IMonitorFrame& frame, IProjectCompiler& compiler)
    : m_frame(frame), m_compiler(compiler), m_self(std::make_shared<CMonitorCommand*>(this))
{
}

CMonitorCommand::~CMonitorCommand()
{
    m_self.reset();
    if (!m_thread)
        return;
    g_pAppData->Monitoring = 0;
    EndMonitorThread();
    g_PlcCommPort.Close();
}

void CMonitorCommand::OnUpdateMonitor(BOOL& enabled, BOOL& checked) const
{
    const CZULAppData& app = *g_pAppData;
    enabled = (app.ProjectOpen != 0 && app.PIDTrendOpen == 0) ? TRUE : FALSE;
    checked = app.Monitoring.load() != 0 ? TRUE : FALSE;
}

void CMonitorCommand::ToggleMonitor()
{
    CZULAppData& app = *g_pAppData;
    // A thread that ended on a failure whose notify has not run yet is
    // finished first, so that one monitoring never overlaps the next.
    if (m_thread && app.Monitoring.load() == 0) {
        EndMonitorThread();
        g_PlcCommPort.Close();
    }
    if (app.Find.DialogMode == 1 || app.Find.DialogMode == 2) {
        ShowMessage("OrvelBuilder", "Please close 'Find/Replace..' dialog at first!", MB_OK | MB_ICONEXCLAMATION);
        m_frame.CloseFindReplaceDialog();
    }
    ReadForcedTable();
    app.Monitoring = app.Monitoring.load() != 0 ? 0 : 1;
    if (app.Monitoring.load() == 0) {
        PostNotify();
        return;
    }
    SwitchOn();
}

void CMonitorCommand::SwitchOn()
{
    CZULAppData& app = *g_pAppData;
    if (!app.PortLock.Lock(g_PlcCommPort.LockWait(PortLockWaitMs))) {
        ShowNote("Unable to monitor because the communication port is busy now.");
        app.Monitoring = 0;
        PostNotify();
        return;
    }
    if (OpenPlcPort() != PLC_OK) {
        Refuse();
        return;
    }
    int result = PlcReadInfo();
    CPlcIdentification identification;
    BOOL identified = result == PLC_OK && identification.Parse(PlcReplyData(), PlcReplyDataLength());
    g_PlcCommPort.Close();
    if (!identified) {
        ShowNote("Unable to monitor because OrvelBuilder fails to get the PLC information from the connected CPU.");
        Refuse();
        return;
    }
    StoreConnectedPlc(identification);
    if (!CheckPlcCompatibility(identification, "monitor")) {
        Refuse();
        return;
    }
    if (!m_compiler.CompileAll()) {
        app.Monitoring = 0;
        PostNotify();
        app.PortLock.Unlock();
        LogStatus(kStatusCompileErrors);
        return;
    }
    if (OpenPlcPort() != PLC_OK) {
        Refuse();
        return;
    }
    result = PlcReadSignature();
    if (result != PLC_OK) {
        ShowCommError(nullptr, 1, 'H', result);
        Refuse();
        return;
    }
    WORD signature = app.Project.ProjectSignature;
    if (PlcReplyData()[0] != LOBYTE(signature) || PlcReplyData()[1] != HIBYTE(signature)) {
        app.Monitoring = 0;
        PostNotify();
        app.PortLock.Unlock();
        LogStatus(kStatusProjectDiffers);
        return;
    }
    std::weak_ptr<CMonitorCommand*> self = m_self;
    m_thread = std::make_unique<CMonitorThread>([self] { PostNotifyTo(self); });
    m_thread->Start();
}

void CMonitorCommand::Refuse()
{
    g_pAppData->Monitoring = 0;
    PostNotify();
    g_pAppData->PortLock.Unlock();
}

void CMonitorCommand::PostNotify()
{
    PostNotifyTo(m_self);
}

void CMonitorCommand::EndMonitorThread()
{
    CZULAppData& app = *g_pAppData;
    m_thread->Finish(static_cast<DWORD>(ReplyTimeout) + EndWaitExtraMs);
    m_thread.reset();
    app.MonitorEndEvent->ResetEvent();
    app.MonitorRoundEvent->ResetEvent();
    app.PortLock.Unlock();
}

int CMonitorCommand::OnMonitorNotify()
{
    BOOL monitoring = g_pAppData->Monitoring.load() != 0 ? TRUE : FALSE;
    m_frame.RefreshMonitorDisplay(monitoring);
    if (monitoring)
        return 1;
    if (m_thread)
        EndMonitorThread();
    g_PlcCommPort.Close();
    return 1;
}
