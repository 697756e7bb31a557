#pragma once
// A window that shows a document inside a frame. On the command route the
// view comes first, then its document. A view whose window (or a window
// inside it) takes the focus becomes its frame's active view, so the
// frame's commands reach the view in front; views in the panes of an MDI
// frame are left out.

#include "platform/ui/CWnd.h"

class CDocument;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_document; }
    // Kept by CDocument::AddView / RemoveView.
    void SetDocument(CDocument* document) { m_document = document; }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

    // A view created on the heap deletes itself when its window is destroyed.
    BOOL m_bAutoDelete = TRUE;

protected:
    void OnDestroy() override;
    void PostNcDestroy() override;

private:
    void OnFocusChanged(QWidget* now);

    CDocument* m_document = nullptr;
};
