#include "CColorStatic.h"

#include "platform/CSystemMetrics.h"

#include <QColor>
#include <QPalette>

namespace {

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

} // namespace

CColorStatic::CColorStatic(QWidget* parent)
    : QLabel(parent), m_textColor(GetSysColor(COLOR_BTNTEXT)), m_bkColor(GetSysColor(COLOR_BTNFACE))
{
    setWordWrap(true);
    setAutoFillBackground(true);
    ApplyColors();
}

void CColorStatic::SetTextColor(COLORREF color)
{
    m_textColor = color;
    ApplyColors();
}

void CColorStatic::ApplyColors()
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, ToQColor(m_textColor));
    colors.setColor(QPalette::Window, ToQColor(m_bkColor));
    setPalette(colors);
}
