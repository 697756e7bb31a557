#pragma once
// What the Output pane's view needs of the main window: following a
// double-clicked line to its place and showing the lists' context menu.

#include "shell/OutputLineRules.h"

class CWnd;

class IOutputViewHost {
public:
    virtual ~IOutputViewHost() = default;
    // Opens the initial-data cell, the POU at a row or network, or a find hit.
    virtual void GoToOutputTarget(const COutputLineTarget& target) = 0;
    // The popup of menu resource menuId at the screen point; commands go to target.
    virtual int ShowContextMenu(int menuId, int screenX, int screenY, CWnd* target) = 0;
    // Moves the Output pane to the auto-hide strip of its side.
    virtual void AutoHideOutputPane() = 0;
    // The project the lines name.
    virtual const CZULProject& OutputProject() = 0;
};
