#pragma once
// The slave list of the network page: the grid over the working copy of
// the 126 slave slots, its cells and edits answered by CCanOpenSlaveGrid.

#include "platform/ui/CCPGridCtrl.h"

class CCanOpenSlaveGrid;

class CCanOpenSlaveList : public CCPGridCtrl {
public:
    CCanOpenSlaveList(CCanOpenSlaveGrid& slaves, QWidget* parent = nullptr);

    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSaveCellData(int column, int row, const std::string& text) override;
    void CreateCellCtrl(UINT id, CCPCellCtrl& control) override;
    void OnSetActiveCell(int column, int row) override;

private:
    CCanOpenSlaveGrid& m_slaves;
};
