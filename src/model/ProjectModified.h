#pragma once
// The mark-project-modified service: every editor, table, page and dialog
// that changes project data calls SetProjectModified. The flag lives in the
// one project document, which the main window attaches at start-up and
// detaches before it deletes the document.

#include "platform/WinTypes.h"

class CProjTreeDOC;

// The document whose modified flag SetProjectModified sets; nullptr detaches.
void AttachProjectDocument(CProjTreeDOC* document);
CProjTreeDOC* GetProjectDocument();

// Sets or clears the project document's modified flag; nothing while no
// document is attached.
void SetProjectModified(BOOL modified);
