#pragma once
// The password exchanges of the online dialogs: sending the password that a
// download or upload asks for ('N'), and changing the PLC's password and
// privilege level ('O').

#include "platform/WinTypes.h"

#include <string>

// Privilege levels of the PLC.
constexpr int PLC_LEVEL_FULL = 1;
constexpr int PLC_LEVEL_PARTIAL = 2;
constexpr int PLC_LEVEL_MINIMUM = 3;

// The enciphered password block of a password (at most 8 characters).
void EncipherPasswordBlock(const std::string& password, BYTE block[8]);

// Sends a non-empty password on the open port and ignores the answer: the
// repeated download or upload tells whether it helped. An empty password
// sends nothing.
void SendPlcPassword(const std::string& password);

struct PlcPasswordChange {
    std::string oldPassword;
    int level = PLC_LEVEL_FULL;   // 1, 2 or 3
    std::string newPassword;
    std::string confirmation;
};

// The Password dialog's Apply: checks the entries, asks for confirmation,
// takes the port lock (2000 ms), opens the port, sends the change and closes
// the port, telling the user the outcome. A PLC that refuses the old password
// is reported as a wrong password, a failed exchange as a communication
// error. TRUE when the PLC took the new password.
BOOL ApplyPlcPasswordChange(const PlcPasswordChange& change);
