#pragma once
// Registration of the project file type ".qpj" with the desktop: a
// shared-mime-info type for "*.qpj" and a desktop entry that opens such a
// file with the program. Both ship with the program; for the user they are
// written only when absent, so a choice the user made is never overwritten.

#include "platform/WinTypes.h"

#include <string>

inline constexpr const char* kProjectMimeType = "application/x-orvelbuilder-project";
inline constexpr const char* kDesktopEntryName = "orvelbuilder.desktop";
inline constexpr const char* kMimePackageName = "orvelbuilder-qpj.xml";

// The desktop entry that opens a project file with the program.
std::string DesktopEntryText(const std::string& programPath);
// The shared-mime-info package of the project file type.
std::string MimePackageText();

// Writes <dataHome>/applications/orvelbuilder.desktop and
// <dataHome>/mime/packages/orvelbuilder-qpj.xml where they are missing.
// dataHome is the user's data folder ($XDG_DATA_HOME). FALSE when a
// missing file could not be written.
BOOL RegisterProjectFileType(const std::string& dataHome, const std::string& programPath);
