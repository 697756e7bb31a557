#pragma once
// The coloured status lamp of the PLC Information and Time of Day Clock
// dialogs: a label whose background shows the colour, its text in black.
// Green 0x00FF00, red 0x0000FF and yellow 0x00FFFF are the colours used.

#include "platform/WinTypes.h"

#include <QLabel>

constexpr COLORREF INDICATOR_GREEN = 0x00FF00;
constexpr COLORREF INDICATOR_RED = 0x0000FF;
constexpr COLORREF INDICATOR_YELLOW = 0x00FFFF;
constexpr COLORREF INDICATOR_NEUTRAL = 0xC8D0D4;

class CColorIndicator : public QLabel {
    Q_OBJECT
public:
    explicit CColorIndicator(const QString& text = {}, QWidget* parent = nullptr);

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color = INDICATOR_NEUTRAL;
};
