#include "PlcDownloadTransfer.h"

#include "CPlcCommandLock.h"
#include "IOnlineDialogs.h"
#include "PlcProtocol.h"
#include "model/SharedServices.h"
#include "platform/CUserInterface.h"

namespace {

constexpr DWORD kDownloadLockMs = 1000;
constexpr int kStatusDownloadCompleted = 2;

// The PLC wants a password: a fresh port, the password entry, and a second
// attempt when the user gave one.
int DownloadWithPassword(IDownloadProgress* progress, BYTE options, IOnlineDialogs& dialogs)
{
    g_PlcCommPort.Close();
    if (OpenPlcPort() != PLC_OK)
        return PLC_DECLINED;
    if (dialogs.EnterPassword() != IDOK)
        return PLC_PASSWORD_CANCELLED;
    return PlcDownload(progress, options);
}

} // namespace

int TransferDownload(IDownloadProgress* progress, BYTE options, IOnlineDialogs& dialogs)
{
    CPlcCommandLock lock;
    if (!lock.Take(kDownloadLockMs))
        return PLC_DECLINED;
    if (OpenPlcPort() != PLC_OK)
        return PLC_DECLINED;
    int result = PlcDownload(progress, options);
    if (result == PLC_PASSWORD)
        result = DownloadWithPassword(progress, options, dialogs);
    lock.Release();
    if (result == PLC_OK)
        CUserInterface::Output().LogStatusMessage(0, kStatusDownloadCompleted, 0);
    else if (result != PLC_DECLINED)
        ShowCommError(nullptr, 1, 'F', result);
    g_PlcCommPort.Close();
    return result;
}
