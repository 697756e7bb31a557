#pragma once
// What the module grid asks of the hardware window around it: the tabs of
// the module page host below the grid, the project views that follow a
// change of the configuration, and the grid's own redraw.

#include "platform/WinTypes.h"

#include <string>

class CZUL_Q7_PLC;

class IHardwareHost {
public:
    virtual ~IHardwareHost() = default;

    // The page host's tab strip; tab 0 is the note page, tab r the page of slot r - 1.
    virtual int GetTabCount() const = 0;
    virtual int GetCurrentTab() const = 0;
    virtual void SetCurrentTab(int tab) = 0;
    // Puts the page of the record's kind at the tab index, labelled with the index.
    virtual void AddModulePage(int tab, CZUL_Q7_PLC* record) = 0;
    virtual void RemoveTab(int tab) = 0;
    // Replaces the page at the tab index by a note page with this label.
    virtual void ReplaceWithNotePage(int tab, const std::string& label) = 0;

    // The instruction catalogue follows a new CPU: built when it never was,
    // the shown set rebuilt for the CPU family, the subroutines added.
    virtual void RebuildInstructionCatalog() = 0;
    virtual void RebuildFBInstanceTable() = 0;
    virtual void RecheckInitialData() = 0;
    virtual void RecheckGlobalVariables() = 0;

    virtual void RedrawGrid() = 0;
    // F1 in the grid: help for the active window, handed to the main frame.
    virtual void PostHelpKey() = 0;
};
