#pragma once
// What the Find/Replace dialog needs of the main window beyond the editors'
// workbench services: its dialog slot, the window that parents the dialog,
// the POU document of the active window and the open POU documents.

#include <vector>

class CFindReplaceDlg;
class CPOUEditorDoc;
class QWidget;

class IFindReplaceHost {
public:
    virtual ~IFindReplaceHost() = default;
    // Fills the slot that IPOUWorkbenchHost::GetFindReplaceDialog reads; the
    // dialog is a child of GetMainWindow and goes with it.
    virtual void SetFindReplaceDialog(CFindReplaceDlg* dialog) = 0;
    virtual QWidget* GetMainWindow() = 0;
    // The document of the active POU window with its code pane active; null
    // when the active window is no POU window.
    virtual CPOUEditorDoc* GetActivePOUDocument() = 0;
    // Every open POU document, IL and LD alike.
    virtual std::vector<CPOUEditorDoc*> GetOpenPOUDocuments() = 0;
};
