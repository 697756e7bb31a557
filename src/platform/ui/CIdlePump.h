#pragma once
// Idle processing: once the event queue has run empty after input, a
// timer, or a posted message, every visible top-level window and all its
// descendants receive WM_IDLEUPDATECMDUI. Frames perform their delayed
// layout on it; bars, menus and the status bar run the update handlers of
// their commands.

#include <QObject>
#include <QTimer>

class CIdlePump : public QObject {
public:
    static CIdlePump& Instance();

    // Runs the idle pass when the queue is next empty (a zero-time timer).
    void Arm();
    bool IsArmed() const { return m_timer.isActive(); }
    // The idle pass, now.
    void RunIdle();
    bool IsIdleTimer(QObject* object) const { return object == &m_timer; }

private:
    explicit CIdlePump(QObject* parent);
    QTimer m_timer;
};
