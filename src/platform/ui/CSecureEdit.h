#pragma once
// The password edit of the password dialogs: it shows bullets whatever it
// is asked to show, offers no copy, drag or context menu, and gives its text
// only once after its owner armed it, so that nothing else can read the
// password out of the window.

#include "platform/ui/CEdit.h"

class CSecureEdit : public CEdit {
    Q_OBJECT
public:
    // Created at once as a bordered password edit of a Qt dialog.
    explicit CSecureEdit(QWidget* parent = nullptr);

    // The next WM_GETTEXT or EM_GETLINE (GetWindowText) gives the text.
    void Arm() { m_armed = TRUE; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL m_armed = FALSE;
};
