#include "CColorStatic.h"

#include <QColor>
#include <QPalette>

namespace {

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

} // namespace

CColorStatic::CColorStatic(QWidget* parent) : QLabel(parent)
{
    setWordWrap(true);
}

void CColorStatic::SetTextColor(COLORREF color)
{
    m_textColor = color;
    ApplyColors();
}

void CColorStatic::SetBkColor(COLORREF color)
{
    m_bkColor = color;
    m_hasBackground = true;
    ApplyColors();
}

void CColorStatic::ApplyColors()
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, ToQColor(m_textColor));
    if (m_hasBackground)
        colors.setColor(QPalette::Window, ToQColor(m_bkColor));
    setAutoFillBackground(m_hasBackground);
    setPalette(colors);
}
