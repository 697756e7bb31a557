#pragma once
// The contents of the mapping page's object-dictionary tree without its
// window: every configured slave of the working list with the objects of
// its type that it can send (transmit branch: ro, rw, rwr) and receive
// (receive branch: wo, rw, rww). An object with sub-entries is kept only
// when one of them qualifies.

#include <string>
#include <vector>

class CCanOpenSlaveGrid;
class CZULAppData;

// Images of the tree's items; -1 for none.
constexpr int OD_TREE_IMAGE_NONE = -1;
constexpr int OD_TREE_IMAGE_BRANCH = 6;
constexpr int OD_TREE_IMAGE_BRANCH_SELECTED = 1;
constexpr int OD_TREE_IMAGE_OBJECT = 11;
constexpr int OD_TREE_IMAGE_SLAVE = 12;
constexpr int OD_TREE_IMAGE_ROOT = 13;

struct CODTreeItem {
    std::string text;
    int image = OD_TREE_IMAGE_NONE;
    int selectedImage = OD_TREE_IMAGE_NONE;
    std::vector<CODTreeItem> children;
};

class CCanOpenODTree {
public:
    // The root "已添加从站列表" with a child per configured slot, in slot order.
    static CODTreeItem BuildODTree(const CCanOpenSlaveGrid& slaves, const CZULAppData& library);
};
