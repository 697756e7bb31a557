#pragma once
// Folder services of the project commands: the recursive copy that Save As,
// export and import use, and the reset of the project model.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

// Copies every file and subfolder of source into destination (created when
// missing), overwriting files of the same name. The process's current folder
// is not changed. FALSE at the first failure; a missing or empty source is
// TRUE; a destination inside the source is refused (FALSE). Symbolic
// links are not followed. copied, when given, receives the
// destination path of every file copied.
BOOL CopyFolderTree(const std::string& source, const std::string& destination,
                    std::vector<std::string>* copied = nullptr);

// TRUE when the folder exists and holds at least one entry.
bool FolderHasEntries(const std::string& folder);

// Empties the project model and puts the link's time-outs back to their
// values while no project is open.
void ResetProjectModel();
