#pragma once
// A static text with its own text and background colours, starting from the
// system's button text and button face colours; the Download dialog shows
// its note in red with it.

#include "platform/WinTypes.h"

#include <QLabel>

class CColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr);

    // The owner repaints.
    void SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetBkColor() const { return m_bkColor; }

private:
    void ApplyColors();

    COLORREF m_textColor = 0;
    COLORREF m_bkColor = 0;
};
