#pragma once
// The compiler driver: compiles one project from the file list of Compile
// All into the object file and the message list. A failed compilation
// leaves no object file.

#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class CPOUCompiler;
class CSourceFileCache;
class CPOUEntry;

constexpr int COMPILER_FILE_SLOTS = 512;
constexpr int COMPILER_WORK_FILE_LIMIT = 511;
constexpr int MAX_OBJECT_BYTES = 0xFFFE;
constexpr int MAX_CALL_DEPTH = 3;
constexpr int MAX_CALL_PATH = 255;

class CILCompiler {
public:
    // The caller's list stays owned by the caller; its entries are turned
    // into upper case. The run's file cache, when given, serves the files
    // read before the compilation too; otherwise the compiler keeps its own.
    CILCompiler(std::string* list, int count, CSourceFileCache* sources = nullptr);
    virtual ~CILCompiler();
    CILCompiler(const CILCompiler&) = delete;
    CILCompiler& operator=(const CILCompiler&) = delete;

    // Runs all phases; TRUE for a compilation without errors.
    BOOL Compile();
    // One project-level diagnostic (no row, no source file). Kind 0 error,
    // 1 warning, 2 information; it is not counted here.
    void Report(int code, int kind, const std::string& detail);
    // The hardware line and, on the CANopen families, the CANopen checks;
    // returns their errors and counts their warnings.
    int CheckHardware();
    // The subroutine call graph as the precompile pass left it: recursion
    // (warning) and calls nested deeper than three subroutines (error).
    void CheckCallGraph();
    // The limits on the object size and the instruction count.
    void CheckLimits(bool declarationErrors);
    // The summary " %d errors, %d warnings. ..." of the compilation so far.
    std::string SummaryLine();

    const std::string& GetProjectPath() const { return m_projectPath; }
    const std::string& GetMessageListPath() const { return m_messageListPath; }
    const std::string& GetObjectPath() const { return m_objectPath; }
    int GetErrorCount() const { return m_errorCount; }
    int GetWarningCount() const { return m_warningCount; }

private:
    void SetupFiles(std::string* list, int count);
    void RegisterPOU(const std::string& entry, const std::string& entryAsGiven);
    void SetProjectPath(const std::string& entryAsGiven);
    BOOL OpenOutputFiles();
    void ReportError(int code, const std::string& detail);
    void ReportWarning(int code, const std::string& detail);
    void CopySources(const std::string& copyExtension, const std::string& keepExtension,
                     const std::string& workExtension);
    void DeleteWorkFiles();
    void CompilePhase(const std::string& extension1, const std::string& extension2);
    void AddWorkFile(const std::string& file, const std::string& fileAsGiven);
    void CompileWorkFile(CPOUCompiler& unit, int index, bool programPhase);
    BOOL TraceCallPath(std::string* path, int length, CPOUEntry* record, std::string& recursion);
    static BOOL IsInPath(const std::string* path, int length, const std::string& label);
    BOOL Finish(bool failed);

    std::string m_callPath;
    int m_callDepth = 0;
    BYTE m_nestingExceeded = 0;
    int m_fileCount = 0;
    std::string* m_list = nullptr;
    std::vector<std::string> m_fileNames;
    int m_workFileCount = 0;
    std::vector<std::string> m_workFileNames;
    // The work files as named on disk: every file is opened by this name, the
    // upper-case names above are for comparisons only.
    std::vector<std::string> m_workFilesAsGiven;
    std::string m_projectPath;
    std::string m_messageListPath;
    std::string m_objectPath;
    int m_errorCount = 0;
    int m_warningCount = 0;
    std::unique_ptr<CSourceFileCache> m_ownSources;
    CSourceFileCache* m_sources = nullptr;
};

// Empties the compiler's lists and the shared compile state before and after
// a compilation.
void ResetCompilerState();

// Compiles the project files in compile order: 1 success, 0 failure. The
// run's file cache, when given, serves the files already read and the work
// copies already written.
int CompileProjectFiles(const std::vector<std::string>& files, CSourceFileCache* sources = nullptr);
