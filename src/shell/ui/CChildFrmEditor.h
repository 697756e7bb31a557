#pragma once
// The frame of a POU window: a splitter with the local variables (row 0)
// over the code (row 1). Coming to the front it shows live values while
// monitoring and switches the catalogue to the POU's language; going to the
// back it clears them or commits the local variables to the call interface.

#include "platform/ui/CMDIChildWnd.h"

class CDocument;
class CMinRowSplitter;
class CPOUEditorView;

class CChildFrmEditor : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrmEditor)
public:
    CChildFrmEditor();
    ~CChildFrmEditor() override;

    // Makes the splitter and both views, joined to the document.
    BOOL CreateEditorPanes(CDocument* document);
    CMinRowSplitter* GetSplitter() const { return m_splitter; }
    CPOUEditorView* GetEditorView() const;
    // Without a show state the frame comes up maximised.
    void ActivateFrame(int cmdShow = -1) override;

protected:
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) override;
    // A modified POU asks whether to save it first; Cancel keeps the window.
    void OnClose() override;
    void OnDestroy() override;

private:
    void SwitchCatalogue(int language);
    void ClearEditorStatusPanes();

    CMinRowSplitter* m_splitter = nullptr;
};
