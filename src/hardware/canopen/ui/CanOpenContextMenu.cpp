#include "CanOpenContextMenu.h"

#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "pouedit/IPOUWorkbenchHost.h"

#include <QPoint>

void ShowCanOpenContextMenu(CWnd& page, UINT menuId, const QPoint& screen)
{
    CMDIChildWnd* child = nullptr;
    for (QWidget* up = page.parentWidget(); up && !child; up = up->parentWidget())
        child = dynamic_cast<CMDIChildWnd*>(up);
    auto* host = child ? dynamic_cast<IPOUWorkbenchHost*>(child->GetMDIFrame()) : nullptr;
    if (host)
        host->ShowContextMenu(static_cast<int>(menuId), screen.x(), screen.y(), &page);
}
