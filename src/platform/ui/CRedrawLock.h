#pragma once
// Suspends the repaint of a window for the lifetime of the lock (what
// WM_SETREDRAW FALSE ... TRUE does), so a child can be created or moved
// under it without the window flickering; the window repaints afterwards.

#include <QPointer>

class CWnd;

class CRedrawLock {
public:
    explicit CRedrawLock(CWnd* wnd);
    ~CRedrawLock();
    CRedrawLock(const CRedrawLock&) = delete;
    CRedrawLock& operator=(const CRedrawLock&) = delete;

private:
    QPointer<CWnd> m_wnd;
    bool m_wasEnabled = false;
};
