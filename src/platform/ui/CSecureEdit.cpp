#include "CSecureEdit.h"

#include <QLineEdit>

CSecureEdit::CSecureEdit(QWidget* parent) : CEdit(parent)
{
    CreateInDialog(WS_BORDER | ES_PASSWORD | ES_AUTOHSCROLL, 0);
    if (QLineEdit* line = findChild<QLineEdit*>()) {
        line->setContextMenuPolicy(Qt::NoContextMenu);
        line->setDragEnabled(false);
    }
}

LRESULT CSecureEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case EM_SETPASSWORDCHAR:
        // The password character of the dialog stays.
        return 0;
    case WM_GETTEXT:
    case EM_GETLINE:
        if (!m_armed)
            return 0;
        m_armed = FALSE;
        return CEdit::WindowProc(message, wParam, lParam);
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
}
