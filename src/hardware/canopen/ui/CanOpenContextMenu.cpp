#include "CanOpenContextMenu.h"

#include "platform/ui/CCPGridCtrl.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "pouedit/IPOUWorkbenchHost.h"

#include <QMouseEvent>
#include <QPoint>
#include <QTableView>

void ShowCanOpenContextMenu(CWnd& page, UINT menuId, const QPoint& screen)
{
    CMDIChildWnd* child = nullptr;
    for (QWidget* up = page.parentWidget(); up && !child; up = up->parentWidget())
        child = dynamic_cast<CMDIChildWnd*>(up);
    auto* host = child ? dynamic_cast<IPOUWorkbenchHost*>(child->GetMDIFrame()) : nullptr;
    if (host)
        host->ShowContextMenu(static_cast<int>(menuId), screen.x(), screen.y(), &page);
}

bool GetRightPress(const QEvent& event, QPoint& at, QPoint& screen)
{
    if (event.type() != QEvent::MouseButtonPress)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    if (mouse.button() != Qt::RightButton)
        return false;
    at = mouse.position().toPoint();
    screen = mouse.globalPosition().toPoint();
    return true;
}

bool ShowGridCellContextMenu(CWnd& page, CCPGridCtrl& grid, UINT menuId, const QPoint& at, const QPoint& screen)
{
    const QModelIndex cell = grid.GetTableView()->indexAt(at);
    if (!cell.isValid())
        return false;
    grid.SetActiveCell(cell.column(), cell.row());
    ShowCanOpenContextMenu(page, menuId, screen);
    return true;
}
