#include "PlcPassword.h"

#include "CIdeaCipher.h"
#include "CPlcCommandLock.h"
#include "PlcProtocol.h"
#include "model/SharedServices.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

#include <cstring>

namespace {

constexpr DWORD kChangeLockMs = 2000;
constexpr int kRequestData = 3;

void ShowNote(const char* text)
{
    ShowMessage("Note", text, MB_OK | MB_ICONINFORMATION);
}

BOOL EntriesAreValid(const std::string& oldPassword, int level, const std::string& newPassword,
                     const std::string& confirmation)
{
    if (oldPassword.empty() && level == PLC_LEVEL_FULL) {
        ShowNote("Please enter the old password.");
        return FALSE;
    }
    if (level != PLC_LEVEL_FULL && newPassword.empty()) {
        ShowNote("Invalid new password.");
        return FALSE;
    }
    if (newPassword != confirmation) {
        ShowNote("The confirmed password is different from the new password.");
        return FALSE;
    }
    return TRUE;
}

} // namespace

void EncipherPasswordBlock(const std::string& password, BYTE block[8])
{
    CIdeaCipher::MakePasswordBlock(password, block);
    CIdeaCipher cipher;
    cipher.SetKey(CIdeaCipher::ProgramKey());
    cipher.EncryptBlock(block);
}

void SendPlcPassword(const std::string& password)
{
    if (password.empty())
        return;
    EncipherPasswordBlock(password, g_PlcCommPort.TxBuffer + kRequestData);
    PlcSendPassword();
}

BOOL ApplyPlcPasswordChange(const PlcPasswordChange& change)
{
    std::string oldPassword = ByteString::Trim(change.oldPassword);
    std::string newPassword = ByteString::Trim(change.newPassword);
    std::string confirmation = ByteString::Trim(change.confirmation);
    if (change.level == PLC_LEVEL_FULL) {
        newPassword.clear();
        confirmation.clear();
    }
    if (!EntriesAreValid(oldPassword, change.level, newPassword, confirmation))
        return FALSE;
    if (ShowMessage("Note", "Are you sure you want to modify the password.", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    CPlcCommandLock lock;
    if (!lock.Take(kChangeLockMs))
        return FALSE;
    BYTE* request = g_PlcCommPort.TxBuffer + kRequestData;
    EncipherPasswordBlock(oldPassword, request);
    request[8] = static_cast<BYTE>(change.level);
    EncipherPasswordBlock(newPassword, request + 9);
    if (OpenPlcPort() != PLC_OK)
        return FALSE;
    int result = PlcChangePassword();
    lock.Release();
    g_PlcCommPort.Close();
    if (result == PLC_OK) {
        ShowNote("Password modified successfully and the new password takes effect.");
        return TRUE;
    }
    // A refusal by the PLC is a wrong old password; a line that failed is not.
    if (result == PLC_WRONG_REPLY || result == PLC_PASSWORD)
        ShowMessage("Error", "Wrong old password, please enter the old password again.", MB_OK | MB_ICONERROR);
    else
        ShowCommError(nullptr, 1, 'O', result);
    return FALSE;
}
