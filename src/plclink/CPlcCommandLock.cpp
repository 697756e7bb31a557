#include "CPlcCommandLock.h"

#include "CPlcCommPort.h"
#include "model/CZULAppData.h"
#include "platform/CUserInterface.h"

CPlcCommandLock::~CPlcCommandLock()
{
    Release();
}

BOOL CPlcCommandLock::TakeQuietly(DWORD ms)
{
    if (m_held)
        return TRUE;
    m_held = g_pAppData->PortLock.Lock(g_PlcCommPort.LockWait(ms));
    return m_held;
}

BOOL CPlcCommandLock::Take(DWORD ms)
{
    if (TakeQuietly(ms))
        return TRUE;
    ShowBusy();
    return FALSE;
}

void CPlcCommandLock::Release()
{
    if (!m_held)
        return;
    g_pAppData->PortLock.Unlock();
    m_held = FALSE;
}

void CPlcCommandLock::ShowBusy()
{
    ShowMessage("Note", "Unable to communicate because the communication port is busy now.", MB_OK | MB_ICONINFORMATION);
}
