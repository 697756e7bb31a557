#pragma once
// The place of an LD element on the cell grid of the diagram: its top-left
// cell, a value the painter keeps for each network item, and the index of
// the network item the element belongs to (2n header, 2n+1 root of network n).

class CLDCellRect {
public:
    CLDCellRect() = default;
    CLDCellRect(int column, int row, int spare, int itemIndex)
        : column(column), row(row), spare(spare), itemIndex(itemIndex)
    {
    }
    virtual ~CLDCellRect() = default;
    CLDCellRect(const CLDCellRect&) = default;
    CLDCellRect& operator=(const CLDCellRect&) = default;

    // Puts column and row on the same cell number.
    void SetCell(int cell)
    {
        column = cell;
        row = cell;
    }

    bool operator==(const CLDCellRect& other) const
    {
        return column == other.column && row == other.row && spare == other.spare && itemIndex == other.itemIndex;
    }

    int column = 0;
    int row = 0;
    int spare = 0;
    int itemIndex = 0;
};
