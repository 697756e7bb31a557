#include "CFormView.h"

#include "platform/CSystemMetrics.h"

#include <QScrollArea>

IMPLEMENT_DYNAMIC(CFormView, CView)

CFormView::CFormView(UINT templateId, QSize formSize) : m_templateId(templateId), m_formSize(formSize)
{
    SetClassBackground(CBrush(GetSysColor(COLOR_BTNFACE)));
}

CFormView::~CFormView() = default;

int CFormView::OnCreate()
{
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setGeometry(rect());
    m_form = new CWnd;
    m_form->SetClassBackground(CBrush(GetSysColor(COLOR_BTNFACE)));
    m_form->Create(nullptr, CRect(0, 0, m_formSize.width(), m_formSize.height()), 0, WS_CHILD | WS_VISIBLE);
    m_scroll->setWidget(m_form);
    return CView::OnCreate();
}

void CFormView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_scroll)
        m_scroll->setGeometry(0, 0, cx, cy);
}
