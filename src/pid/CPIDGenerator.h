#pragma once
// Generate of the PID wizard and of the auto-tune wizard: loop n's
// subroutine SBR(90 + n) made to exist with the template program and the
// variable file of its interface, created anew through the project tree or
// rewritten in place.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULAppData;
class IPIDGeneratorHost;

// Generate modes: where TUNE is declared.
constexpr int PID_GENERATE_NONE = 0;
constexpr int PID_GENERATE_WIZARD = 1;
constexpr int PID_GENERATE_AUTOTUNE = 2;

class CPIDGenerator {
public:
    CPIDGenerator(CZULAppData& app, IPIDGeneratorHost& host);

    // Regenerates the existing subroutine of the current loop or creates it;
    // leaves the generate mode at 0. FALSE when nothing was generated.
    BOOL GeneratePIDCode(int mode);
    // Rewrites program and variable file of the current loop's subroutine
    // (the variable file only while a generation is under way). Stops at its
    // first failure with both files as they were; FALSE then, and when the
    // user cancels for an open document with unsaved edits.
    BOOL RegeneratePIDProgram(const std::string& programPath);

    // The program-file text: "(*2*)" and the template lines, each ended by CR LF.
    static std::string ProgramText(const std::vector<std::string>& lines);

private:
    BOOL LoopIsValid() const;
    std::string SubroutineKey() const;
    // Asks about unsaved edits of the subroutine's open documents; the paths
    // of those to close afterwards, the last one's path as the program path.
    BOOL SettleOpenDocuments(std::string& programPath, std::vector<std::string>& openPaths);
    BOOL WriteFiles(const std::string& programPath);

    CZULAppData& m_app;
    IPIDGeneratorHost& m_host;
};
