#pragma once
// Export of the open project into a ".zip" archive and import of such an
// archive into a folder the user chooses. The archive holds the project file
// "<title>.qpj" and the project folder "<title>/..." at its root. Work is
// done in the program's private temporary folder; every entry of an archive
// is checked before anything is written outside it.

#include "platform/WinTypes.h"

#include <string>

class CProjectCommands;
class CZULAppData;
class IProfile;
class IProjectHost;

// Longest archive path accepted on export.
constexpr int ARCHIVE_PATH_LIMIT = 258;
// Limits of an imported archive.
constexpr int IMPORT_MAX_ENTRIES = 10000;
constexpr unsigned long long IMPORT_MAX_ENTRY_BYTES = 64ULL << 20;
constexpr unsigned long long IMPORT_MAX_TOTAL_BYTES = 256ULL << 20;
// The folder browser shows longer paths shortened.
constexpr int BROWSE_PATH_WIDTH = 40;

inline constexpr const char* kArchiveFilter = "zip files (*.zip)|*.zip||";

class CProjectArchive {
public:
    CProjectArchive(CZULAppData& app, IProfile& profile, IProjectHost& host, CProjectCommands& commands);

    void OnExportProject();
    void OnImportProject();
    // Packs the project file and its folder into the archive; show puts up
    // the success and failure messages. A failed export leaves no archive.
    BOOL ExportProjectArchive(const std::string& projectFile, const std::string& archive, BOOL show);
    // A copy of the project with the blanks taken out of its title, in the
    // temporary folder; "" when a folder could not be created.
    std::string CopyProjectWithoutBlanks(const std::string& projectFile);
    // Unpacks and checks the archive, then puts the project into destination
    // and opens it. FALSE when the archive was refused, a question was
    // answered No or the open project would not close.
    BOOL ImportProjectArchive(const std::string& archive, const std::string& destination);

private:
    std::string ArchiveFolder() const;
    void SetArchiveFolder(const std::string& folder);

    CZULAppData& m_app;
    IProfile& m_profile;
    IProjectHost& m_host;
    CProjectCommands& m_commands;
};

// The folder browser's status text: a path longer than width characters as
// its head, "..." and its last component.
std::string ShortenBrowsePath(const std::string& path, int width = BROWSE_PATH_WIDTH);
