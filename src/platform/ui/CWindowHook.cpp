#include "CWindowHook.h"

#include "CWnd.h"
#include "CWndMessageEvent.h"

#include <algorithm>

CWindowHook::~CWindowHook()
{
    UnhookAll();
}

BOOL CWindowHook::HookWindow(CWnd* window)
{
    if (!window || IsHooked(window))
        return FALSE;
    m_windows.emplace_back(window);
    window->installEventFilter(this);
    return TRUE;
}

BOOL CWindowHook::UnhookWindow(CWnd* window)
{
    auto it = std::find(m_windows.begin(), m_windows.end(), window);
    if (!window || it == m_windows.end())
        return FALSE;
    m_windows.erase(it);
    window->removeEventFilter(this);
    return TRUE;
}

void CWindowHook::UnhookAll()
{
    std::vector<QPointer<CWnd>> windows;
    windows.swap(m_windows);
    for (const QPointer<CWnd>& window : windows)
        if (window)
            window->removeEventFilter(this);
}

BOOL CWindowHook::IsHooked(const CWnd* window) const
{
    return std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end();
}

void CWindowHook::OnWindowDestroyed(CWnd*)
{
}

bool CWindowHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != CWndMessageEvent::EventType())
        return false;
    auto* message = static_cast<CWndMessageEvent*>(event);
    auto* window = dynamic_cast<CWnd*>(watched);
    if (!window || message->hooksDone)
        return false;
    if (message->message == WM_NCDESTROY) {
        UnhookWindow(window);
        OnWindowDestroyed(window);
        return false;
    }
    LRESULT result = 0;
    int answer = OnHookMessage(window, message->message, &message->wParam, &message->lParam, &result);
    if (answer == 1) {
        message->result = result;
        return true;
    }
    if (answer == 2)
        message->hooksDone = TRUE;
    return false;
}
