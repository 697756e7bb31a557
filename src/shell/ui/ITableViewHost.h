#pragma once
// What the table views of the project ask of the window that hosts them:
// the status-bar panes, the context menu of the command bars and the
// force commands. The main frame implements it; a view finds it among its
// parent windows.

#include "platform/WinTypes.h"

#include <string>

class CForceCommands;
class CWnd;

class ITableViewHost {
public:
    virtual ~ITableViewHost() = default;

    virtual void SetStatusPane(int pane, const std::string& text) = 0;
    // Shows the context menu at a screen point; its commands go to the target.
    virtual int ShowContextMenu(int menuId, int x, int y, CWnd* target) = 0;
    // The force commands the status chart runs; nullptr leaves them disabled.
    virtual CForceCommands* GetForceCommands() { return nullptr; }

    // The host among the parents of a window, or nullptr.
    static ITableViewHost* FindFor(CWnd* wnd);
};
