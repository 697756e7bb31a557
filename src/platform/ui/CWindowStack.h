#pragma once
// The stacking order of the top-level windows as the window layer keeps it
// (the window system does not report it): windows come to the top when
// shown or activated and move where SetWindowPos puts them. Screenshots
// compose the windows in this order.

#include <QPointer>
#include <QWidget>

#include <vector>

class CWindowStack {
public:
    static CWindowStack& Instance();

    void BringToTop(QWidget* window);
    void SendToBottom(QWidget* window);
    // Places window directly beneath above (which must be in the stack).
    void PlaceBelow(QWidget* window, QWidget* above);
    void Remove(QWidget* window);

    // The visible top-level windows from the bottom up; those the stack does
    // not know come last, above the others.
    std::vector<QWidget*> VisibleBottomToTop() const;

private:
    CWindowStack() = default;
    void Prune();
    void RaiseFrom(std::size_t index);

    std::vector<QPointer<QWidget>> m_order;   // bottom first
};
