#include "CCanOpenODTree.h"

#include "CCanOpenSlaveGrid.h"
#include "CanOpenTexts.h"
#include "model/CCanOpenODEntry.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"

namespace {

constexpr int kTransmitAccess = OD_ACCESS_RO | OD_ACCESS_RW | OD_ACCESS_RWR;
constexpr int kReceiveAccess = OD_ACCESS_WO | OD_ACCESS_RW | OD_ACCESS_RWW;

bool HasAccess(const CCanOpenODEntry& entry, int accessMask)
{
    return entry.access > 0 && (entry.access & accessMask) != 0;
}

CODTreeItem ObjectItem(const std::string& text, int image, int selectedImage)
{
    return {text, image, selectedImage, {}};
}

// The branch of one direction, walking the type's entries in library order.
CODTreeItem Branch(const char* title, const CCanOpenSlaveType& type, int accessMask)
{
    CODTreeItem branch = ObjectItem(title, OD_TREE_IMAGE_BRANCH, OD_TREE_IMAGE_BRANCH_SELECTED);
    for (const CCanOpenODEntry* entry : type.objects) {
        if (entry->name.empty())
            continue;
        const std::string text = ByteString::Format("%04X - %s", entry->index, entry->name.c_str());
        if (entry->subNumber > 0) {
            CODTreeItem object = ObjectItem(text, OD_TREE_IMAGE_BRANCH, OD_TREE_IMAGE_BRANCH_SELECTED);
            for (const CCanOpenODEntry* sub : type.objects) {
                if (sub->index != entry->index || sub->subIndex == -1 || !HasAccess(*sub, accessMask))
                    continue;
                object.children.push_back(
                    ObjectItem(ByteString::Format("%X - %s", sub->subIndex, sub->name.c_str()), OD_TREE_IMAGE_OBJECT,
                               OD_TREE_IMAGE_OBJECT));
            }
            if (!object.children.empty())
                branch.children.push_back(std::move(object));
            continue;
        }
        if (entry->subIndex == -1 && HasAccess(*entry, accessMask))
            branch.children.push_back(ObjectItem(text, OD_TREE_IMAGE_OBJECT, OD_TREE_IMAGE_OBJECT));
    }
    return branch;
}

} // namespace

CODTreeItem CCanOpenODTree::BuildODTree(const CCanOpenSlaveGrid& slaves, const CZULAppData& library)
{
    CODTreeItem root = ObjectItem(kAddedSlavesItem, OD_TREE_IMAGE_ROOT, OD_TREE_IMAGE_ROOT);
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        if (!slaves.IsConfigured(slot))
            continue;
        const CCanOpenSlave& slave = slaves.Slave(slot);
        CODTreeItem item = ObjectItem(ByteString::Format(kSlaveItemFormat, slot + 1, slave.Name.c_str()),
                                      OD_TREE_IMAGE_SLAVE, OD_TREE_IMAGE_SLAVE);
        const CCanOpenSlaveType* type = library.FindSlaveType(slave.Name);
        if (!type) {
            item.children.push_back(ObjectItem(kNoTypeItem, OD_TREE_IMAGE_NONE, OD_TREE_IMAGE_NONE));
        } else {
            item.children.push_back(Branch(kTransmitBranchItem, *type, kTransmitAccess));
            item.children.push_back(Branch(kReceiveBranchItem, *type, kReceiveAccess));
        }
        root.children.push_back(std::move(item));
    }
    return root;
}
