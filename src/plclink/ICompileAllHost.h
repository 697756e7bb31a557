#pragma once
// What Compile All needs of the main window and of the parts of the program
// that it drives without owning them: the editors, the Output pane, the wait
// cursor, saving, the FB-instance table, the compiler run and the
// cross-reference list.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class ICompileAllHost {
public:
    virtual ~ICompileAllHost() = default;

    // Ends the pending edit of the active POU editor, if one is active.
    virtual void EndPendingEdit() = 0;
    // Shows the Output pane when it is hidden and lets the tab client catch up.
    virtual void ShowOutputPane() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Saves every open POU and the project; FALSE after its own report.
    virtual BOOL SaveAllProjectFiles() = 0;
    virtual void RebuildFBInstanceTable() = 0;
    // Runs the compiler over the files in compile order (empty entries are
    // places no file reached): 1 success, 0 failure.
    virtual int RunCompiler(const std::vector<std::string>& files) = 0;
    virtual void ScrollCompileListToEnd() = 0;
    // Refills the cross-reference list when its window is open.
    virtual void RefreshCrossReference(int areaTypes, int typesOfArea) = 0;
};
