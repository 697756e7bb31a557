#pragma once
// The trees of the CANopen pages are searched by an item's text, as their
// commands and the tests name items.

#include <string>

class CTreeCtrl;
class QTreeWidgetItem;

// The first item in tree order whose text is the given one; null when none
// or when the tree is not built yet.
QTreeWidgetItem* FindTreeItemByText(const CTreeCtrl* tree, const std::string& text);
