#pragma once
// The context menus of the CANopen pages, shown by the main window like
// every context menu of the program; the chosen command comes back to the
// page as WM_COMMAND. A right press on a page's tree or grid opens them.

#include "platform/WinTypes.h"

class CCPGridCtrl;
class CWnd;
class QEvent;
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

// A right mouse press gives its point in the pressed widget and on the
// screen; any other event gives false.
bool GetRightPress(const QEvent& event, QPoint& at, QPoint& screen);

// The grid cell under a point of the grid's view becomes the active cell
// and the menu opens; false where no cell is under the point.
bool ShowGridCellContextMenu(CWnd& page, CCPGridCtrl& grid, UINT menuId, const QPoint& at, const QPoint& screen);
