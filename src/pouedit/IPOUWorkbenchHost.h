#pragma once
// What the POU editors need of the workbench shell and the toolkit: the
// project tree, the active POU window, the instruction catalogue, the
// status panes, opening every POU, the force requests to the PLC, the
// Find/Replace dialog and the themed context menu. The main frame
// implements it.

#include "platform/WinTypes.h"

#include <string>

class CFindReplaceDlg;
class CProjTreeNode;
class CWnd;
class IPOUEditorView;
class ILDDialogs;
class ILDForceQuery;

class IPOUWorkbenchHost {
public:
    virtual ~IPOUWorkbenchHost() = default;

    // The project-tree node last selected or opened; null when none.
    virtual CProjTreeNode* GetCurrentTreeNode() = 0;
    // Makes the node the tree's caret item.
    virtual void SelectTreeNode(CProjTreeNode* node) = 0;
    // The code view of the active POU window; null when none.
    virtual IPOUEditorView* GetActivePOUWindow() = 0;

    // Refills the instruction catalogue for LD (TRUE) or IL (FALSE) and adds the project's subroutines.
    virtual void RebuildInstructionTree(BOOL ld) = 0;
    virtual void AddSubroutinesToInstructionTree() = 0;
    // Panes 1 and 2 of the status bar.
    virtual void SetStatusPane(int pane, const std::string& text) = 0;
    virtual void OpenAllPous(BOOL reallocate) = 0;

    virtual BOOL ForceAddress(const std::string& address, int value) = 0;
    virtual BOOL UnforceAddress(const std::string& address) = 0;
    virtual BOOL SendUnforceAll() = 0;
    virtual BOOL ForceMapHasEntries() = 0;
    // Zeros the force image and deletes every force-map entry.
    virtual void ClearForceMap() = 0;

    // The one Find/Replace dialog; null until the first Find or Replace.
    virtual CFindReplaceDlg* GetFindReplaceDialog() = 0;
    // The next Find starts anew.
    virtual void ResetFindState() = 0;
    // Makes the code pane of the active POU window the active view.
    virtual void ActivateCodePane() = 0;
    // Shows the first submenu of the menu resource at the screen point;
    // the chosen command goes to the target window.
    virtual int ShowContextMenu(int menuId, int screenX, int screenY, CWnd* target) = 0;
    // The ladder editor's dialogs over the main window; null when there are none.
    virtual ILDDialogs* GetLDDialogs() { return nullptr; }
    // The force map as the ladder elements ask it; null when there is none.
    virtual const ILDForceQuery* GetLDForceQuery() { return nullptr; }
};
