#include "CQtCaret.h"

#include <QApplication>
#include <QPalette>

CQtCaret::CQtCaret()
{
    const int flash = QApplication::cursorFlashTime();
    m_timer.setInterval(flash > 0 ? flash / 2 : 530);
    connect(&m_timer, &QTimer::timeout, this, [this] { Blink(); });
}

CQtCaret::~CQtCaret()
{
    if (CCaret::Instance().GetView() == this)
        CCaret::Instance().SetView(nullptr);
    delete m_widget;
}

void CQtCaret::Install()
{
    static CQtCaret view;
    CCaret::Instance().SetView(&view);
}

void CQtCaret::CaretChanged(const void* owner, const CRect& rect, BOOL visible)
{
    auto* parent = static_cast<QWidget*>(const_cast<void*>(owner));
    if (parent == nullptr) {
        m_timer.stop();
        delete m_widget;
        m_visible = FALSE;
        m_blinkOn = FALSE;
        return;
    }
    if (m_widget == nullptr || m_widget->parentWidget() != parent) {
        delete m_widget;
        m_widget = new QWidget(parent);
        m_widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_widget->setAutoFillBackground(true);
        QPalette palette = m_widget->palette();
        palette.setColor(QPalette::Window, Qt::black);
        m_widget->setPalette(palette);
    }
    m_widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    m_visible = visible;
    // Every change restarts the blink with the caret shown, as typing does.
    m_blinkOn = visible;
    m_widget->setVisible(visible);
    if (visible)
        m_timer.start();
    else
        m_timer.stop();
}

void CQtCaret::Blink()
{
    if (m_widget == nullptr || !m_visible)
        return;
    m_blinkOn = !m_blinkOn;
    m_widget->setVisible(m_blinkOn);
}
