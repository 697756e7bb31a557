#pragma once
// A static text with its own text and background colours; the Download
// dialog shows its note in red with it.

#include "platform/WinTypes.h"

#include <QLabel>

class CColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr);

    void SetTextColor(COLORREF color);
    void SetBkColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetBkColor() const { return m_bkColor; }

private:
    void ApplyColors();

    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(0xD4, 0xD0, 0xC8);
    bool m_hasBackground = false;
};
