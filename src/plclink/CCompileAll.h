#pragma once
// The Compile All command: saves the project, writes the global-variable
// file, collects and orders the POU files with their work copies, runs the
// compiler and, after a successful compilation, builds the download image,
// stores its CRC as the project signature and writes the ".obj" file. The
// work copies are removed after every run.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULAppData;
class ICompileAllHost;

// Results of CompileAll.
constexpr int COMPILE_ALL_STOPPED = 0;
constexpr int COMPILE_ALL_RAN = 1;
constexpr int COMPILE_ALL_NUMBER_OUT_OF_RANGE = 2;

class CCompileAll {
public:
    CCompileAll(CZULAppData& app, ICompileAllHost& host);

    // The command: sub-type from the family, the language table cleared,
    // CompileAll, then the work copies deleted.
    void OnCompileAll();
    int CompileAll();

    // The profile sub-type of a family bit; FALSE for a family without one.
    static BOOL SubTypeOfFamily(DWORD familyBit, BYTE& subType);

private:
    struct FileCheck {
        int subroutines = 0;
        int interrupts = 0;
        bool tooManySubroutines = false;
        bool tooManyInterrupts = false;
        std::vector<std::string> outOfRange;
    };

    BOOL CheckPouFiles(const std::vector<std::string>& files, FileCheck& check) const;
    BOOL ReportFileCheck(const FileCheck& check) const;
    std::vector<std::string> OrderFiles(const std::vector<std::string>& files) const;
    int BuildImage();
    void DeleteWorkCopies() const;

    CZULAppData& m_app;
    ICompileAllHost& m_host;
};
