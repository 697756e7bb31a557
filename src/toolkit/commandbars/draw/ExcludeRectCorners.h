#pragma once
// Rounds a fill off by one pixel: the four corner pixels of the rectangle
// are taken out of the clip region.

class CDC;

void ExcludeRectCorners(CDC* dc, int left, int top, int right, int bottom);
