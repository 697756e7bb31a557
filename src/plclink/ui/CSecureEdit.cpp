#include "CSecureEdit.h"

#include "platform/ui/QtText.h"

CSecureEdit::CSecureEdit(QWidget* parent) : QLineEdit(parent)
{
    setEchoMode(QLineEdit::Password);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setMaxLength(8);
}

std::string CSecureEdit::TakeText()
{
    if (!m_armed)
        return {};
    m_armed = false;
    return FromQString(text());
}
