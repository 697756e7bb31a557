#pragma once
// The status line of Qt-free code: the text goes to the first pane of a
// status bar window (its WM_SETTEXT). Texts set from other threads are
// posted to the user-interface thread. Without a window nothing is shown.

#include "platform/IStatusLine.h"

#include <QPointer>

#include <memory>

class CWnd;
class QObject;

class CQtStatusLine : public IStatusLine {
public:
    explicit CQtStatusLine(CWnd* statusBar = nullptr);
    ~CQtStatusLine() override;

    void SetStatusBar(CWnd* statusBar);
    void SetStatusText(const std::string& text) override;

private:
    QPointer<CWnd> m_statusBar;
    std::unique_ptr<QObject> m_context;
};
