#pragma once
// The context menus of the CANopen pages, shown by the main window like
// every context menu of the program; the chosen command comes back to the
// page as WM_COMMAND.

#include "platform/WinTypes.h"

class CWnd;
class QPoint;

constexpr UINT IDR_CANOPEN_TYPE_MENU = 4038;
constexpr UINT IDR_CANOPEN_SLAVE_MENU = 4039;
constexpr UINT IDR_CANOPEN_OD_TREE_MENU = 4040;
constexpr UINT IDR_CANOPEN_MAPPED_MENU = 4041;

constexpr UINT ID_CANOPEN_ADD_SLAVE = 4463;
constexpr UINT ID_CANOPEN_DELETE_TYPE = 4464;
constexpr UINT ID_CANOPEN_SLAVE_UP = 4465;
constexpr UINT ID_CANOPEN_SLAVE_DOWN = 4466;
constexpr UINT ID_CANOPEN_DELETE_SLAVE = 4467;
constexpr UINT ID_CANOPEN_ADD_OD = 4468;
constexpr UINT ID_CANOPEN_DELETE_OD = 4469;
constexpr UINT ID_CANOPEN_BOOT = 4471;

// The menu at a screen point for the page; nothing outside a main window.
void ShowCanOpenContextMenu(CWnd& page, UINT menuId, const QPoint& screen);
