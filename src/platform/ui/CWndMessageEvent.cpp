#include "CWndMessageEvent.h"

CWndMessageEvent::CWndMessageEvent(UINT msg, WPARAM w, LPARAM l, BOOL isPosted)
    : QEvent(EventType()), message(msg), wParam(w), lParam(l), posted(isPosted)
{
}

QEvent::Type CWndMessageEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
