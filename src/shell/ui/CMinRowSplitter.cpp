#include "shell/ui/CMinRowSplitter.h"

IMPLEMENT_DYNAMIC(CMinRowSplitter, CSplitterWnd)

void CMinRowSplitter::OnLButtonUp(UINT flags, CPoint point)
{
    CSplitterWnd::OnLButtonUp(flags, point);
    if (GetRowCount() < 1)
        return;
    int current = 0;
    int minimum = 0;
    GetRowInfo(0, current, minimum);
    if (current >= kMinUpperRowHeight)
        return;
    SetRowInfo(0, kMinUpperRowHeight, kMinUpperRowHeight);
    RecalcLayout();
}
