#include "CanOpenTreeSearch.h"

#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/QtText.h"

#include <QTreeWidget>

QTreeWidgetItem* FindTreeItemByText(const CTreeCtrl* tree, const std::string& text)
{
    if (!tree)
        return nullptr;
    const QList<QTreeWidgetItem*> found =
        tree->Tree()->findItems(ToQString(text), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}
