#include "CWindowStack.h"

#include <QApplication>

#include <algorithm>

CWindowStack& CWindowStack::Instance()
{
    static CWindowStack stack;
    return stack;
}

void CWindowStack::BringToTop(QWidget* window)
{
    Remove(window);
    m_order.emplace_back(window);
    window->raise();
    // Owned windows (floating tool windows) stay above their owner.
    const std::vector<QPointer<QWidget>> order = m_order;
    for (const QPointer<QWidget>& owned : order) {
        if (!owned || owned == window || !owned->isWindow() || !owned->parentWidget() ||
            owned->parentWidget()->window() != window)
            continue;
        Remove(owned);
        m_order.emplace_back(owned);
        owned->raise();
    }
}

void CWindowStack::SendToBottom(QWidget* window)
{
    Remove(window);
    m_order.insert(m_order.begin(), QPointer<QWidget>(window));
    window->lower();
}

void CWindowStack::PlaceBelow(QWidget* window, QWidget* above)
{
    Remove(window);
    auto it = std::find(m_order.begin(), m_order.end(), above);
    if (it == m_order.end()) {
        BringToTop(window);
        return;
    }
    std::size_t index = static_cast<std::size_t>(it - m_order.begin());
    m_order.insert(it, QPointer<QWidget>(window));
    RaiseFrom(index);
}

void CWindowStack::Remove(QWidget* window)
{
    Prune();
    m_order.erase(std::remove(m_order.begin(), m_order.end(), window), m_order.end());
}

std::vector<QWidget*> CWindowStack::VisibleBottomToTop() const
{
    std::vector<QWidget*> windows;
    for (const QPointer<QWidget>& w : m_order)
        if (w && w->isWindow() && w->isVisible())
            windows.push_back(w);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && std::find(windows.begin(), windows.end(), w) == windows.end())
            windows.push_back(w);
    return windows;
}

void CWindowStack::Prune()
{
    m_order.erase(std::remove(m_order.begin(), m_order.end(), nullptr), m_order.end());
}

void CWindowStack::RaiseFrom(std::size_t index)
{
    for (std::size_t i = index; i < m_order.size(); ++i)
        m_order[i]->raise();
}
