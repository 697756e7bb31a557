#pragma once
// Makes a window of a run-time class known by name, as a child of the
// parent. Null when the class is not in the program or is no window, or
// when its window cannot be made.

#include "platform/ui/CWnd.h"

CWnd* CreateViewByName(const char* className, CWnd* parent, UINT id, DWORD style, const CRect& rect = CRect());
