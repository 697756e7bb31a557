#include "CView.h"

#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMDIFrameWnd.h"

#include <QApplication>

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::CView()
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

// The innermost view around the focus window is the one that becomes active.
void CView::OnFocusChanged(QWidget* now)
{
    if (now == nullptr || (now != this && !isAncestorOf(now)))
        return;
    for (QWidget* widget = now; widget != this; widget = widget->parentWidget()) {
        if (dynamic_cast<CView*>(widget) != nullptr)
            return;
    }
    // The panes of an MDI frame (trees, lists) stay out of its command route.
    CFrameWnd* frame = GetParentFrame();
    if (frame == nullptr || dynamic_cast<CMDIFrameWnd*>(frame) != nullptr || frame->GetActiveView() == this)
        return;
    frame->SetActiveView(this);
}

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
