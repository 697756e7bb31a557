#pragma once
// What the project commands need of the main window: its file dialogs and
// folder browser, the open POU documents, the singleton windows, the
// hardware check, the project tree and the instruction catalogue. The main
// frame implements it; tests script it.

#include "platform/WinTypes.h"

#include <string>

struct CFileDialogRequest {
    bool save = true;             // a save dialog, else an open dialog
    std::string title;
    std::string defaultExtension; // without the "."
    std::string filter;           // "Project Files (*.qpj)|*.qpj||"
    std::string initialFolder;
    std::string proposedName;
    bool promptOverwrite = false;
};

class IProjectHost {
public:
    virtual ~IProjectHost() = default;

    // FALSE when the user cancelled; else the chosen path.
    virtual BOOL RunFileDialog(const CFileDialogRequest& request, std::string& path) = 0;
    // The folder browser with its caption and initial folder; FALSE when cancelled.
    virtual BOOL BrowseForFolder(const std::string& caption, const std::string& initialFolder,
                                 std::string& folder) = 0;

    // Open POU documents: each moves to the same file name in the project
    // folder and saves itself; FALSE when one could not be saved.
    virtual BOOL SaveOpenDocuments(const std::string& projectFolder) = 0;
    virtual BOOL AnyDocumentModified() = 0;
    // Asks every modified document to save; FALSE at the first refusal.
    virtual BOOL SaveModifiedDocuments() = 0;
    virtual void CloseAllDocuments() = 0;
    // Hardware, status chart, initial data, cross reference, global
    // variables and PID trend windows, each when open.
    virtual void DestroySingletonWindows() = 0;
    // TRUE when the hardware window is closed or its configuration is
    // consistent; otherwise the check has shown its own message.
    virtual BOOL CheckHardwareConfig() = 0;

    virtual void ClearProjectTree() = 0;
    virtual void BuildProjectTree() = 0;
    virtual void FillProjectTree() = 0;
    virtual void SetProjectTreeRoot(const std::string& text) = 0;
    // Creates MAIN in the default POU language; FALSE when it could not.
    virtual BOOL CreateMainProgram() = 0;

    // The instruction tree rebuilt for the set it shows, created when missing.
    virtual void RefreshInstructionTree() = 0;
    virtual void AddSubroutinesToInstructionTree() = 0;
    virtual void ClearSubroutinesInInstructionTree() = 0;
    // Compile list font, all lists emptied, the Compile tab selected.
    virtual void ResetOutputWindow() = 0;
    virtual void SetWaitCursor(bool on) = 0;
};
