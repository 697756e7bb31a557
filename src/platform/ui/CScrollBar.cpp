#include "CScrollBar.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

struct ActionCode {
    int action;
    UINT code;
};

// Qt's slider actions and the scroll codes they stand for.
const ActionCode kActionCodes[] = {
    {QAbstractSlider::SliderSingleStepSub, SB_LINELEFT}, {QAbstractSlider::SliderSingleStepAdd, SB_LINERIGHT},
    {QAbstractSlider::SliderPageStepSub, SB_PAGELEFT},   {QAbstractSlider::SliderPageStepAdd, SB_PAGERIGHT},
    {QAbstractSlider::SliderToMinimum, SB_LEFT},         {QAbstractSlider::SliderToMaximum, SB_RIGHT},
    {QAbstractSlider::SliderMove, SB_THUMBTRACK},
};

int LastPosition(int maximum, UINT page)
{
    const int last = page == 0 ? maximum : maximum - static_cast<int>(page) + 1;
    return last;
}

} // namespace

CScrollBar::CScrollBar(QWidget* parent) : CWnd(parent)
{
}

BOOL CScrollBar::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    m_bar = new QScrollBar((style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, this);
    m_bar->setRange(0, 0);
    return CWnd::Create(parent, rect, id, style);
}

int CScrollBar::OnCreate()
{
    if (CWnd::OnCreate() == -1)
        return -1;
    QObject::connect(m_bar, &QAbstractSlider::actionTriggered, this, [this](int action) { OnAction(action); });
    QObject::connect(m_bar, &QAbstractSlider::sliderReleased, this, [this]() {
        Notify(SB_THUMBPOSITION, m_bar->sliderPosition());
        Notify(SB_ENDSCROLL, 0);
    });
    return 0;
}

void CScrollBar::OnSize(UINT, int cx, int cy)
{
    m_bar->setGeometry(GetClientOrigin().x, GetClientOrigin().y, cx, cy);
}

BOOL CScrollBar::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the Qt bar covers the whole window
}

void CScrollBar::OnAction(int action)
{
    for (const ActionCode& row : kActionCodes) {
        if (row.action != action)
            continue;
        Notify(row.code, m_bar->sliderPosition());
        return;
    }
}

void CScrollBar::Notify(UINT code, int position)
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    const UINT message = m_bar->orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
    const WPARAM wParam = static_cast<WPARAM>(MAKELONG(static_cast<int>(code), position));
    parent->SendMessage(message, wParam, m_windowBar ? 0 : reinterpret_cast<LPARAM>(this));
}

BOOL CScrollBar::SetScrollInfo(const SCROLLINFO* info, BOOL)
{
    if (!info || !m_bar)
        return FALSE;
    int minimum = m_bar->minimum();
    if (info->fMask & SIF_RANGE) {
        minimum = info->nMin;
        m_max = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        m_page = info->nPage;
    const QSignalBlocker quiet(m_bar);
    m_bar->setRange(minimum, std::max(minimum, LastPosition(m_max, m_page)));
    m_bar->setPageStep(std::max(1, static_cast<int>(m_page)));
    if (info->fMask & SIF_POS)
        m_bar->setValue(info->nPos);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const
{
    if (!info || !m_bar)
        return FALSE;
    info->fMask = mask;
    info->nMin = m_bar->minimum();
    info->nMax = m_max;
    info->nPage = m_page;
    info->nPos = m_bar->value();
    info->nTrackPos = m_bar->sliderPosition();
    return TRUE;
}

int CScrollBar::GetScrollPos() const
{
    return m_bar ? m_bar->value() : 0;
}

int CScrollBar::SetScrollPos(int position, BOOL)
{
    if (!m_bar)
        return 0;
    const int old = m_bar->value();
    const QSignalBlocker quiet(m_bar);
    m_bar->setValue(position);
    return old;
}

BOOL CScrollBar::EnableScrollBar(UINT arrows)
{
    if (!m_bar)
        return FALSE;
    m_bar->setEnabled(arrows != ESB_DISABLE_BOTH);
    return TRUE;
}

QScrollBar* CScrollBar::FindWindowBar(CWnd* wnd, int bar)
{
    if (!wnd)
        return nullptr;
    auto* area = wnd->findChild<QAbstractScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
    if (!area)
        return nullptr;
    return bar == SB_VERT ? area->verticalScrollBar() : area->horizontalScrollBar();
}

void CScrollBar::ReadBar(const QScrollBar* bar, SCROLLINFO* info)
{
    const int page = std::max(0, bar->pageStep());
    info->fMask = SIF_ALL;
    info->nMin = bar->minimum();
    // Qt's maximum is the last position; the range ends one page further.
    info->nMax = bar->maximum() + (page > 0 ? page - 1 : 0);
    info->nPage = static_cast<UINT>(page);
    info->nPos = bar->value();
    info->nTrackPos = bar->sliderPosition();
}

BOOL CScrollBar::GetWindowScrollInfo(CWnd* wnd, int bar, SCROLLINFO* info)
{
    QScrollBar* qbar = FindWindowBar(wnd, bar);
    if (!qbar || !info)
        return FALSE;
    ReadBar(qbar, info);
    return TRUE;
}

BOOL CScrollBar::ShowWindowScrollBar(CWnd* wnd, int bar, BOOL show)
{
    if (!wnd)
        return FALSE;
    auto* area = wnd->findChild<QAbstractScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
    if (!area)
        return FALSE;
    const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (bar == SB_VERT)
        area->setVerticalScrollBarPolicy(policy);
    else
        area->setHorizontalScrollBarPolicy(policy);
    return TRUE;
}
