#pragma once
// The workbench's settings: read once at start-up into the application data
// and the serial port, written once at exit. Values are decimal texts of the
// "Configuration" and "COM" sections of the profile.

#include "model/LanguageLibrary.h"
#include <string>

class CPlcCommPort;
class CZULAppData;
class IProfile;

// The default CPU row when the stored one is missing or out of range.
constexpr int DEFAULT_CPU_ROW = 8;
constexpr int LAST_CPU_ROW = 22;
// The interface theme when "Interface" is missing or empty.
constexpr int DEFAULT_INTERFACE_THEME = 2;
// POU languages: 1 IL, 2 LD.

// Reads the section "Configuration" and, when both "DestAddr" and "PORT" are
// set, the section "COM" into the port.
void LoadSettings(const IProfile& profile, CZULAppData& app, CPlcCommPort& port);
// Writes the section "Configuration" (not "PrevProj", "ZipPath" or "COM").
void SaveSettings(IProfile& profile, const CZULAppData& app);

// The integer of a stored text as the old runtime read it: leading blanks
// skipped, a sign, digits, the rest ignored; 0 without digits.
int ProfileTextToInt(const std::string& text);
