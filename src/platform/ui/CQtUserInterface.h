#pragma once
// The program's user interface for Qt-free code: modal Qt message boxes,
// posting to the user-interface thread, the status bar's first pane and
// the help pages, installed for as long as the object lives. Without it,
// questions were declined unasked and calls that worker threads post ran on
// the workers themselves.

#include "platform/ui/CQtHelpService.h"
#include "platform/ui/CQtMessageBox.h"
#include "platform/ui/CQtStatusLine.h"
#include "platform/ui/CQtUiPoster.h"

class CWnd;

class CQtUserInterface {
public:
    // Created on the user-interface thread, after the application object.
    CQtUserInterface();
    ~CQtUserInterface();
    CQtUserInterface(const CQtUserInterface&) = delete;
    CQtUserInterface& operator=(const CQtUserInterface&) = delete;

    // The status bar whose first pane shows the status texts.
    void SetStatusBar(CWnd* statusBar) { m_status.SetStatusBar(statusBar); }

private:
    CQtMessageBox m_box;
    CQtUiPoster m_poster;
    CQtStatusLine m_status;
    CQtHelpService m_help;
};
