#include "CView.h"

#include "CDocument.h"
#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::~CView()
{
    if (m_document)
        m_document->RemoveView(this);
}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    if (CWnd::OnCmdMsg(id, code, extra, info))
        return TRUE;
    return m_document && m_document->OnCmdMsg(id, code, extra, info);
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    if (m_document)
        m_document->RemoveView(this);
    if (m_bAutoDelete)
        deleteLater();
}
