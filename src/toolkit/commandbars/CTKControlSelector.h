#pragma once
// A grid of cells from which the user picks a block of columns and rows (as
// for a table): the mouse highlights the block, dragging with the button
// held beyond the grid grows it up to its maximum, and releasing the button
// over a block executes with that block. Each change of the highlighted
// block is announced to the bar's site (0x52D, code 0x1006).

#include "toolkit/commandbars/CTKControl.h"

// The notification code of a changed selection.
constexpr UINT kTKSelectorChangedCode = 0x1006;

class CTKControlSelector : public CTKControl {
    DECLARE_SERIAL(CTKControlSelector)
public:
    CTKControlSelector();

    // Draws something into one cell; nothing here.
    virtual void DrawCell(CDC* dc, const CRect& cell, COLORREF textColor);

    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void OnCalcDynamicSize(DWORD layoutMode) override;
    void Copy(const CTKControl* source, BOOL recursive) override;
    void OnClick(BOOL keyboard, CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    BOOL SetSelected(int state) override;
    // The control's stored form, then the initial and maximum grid and the cell size.
    void Serialize(CArchive& ar) override;

    // Highlights the block; notify announces it even when it did not change.
    void SetSelection(int columns, int rows, BOOL notify);
    CSize GetSelection() const { return CSize(m_nSelectedColumns, m_nSelectedRows); }
    CSize GetChosen() const { return CSize(m_nChosenColumns, m_nChosenRows); }
    CSize GetGridSize() const { return CSize(m_nColumns, m_nRows); }
    void SetInitialSize(int columns, int rows);
    void SetMaximumSize(int columns, int rows);

private:
    // Grows the grid to the cell under the point (client coordinates of
    // the bar), up to the maximum; TRUE when it grew.
    BOOL GrowTo(CPoint point);

    int m_nInitialColumns = 5;
    int m_nInitialRows = 4;
    int m_nMaxColumns = 12;
    int m_nMaxRows = 12;
    int m_nSelectedColumns = 0;
    int m_nSelectedRows = 0;
    int m_nCellWidth = 28;
    int m_nCellHeight = 28;
    int m_nChosenColumns = 0;
    int m_nChosenRows = 0;
    int m_nColumns = 5;
    int m_nRows = 4;
    BOOL m_bGrowing = FALSE;
};
