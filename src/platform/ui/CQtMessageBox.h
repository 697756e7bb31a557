#pragma once
// Message boxes of Qt-free code shown as modal Qt message boxes: the GBK
// caption and text are converted for display, the MB_ flags choose the
// buttons, the icon and the default button, and the button pressed comes
// back as IDOK, IDCANCEL, IDYES, ... Closing the box with Escape answers
// Cancel where there is a Cancel button and OK for a box with OK alone.
// Calls from other threads wait for the answer of the box shown on the
// user-interface thread.

#include "platform/IMessageBox.h"

class CQtMessageBox : public IMessageBox {
public:
    int Show(const std::string& caption, const std::string& text, UINT type) override;

private:
    int ShowHere(const std::string& caption, const std::string& text, UINT type);
};
