#pragma once
// Small services that many parts of the program call: the message box of a
// PLC link result, the emptying of a folder, file titles without blanks and
// the timestamp of default project names.

#include "platform/WinTypes.h"

#include <string>

// Shows the message box of a link result code when show is 1; any other
// show value shows nothing. The owner window and the command letter of the
// failed command are passed along by the callers and not used.
void ShowCommError(void* owner, int show, char command, int result);

// The caption and text of a link result's message box, and its icon flag.
void GetCommErrorText(int result, std::string& caption, std::string& text, UINT& icon);

// Deletes everything inside the folder; the folder itself stays. A symbolic
// link is removed as a link, never followed. FALSE when the folder (or a
// sub-folder) cannot be entered.
BOOL DeleteFolderTree(const std::string& folder);

// The path with every blank removed from its file title; folder part and
// extension stay as they are. A path without a "." gives "".
std::string RemoveSpacesFromFileTitle(const std::string& path);

// The local time as year-month-day-hour-minute-second without leading zeros.
std::string GetTimestampString();
