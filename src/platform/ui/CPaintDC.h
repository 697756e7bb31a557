#pragma once
// The device context of a widget's paint event: a painter on the widget for
// as long as the object lives. Create it only inside paintEvent.

#include "CQtDC.h"

#include <QPainter>

class QWidget;

class CPaintDC : public CQtDC {
public:
    explicit CPaintDC(QWidget* widget);
    ~CPaintDC() override;

private:
    QPainter m_painter;
};
