#pragma once
// What the PID generator needs of the main window: the project tree, the
// open POU documents and the instruction catalogue. The PID wizard's main
// frame implements it.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CProjTreeNode;

class IPIDGeneratorHost {
public:
    virtual ~IPIDGeneratorHost() = default;

    // The project tree's new-POU operation for a subroutine; while a
    // generation is under way it creates PID_n as SBR(90 + n) and opens it.
    virtual void NewPIDSubroutine() = 0;

    // Program-file paths of every open POU document of every template.
    virtual std::vector<std::string> OpenDocumentPaths() = 0;
    virtual BOOL IsDocumentModified(const std::string& path) = 0;
    // Saves the open document; FALSE after its own report.
    virtual BOOL SaveDocument(const std::string& path) = 0;
    // Clears the document's modified flag, so that closing it drops its edits.
    virtual void DiscardDocumentChanges(const std::string& path) = 0;
    // Makes the first item of the PROGRAM folder that has a node and whose
    // text contains the key the tree's current item and selects it; its
    // node, or null when no item matches.
    virtual CProjTreeNode* SelectProgramItem(const std::string& key) = 0;
    // Activates the document, posts Close to the active child window and
    // resynchronises the MDI tabs; the window closes once messages run.
    virtual void CloseDocument(const std::string& path) = 0;
    // Rebuilds the instruction catalogue with the sets that are shown and
    // adds the project's subroutines to it again.
    virtual void RebuildInstructionCatalogue() = 0;
};
