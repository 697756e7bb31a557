#include "ITableViewHost.h"

#include "platform/ui/CWnd.h"

ITableViewHost* ITableViewHost::FindFor(CWnd* wnd)
{
    for (QWidget* parent = wnd ? wnd->parentWidget() : nullptr; parent; parent = parent->parentWidget()) {
        if (auto* host = dynamic_cast<ITableViewHost*>(parent))
            return host;
    }
    return nullptr;
}
