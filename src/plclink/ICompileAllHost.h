#pragma once
// What Compile All needs of the main window and of the parts of the program
// that it drives without owning them: the editors, the Output pane, the wait
// cursor, saving and the cross-reference list.

#include "platform/WinTypes.h"

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
    virtual void ScrollCompileListToEnd() = 0;
    // Refills the cross-reference list when its window is open.
    virtual void RefreshCrossReference(int areaTypes, int typesOfArea) = 0;
};
