#pragma once
// Shows the caret of CCaret on its owner widget: a small child widget in the
// text colour that blinks at the desktop's cursor flash rate. The owner that
// Qt-free code passes to CCaret is the owner's QWidget pointer.

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

    // The caret's widget while a caret exists, else nullptr.
    QWidget* CaretWidget() const { return m_widget; }
    // TRUE while the blink phase shows the caret.
    BOOL IsBlinkOn() const { return m_blinkOn; }

private:
    void Blink();

    QPointer<QWidget> m_widget;
    QTimer m_timer;
    BOOL m_visible = FALSE;
    BOOL m_blinkOn = FALSE;
};
