#pragma once
// What the PLC commands need of the main window beyond the dialogs: the wait
// cursor and the project services that Upload calls to put the uploaded
// project in place of the open one.

#include "platform/WinTypes.h"

#include <string>

class IPlcCommandHost {
public:
    virtual ~IPlcCommandHost() = default;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The "Upload to..." save-file dialog: TRUE with the chosen path.
    virtual BOOL ChooseUploadFile(const std::string& initialFolder, const std::string& initialName,
                                  std::string& path) = 0;
    // The "PrevProj" folder of the settings ("" when unset), and storing a new one there.
    virtual std::string PreviousProjectFolder() = 0;
    virtual void SetPreviousProjectFolder(const std::string& folder) = 0;
    // FALSE (after its own message) when the project's file names would be too long.
    virtual BOOL CheckProjectPathLength(const std::string& path) = 0;
    // Closes the open project, asking to save it; FALSE when the user cancels.
    virtual BOOL CloseProject() = 0;
    // Creates the new, empty project at the path; FALSE on failure.
    virtual BOOL CreateProject(const std::string& path) = 0;
    // Saves every open POU, the global variables and the project.
    virtual BOOL SaveAllProjectFiles() = 0;
    // Shows the restored project: project tree, instruction trees with the
    // project's subroutines, the hardware window and every POU in an editor.
    virtual void ShowUploadedProject() = 0;
};
