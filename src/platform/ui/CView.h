#pragma once
// A window that shows a document inside a frame. On the command route the
// view comes first, then its document.

#include "platform/ui/CWnd.h"

class CDocument;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
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
    CDocument* m_document = nullptr;
};
