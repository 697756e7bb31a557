#include "CCPGridHost.h"

BOOL CCPGridHost::GetCellText(int, int, std::string& text, BYTE& mark)
{
    text.clear();
    mark = GRID_MARK_PLAIN;
    return FALSE;
}

void CCPGridHost::OnSaveCellData(int, int, const std::string&) {}

void CCPGridHost::CreateCellCtrl(UINT, CCPCellCtrl&) {}

BOOL CCPGridHost::ActivateCtrl(int, int, BOOL editable)
{
    return editable;
}

void CCPGridHost::OnSetActiveCell(int, int) {}

void CCPGridHost::OnFixedRowDown(int) {}

void CCPGridHost::OnKeyDown(UINT, UINT, UINT) {}
