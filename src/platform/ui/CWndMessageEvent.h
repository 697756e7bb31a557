#pragma once
// A window message travelling as a Qt event: sent messages are delivered
// at once (QCoreApplication::sendEvent), posted ones wait in the event
// queue. Hooks installed as event filters on the window see the event
// before the window does, may change its parameters, answer it with a
// result, or hide it from the hooks installed before them.

#include "platform/ui/WinMessages.h"

#include <QEvent>

class CWndMessageEvent : public QEvent {
public:
    CWndMessageEvent(UINT message, WPARAM wParam, LPARAM lParam, BOOL posted);

    static QEvent::Type EventType();

    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    BOOL posted;
    // Set by a hook that answered 2: hooks installed before it skip the message.
    BOOL hooksDone = FALSE;
};
