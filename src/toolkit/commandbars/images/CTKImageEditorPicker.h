#pragma once
// A colour cell of the button editor: a palette colour, the transparent
// cell or the current-colour cell. The transparent colour shows as a small
// checker; the selected cell wears three rings (black, white, black).

#include "platform/WinTypes.h"

#include <QWidget>

class CTKImageEditorPicker : public QWidget {
    Q_OBJECT
public:
    explicit CTKImageEditorPicker(QWidget* parent = nullptr);

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    void SetSelected(BOOL selected);
    BOOL IsSelected() const { return m_selected; }

    void OnPaint();

signals:
    // A press of the left button on the cell.
    void Clicked(CTKImageEditorPicker* picker);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    COLORREF m_color = 0;
    BOOL m_selected = FALSE;
};
