#include "CColorIndicator.h"

#include <QColor>
#include <QPalette>

CColorIndicator::CColorIndicator(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAutoFillBackground(true);
    SetColor(INDICATOR_NEUTRAL);
}

void CColorIndicator::SetColor(COLORREF color)
{
    m_color = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    colors.setColor(QPalette::WindowText, Qt::black);
    setPalette(colors);
    update();
}
