#pragma once
// What the message loop does around the windows' own handling, installed
// once as an application event filter: key messages of plain Qt widgets
// inside our windows pass the windows' pre-translation; input, timers and
// posted messages arm the idle pump; a modal dialog or the application
// losing the activation takes the mouse capture away.

#include "platform/WinTypes.h"

#include <QEvent>
#include <QObject>
#include <QPointer>

class CMessagePump : public QObject {
public:
    // Installs the filter on the application (once; needs the QApplication).
    static void Install();
    // Ends the main loop with the exit code, also from inside nested loops:
    // every running loop returns and the main loop ends after them. Without
    // a running main loop it does nothing.
    static void PostQuitMessage(int exitCode);
    // Whether the key event that the widget is receiving was pre-translated
    // already, at the plain widget inside it that had it first: a key that
    // such a widget leaves goes up to its window and is not translated again.
    static BOOL WasPreTranslated(const QEvent* event, const QWidget* receiver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CMessagePump(QObject* parent);
    bool PreTranslatePlainWidget(QObject* watched, QEvent* event);
    // Follows a key event up the widgets Qt hands it to: a key that comes on
    // from the widget below keeps its mark, a new key starts unmarked.
    void FollowKey(QWidget* receiver, const QEvent* event);

    // The key event on its way up, the widget that has it now, and whether
    // it was pre-translated on the way.
    const QEvent* m_key = nullptr;
    QEvent::Type m_keyType = QEvent::None;
    QPointer<QWidget> m_keyReceiver;
    bool m_keyPreTranslated = false;
};
