#pragma once
// Command ids that views of several libraries share: the edit commands and
// the row commands and context menu of the program's tables.

#include "platform/WinTypes.h"

constexpr UINT ID_EDIT_CLEAR = 57632;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;

constexpr UINT ID_TABLE_INSERT_ROW_ABOVE = 32691;
constexpr UINT ID_TABLE_DELETE_ROW = 32693;
constexpr UINT ID_TABLE_INSERT_ROW_BELOW = 32866;
// The context menu of the tables.
constexpr int TABLE_CONTEXT_MENU = 102;
