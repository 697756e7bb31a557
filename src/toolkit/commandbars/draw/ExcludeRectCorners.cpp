#include "toolkit/commandbars/draw/ExcludeRectCorners.h"

#include "platform/CDC.h"

void ExcludeRectCorners(CDC* dc, int left, int top, int right, int bottom)
{
    if (dc == nullptr)
        return;
    dc->ExcludeClipRect(CRect(left, top, left + 1, top + 1));
    dc->ExcludeClipRect(CRect(right - 1, top, right, top + 1));
    dc->ExcludeClipRect(CRect(left, bottom - 1, left + 1, bottom));
    dc->ExcludeClipRect(CRect(right - 1, bottom - 1, right, bottom));
}
