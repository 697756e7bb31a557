#include "hardware/canopen/CCanOpenPdoMapping.h"

#include "CanOpenFixture.h"
#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "model/CCanOpenSlaveType.h"
#include "platform/ByteString.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kTestSlot = 11; // node 12

struct TestObject {
    const char* name;
    int index;
    int sub;
    int access;
    int dataType;
};

constexpr TestObject kTestObjects[] = {
    {"In8", 0x6000, 1, OD_ACCESS_RO, OD_TYPE_UNSIGNED8},
    {"In16", 0x6401, 1, OD_ACCESS_RWR, OD_TYPE_INTEGER16},
    {"Out8", 0x6200, 1, OD_ACCESS_WO, OD_TYPE_UNSIGNED8},
    {"Out16", 0x6411, 1, OD_ACCESS_RWW, OD_TYPE_UNSIGNED16},
    {"Out32", 0x6500, -1, OD_ACCESS_RW, OD_TYPE_UNSIGNED32},
    {"Real", 0x6501, -1, OD_ACCESS_RW, OD_TYPE_REAL32},
    {"Bit", 0x6220, 1, OD_ACCESS_RW, OD_TYPE_BOOLEAN},
    {"Wide", 0x6600, -1, OD_ACCESS_RW, 0},
};

// The mapping page's tree down to one object: the slave item, the
// branch of the list, the object and, for a sub-index, the sub-item.
class ObjectPath {
public:
    ObjectPath(int node, const char* slaveName, int list, const TestObject& object)
    {
        m_slave.text = ByteString::Format("%s%d - %s", kSlaveItemPrefix, node, slaveName);
        m_slave.hasChildren = true;
        // "发送PDO映射项" or "接收PDO映射项"
        m_branch.text = std::string(list == PDO_LIST_TRANSMIT ? kTransmitBranchPrefix : kReceiveBranchPrefix) +
                        "\xD3\xB3\xC9\xE4\xCF\xEE";
        m_branch.parent = &m_slave;
        m_branch.hasChildren = true;
        m_object.text = ByteString::Format("%04X - %s", object.index, object.name);
        m_object.parent = &m_branch;
        m_leaf = &m_object;
        if (object.sub >= 0) {
            m_object.hasChildren = true;
            m_sub.text = ByteString::Format("%X - %s", object.sub, object.name);
            m_sub.parent = &m_object;
            m_leaf = &m_sub;
        }
    }
    const CMapTreeItem& Leaf() const { return *m_leaf; }
    const CMapTreeItem& Object() const { return m_object; }

private:
    CMapTreeItem m_slave;
    CMapTreeItem m_branch;
    CMapTreeItem m_object;
    CMapTreeItem m_sub;
    const CMapTreeItem* m_leaf = nullptr;
};

class PdoMappingTest : public CanOpenFixture {
protected:
    void SetUp() override
    {
        CanOpenFixture::SetUp();
        auto type = std::make_unique<CCanOpenSlaveType>();
        type->name = "Test IO";
        for (const TestObject& object : kTestObjects) {
            auto* entry = new CCanOpenODEntry;
            entry->name = object.name;
            entry->index = object.index;
            entry->subIndex = object.sub;
            entry->access = object.access;
            entry->dataType = object.dataType;
            entry->pdoMappable = 1;
            type->objects.push_back(entry);
        }
        m_app->SlaveLibrary.insert(m_app->SlaveLibrary.begin(), std::move(type));
        Project().CanOpenSlaves[kTestSlot].Name = "Test IO";
        Reload();
    }

    void Reload()
    {
        m_mapping.reset();
        m_grid = std::make_unique<CCanOpenSlaveGrid>(Project());
        m_mapping = std::make_unique<CCanOpenPdoMapping>(*m_grid, *m_app);
    }

    static const TestObject& Find(const char* name)
    {
        for (const TestObject& object : kTestObjects) {
            if (std::string(object.name) == name)
                return object;
        }
        return kTestObjects[0];
    }

    void Show(int list, int pdo, int slot = kTestSlot)
    {
        const CCanOpenSlave& slave = m_grid->Slave(slot);
        m_mapping->ShowPdo(slot, list, pdo, (list == PDO_LIST_RECEIVE ? slave.RPDO : slave.TPDO)[pdo].COB_ID);
    }

    BOOL Add(const char* name, int list, int node = kTestSlot + 1)
    {
        const ObjectPath path(node, "Test IO", list, Find(name));
        return m_mapping->OnAddMappedObject(path.Leaf());
    }

    CCanOpenPdo& Pdo(int list, int pdo, int slot = kTestSlot)
    {
        CCanOpenSlave& slave = m_grid->Slave(slot);
        return (list == PDO_LIST_RECEIVE ? slave.RPDO : slave.TPDO)[pdo];
    }

    std::vector<std::string> Mems(const CCanOpenPdo& pdo) const
    {
        std::vector<std::string> mems;
        for (const CCanOpenMappedObject& row : pdo.Rows) {
            if (!row.ODName.empty())
                mems.push_back(row.Mem);
        }
        return mems;
    }

    std::unique_ptr<CCanOpenSlaveGrid> m_grid;
    std::unique_ptr<CCanOpenPdoMapping> m_mapping;
};

TEST_F(PdoMappingTest, ObjectsGetRowsAndFirstFitLocalMemory)
{
    Show(PDO_LIST_RECEIVE, 0);
    m_document.SetModifiedFlag(FALSE);
    ASSERT_TRUE(Add("Out16", PDO_LIST_RECEIVE));
    ASSERT_TRUE(Add("Out8", PDO_LIST_RECEIVE));
    ASSERT_TRUE(Add("Out32", PDO_LIST_RECEIVE));
    EXPECT_TRUE(m_document.IsModified());
    const CCanOpenPdo& pdo = Pdo(PDO_LIST_RECEIVE, 0);
    EXPECT_EQ((std::vector<std::string>{"%VW3000", "%VB3002", "%VD3004"}), Mems(pdo));
    EXPECT_EQ("Out16", pdo.Rows[0].ODName);
    EXPECT_EQ(0x6411, pdo.Rows[0].Index);
    EXPECT_EQ(1, pdo.Rows[0].Sub);
    EXPECT_EQ(16, pdo.Rows[0].Size);
    EXPECT_EQ(-1, pdo.Rows[2].Sub);
    EXPECT_EQ(0x20C, pdo.COB_ID);
    EXPECT_TRUE(m_ui.box.Messages().empty());

    // A 1-bit object gets no local memory; a transmit PDO of another slot
    // continues after what the receive PDO took.
    ASSERT_TRUE(Add("Bit", PDO_LIST_RECEIVE));
    EXPECT_EQ("", pdo.Rows[3].Mem);
    Show(PDO_LIST_TRANSMIT, 2);
    ASSERT_TRUE(Add("In8", PDO_LIST_TRANSMIT));
    EXPECT_EQ("%VB3003", Pdo(PDO_LIST_TRANSMIT, 2).Rows[0].Mem);
    EXPECT_EQ(0x38C, Pdo(PDO_LIST_TRANSMIT, 2).COB_ID);
}

TEST_F(PdoMappingTest, DeletedRowsStayHolesUntilTheNextInsertion)
{
    Show(PDO_LIST_RECEIVE, 0);
    ASSERT_TRUE(Add("Out8", PDO_LIST_RECEIVE));
    ASSERT_TRUE(Add("Out16", PDO_LIST_RECEIVE));
    ASSERT_TRUE(Add("Out8", PDO_LIST_RECEIVE));
    m_document.SetModifiedFlag(FALSE);
    ASSERT_TRUE(m_mapping->OnDeleteMappedObject(1));
    EXPECT_TRUE(m_document.IsModified());
    const CCanOpenPdo& pdo = Pdo(PDO_LIST_RECEIVE, 0);
    EXPECT_EQ("Out8", pdo.Rows[0].ODName);
    EXPECT_EQ("", pdo.Rows[1].ODName);
    EXPECT_EQ(0, pdo.Rows[1].Index);
    EXPECT_EQ(-1, pdo.Rows[1].Sub);
    EXPECT_EQ(0, pdo.Rows[1].Size);
    EXPECT_EQ("", pdo.Rows[1].Mem);
    EXPECT_EQ("Out8", pdo.Rows[2].ODName);
    EXPECT_FALSE(m_mapping->OnDeleteMappedObject(1));
    EXPECT_FALSE(m_mapping->OnDeleteMappedObject(64));

    // The freed word is handed out again.
    ASSERT_TRUE(Add("Out16", PDO_LIST_RECEIVE));
    EXPECT_EQ("Out16", pdo.Rows[1].ODName);
    EXPECT_EQ("%VW3002", pdo.Rows[1].Mem);
}

TEST_F(PdoMappingTest, APdoHoldsAtMost64Bits)
{
    Show(PDO_LIST_RECEIVE, 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Add("Out16", PDO_LIST_RECEIVE));
    ASSERT_TRUE(Add("Out8", PDO_LIST_RECEIVE)); // 56 bits
    EXPECT_FALSE(Add("Out16", PDO_LIST_RECEIVE));
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ(ByteString::Format(kPdoBitsFull, 64, 8, 16), m_ui.box.Messages()[0].text);
    EXPECT_EQ(kMessageCaption, m_ui.box.Messages()[0].caption);
    EXPECT_TRUE(Add("Out8", PDO_LIST_RECEIVE));
    EXPECT_FALSE(Add("Bit", PDO_LIST_RECEIVE));
    EXPECT_EQ(ByteString::Format(kPdoBitsFull, 64, 0, 1), m_ui.box.Texts().back());

    Show(PDO_LIST_RECEIVE, 1);
    EXPECT_FALSE(Add("Wide", PDO_LIST_RECEIVE));
    EXPECT_EQ(ByteString::Format(kPdoBitsFull, 64, 64, 65), m_ui.box.Texts().back());
    EXPECT_EQ("", Pdo(PDO_LIST_RECEIVE, 1).Rows[0].ODName);
}

TEST_F(PdoMappingTest, RefusalsOfTypeAccessAndCobId)
{
    Show(PDO_LIST_RECEIVE, 4);
    m_document.SetModifiedFlag(FALSE);
    EXPECT_FALSE(Add("Out8", PDO_LIST_RECEIVE));
    ASSERT_EQ(1u, m_ui.box.Texts().size());
    EXPECT_EQ(ByteString::Format(kPdoNeedsCobId, 0x181, 0x57F), m_ui.box.Texts()[0]);
    EXPECT_NE(std::string::npos, m_ui.box.Texts()[0].find("(16#181-16#57F)"));
    // A COB-ID typed into the PDO grid is enough and reaches the record.
    m_mapping->ShowPdo(kTestSlot, PDO_LIST_RECEIVE, 4, 0x230);
    EXPECT_TRUE(Add("Out8", PDO_LIST_RECEIVE));
    EXPECT_EQ(0x230, Pdo(PDO_LIST_RECEIVE, 4).COB_ID);

    m_ui.box.Clear();
    m_document.SetModifiedFlag(FALSE);
    Show(PDO_LIST_RECEIVE, 0);
    EXPECT_FALSE(Add("In8", PDO_LIST_RECEIVE));   // ro into a receive PDO
    EXPECT_FALSE(Add("In16", PDO_LIST_RECEIVE));  // rwr
    EXPECT_FALSE(Add("Out32", PDO_LIST_TRANSMIT)); // the branch of the other list
    Show(PDO_LIST_TRANSMIT, 0);
    EXPECT_FALSE(Add("Out8", PDO_LIST_TRANSMIT));  // wo into a transmit PDO
    EXPECT_FALSE(Add("Out16", PDO_LIST_TRANSMIT)); // rww
    EXPECT_EQ(std::vector<std::string>(5, kObjectDoesNotSuitPdo), m_ui.box.Texts());

    m_ui.box.Clear();
    const ObjectPath group(12, "Test IO", PDO_LIST_TRANSMIT, Find("In8"));
    EXPECT_FALSE(m_mapping->OnAddMappedObject(group.Object()));
    EXPECT_EQ(std::vector<std::string>{kSelectLeafObject}, m_ui.box.Texts());

    m_ui.box.Clear();
    const ObjectPath unknown(12, "Gone", PDO_LIST_TRANSMIT, Find("In8"));
    EXPECT_FALSE(m_mapping->OnAddMappedObject(unknown.Leaf()));
    EXPECT_EQ(std::vector<std::string>{kNoTypeForSlave}, m_ui.box.Texts());

    // Silent: an empty item text, an object the type does not have.
    m_ui.box.Clear();
    EXPECT_FALSE(m_mapping->InsertMappedObject("", "Test IO", 0x6000, 1, PDO_LIST_TRANSMIT));
    EXPECT_FALSE(m_mapping->InsertMappedObject("6000 - In8", "Test IO", 0x6000, 2, PDO_LIST_TRANSMIT));
    EXPECT_TRUE(m_ui.box.Texts().empty());
    EXPECT_FALSE(m_document.IsModified());
    for (const CCanOpenPdo& pdo : m_grid->Slave(kTestSlot).TPDO)
        EXPECT_TRUE(Mems(pdo).empty());
}

TEST_F(PdoMappingTest, TheTreeWalkFindsSlaveListIndexAndSubIndex)
{
    for (int slot : {1, 11, 99}) {
        SCOPED_TRACE(slot);
        Project().ResetCanOpenConfig();
        Project().CanOpenSlaves[slot].Name = "Test IO";
        Reload();
        Show(PDO_LIST_TRANSMIT, 0, slot);
        ASSERT_TRUE(Add("In16", PDO_LIST_TRANSMIT, slot + 1));
        const CCanOpenMappedObject& row = Pdo(PDO_LIST_TRANSMIT, 0, slot).Rows[0];
        EXPECT_EQ("In16", row.ODName);
        EXPECT_EQ(0x6401, row.Index);
        EXPECT_EQ(1, row.Sub);
        EXPECT_EQ("%VW3000", row.Mem);
    }
}

// Fills one receive or transmit PDO with a mapped row in each of count PDOs.
void FillPdos(CCanOpenSlaveGrid& grid, int list, int count)
{
    for (int i = 0; i < count; ++i) {
        CCanOpenSlave& slave = grid.Slave(20 + i / CANOPEN_PDOS);
        slave.Name = "Test IO";
        CCanOpenPdo& pdo = (list == PDO_LIST_RECEIVE ? slave.RPDO : slave.TPDO)[i % CANOPEN_PDOS];
        pdo.COB_ID = 0x300;
        pdo.Rows[1] = {"Out8", 0x6200, 1, 8, ""};
    }
}

struct LimitCase {
    const char* name;
    int list;
    int filled;     // PDOs of the list with rows elsewhere in the network
    bool intoFilled; // add to the first of them instead of an empty PDO
    bool accepted;
};

TEST_F(PdoMappingTest, TheNetworkCarriesAtMost64PdosOfEachList)
{
    const LimitCase cases[] = {
        {"63 receive PDOs", PDO_LIST_RECEIVE, 63, false, true},
        {"64 receive PDOs, a 65th", PDO_LIST_RECEIVE, 64, false, false},
        {"64 receive PDOs, one of them", PDO_LIST_RECEIVE, 64, true, true},
        {"65 receive PDOs, one of them", PDO_LIST_RECEIVE, 65, true, false},
        {"64 transmit PDOs, a 65th", PDO_LIST_TRANSMIT, 64, false, false},
        {"64 transmit PDOs, one of them", PDO_LIST_TRANSMIT, 64, true, true},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_ui.box.Clear();
        Reload();
        FillPdos(*m_grid, c.list, c.filled);
        if (c.intoFilled)
            m_mapping->ShowPdo(20, c.list, 0, 0x300);
        else
            Show(c.list, 0);
        const char* object = c.list == PDO_LIST_RECEIVE ? "Out8" : "In8";
        const ObjectPath path(c.intoFilled ? 21 : 12, "Test IO", c.list, Find(object));
        EXPECT_EQ(c.accepted, m_mapping->OnAddMappedObject(path.Leaf()) != FALSE);
        if (c.accepted) {
            EXPECT_TRUE(m_ui.box.Texts().empty());
            continue;
        }
        const int receive = c.list == PDO_LIST_RECEIVE ? c.filled : 0;
        const int transmit = c.list == PDO_LIST_TRANSMIT ? c.filled : 0;
        EXPECT_EQ(std::vector<std::string>{ByteString::Format(kNetworkPdoLimit, 64, 64, receive, transmit)},
                  m_ui.box.Texts());
    }
}

struct AllocationCase {
    int bits;
    int count;     // allocations until the V area is full
    int first;     // V address of the first
    int last;      // and of the last
};

TEST_F(PdoMappingTest, AllocationFillsTheCpuVAreaFromVB3000)
{
    // The VC16's V area ends at VB4095: 1096 bytes from VB3000.
    const AllocationCase cases[] = {
        {8, 1096, 3000, 4095},
        {16, 548, 3000, 4094},
        {32, 274, 3000, 4092},
    };
    for (const AllocationCase& c : cases) {
        SCOPED_TRACE(c.bits);
        std::fill(m_grid->UsageMap().begin(), m_grid->UsageMap().end(), 0);
        int count = 0;
        int address = 0;
        int first = -1;
        while (m_mapping->AllocLocalMemory(c.bits, address, TRUE)) {
            if (first < 0)
                first = address;
            ++count;
            ASSERT_LE(count, 70000);
        }
        EXPECT_EQ(c.count, count);
        EXPECT_EQ(c.first, first);
        EXPECT_EQ(c.last, address);
    }
    // An odd byte in use moves words and double words to the next even address.
    std::fill(m_grid->UsageMap().begin(), m_grid->UsageMap().end(), 0);
    int address = 0;
    ASSERT_TRUE(m_mapping->AllocLocalMemory(8, address, TRUE));
    ASSERT_TRUE(m_mapping->AllocLocalMemory(32, address, TRUE));
    EXPECT_EQ(3002, address);
    ASSERT_TRUE(m_mapping->AllocLocalMemory(8, address, TRUE));
    EXPECT_EQ(3001, address);
    EXPECT_FALSE(m_mapping->AllocLocalMemory(1, address, TRUE));
}

TEST_F(PdoMappingTest, TextsInUseAreNeverHandedOutTwice)
{
    // Texts the CPU's address check refuses still hold their bytes.
    Pdo(PDO_LIST_TRANSMIT, 0).Rows[0] = {"In8", 0x6000, 1, 16, " %vw3000 "};
    Pdo(PDO_LIST_TRANSMIT, 0).Rows[1] = {"In8", 0x6000, 1, 8, "VB3002"};
    Pdo(PDO_LIST_TRANSMIT, 0).Rows[2] = {"In8", 0x6000, 1, 32, "%VD3004junk"};
    Pdo(PDO_LIST_TRANSMIT, 1).Rows[0] = {"In8", 0x6000, 1, 16, "%MW3008"}; // another area: not V memory
    Pdo(PDO_LIST_TRANSMIT, 1).Rows[1] = {"In8", 0x6000, 1, 16, "%VW2998"}; // below VB3000, reaching into it
    Pdo(PDO_LIST_TRANSMIT, 1).Rows[2] = {"In8", 0x6000, 1, 16, "%VW99999999999"};
    Pdo(PDO_LIST_TRANSMIT, 1).Rows[3] = {"In8", 0x6000, 1, 8, "%V3010.1"};
    Show(PDO_LIST_RECEIVE, 0);
    ASSERT_TRUE(Add("Out8", PDO_LIST_RECEIVE));
    ASSERT_TRUE(Add("Out16", PDO_LIST_RECEIVE));
    EXPECT_EQ((std::vector<std::string>{"%VB3003", "%VW3008"}), Mems(Pdo(PDO_LIST_RECEIVE, 0)));
}

TEST_F(PdoMappingTest, ACpuWithoutRoomSaysSo)
{
    UseFamily(0); // V memory ends below VB3000
    Show(PDO_LIST_RECEIVE, 0);
    ASSERT_TRUE(Add("Out16", PDO_LIST_RECEIVE));
    EXPECT_EQ("", Pdo(PDO_LIST_RECEIVE, 0).Rows[0].Mem);
    EXPECT_EQ(std::vector<std::string>{kNoLocalMemory}, m_ui.box.Texts());
    m_ui.box.Clear();
    ASSERT_TRUE(Add("Bit", PDO_LIST_RECEIVE)); // a bit never asks for memory
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(PdoMappingTest, ReassignmentPacksEveryObjectOfTheNetwork)
{
    CCanOpenSlave& first = m_grid->Slave(3);
    first.Name = "Test IO";
    first.TPDO[0].Rows[0] = {"In8", 0x6000, 1, 8, "%VB3500"};
    first.RPDO[2].Rows[5] = {"Out16", 0x6411, 1, 16, "%VW3600"};
    first.RPDO[2].Rows[1] = {"Bit", 0x6220, 1, 1, "%V3700.0"};
    first.RPDO[0].Rows[0] = {"Out8", 0x6200, 1, 8, ""};
    CCanOpenSlave& second = m_grid->Slave(kTestSlot);
    second.RPDO[7].Rows[0] = {"Out32", 0x6500, -1, 32, "%VD3000"};
    second.TPDO[1].Rows[0] = {"In8", 0x6000, 1, 8, "%VB3001"};
    m_grid->Slave(50).RPDO[0].Rows[0] = {"Stale", 1, 1, 8, "%VB3900"}; // free slot: not touched

    m_ui.box.Answer(IDNO);
    m_document.SetModifiedFlag(FALSE);
    EXPECT_FALSE(m_mapping->OnReassignMemory());
    EXPECT_EQ("%VB3500", first.TPDO[0].Rows[0].Mem);
    EXPECT_FALSE(m_document.IsModified());
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ(kReassignQuestion, m_ui.box.Messages()[0].text);
    EXPECT_EQ(kNoteCaption, m_ui.box.Messages()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), m_ui.box.Messages()[0].type);

    m_ui.box.Answer(IDYES);
    EXPECT_TRUE(m_mapping->OnReassignMemory());
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ("%VB3000", first.RPDO[0].Rows[0].Mem);
    EXPECT_EQ("%V3700.0", first.RPDO[2].Rows[1].Mem);
    EXPECT_EQ("%VW3002", first.RPDO[2].Rows[5].Mem);
    EXPECT_EQ("%VB3001", first.TPDO[0].Rows[0].Mem); // a byte takes the hole the word left
    EXPECT_EQ("%VD3004", second.RPDO[7].Rows[0].Mem);
    EXPECT_EQ("%VB3008", second.TPDO[1].Rows[0].Mem);
    EXPECT_EQ("%VB3900", m_grid->Slave(50).RPDO[0].Rows[0].Mem);
}

TEST_F(PdoMappingTest, ReassignmentWithoutRoomClearsWhatCouldOverlap)
{
    UseFamily(0);
    m_grid->Slave(kTestSlot).RPDO[0].Rows[0] = {"Out16", 0x6411, 1, 16, "%VW3000"};
    m_grid->Slave(kTestSlot).RPDO[0].Rows[1] = {"Bit", 0x6220, 1, 1, "%V10.0"};
    m_mapping->ReassignLocalMemory();
    EXPECT_EQ("", m_grid->Slave(kTestSlot).RPDO[0].Rows[0].Mem);
    EXPECT_EQ("%V10.0", m_grid->Slave(kTestSlot).RPDO[0].Rows[1].Mem);
    EXPECT_EQ(std::vector<std::string>{kNoLocalMemory}, m_ui.box.Texts());
}

TEST_F(PdoMappingTest, SizesReadFromAFileThatNoObjectHasGetNoMemory)
{
    CCanOpenPdo& pdo = Pdo(PDO_LIST_RECEIVE, 0);
    for (int row = 0; row < 40; ++row)
        pdo.Rows[row] = {"Huge", 0x6500, -1, 2147483647, ""};
    pdo.Rows[40] = {"Odd", 0x6500, -1, 24, "%VB3100"};
    Show(PDO_LIST_RECEIVE, 0);
    EXPECT_FALSE(Add("Out8", PDO_LIST_RECEIVE));
    EXPECT_EQ(std::vector<std::string>{ByteString::Format(kPdoBitsFull, 64, 0, 8)}, m_ui.box.Texts());
    m_ui.box.Clear();
    m_mapping->ReassignLocalMemory();
    EXPECT_EQ("", pdo.Rows[0].Mem);
    EXPECT_EQ("%VB3100", pdo.Rows[40].Mem);
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(PdoMappingTest, NothingHappensWithoutACurrentSlave)
{
    m_mapping->ShowPdo(-1, PDO_LIST_RECEIVE, 0, 0x201);
    EXPECT_FALSE(Add("Out8", PDO_LIST_RECEIVE));
    EXPECT_FALSE(m_mapping->OnDeleteMappedObject(0));
    m_mapping->ShowPdo(0, PDO_LIST_RECEIVE, 0, 0x201); // slot 0 is free
    EXPECT_FALSE(Add("Out8", PDO_LIST_RECEIVE));
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

} // namespace
