#include "CQtCaret.h"

#include "CPaintSurface.h"
#include "CWnd.h"

#include <QApplication>

namespace {

// The blink half-period when the desktop gives none.
constexpr int kDefaultHalfPeriod = 530;

} // namespace

CQtCaret::CQtCaret()
{
    const int flash = QApplication::cursorFlashTime();
    m_timer.setInterval(flash > 0 ? flash / 2 : kDefaultHalfPeriod);
    connect(&m_timer, &QTimer::timeout, this, [this] { Blink(); });
}

CQtCaret::~CQtCaret()
{
    if (CCaret::Instance().GetView() == this)
        CCaret::Instance().SetView(nullptr);
}

void CQtCaret::Install()
{
    static CQtCaret view;
    CCaret::Instance().SetView(&view);
}

BOOL CQtCaret::IsShownOn(const QWidget* widget) const
{
    return widget != nullptr && m_owner == widget && m_visible && m_blinkOn;
}

void CQtCaret::Repaint(QWidget* owner, const CRect& rect)
{
    if (owner == nullptr)
        return;
    if (auto* wnd = dynamic_cast<CWnd*>(owner)) {
        wnd->GetPaintSurface()->InvalidateCaret(rect);
        return;
    }
    owner->update(rect.left, rect.top, rect.Width(), rect.Height());
}

void CQtCaret::CaretChanged(const void* owner, const CRect& rect, BOOL visible)
{
    auto* widget = static_cast<QWidget*>(const_cast<void*>(owner));
    if (m_visible && m_blinkOn)
        Repaint(m_owner, m_rect);
    m_owner = widget;
    m_rect = widget != nullptr ? rect : CRect();
    m_visible = widget != nullptr && visible;
    // Every change restarts the blink with the caret shown, as typing does.
    m_blinkOn = m_visible;
    if (m_visible) {
        Repaint(m_owner, m_rect);
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void CQtCaret::Blink()
{
    if (m_owner == nullptr || !m_visible)
        return;
    m_blinkOn = !m_blinkOn;
    Repaint(m_owner, m_rect);
}
