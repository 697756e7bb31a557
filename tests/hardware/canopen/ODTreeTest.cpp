#include "CanOpenFixture.h"
#include "hardware/canopen/CCanOpenODTree.h"
#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "model/CCanOpenODEntry.h"
#include "model/CCanOpenSlaveType.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

// One tree as indented lines, so that a whole branch compares at once.
void Flatten(const CODTreeItem& item, int depth, std::vector<std::string>& lines)
{
    lines.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + item.text);
    for (const CODTreeItem& child : item.children)
        Flatten(child, depth + 1, lines);
}

class ODTreeTest : public CanOpenFixture {
protected:
    void SetUp() override
    {
        CanOpenFixture::SetUp();
        m_app->SlaveLibrary.clear();
        auto type = std::make_unique<CCanOpenSlaveType>();
        type->name = "T";
        struct Entry {
            int index, subNumber, subIndex, access;
            const char* name;
        };
        const Entry entries[] = {
            {0x6000, 2, -1, -1, "Inputs"},   {0x6000, 0, 1, OD_ACCESS_RO, "In1"},
            {0x6000, 0, 2, OD_ACCESS_WO, "In2"}, {0x6200, 1, -1, -1, "Outputs"},
            {0x6200, 0, 1, OD_ACCESS_WO, "Out1"}, {0x2000, 0, -1, OD_ACCESS_RW, "Both"},
            {0x2001, 0, -1, OD_ACCESS_RWR, "Sent"}, {0x2002, 0, -1, OD_ACCESS_RWW, "Received"},
            {0x2003, 0, -1, OD_ACCESS_CONST, "Fixed"}, {0x2004, 0, -1, OD_ACCESS_RW, ""},
        };
        for (const Entry& e : entries) {
            auto* entry = new CCanOpenODEntry;
            entry->index = e.index;
            entry->subNumber = e.subNumber;
            entry->subIndex = e.subIndex;
            entry->access = e.access;
            entry->name = e.name;
            type->objects.push_back(entry);
        }
        m_app->ReplaceSlaveType(std::move(type));
    }
};

TEST_F(ODTreeTest, EachConfiguredSlaveListsWhatItCanSendAndReceiveByAccess)
{
    Project().CanOpenSlaves[0].Name = "T";
    Project().CanOpenSlaves[2].Name = "Gone";
    CCanOpenSlaveGrid slaves(Project());
    std::vector<std::string> lines;
    Flatten(CCanOpenODTree::BuildODTree(slaves, *m_app), 0, lines);
    const std::string slave1 = "\xB4\xD3\xD5\xBE" "1 - T";
    const std::string slave3 = "\xB4\xD3\xD5\xBE" "3 - Gone";
    EXPECT_THAT(lines, ElementsAre(kAddedSlavesItem,
                                   "  " + slave1,
                                   std::string("    ") + kTransmitBranchItem,
                                   "      6000 - Inputs",
                                   "        1 - In1",
                                   "      2000 - Both",
                                   "      2001 - Sent",
                                   std::string("    ") + kReceiveBranchItem,
                                   "      6000 - Inputs",
                                   "        2 - In2",
                                   "      6200 - Outputs",
                                   "        1 - Out1",
                                   "      2000 - Both",
                                   "      2002 - Received",
                                   "  " + slave3,
                                   std::string("    ") + kNoTypeItem));
}

TEST_F(ODTreeTest, AnEmptyNetworkHasOnlyTheRoot)
{
    CCanOpenSlaveGrid slaves(Project());
    const CODTreeItem root = CCanOpenODTree::BuildODTree(slaves, *m_app);
    EXPECT_EQ(kAddedSlavesItem, root.text);
    EXPECT_EQ(OD_TREE_IMAGE_ROOT, root.image);
    EXPECT_TRUE(root.children.empty());
}

} // namespace
