#pragma once
// The commands that create, open, save, save under a new name and close the
// project, and the save of all project files that every compile and download
// runs first. They work on the one project of the application data and the
// one project document; dialogs, documents, windows, the project tree and
// the catalogue are reached through the main window's host interface.

#include "platform/WinTypes.h"

#include <string>

class CProjTreeDOC;
class CRecentFileList;
class CZULAppData;
class IProfile;
class IProjectHost;

// Longest path a project may give its files: POU files included.
constexpr int PROJECT_PATH_LIMIT = 259;
constexpr int SAVE_AS_PATH_LIMIT = 258;
// Shortest POU file name that a project will ever need ("MAIN_x.ilp" and kin).
constexpr int SHORTEST_POU_FILE_NAME = 19;
// Sizes of the two local-variable allocation tables of a new project.
constexpr int LOCAL_BIT_TABLE_ENTRIES = 128;
constexpr int LOCAL_BYTE_TABLE_ENTRIES = 256;

inline constexpr const char* kProjectFilter = "Project Files (*.qpj)|*.qpj||";
inline constexpr const char* kProjectExtension = "qpj";

class CProjectCommands {
public:
    CProjectCommands(CZULAppData& app, CProjTreeDOC& document, IProfile& profile, CRecentFileList& recent,
                     IProjectHost& host);

    BOOL SaveAllProjectFiles();
    void OnSaveProject();
    // TRUE when no project is open or it was closed; FALSE when the user
    // cancelled or the save failed.
    BOOL CloseProject();
    void OnNewProject();
    void OnOpenProject();
    void OpenProjectByPath(const std::string& path);
    // Entry index of the recent-project list.
    void OnOpenRecentProject(int index);
    void OnSaveProjectAs();
    // Copies the project to the new path and then moves it there; FALSE with
    // the project where it was when the copy failed or was refused.
    BOOL SaveProjectAs(const std::string& newPath);
    void OnCloseAll();

    BOOL CheckProjectPathLength(const std::string& path);
    BOOL CheckSaveAsPathLength(const std::string& path);

    // The folder of the last project created, opened or saved as, or fallback.
    std::string PreviousProjectFolder(const std::string& fallback) const;
    void SetPreviousProjectFolder(const std::string& folder);

private:
    void RefreshCatalogue();
    void AddCpuModule();
    // Asks before a new project replaces a file or a non-empty folder; TRUE to go on.
    bool ConfirmReplaceForNew(const std::string& chosen, const std::string& path);
    bool ReportOmittedSymbols();

    CZULAppData& m_app;
    CProjTreeDOC& m_document;
    IProfile& m_profile;
    CRecentFileList& m_recent;
    IProjectHost& m_host;
};
