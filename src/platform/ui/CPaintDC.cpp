#include "CPaintDC.h"

#include <QWidget>

CPaintDC::CPaintDC(QWidget* widget) : m_painter(widget)
{
    Attach(&m_painter, widget);
}

CPaintDC::~CPaintDC()
{
    m_painter.end();
}
