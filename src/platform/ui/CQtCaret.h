#pragma once
// Shows the caret of CCaret on its owner window: inverted over what the
// window painted, blinking at the desktop's cursor flash rate. A blink only
// shows the window's back buffer again with or without the caret; it never
// calls the window's OnPaint. The owner that Qt-free code passes to CCaret
// is the owner's QWidget pointer; the caret is drawn on windows (CWnd).

#include "platform/CCaret.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class CQtCaret : public QObject, public ICaretView {
public:
    CQtCaret();
    ~CQtCaret() override;

    // Makes one process-wide instance the view of CCaret.
    static void Install();

    void CaretChanged(const void* owner, const CRect& rect, BOOL visible) override;

    // The caret's owner while a caret exists, else nullptr.
    QWidget* GetOwner() const { return m_owner; }
    // The caret's rectangle in its owner's client coordinates (for the input
    // method's cursor rectangle as well).
    const CRect& GetCaretRect() const { return m_rect; }
    // TRUE while the caret is shown on the widget and the blink phase shows it.
    BOOL IsShownOn(const QWidget* widget) const;
    // TRUE while the blink phase shows the caret.
    BOOL IsBlinkOn() const { return m_blinkOn; }
    // Switches the blink phase at once (the timer does this every half period).
    void Blink();

private:
    void Repaint(QWidget* owner, const CRect& rect);

    QPointer<QWidget> m_owner;
    CRect m_rect;
    QTimer m_timer;
    BOOL m_visible = FALSE;
    BOOL m_blinkOn = FALSE;
};
